// The few routines the compiler may call on its own in a library that
// links no C runtime: block copies and fills, pure virtual calls, and the
// global allocation operators, served from the process heap.
#include <windows.h>
#include <stddef.h>

extern "C" {

void *__cdecl memset(void *destination, int value, size_t count)
{
    unsigned char *d = static_cast<unsigned char *>(destination);
    while (count--)
        *d++ = static_cast<unsigned char>(value);
    return destination;
}

void *__cdecl memcpy(void *destination, const void *source, size_t count)
{
    unsigned char *d = static_cast<unsigned char *>(destination);
    const unsigned char *s = static_cast<const unsigned char *>(source);
    while (count--)
        *d++ = *s++;
    return destination;
}

void *__cdecl memmove(void *destination, const void *source, size_t count)
{
    unsigned char *d = static_cast<unsigned char *>(destination);
    const unsigned char *s = static_cast<const unsigned char *>(source);
    if (d < s) {
        while (count--)
            *d++ = *s++;
    } else {
        d += count;
        s += count;
        while (count--)
            *--d = *--s;
    }
    return destination;
}

int __cdecl memcmp(const void *left, const void *right, size_t count)
{
    const unsigned char *a = static_cast<const unsigned char *>(left);
    const unsigned char *b = static_cast<const unsigned char *>(right);
    for (; count; --count, ++a, ++b)
        if (*a != *b)
            return *a < *b ? -1 : 1;
    return 0;
}

size_t __cdecl strlen(const char *text)
{
    const char *p = text;
    while (*p)
        ++p;
    return static_cast<size_t>(p - text);
}

void __cxa_pure_virtual(void)
{
    ExitProcess(3);
}

} // extern "C"

void *operator new(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void *operator new[](size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void operator delete(void *block) { if (block) HeapFree(GetProcessHeap(), 0, block); }
void operator delete[](void *block) { if (block) HeapFree(GetProcessHeap(), 0, block); }
void operator delete(void *block, size_t) { if (block) HeapFree(GetProcessHeap(), 0, block); }
void operator delete[](void *block, size_t) { if (block) HeapFree(GetProcessHeap(), 0, block); }
