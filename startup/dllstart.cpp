// Entry routine shared by our libraries.
//
// The toolchain's own DLL startup adds a thread storage directory, which
// Windows 95 refuses to load. This small routine replaces it: it runs the
// static constructors on process attach, hands every notification to the
// library's own DllMain, and runs the registered destructors on process
// detach.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

typedef void (*StaticFunction)(void);

// Provided by the linker script: a -1 word, the constructors, then a 0 word.
extern "C" StaticFunction __CTOR_LIST__[];

namespace {

const int kMaxExitFunctions = 32;
StaticFunction g_exitFunctions[kMaxExitFunctions];
int g_exitCount;

void RunConstructors()
{
    // The list is run from its end towards its start, like the toolchain does.
    int count = 0;
    while (__CTOR_LIST__[count + 1] != 0)
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

void RunDestructors()
{
    while (g_exitCount > 0)
        g_exitFunctions[--g_exitCount]();
}

} // namespace

// Static destructors are registered here by the compiler's generated code.
extern "C" int __cdecl atexit(StaticFunction function)
{
    if (g_exitCount >= kMaxExitFunctions)
        return -1;
    g_exitFunctions[g_exitCount++] = function;
    return 0;
}

extern "C" BOOL WINAPI ZorvDllStartup(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        RunConstructors();
    BOOL result = DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_DETACH || (reason == DLL_PROCESS_ATTACH && !result))
        RunDestructors();
    return result;
}
