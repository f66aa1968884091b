// Running the NFS client sheet of the shipped library from a test, with the
// registry paths its pages use.
#ifndef ZORV_TEST_NFS_SHEET_H
#define ZORV_TEST_NFS_SHEET_H

#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace nfs {

const char kUserDefaults[] = "Software\\ZORV\\CC\\1.0\\vadediz\\UserMountDefaults";
const char kServers[] = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\Authentication\\Servers";
const char kService[] = "System\\CurrentControlSet\\Services\\Vadediz\\Parameters";

// Page indexes of the sheet.
const int kGeneralPage = 0;
const int kSecurityPage = 1;
const int kCachingPage = 2;

// Shows the sheet through NFSClientProperty and runs script in it.
inline void RunClientSheet(const std::function<void(zt::Ui &)> &script)
{
    static HMODULE library = zt::LoadProductLibrary("ZORVPROP.dll");
    ASSERT_TRUE(library);
    typedef BOOL(__cdecl * SetupEntry)(DWORD, char **, char **);
    SetupEntry entry = reinterpret_cast<SetupEntry>(GetProcAddress(library, "NFSClientProperty"));
    ASSERT_TRUE(entry);
    zt::RunModal(
        [entry]() -> INT_PTR {
            char *result = nullptr;
            char *arguments[] = {const_cast<char *>("0")};
            return entry(1, arguments, &result);
        },
        script);
}

// The Defaults button on the sheet frame (the General page holds a hidden
// button of the same id).
inline void PressDefaults(zt::Ui &ui)
{
    HWND button = ui.itemIn(ui.window(), 1118);
    ASSERT_TRUE(button != nullptr);
    ui.send(button, BM_CLICK, 0, 0);
}

// The stored number, or kMissing.
const DWORD kMissing = 0xDEADBEEF;

inline DWORD Dword(HKEY root, const char *path, const char *name)
{
    DWORD value = kMissing;
    zt::GetDword(root, path, name, &value);
    return value;
}

} // namespace nfs

#endif
