// Running the NFS client sheet of the shipped library from a test, with the
// registry paths its pages use.
#ifndef TESTS_NETPROPS_NFS_SHEET_H
#define TESTS_NETPROPS_NFS_SHEET_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "harness.h"

namespace nfs {

const std::string kUserDefaults = "Software\\ZORV\\CC\\1.0\\vadediz\\UserMountDefaults";
const std::string kMachineDefaults = "Software\\ZORV\\CC\\1.0\\vadediz\\MachineMountDefaults";
const std::string kService = "System\\CurrentControlSet\\Services\\Vadediz\\Parameters";
const std::string kAutomounter = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\Automounter";
const std::string kServers = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\Authentication\\Servers";

// Pages in the order the sheet adds them.
enum Page { kGeneral, kSecurity, kCaching, kTuning, kFilesFolders, kAdvanced };
const int kDefaultsButton = 1118;

// A stored number, or kMissing.
const DWORD kMissing = 0xDEADBEEF;

inline DWORD Stored(HKEY root, const std::string &path, const char *name)
{
    DWORD value;
    return zt::GetDword(root, path, name, &value) ? value : kMissing;
}

// Shows the sheet through NFSClientProperty, as a setup script calls it, runs
// script in it and answers the result text the export gave back.
inline std::string RunClientSheet(const std::function<void(zt::Ui &)> &script)
{
    typedef BOOL(__cdecl * SetupEntry)(DWORD, char **, char **);
    static HMODULE library = zt::LoadProductLibrary("ZORVPROP.dll");
    SetupEntry entry =
        library ? reinterpret_cast<SetupEntry>(GetProcAddress(library, "NFSClientProperty")) : nullptr;
    EXPECT_TRUE(entry != nullptr);
    if (!entry)
        return "(no library)";
    char *result = nullptr;
    zt::RunModal(
        [entry, &result]() -> INT_PTR {
            char *arguments[] = {const_cast<char *>("0")};
            return entry(1, arguments, &result);
        },
        script);
    return result ? result : "(none)";
}

// A click on the sheet-wide Defaults button on the frame (the General page
// holds a hidden button of the same id).
inline void PressDefaults(zt::Ui &ui)
{
    HWND button = ui.itemIn(ui.window(), kDefaultsButton);
    ASSERT_TRUE(button != nullptr);
    ui.send(button, BM_CLICK, 0, 0);
    ui.pump();
}

// The cases of Defaults pressed while a page was never opened: not
// pressed, then OK; pressed, then OK (the sheet's apply writes the page's
// defaults); pressed, then the page opened (it shows the defaults at once,
// checked by shown) and Cancel.
struct DefaultsBeforeOpening {
    bool pressDefaults;
    bool openAfterwards;
};
const DefaultsBeforeOpening kDefaultsBeforeOpening[] = {{false, false}, {true, false}, {true, true}};

inline void RunDefaultsBeforeOpening(const DefaultsBeforeOpening &c, int page,
                                     const std::function<void(zt::Ui &)> &shown)
{
    RunClientSheet([&](zt::Ui &ui) {
        if (c.pressDefaults)
            PressDefaults(ui);
        if (!c.openAfterwards) {
            ui.ok();
            return;
        }
        ui.selectPage(page);
        shown(ui);
        ui.cancel();
    });
}

// While it lives, the key can be read but not opened for writing, so the
// pages' key opening fails on it.
class LockedKey {
public:
    LockedKey(HKEY root, const std::string &path) : m_root(root), m_path(path)
    {
        zt::CreateKey(root, path);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
        alignas(DWORD) char aclBuffer[256];
        PACL acl = reinterpret_cast<PACL>(aclBuffer);
        InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone);
        m_locked = SetDacl(acl);
        FreeSid(everyone);
    }
    ~LockedKey() { SetDacl(nullptr); }
    bool locked() const { return m_locked; }

private:
    bool SetDacl(PACL acl)
    {
        HKEY key;
        if (RegOpenKeyExA(m_root, m_path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
            return false;
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
        bool done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
        RegCloseKey(key);
        return done;
    }
    HKEY m_root;
    std::string m_path;
    bool m_locked = false;
};

class NfsSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = zt::LoadProductLibrary("ZORVPROP.dll");
        ASSERT_TRUE(m_library);
        boxes.reset(new zt::MessageBoxCapture({m_library}));
    }
    void TearDown() override
    {
        if (boxes)
            EXPECT_TRUE(boxes->boxes.empty()) << boxes->boxes.front().text;
        boxes.reset();
        if (m_library)
            FreeLibrary(m_library);
    }

    static std::string RunSheet(const std::function<void(zt::Ui &)> &script) { return RunClientSheet(script); }

    zt::RegistrySandbox sandbox;
    std::unique_ptr<zt::MessageBoxCapture> boxes;

private:
    HMODULE m_library = nullptr;
};

} // namespace nfs

#endif
