// The General page of the NFS client sheet and the sheet-wide actions it
// carries (Defaults button, apply with pruning), through the real export.
#include <gtest/gtest.h>

#include "harness.h"
#include "nfs_sheet.h"
#include "resource.h"

namespace {

const std::string &kUser = nfs::kUserDefaults;
const std::string &kMachine = nfs::kMachineDefaults;

struct HelpCall {
    HWND owner;
    std::string file;
    UINT command;
    ULONG_PTR data;
};
std::vector<HelpCall> g_help;

BOOL WINAPI FakeWinHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR data)
{
    g_help.push_back({owner, file ? file : "", command, data});
    return TRUE;
}

class GeneralPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = zt::LoadProductLibrary("ZORVPROP.dll");
        ASSERT_TRUE(library);
        g_help.clear();
    }
    void TearDown() override { FreeLibrary(library); }

    std::string Run(const std::function<void(zt::Ui &)> &script)
    {
        zt::MessageBoxCapture boxes({library});
        zt::ImportPatch help(library, "user32.dll", "WinHelpA", reinterpret_cast<void *>(FakeWinHelp));
        std::string result = nfs::RunClientSheet(script);
        shownBoxes = boxes.boxes;
        return result;
    }

    zt::RegistrySandbox sandbox;
    HMODULE library = nullptr;
    std::vector<zt::MessageBoxRecord> shownBoxes;
};

