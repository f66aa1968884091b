// The Tuning page, worked through the real NFS client sheet.
#include "nfs_sheet.h"
#include "resource.h"

namespace {

using namespace nfs;

class TuningPageTest : public NfsSheetTest {};

TEST_F(TuningPageTest, EmptyRegistryShowsDefaultsAndKeepsHiddenControlsHidden)
{
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kTuning);
        EXPECT_EQ("5", ui.text(IDC_TUNING_RETRIES));
        EXPECT_TRUE(ui.checked(IDC_TUNING_READAHEAD));
        EXPECT_EQ("300", ui.text(IDC_TUNING_IDLE_TIMEOUT));
        EXPECT_EQ("Automatic", ui.text(IDC_TUNING_TIMEOUT));
        EXPECT_EQ("4", ui.text(IDC_TUNING_BACKOFF));
        for (int id : {IDC_TUNING_TIMEOUT_LABEL, IDC_TUNING_TIMEOUT, IDC_TUNING_BACKOFF_LABEL,
                       IDC_TUNING_BACKOFF})
            EXPECT_FALSE(ui.visible(id)) << id;
        EXPECT_EQ(std::vector<std::string>({"1", "5", "10", "forever"}),
                  std::vector<std::string>({ui.comboEntry(IDC_TUNING_RETRIES, 0),
                                            ui.comboEntry(IDC_TUNING_RETRIES, 1),
                                            ui.comboEntry(IDC_TUNING_RETRIES, 2),
                                            ui.comboEntry(IDC_TUNING_RETRIES, 3)}));
        ui.cancel();
    });
}

// One value changed as a user would, then Apply: what is stored.
struct EditCase {
    const char *what;
    HKEY root;
    const std::string *path;
    const char *name;
    DWORD before;
    const char *shownBefore; // what the control shows on opening
    int control;
    const char *typed;       // null: selects the entry "forever"; "": leaves the control
    DWORD after;
};

const EditCase kEditCases[] = {
    {"retries typed 7", HKEY_CURRENT_USER, &kUserDefaults, "Retries", 3, "3", IDC_TUNING_RETRIES, "7", 7},
    {"retries above 10 not saved", HKEY_CURRENT_USER, &kUserDefaults, "Retries", 3, "3", IDC_TUNING_RETRIES, "11", 3},
    {"retries not a number", HKEY_CURRENT_USER, &kUserDefaults, "Retries", 3, "3", IDC_TUNING_RETRIES, "x", 3},
    {"stored 0 shows forever", HKEY_CURRENT_USER, &kUserDefaults, "Retries", 0, "forever", IDC_TUNING_RETRIES, "", 0},
    {"forever saves 0", HKEY_CURRENT_USER, &kUserDefaults, "Retries", 3, "3", IDC_TUNING_RETRIES, nullptr, 0},
    {"idle raised to 120", HKEY_LOCAL_MACHINE, &kAutomounter, "IdleTime", 600, "600", IDC_TUNING_IDLE_TIMEOUT, "60", 120},
    {"idle lowered to 1800", HKEY_LOCAL_MACHINE, &kAutomounter, "IdleTime", 600, "600", IDC_TUNING_IDLE_TIMEOUT, "5000", 1800},
    {"idle empty not saved", HKEY_LOCAL_MACHINE, &kAutomounter, "IdleTime", 600, "600", IDC_TUNING_IDLE_TIMEOUT, "", 600},
    {"idle letters not saved", HKEY_LOCAL_MACHINE, &kAutomounter, "IdleTime", 600, "600", IDC_TUNING_IDLE_TIMEOUT, "ten", 600},
    {"stored idle 50 shown, saved as 120", HKEY_LOCAL_MACHINE, &kAutomounter, "IdleTime", 50, "50", IDC_TUNING_IDLE_TIMEOUT, nullptr, 120},
    {"hidden backoff 80 saved as 50", HKEY_CURRENT_USER, &kMachineDefaults, "BackoffMultiplier", 80, "80", IDC_TUNING_BACKOFF, nullptr, 50},
    {"hidden time-out off the list kept", HKEY_CURRENT_USER, &kMachineDefaults, "Timeout", 45, "45", IDC_TUNING_TIMEOUT, nullptr, 45},
    {"readahead off kept", HKEY_LOCAL_MACHINE, &kService, "AsynchReadahead", 0, nullptr, IDC_TUNING_READAHEAD, nullptr, 0},
};

