// The disk-cache setup library as the setup script calls it: defaults from
// faked drives, the resource library folder, and both dialogs end to end.
#include <gtest/gtest.h>

#include "harness.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Faked drives --------------------------------------------------------------------
struct FakeDrive {
    UINT type = DRIVE_NO_ROOT_DIR;
    bool spaceOk = false;
    DWORD freeClusters = 0, totalClusters = 0;  // 512-byte clusters
    std::string label;
    bool connected = false;
    std::string remote;
};
FakeDrive g_drives[27];
DWORD g_version = 0xC0000A04;  // Windows 95 family
int g_beeps;

int DriveOf(const char *root)
{
    if (!root || !root[0] || root[1] != ':')
        return 0;
    int n = (root[0] & ~0x20) - 'A' + 1;
    return n >= 1 && n <= 26 ? n : 0;
}

UINT WINAPI FakeGetDriveType(LPCSTR root) { return g_drives[DriveOf(root)].type; }

BOOL WINAPI FakeGetDiskFreeSpace(LPCSTR root, LPDWORD spc, LPDWORD bps, LPDWORD freeC, LPDWORD totalC)
{
    const FakeDrive &d = g_drives[DriveOf(root)];
    if (!d.spaceOk)
        return FALSE;
    *spc = 1;
    *bps = 512;
    *freeC = d.freeClusters;
    *totalC = d.totalClusters;
    return TRUE;
}

BOOL WINAPI FakeGetVolumeInformation(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD, LPDWORD, LPDWORD,
                                     LPSTR, DWORD)
{
    const FakeDrive &d = g_drives[DriveOf(root)];
    if (d.label.empty())
        return FALSE;
    lstrcpynA(label, d.label.c_str(), labelSize);
    return TRUE;
}

DWORD WINAPI FakeWNetGetConnection(LPCSTR local, LPSTR remote, LPDWORD length)
{
    const FakeDrive &d = g_drives[DriveOf(local)];
    if (!d.connected)
        return ERROR_NOT_CONNECTED;
    lstrcpynA(remote, d.remote.c_str(), *length);
    return NO_ERROR;
}

DWORD WINAPI FakeGetVersion() { return g_version; }
BOOL WINAPI CountBeep(UINT) { ++g_beeps; return TRUE; }

DWORD Clusters(double mb) { return static_cast<DWORD>(std::llround(mb * 2048)); }

void Fixed(int n, double totalMB, double freeMB, const char *label = "")
{
    g_drives[n].type = DRIVE_FIXED;
    g_drives[n].spaceOk = true;
    g_drives[n].totalClusters = Clusters(totalMB);
    g_drives[n].freeClusters = Clusters(freeMB);
    g_drives[n].label = label;
}

void Remote(int n, const char *remote)
{
    g_drives[n].type = DRIVE_REMOTE;
    g_drives[n].connected = remote != nullptr;
    g_drives[n].remote = remote ? remote : "";
}

typedef int(WINAPI *GetDefaultsFn)(int, int *, int *, int *, int *, DWORD *, DWORD *, int *);
typedef int(WINAPI *DrivesDialogFn)(HWND, const char *, int *, int *, DWORD *, DWORD *, int *);
typedef int(WINAPI *CacheDialogFn)(HWND, const char *, int *, int *);

struct Defaults {
    int drive = -1, size = -1, allNetwork = -1, allCdrom = -1, option = -1;
    DWORD selected = 0xDEAD, cleared = 0xDEAD;
};

class CacheSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (FakeDrive &d : g_drives)
            d = FakeDrive();
        g_version = 0xC0000A04;
        g_beeps = 0;
        library = zt::LoadProductLibrary("ZORVINST.dll");
        ASSERT_TRUE(library);
        for (auto &p : std::vector<std::pair<const char *, std::pair<const char *, void *>>>{
                 {"kernel32.dll", {"GetDriveTypeA", (void *)FakeGetDriveType}},
                 {"kernel32.dll", {"GetDiskFreeSpaceA", (void *)FakeGetDiskFreeSpace}},
                 {"kernel32.dll", {"GetVolumeInformationA", (void *)FakeGetVolumeInformation}},
                 {"kernel32.dll", {"GetVersion", (void *)FakeGetVersion}},
                 {"mpr.dll", {"WNetGetConnectionA", (void *)FakeWNetGetConnection}},
                 {"user32.dll", {"MessageBeep", (void *)CountBeep}}}) {
            patches.emplace_back(new zt::ImportPatch(library, p.first, p.second.first, p.second.second));
            ASSERT_TRUE(patches.back()->applied()) << p.second.first;
        }
        getDefaults = reinterpret_cast<GetDefaultsFn>(GetProcAddress(library, "TarnGetDefaults32"));
        drivesDialog = reinterpret_cast<DrivesDialogFn>(GetProcAddress(library, "TarnDrawDrivesDialog32"));
        cacheDialog = reinterpret_cast<CacheDialogFn>(GetProcAddress(library, "TarnDrawCacheDialog32"));
        ASSERT_TRUE(getDefaults && drivesDialog && cacheDialog);
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, sizeof path);
        *strrchr(path, '\\') = 0;
        folder = path;
    }
    void TearDown() override
    {
        for (zt::ImportPatch *p : patches)
            delete p;
    }

    Defaults RunDefaults(int *result)
    {
        Defaults d;
        *result = getDefaults(0x1234, &d.drive, &d.size, &d.allNetwork, &d.allCdrom, &d.selected, &d.cleared,
                              &d.option);
        return d;
    }

    HMODULE library = nullptr;
    std::vector<zt::ImportPatch *> patches;
    GetDefaultsFn getDefaults = nullptr;
    DrivesDialogFn drivesDialog = nullptr;
    CacheDialogFn cacheDialog = nullptr;
    std::string folder;
};

