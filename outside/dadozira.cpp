// Name-service provider. The property library calls its three entries
// without arguments. The provider keeps its own state under
//   HKLM\SOFTWARE\ZORV\CC\1.0\vadediz\NameServiceProvider
// "Installed" (REG_DWORD 1) while the name service is installed, and
// "ActiveOrder" (REG_SZ), the search order it last took from the
// NameServiceOptions key ("W" when none is stored there).
#include <windows.h>

namespace {

const char kOptionsKey[] = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\NameServiceOptions";
const char kProviderKey[] = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\NameServiceProvider";

HKEY OpenProviderKey()
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProviderKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return NULL;
    return key;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

extern "C" void __cdecl NSPInstallNS(void)
{
    HKEY key = OpenProviderKey();
    if (!key)
        return;
    DWORD one = 1;
    RegSetValueExA(key, "Installed", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), sizeof one);
    RegCloseKey(key);
}

extern "C" void __cdecl NSPRemoveNS(void)
{
    HKEY key = OpenProviderKey();
    if (!key)
        return;
    RegDeleteValueA(key, "Installed");
    RegCloseKey(key);
}

extern "C" void __cdecl NSPSetNSOrder(void)
{
    char order[64] = "W";
    HKEY options;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOptionsKey, 0, KEY_READ, &options) == ERROR_SUCCESS) {
        char stored[64];
        DWORD type = 0, size = sizeof stored - 1;
        if (RegQueryValueExA(options, "SearchOrder", NULL, &type, reinterpret_cast<BYTE *>(stored),
                             &size) == ERROR_SUCCESS && type == REG_SZ) {
            stored[size] = '\0';
            lstrcpynA(order, stored, sizeof order);
        }
        RegCloseKey(options);
    }
    HKEY key = OpenProviderKey();
    if (!key)
        return;
    RegSetValueExA(key, "ActiveOrder", 0, REG_SZ, reinterpret_cast<const BYTE *>(order),
                   lstrlenA(order) + 1);
    RegCloseKey(key);
}
