// Entry routine of the setup support library. Nothing is set up or torn
// down here: the setup program registers and removes the address control's
// window class itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
