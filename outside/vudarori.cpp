// Companion library of the file-sharing sheet. The sheet loads it for as
// long as it runs; it has nothing to do while loaded, so it only answers
// the loader and tells its version.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

extern "C" DWORD WINAPI VudaroriVersion(void)
{
    return 0x00010000;
}