TEST_F(GeneralPageTest, EmptyRegistryShowsBuiltInDefaultsAndOkPrunesThemAway)
{
    std::string result = Run([](zt::Ui &ui) {
        EXPECT_FALSE(ui.checked(IDC_GENERAL_READ_ONLY));
        EXPECT_FALSE(ui.checked(IDC_GENERAL_LOCKING));
        EXPECT_EQ("~", ui.text(IDC_GENERAL_MAPPING));
        EXPECT_EQ("32768", ui.text(IDC_GENERAL_READ_SIZE));
        EXPECT_EQ("32768", ui.text(IDC_GENERAL_WRITE_SIZE));
        EXPECT_EQ(11, ui.comboCount(IDC_GENERAL_MAPPING));
        EXPECT_EQ(7, ui.comboCount(IDC_GENERAL_READ_SIZE));
        ui.ok();
    });
    EXPECT_EQ("TRUE", result);
    // Every value equalled its built-in default: values and keys are gone.
    EXPECT_FALSE(zt::KeyExists(HKEY_CURRENT_USER, kUser));
    EXPECT_FALSE(zt::KeyExists(HKEY_CURRENT_USER, kMachine));
    EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(GeneralPageTest, ChangedValuesAreKeptAfterOk)
{
    Run([](zt::Ui &ui) {
        ui.check(IDC_GENERAL_READ_ONLY, true);
        ui.selectComboText(IDC_GENERAL_MAPPING, "!");
        ui.type(IDC_GENERAL_READ_SIZE, "3000");
        ui.ok();
    });
    DWORD value = 0;
    EXPECT_TRUE(zt::GetDword(HKEY_CURRENT_USER, kUser, "ReadOnly", &value));
    EXPECT_EQ(1u, value);
    EXPECT_FALSE(zt::ValueExists(HKEY_CURRENT_USER, kUser, "LockingSharing"));
    std::string text;
    EXPECT_TRUE(zt::GetString(HKEY_CURRENT_USER, kUser, "ShortNameMappingCharacter", &text));
    EXPECT_EQ("!", text);
    EXPECT_TRUE(zt::GetDword(HKEY_CURRENT_USER, kMachine, "RSize", &value));
    EXPECT_EQ(3000u, value);
    EXPECT_FALSE(zt::ValueExists(HKEY_CURRENT_USER, kMachine, "WSize"));

    // The typed size loads back as text with no entry selected.
    Run([](zt::Ui &ui) {
        EXPECT_EQ("3000", ui.text(IDC_GENERAL_READ_SIZE));
        EXPECT_EQ(-1, ui.comboSelection(IDC_GENERAL_READ_SIZE));
        EXPECT_TRUE(ui.checked(IDC_GENERAL_READ_ONLY));
        ui.cancel();
    });
}

TEST_F(GeneralPageTest, SizesOutsideTheListRangeAreNotWritten)
{
    for (const char *typed : {"100", "40000", "12ab"}) {
        zt::SetDword(HKEY_CURRENT_USER, kMachine, "RSize", 4096);
        Run([typed](zt::Ui &ui) {
            ui.type(IDC_GENERAL_READ_SIZE, typed);
            ui.ok();
        });
        DWORD value = 0;
        EXPECT_TRUE(zt::GetDword(HKEY_CURRENT_USER, kMachine, "RSize", &value)) << typed;
        EXPECT_EQ(4096u, value) << typed;
    }
}

TEST_F(GeneralPageTest, UnlistedMappingCharacterLoadsAsTheDefault)
{
    zt::SetString(HKEY_CURRENT_USER, kUser, "ShortNameMappingCharacter", ":");
    Run([](zt::Ui &ui) {
        EXPECT_EQ("~", ui.text(IDC_GENERAL_MAPPING));
        ui.ok();
    });
    EXPECT_FALSE(zt::ValueExists(HKEY_CURRENT_USER, kUser, "ShortNameMappingCharacter"));
}

TEST_F(GeneralPageTest, DefaultsRestoreControlsWithoutWriting)
{
    zt::SetDword(HKEY_CURRENT_USER, kUser, "ReadOnly", 1);
    zt::SetDword(HKEY_CURRENT_USER, kMachine, "WSize", 1024);
    std::string result = Run([](zt::Ui &ui) {
        EXPECT_TRUE(ui.checked(IDC_GENERAL_READ_ONLY));
        EXPECT_EQ("1024", ui.text(IDC_GENERAL_WRITE_SIZE));
        ui.check(IDC_GENERAL_LOCKING, true);
        HWND defaults = GetDlgItem(ui.window(), IDC_DEFAULTS);
        ASSERT_TRUE(defaults);
        ui.send(defaults, BM_CLICK, 0, 0);
        EXPECT_FALSE(ui.checked(IDC_GENERAL_READ_ONLY));
        EXPECT_FALSE(ui.checked(IDC_GENERAL_LOCKING));
        EXPECT_EQ("32768", ui.text(IDC_GENERAL_WRITE_SIZE));
        ui.cancel();
    });
    EXPECT_EQ("FALSE", result);
    DWORD value = 0;
    EXPECT_TRUE(zt::GetDword(HKEY_CURRENT_USER, kUser, "ReadOnly", &value));
    EXPECT_EQ(1u, value);
    EXPECT_TRUE(zt::GetDword(HKEY_CURRENT_USER, kMachine, "WSize", &value));
    EXPECT_EQ(1024u, value);
}

TEST_F(GeneralPageTest, DefaultsButtonSitsLevelWithOkAtTheLeftEdge)
{
    Run([](zt::Ui &ui) {
        HWND defaults = GetDlgItem(ui.window(), IDC_DEFAULTS);
        HWND ok = GetDlgItem(ui.window(), IDOK);
        ASSERT_TRUE(defaults && ok);
        RECT d, o;
        GetWindowRect(defaults, &d);
        GetWindowRect(ok, &o);
        MapWindowPoints(nullptr, ui.window(), reinterpret_cast<POINT *>(&d), 2);
        MapWindowPoints(nullptr, ui.window(), reinterpret_cast<POINT *>(&o), 2);
        EXPECT_EQ(5, d.left);
        EXPECT_EQ(127, d.right - d.left);
        EXPECT_EQ(o.top, d.top);
        EXPECT_EQ(o.bottom - o.top, d.bottom - d.top);
        EXPECT_EQ("Def&aults", ui.textOf(defaults));
        ui.cancel();
    });
}

TEST_F(GeneralPageTest, HelpOnTheDefaultsButtonShowsItsTopic)
{
    Run([](zt::Ui &ui) {
        HWND defaults = GetDlgItem(ui.window(), IDC_DEFAULTS);
        // F1 on the button.
        HELPINFO info = {};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = IDC_DEFAULTS;
        info.hItemHandle = defaults;
        SendMessageA(ui.window(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        ui.cancel();
    });
    ASSERT_FALSE(g_help.empty());
    EXPECT_EQ("config32.hlp", g_help[0].file);
    EXPECT_EQ(static_cast<UINT>(HELP_CONTEXTPOPUP), g_help[0].command);
    EXPECT_EQ(77u, g_help[0].data);
}

} // namespace
