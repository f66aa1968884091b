// The static C++ runtime (its thread locks and the C runtime's locale
// lookup) calls two wide-character kernel functions. These stand in for
// their import slots, so that the library imports only the narrow forms,
// which both target systems have.
#include <windows.h>

namespace {

HANDLE WINAPI CreateSemaphoreNarrow(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                    LPCWSTR name)
{
    // The runtime only makes unnamed semaphores.
    if (name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateSemaphoreA(attributes, initial, maximum, nullptr);
}

HMODULE WINAPI GetModuleHandleNarrow(LPCWSTR name)
{
    if (!name)
        return GetModuleHandleA(nullptr);
    char narrow[MAX_PATH];
    int i = 0;
    for (; name[i] && i < MAX_PATH - 1; ++i) {
        if (name[i] > 0x7F)
            return nullptr;  // no module of ours has such a name
        narrow[i] = static_cast<char>(name[i]);
    }
    narrow[i] = 0;
    return GetModuleHandleA(narrow);
}

} // namespace

extern "C" {
void *ImportCreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") =
    reinterpret_cast<void *>(&CreateSemaphoreNarrow);
void *ImportGetModuleHandleW __asm__("__imp__GetModuleHandleW@4") =
    reinterpret_cast<void *>(&GetModuleHandleNarrow);
}