TEST_F(TuningPageTest, ApplySavesEditedValuesWithinTheirRanges)
{
    for (const EditCase &c : kEditCases) {
        SCOPED_TRACE(c.what);
        zt::SetDword(c.root, *c.path, c.name, c.before);
        RunSheet([&c](zt::Ui &ui) {
            ui.selectPage(kTuning);
            if (c.shownBefore)
                EXPECT_EQ(c.shownBefore, ui.text(c.control));
            if (c.control == IDC_TUNING_RETRIES && !c.typed)
                ui.selectComboText(c.control, "forever");
            else if (c.typed && *c.typed)
                ui.type(c.control, c.typed);
            else if (c.control == IDC_TUNING_READAHEAD)
                EXPECT_FALSE(ui.checked(c.control));
            ui.apply();
            ui.cancel();
        });
        EXPECT_EQ(c.after, Stored(c.root, *c.path, c.name));
    }
}

TEST_F(TuningPageTest, DefaultsShownOnAnOpenPageAreNotWrittenByCancel)
{
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "Retries", 3);
    zt::SetDword(HKEY_LOCAL_MACHINE, kService, "AsynchReadahead", 0);
    zt::SetDword(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime", 600);
    zt::SetDword(HKEY_CURRENT_USER, kMachineDefaults, "BackoffMultiplier", 9);
    for (bool openedFirst : {true, false}) {
        SCOPED_TRACE(openedFirst ? "page open when pressed" : "page opened after the press");
        RunSheet([openedFirst](zt::Ui &ui) {
            if (openedFirst)
                ui.selectPage(kTuning);
            PressDefaults(ui);
            ui.selectPage(kTuning);
            EXPECT_EQ("5", ui.text(IDC_TUNING_RETRIES));
            EXPECT_TRUE(ui.checked(IDC_TUNING_READAHEAD));
            EXPECT_EQ("300", ui.text(IDC_TUNING_IDLE_TIMEOUT));
            EXPECT_EQ("4", ui.text(IDC_TUNING_BACKOFF));
            EXPECT_EQ("Automatic", ui.text(IDC_TUNING_TIMEOUT));
            ui.cancel();
        });
        EXPECT_EQ(3u, Stored(HKEY_CURRENT_USER, kUserDefaults, "Retries"));
        EXPECT_EQ(0u, Stored(HKEY_LOCAL_MACHINE, kService, "AsynchReadahead"));
        EXPECT_EQ(600u, Stored(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime"));
        EXPECT_EQ(9u, Stored(HKEY_CURRENT_USER, kMachineDefaults, "BackoffMultiplier"));
    }
}

TEST_F(TuningPageTest, DefaultsOnAPageNeverOpenedAreWrittenByOk)
{
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "Retries", 3);
    zt::SetDword(HKEY_CURRENT_USER, kMachineDefaults, "Timeout", 30);
    zt::SetDword(HKEY_CURRENT_USER, kMachineDefaults, "BackoffMultiplier", 9);
    zt::SetDword(HKEY_LOCAL_MACHINE, kService, "AsynchReadahead", 0);
    zt::SetDword(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime", 600);
    RunSheet([](zt::Ui &ui) {
        PressDefaults(ui);
        EXPECT_EQ(nullptr, ui.pageAt(kTuning));
        ui.ok();
    });
    EXPECT_EQ(1u, Stored(HKEY_LOCAL_MACHINE, kService, "AsynchReadahead"));
    EXPECT_EQ(300u, Stored(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime"));
    // Written as their built-in defaults, then pruned from the mount defaults.
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "Retries"));
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kMachineDefaults, "Timeout"));
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kMachineDefaults, "BackoffMultiplier"));
}

// The load and the save both stop at the first key that cannot be opened.
TEST_F(TuningPageTest, AMachineDefaultsKeyThatCannotBeOpenedStopsEverything)
{
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "Retries", 3);
    zt::SetDword(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime", 600);
    LockedKey lock(HKEY_CURRENT_USER, kMachineDefaults);
    ASSERT_TRUE(lock.locked());
    HKEY probe;
    ASSERT_NE(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kMachineDefaults.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &probe, nullptr));
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kTuning);
        EXPECT_EQ("", ui.text(IDC_TUNING_RETRIES));
        EXPECT_EQ("", ui.text(IDC_TUNING_IDLE_TIMEOUT));
        ui.type(IDC_TUNING_RETRIES, "7");
        ui.type(IDC_TUNING_IDLE_TIMEOUT, "900");
        ui.ok();
    });
    EXPECT_EQ(3u, Stored(HKEY_CURRENT_USER, kUserDefaults, "Retries"));
    EXPECT_EQ(600u, Stored(HKEY_LOCAL_MACHINE, kAutomounter, "IdleTime"));
}

} // namespace