// ---- Defaults ----------------------------------------------------------------------------
TEST_F(CacheSetupTest, DefaultsPickTheFixedDriveWithTheLargestRecommendedSize)
{
    struct Case {
        const char *what;
        std::vector<std::pair<int, std::pair<double, double>>> fixed;  // drive, total, free
        int drive, size;
    } cases[] = {
        {"equal sizes go to the lower letter", {{4, {400, 300}}, {5, {400, 300}}}, 4, 20},
        {"larger recommendation wins", {{4, {153.76, 1000}}, {7, {2000, 1000}}}, 7, 30},
        {"900 MB gives exactly 30", {{3, {900, 900}}}, 3, 30},
        {"half the free space limits", {{3, {500, 30}}}, 3, 15},
        {"22.5 rounds up", {{3, {506.25, 500}}}, 3, 23},
        {"22.49 rounds down", {{3, {505.8001, 500}}}, 3, 22},
        {"no fixed drive", {}, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (FakeDrive &d : g_drives)
            d = FakeDrive();
        for (const auto &f : c.fixed)
            Fixed(f.first, f.second.first, f.second.second);
        int result = 0;
        Defaults d = RunDefaults(&result);
        EXPECT_EQ(1, result);
        EXPECT_EQ(c.drive, d.drive);
        EXPECT_EQ(c.size, d.size);
        EXPECT_EQ(1, d.allNetwork);
        EXPECT_EQ(0, d.allCdrom);
        EXPECT_EQ(1u, d.selected);
        EXPECT_EQ(0u, d.cleared);
        EXPECT_EQ(1, d.option);
    }
}

TEST_F(CacheSetupTest, DefaultsSelectTheNetworkDrivesAndSkipFailingQueries)
{
    Remote(6, "\\\\srv\\f");
    Remote(8, nullptr);
    Fixed(3, 2000, 1000);
    g_drives[3].spaceOk = false;  // the best drive, but its query fails
    Fixed(4, 100, 100);
    g_drives[5].type = DRIVE_CDROM;
    int result = 0;
    Defaults d = RunDefaults(&result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(321u, d.selected);
    EXPECT_EQ(4, d.drive);
    EXPECT_EQ(10, d.size);
}

// ---- Resource library ------------------------------------------------------------------------
TEST_F(CacheSetupTest, ResourceFolderIsFoundWithOrWithoutTrailingBackslash)
{
    for (std::string dir : {folder, folder + "\\"}) {
        SCOPED_TRACE(dir);
        zt::MessageBoxCapture boxes({library});
        int drive = 3, size = 77;
        bool shown = false;
        INT_PTR result = zt::RunModal([&] { return cacheDialog(nullptr, dir.c_str(), &drive, &size); },
                                      [&](zt::Ui &ui) {
                                          shown = ui.item(1214) != nullptr;
                                          ui.cancel();
                                      });
        EXPECT_TRUE(shown);
        EXPECT_EQ(2, result);
        EXPECT_EQ(3, drive);
        EXPECT_EQ(77, size);
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

TEST_F(CacheSetupTest, MissingResourceLibraryShowsOneMessageAndKeepsTheValues)
{
    // A successful call first: afterwards the title is the resource library's,
    // and the message still comes from our own module, the freed one being
    // no longer the resource source.
    int drive = 3, size = 5;
    zt::RunModal([&] { return cacheDialog(nullptr, folder.c_str(), &drive, &size); },
                 [&](zt::Ui &ui) { ui.cancel(); });
    std::string missing = folder + "\\no such folder";
    {
        zt::MessageBoxCapture boxes({library});
        int network = 7, cdrom = 8, option = 2;
        DWORD selected = 0x55, cleared = 0x66;
        EXPECT_EQ(-1, drivesDialog(nullptr, missing.c_str(), &network, &cdrom, &selected, &cleared, &option));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ("Could not load revazaz.dll", boxes.boxes[0].text);
        EXPECT_EQ("Disk Cache Setup", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.boxes[0].style);
        EXPECT_EQ(7, network);
        EXPECT_EQ(8, cdrom);
        EXPECT_EQ(0x55u, selected);
        EXPECT_EQ(0x66u, cleared);
        EXPECT_EQ(2, option);
    }
    {
        zt::MessageBoxCapture boxes({library});
        drive = 4;
        size = 9;
        EXPECT_EQ(-1, cacheDialog(nullptr, missing.c_str(), &drive, &size));
        EXPECT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(4, drive);
        EXPECT_EQ(9, size);
    }
    Fixed(3, 400, 300);
    int result = 0;
    EXPECT_EQ(3, RunDefaults(&result).drive);
}

// ---- Drive selection dialog ---------------------------------------------------------------------
struct DrivesArgs {
    int network = 0, cdrom = 0, option = 0;
    DWORD selected = 0, cleared = 0;
};

void SetListSelection(zt::Ui &ui, int index, bool on)
{
    HWND list = ui.item(1218);
    SendMessageA(list, LB_SETSEL, on, index);
    ui.send(ui.window(), WM_COMMAND, MAKEWPARAM(1218, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::vector<bool> ListSelection(zt::Ui &ui)
{
    HWND list = ui.item(1218);
    std::vector<bool> selected;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        selected.push_back(SendMessageA(list, LB_GETSEL, i, 0) > 0);
    return selected;
}

int CheckState(zt::Ui &ui, int id) { return static_cast<int>(SendMessageA(ui.item(id), BM_GETCHECK, 0, 0)); }

class DrivesDialogTest : public CacheSetupTest {
protected:
    void SetUp() override
    {
        CacheSetupTest::SetUp();
        g_drives[1].type = DRIVE_REMOVABLE;  // A: never listed
        Fixed(3, 400, 300);                  // C: never listed
        g_drives[4].type = DRIVE_CDROM;
        g_drives[4].label = "DATA";
        g_drives[5].type = DRIVE_REMOVABLE;
        Remote(6, "\\\\srv\\share");
        g_drives[7].type = DRIVE_RAMDISK;
        Remote(8, nullptr);
    }
    INT_PTR Run(DrivesArgs &a, const std::function<void(zt::Ui &)> &script)
    {
        return zt::RunModal(
            [&] { return drivesDialog(nullptr, folder.c_str(), &a.network, &a.cdrom, &a.selected, &a.cleared, &a.option); },
            script);
    }
};

TEST_F(DrivesDialogTest, ListsTheCacheableDrivesWithTheDefaultsSelected)
{
    DrivesArgs a;
    a.selected = 321 | (1u << 3);  // C: is not listed: its bit is dropped
    a.cleared = 0xFFFF;
    a.option = 1;
    INT_PTR result = Run(a, [&](zt::Ui &ui) {
        EXPECT_EQ((std::vector<std::string>{"D:\t[DATA]", "E:\tREMOVABLE", "F:\t\\\\srv\\share", "H:\t",
                                            "Network Neighborhood"}),
                  ui.listEntries(1218));
        EXPECT_EQ((std::vector<bool>{false, false, true, true, true}), ListSelection(ui));
        EXPECT_EQ(BST_CHECKED, CheckState(ui, 1220));
        EXPECT_EQ(BST_UNCHECKED, CheckState(ui, 1219));
        EXPECT_TRUE(ui.enabled(1219));
        EXPECT_TRUE(ui.checked(1222));
        LRESULT height = SendMessageA(ui.item(1218), LB_GETITEMHEIGHT, 0, 0);
        EXPECT_GE(height, 17);
        EXPECT_EQ(6, SendMessageA(ui.item(1218), LB_GETITEMDATA, 2, 0));
        EXPECT_EQ(0x10000, SendMessageA(ui.item(1218), LB_GETITEMDATA, 4, 0));
        EXPECT_EQ(0x20004, SendMessageA(ui.item(1218), LB_GETITEMDATA, 0, 0));
        ui.screenshot("cachesetup_drives");
        ui.ok();
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(321u, a.selected);
    EXPECT_EQ((1u << 4) | (1u << 5), a.cleared);
    EXPECT_EQ(1, a.network);
    EXPECT_EQ(0, a.cdrom);
    EXPECT_EQ(1, a.option);
}

TEST_F(DrivesDialogTest, GroupBoxesFollowAndSetTheSelection)
{
    DrivesArgs a;
    a.selected = 321;
    INT_PTR result = Run(a, [&](zt::Ui &ui) {
        SetListSelection(ui, 3, false);  // H:
        EXPECT_EQ(BST_INDETERMINATE, CheckState(ui, 1220));
        ui.click(1220);  // indeterminate: all network drives
        EXPECT_EQ(BST_CHECKED, CheckState(ui, 1220));
        EXPECT_EQ((std::vector<bool>{false, false, true, true, true}), ListSelection(ui));
        ui.click(1220);
        EXPECT_EQ(BST_UNCHECKED, CheckState(ui, 1220));
        EXPECT_EQ((std::vector<bool>{false, false, false, false, true}), ListSelection(ui));
        ui.click(1219);
        EXPECT_EQ(BST_CHECKED, CheckState(ui, 1219));
        EXPECT_EQ((std::vector<bool>{true, false, false, false, true}), ListSelection(ui));
        ui.click(1222);
        ui.pressDialogButton(4);
    });
    EXPECT_EQ(12, result);
    EXPECT_EQ(1u | (1u << 4), a.selected);
    EXPECT_EQ((1u << 5) | (1u << 6) | (1u << 8), a.cleared);
    EXPECT_EQ(0, a.network);
    EXPECT_EQ(1, a.cdrom);
    EXPECT_EQ(1, a.option);
}

TEST_F(DrivesDialogTest, OnWindowsNtNoCdromIsListedAndItsStateIsKept)
{
    g_version = 0x05650004;
    for (int n : {6, 8})
        g_drives[n] = FakeDrive();
    DrivesArgs a;
    a.network = 1;
    a.cdrom = 1;
    a.selected = 0xFFFFFFFF;
    INT_PTR result = Run(a, [&](zt::Ui &ui) {
        EXPECT_EQ((std::vector<std::string>{"E:\tREMOVABLE", "Network Neighborhood"}), ui.listEntries(1218));
        EXPECT_FALSE(ui.enabled(1219));
        EXPECT_FALSE(ui.enabled(1220));
        ui.ok();
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, a.network);
    EXPECT_EQ(1, a.cdrom);
    EXPECT_EQ(1u | (1u << 5), a.selected);
    EXPECT_EQ(0u, a.cleared);
}

TEST_F(DrivesDialogTest, CancelLeavesEveryValueAsPassed)
{
    DrivesArgs a;
    a.network = 5;
    a.cdrom = 6;
    a.option = 7;
    a.selected = 0x12345;
    a.cleared = 0x54321;
    INT_PTR result = Run(a, [&](zt::Ui &ui) {
        ui.click(1220);
        ui.cancel();
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ(5, a.network);
    EXPECT_EQ(6, a.cdrom);
    EXPECT_EQ(7, a.option);
    EXPECT_EQ(0x12345u, a.selected);
    EXPECT_EQ(0x54321u, a.cleared);
}

// ---- Cache size dialog ----------------------------------------------------------------------------
class CacheDialogTest : public CacheSetupTest {
protected:
    void SetUp() override
    {
        CacheSetupTest::SetUp();
        Fixed(3, 400, 300, "SYS");
        Fixed(4, 2000, 120.4);
        Fixed(5, 1000, 500);
        g_drives[5].spaceOk = false;
        g_drives[6].type = DRIVE_CDROM;
        Remote(7, "\\\\srv\\g");
    }
    INT_PTR Run(int &drive, int &size, const std::function<void(zt::Ui &)> &script)
    {
        return zt::RunModal([&] { return cacheDialog(nullptr, folder.c_str(), &drive, &size); }, script);
    }
};

TEST_F(CacheDialogTest, ShowsTheDriveFiguresAndKeepsTheSizeWithinTheFreeSpace)
{
    zt::MessageBoxCapture boxes({library});
    int drive = 3, size = 99;
    INT_PTR result = Run(drive, size, [&](zt::Ui &ui) {
        EXPECT_EQ(2, ui.comboCount(1206));
        EXPECT_EQ("C: [SYS]", ui.comboEntry(1206, 0));
        EXPECT_EQ("D:", ui.comboEntry(1206, 1));
        EXPECT_EQ(0, ui.comboSelection(1206));
        EXPECT_EQ("300", ui.text(1208));
        EXPECT_EQ("20", ui.text(1211));
        EXPECT_EQ("20", ui.text(1214));
        ui.type(1214, "7");
        ui.selectCombo(1206, 1);
        EXPECT_EQ("120", ui.text(1208));
        EXPECT_EQ("30", ui.text(1211));
        EXPECT_EQ("30", ui.text(1214));
        ui.screenshot("cachesetup_cache");
        for (const char *refused : {"121", "0", "-3"}) {
            ui.type(1214, refused);
            ui.click(1);
            ui.pump();
        }
        ui.type(1214, "200");
        ui.click(4);
        ASSERT_EQ(4u, boxes.boxes.size());
        for (const auto &box : boxes.boxes) {
            EXPECT_EQ("The cache size must be at least 1 MB and no larger than the free space of the drive.",
                      box.text);
            EXPECT_EQ("Disk Cache Setup", box.caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.style);
        }
        EXPECT_EQ(ui.item(1214), GetFocus());
        ui.type(1214, " 120 ");
        ui.ok();
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(4, drive);
    EXPECT_EQ(120, size);
}

TEST_F(CacheDialogTest, TextThatIsNoIntegerIsRefusedWithThePrompt)
{
    zt::MessageBoxCapture boxes({library});
    int drive = 3, size = 0;
    INT_PTR result = Run(drive, size, [&](zt::Ui &ui) {
        ui.type(1214, "12x");
        ui.click(1);
        // The first reading fails; the range check then sees the last good
        // size, and the final reading fails once more.
        ASSERT_EQ(2u, boxes.boxes.size());
        EXPECT_EQ("Please enter an integer.", boxes.boxes[0].text);
        EXPECT_EQ(ui.item(1214), GetFocus());
        ui.type(1214, "abc");
        ui.selectCombo(1206, 1);  // drive stays C:, its figures refreshed
        EXPECT_EQ(3u, boxes.boxes.size());
        EXPECT_EQ("300", ui.text(1208));
        EXPECT_EQ("20", ui.text(1214));
        // The list itself still shows D:, which the back button reads.
        ui.pressDialogButton(4);
    });
    EXPECT_EQ(12, result);
    EXPECT_EQ(4, drive);
    EXPECT_EQ(20, size);
}

TEST_F(CacheDialogTest, SizeFieldTakesDigitsAndStepsWithItsArrows)
{
    int drive = 3, size = 0;
    INT_PTR result = Run(drive, size, [&](zt::Ui &ui) {
        HWND edit = ui.item(1214);
        ui.type(1214, "");
        ui.chars(edit, "1a-2");
        EXPECT_EQ("12", ui.text(1214));
        EXPECT_EQ(2, g_beeps);
        struct Step {
            const char *before;
            int code;
            const char *after;
            int beeps;
        } steps[] = {
            {"5", SB_LINEUP, "6", 0},       {"5", SB_LINEDOWN, "4", 0}, {"32767", SB_LINEUP, "32767", 1},
            {"0", SB_LINEDOWN, "0", 1},     {"", SB_LINEUP, "", 1},     {"5", SB_PAGEUP, "5", 0},
        };
        for (const Step &s : steps) {
            SCOPED_TRACE(std::string(s.before) + " " + std::to_string(s.code));
            ui.type(1214, s.before);
            g_beeps = 0;
            ui.send(edit, WM_VSCROLL, MAKEWPARAM(s.code, 0), 0);
            EXPECT_EQ(s.after, ui.text(1214));
            EXPECT_EQ(s.beeps, g_beeps);
        }
        ui.cancel();
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ(3, drive);
    EXPECT_EQ(0, size);
}

TEST_F(CacheDialogTest, DriveNotListedShowsQuestionMarks)
{
    int drive = 5, size = 8;
    INT_PTR result = Run(drive, size, [&](zt::Ui &ui) {
        EXPECT_EQ(-1, ui.comboSelection(1206));
        EXPECT_EQ("?", ui.text(1208));
        EXPECT_EQ("?", ui.text(1211));
        ui.cancel();
    });
    EXPECT_EQ(2, result);
}

TEST_F(CacheDialogTest, SeparatorLineIsDrawnInShadowAndHighlight)
{
    int drive = 3, size = 0;
    Run(drive, size, [&](zt::Ui &ui) {
        HWND dialog = ui.window();
        RECT rect;
        GetWindowRect(ui.item(1601), &rect);
        POINT tl = {rect.left, rect.top}, br = {rect.right, rect.bottom};
        ScreenToClient(dialog, &tl);
        ScreenToClient(dialog, &br);
        ASSERT_LE(br.y - tl.y, 2);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui.pump();
        HDC dc = GetDC(dialog);
        COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        EXPECT_EQ(shadow, GetPixel(dc, tl.x, tl.y));
        EXPECT_EQ(shadow, GetPixel(dc, (tl.x + br.x) / 2, tl.y));
        EXPECT_EQ(shadow, GetPixel(dc, br.x - 1, tl.y));
        EXPECT_EQ(highlight, GetPixel(dc, br.x, tl.y));
        EXPECT_EQ(highlight, GetPixel(dc, tl.x, tl.y + 1));
        EXPECT_EQ(highlight, GetPixel(dc, br.x, tl.y + 1));
        ReleaseDC(dialog, dc);
        ui.cancel();
    });
}

} // namespace
