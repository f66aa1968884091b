// The sheet spine: header and page records, the parent argument, the page
// table, the result string, and a real sheet run through Wine's property
// sheet.
#include <gtest/gtest.h>

#include "harness.h"
#include "resource.h"
#include "zorvprop.h"

namespace {

const UINT kTestPage = 900;

INT_PTR CALLBACK TestPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {nullptr, nullptr, nullptr};
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override { ModuleInstance = GetModuleHandleA(nullptr); }
    zt::RegistrySandbox sandbox;
};

int TabCount(zt::Ui &ui)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(ui.window(), PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
}

TEST(SheetLayout, FirstVersionRecordsAreFortyBytes)
{
    EXPECT_EQ(40u, sizeof(SheetHeaderRecord));
    EXPECT_EQ(40u, sizeof(SheetPageRecord));
    EXPECT_EQ(40u, reinterpret_cast<char *>(&PageTable[1]) - reinterpret_cast<char *>(&PageTable[0]));
}

TEST(SheetLayout, ParentArgumentIsReadAsHexadecimalDigits)
{
    struct Case {
        const char *argument;
        UINT_PTR handle;
    } cases[] = {
        {"1A2B", 0x1A2B}, {"1a2b", 0x1A2B}, {"0x1A2B", 0}, {"", 0}, {"zz", 0},
        {"12g4", 0x12}, {" 12", 0}, {"FFFFFFFF", 0xFFFFFFFF},
        // Longer than any handle: read no further than the argument room.
        {"123456789ABCDEF0123456789ABCDEF0123456789", 0xFFFFFFFF},
        {"0000000000000000000000000000000000000001", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.handle, reinterpret_cast<UINT_PTR>(ParseParentWindow(c.argument))) << c.argument;
}

TEST_F(SheetTest, HeaderIsFilledAndPageTableEmptied)
{
    InitSheetHeader(IDS_CAPTION_NFS_CLIENT, "1A2B");
    EXPECT_EQ(40u, SheetHeader.dwSize);
    EXPECT_EQ(0x10cu, SheetHeader.dwFlags);
    EXPECT_EQ(reinterpret_cast<HWND>(0x1A2B), SheetHeader.hwndParent);
    EXPECT_STREQ("Averon NFS Client Configuration", SheetHeader.pszCaption);
    EXPECT_EQ(0u, SheetHeader.nPages);
    EXPECT_EQ(PageTable, SheetHeader.ppsp);
    ASSERT_TRUE(AddPage(kTestPage, TestPageProc));
    EXPECT_EQ(1u, SheetHeader.nPages);
    EXPECT_EQ(40u, PageTable[0].dwSize);
    EXPECT_EQ(0u, PageTable[0].dwFlags);
    EXPECT_EQ(MAKEINTRESOURCEA(kTestPage), PageTable[0].pszTemplate);
    InitSheetHeader(IDS_CAPTION_FILE_SHARING, "");
    EXPECT_EQ(0u, SheetHeader.nPages);
    EXPECT_STREQ("Averon File Sharing Configuration", SheetHeader.pszCaption);
}

TEST_F(SheetTest, SixteenthPageIsRefused)
{
    InitSheetHeader(IDS_CAPTION_NIS, "0");
    for (int i = 0; i < kMaxSheetPages; ++i)
        ASSERT_TRUE(AddPage(kTestPage, TestPageProc));
    SheetPageRecord after = {};
    memcpy(&after, &PageTable[kMaxSheetPages - 1], sizeof after);
    EXPECT_FALSE(AddPage(kTestPage, TestPageProc));
    EXPECT_EQ(15u, SheetHeader.nPages);
    EXPECT_EQ(0, memcmp(&after, &PageTable[kMaxSheetPages - 1], sizeof after));
}

TEST_F(SheetTest, CancelGivesFalseAndAppliedChangeGivesTrue)
{
    InitSheetHeader(IDS_CAPTION_NFS_CLIENT, "0");
    AddPage(kTestPage, TestPageProc);
    zt::RunModal(RunSheet, [](zt::Ui &ui) {
        EXPECT_TRUE(GetWindowLongA(ui.window(), GWL_STYLE) & WS_SYSMENU);
        ui.cancel();
    });
    EXPECT_STREQ("FALSE", ResultString);

    InitSheetHeader(IDS_CAPTION_NFS_CLIENT, "0");
    AddPage(kTestPage, TestPageProc);
    zt::RunModal(RunSheet, [](zt::Ui &ui) {
        ui.type(1001, "changed");  // a command reaching the fallback marks the sheet changed
        EXPECT_TRUE(ui.applyEnabled());
        ui.ok();
    });
    EXPECT_STREQ("TRUE", ResultString);
}

TEST_F(SheetTest, EachRunShowsOnlyItsOwnPages)
{
    for (int pages : {3, 2}) {
        InitSheetHeader(IDS_CAPTION_NFS_CLIENT, "0");
        for (int i = 0; i < pages; ++i)
            AddPage(kTestPage, TestPageProc);
        zt::RunModal(RunSheet, [pages](zt::Ui &ui) {
            EXPECT_EQ(pages, TabCount(ui));
            ui.cancel();
        });
    }
}

TEST_F(SheetTest, SheetIsOwnedByTheParentArgument)
{
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    char argument[16];
    wsprintfA(argument, "%x", reinterpret_cast<UINT_PTR>(owner));
    InitSheetHeader(IDS_CAPTION_NFS_CLIENT, argument);
    AddPage(kTestPage, TestPageProc);
    zt::RunModal(RunSheet, [owner](zt::Ui &ui) {
        EXPECT_EQ(owner, GetWindow(ui.window(), GW_OWNER));
        ui.cancel();
    });
    DestroyWindow(owner);
}

TEST_F(SheetTest, ExportsSetTheResultStringThroughTheOutPointer)
{
    HMODULE library = zt::LoadProductLibrary("ZORVPROP.dll");
    ASSERT_TRUE(library);
    typedef BOOL(__cdecl * SetupEntry)(DWORD, char **, char **);
    for (const char *name : {"NISInstall", "NISRemove"}) {
        SetupEntry entry = reinterpret_cast<SetupEntry>(GetProcAddress(library, name));
        ASSERT_TRUE(entry) << name;
        char *result = nullptr;
        char *arguments[] = {const_cast<char *>("0")};
        EXPECT_EQ(1, entry(1, arguments, &result));
        ASSERT_TRUE(result);
        EXPECT_STREQ("TRUE", result);
    }
    FreeLibrary(library);
}

} // namespace
