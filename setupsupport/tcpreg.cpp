// Registers the name-service installer procedure in the Ndi key of every
// installed instance of the Microsoft TCP/IP transport.
#include "zorvi.h"

namespace {

const char kClassKey[] = "system\\CurrentControlSet\\Services\\Class\\NetTrans";
const char kInstaller[] = "Zorvprop.dll,NameServiceNdiProc";
const int kNameSize = 255;     // subkey names, NUL included
const int kValueSize = 256;    // DriverDesc and InfPath
const int kPathSize = 260;     // path of an instance's Ndi key

// A REG_SZ value read into a 256-byte buffer equals text exactly.
bool ValueIs(HKEY key, const char *name, const char *text)
{
    char data[kValueSize];
    DWORD size = kValueSize;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    DWORD i = 0;
    for (; text[i]; ++i)
        if (i >= size || data[i] != text[i])
            return false;
    // Stored with its terminator, or exactly the text without one.
    return i == size || data[i] == 0;
}

bool IsMicrosoftTcpIp(HKEY classKey, const char *name)
{
    HKEY instance;
    if (RegOpenKeyExA(classKey, name, 0, KEY_QUERY_VALUE, &instance) != ERROR_SUCCESS)
        return false;
    bool match = ValueIs(instance, "DriverDesc", "TCP/IP") &&
                 ValueIs(instance, "InfPath", "NETTRANS.INF");
    RegCloseKey(instance);
    return match;
}

// The instance's Ndi key path; false when it would not fit.
bool ComposeNdiPath(const char *name, char *path)
{
    int n = 0;
    const char *pieces[] = {kClassKey, "\\", name, "\\Ndi"};
    for (const char *piece : pieces)
        for (const char *p = piece; *p; ++p) {
            if (n >= kPathSize - 1)
                return false;
            path[n++] = *p;
        }
    path[n] = 0;
    return true;
}

} // namespace

extern "C" int __cdecl DoMSTCPReg(void)
{
    HKEY classKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS)
        return 0;
    int result = 0;
    char name[kNameSize];
    for (DWORD index = 0;; ++index) {
        LONG status = RegEnumKeyA(classKey, index, name, kNameSize);
        if (status == ERROR_MORE_DATA)
            continue;   // a name too long for the buffer names no transport of ours
        if (status != ERROR_SUCCESS)
            break;
        char path[kPathSize];
        if (!ComposeNdiPath(name, path) || !IsMicrosoftTcpIp(classKey, name))
            continue;
        HKEY ndi;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &ndi) != ERROR_SUCCESS) {
            result = 0;
            break;
        }
        RegSetValueExA(ndi, "NdiInstaller", 0, REG_SZ, reinterpret_cast<const BYTE *>(kInstaller),
                       sizeof kInstaller);
        RegCloseKey(ndi);
        result = 1;
    }
    RegCloseKey(classKey);
    return result;
}
