// The Files and Folders page, worked through the real NFS client sheet.
#include <algorithm>

#include "nfs_sheet.h"
#include "resource.h"

namespace {

using namespace nfs;

class FilesFoldersPageTest : public NfsSheetTest {};

const char *const kNames[] = {"ArchiveBit", "CaseSensitive", "PreferredCaseIsUpper", "CaseForce",
                              "UseBsdGroupSemantics"};

// The page's controls as its defaults set them.
void ExpectDefaultsShown(zt::Ui &ui)
{
    EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_ARCHIVE));
    EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_LOWERCASE));
    EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_UPPERCASE));
    EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_SYSTEM_V));
    EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_BSD));
    EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_PREFERRED_CASE));
    EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
    EXPECT_FALSE(ui.enabled(IDC_FILES_FOLDERS_CASE_SENSITIVE));
}

TEST_F(FilesFoldersPageTest, EmptyRegistryShowsDefaultsAndMarksTheSheetChanged)
{
    RunSheet([](zt::Ui &ui) {
        EXPECT_FALSE(ui.applyEnabled());
        ui.selectPage(kFilesFolders);
        ExpectDefaultsShown(ui);
        EXPECT_TRUE(ui.applyEnabled());
        ui.cancel();
    });
}

TEST_F(FilesFoldersPageTest, CaseSensitiveLookupFollowsForcedCase)
{
    // Stored without forced case, case-sensitive lookup opens cleared.
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "CaseSensitive", 1);
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "CaseForce", 0);
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kFilesFolders);
        EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        EXPECT_FALSE(ui.enabled(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        ui.check(IDC_FILES_FOLDERS_PREFERRED_CASE, true);
        EXPECT_TRUE(ui.enabled(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        ui.check(IDC_FILES_FOLDERS_CASE_SENSITIVE, true);
        ui.check(IDC_FILES_FOLDERS_PREFERRED_CASE, false);
        EXPECT_FALSE(ui.enabled(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        EXPECT_FALSE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        ui.ok();
    });
    // Saved as 0 and 0, equal to their defaults and so pruned.
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "CaseSensitive"));
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "CaseForce"));

    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "CaseSensitive", 1);
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "CaseForce", 1);
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kFilesFolders);
        EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        EXPECT_TRUE(ui.enabled(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        ui.ok();
    });
    EXPECT_EQ(1u, Stored(HKEY_CURRENT_USER, kUserDefaults, "CaseSensitive"));
    EXPECT_EQ(1u, Stored(HKEY_CURRENT_USER, kUserDefaults, "CaseForce"));
}

// The page prunes after its own save, so values that the Tuning page saved
// before it in the same apply are pruned too; the General page's pruning
// runs before either page saves, and the Advanced page saves after.
TEST_F(FilesFoldersPageTest, PruningAfterItsSaveCoversTheTuningPage)
{
    for (bool openFilesFolders : {false, true}) {
        SCOPED_TRACE(openFilesFolders ? "files and folders opened" : "files and folders not opened");
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "Retries", 3);
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "PreferredCaseIsUpper", 1);
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion", 3);
        RunSheet([openFilesFolders](zt::Ui &ui) {
            ui.selectPage(kTuning);
            ui.selectComboText(IDC_TUNING_RETRIES, "5");
            ui.selectPage(kAdvanced);
            ui.click(IDC_ADVANCED_VERSION_AUTO);
            if (openFilesFolders) {
                ui.selectPage(kFilesFolders);
                ui.click(IDC_FILES_FOLDERS_LOWERCASE);
                ui.click(IDC_FILES_FOLDERS_BSD);
            }
            ui.ok();
        });
        EXPECT_EQ(openFilesFolders ? kMissing : 5u, Stored(HKEY_CURRENT_USER, kUserDefaults, "Retries"));
        EXPECT_EQ(0u, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion"));
        if (openFilesFolders) {
            EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "PreferredCaseIsUpper"));
            EXPECT_EQ(1u, Stored(HKEY_CURRENT_USER, kUserDefaults, "UseBsdGroupSemantics"));
            // What every page saved that equals its built-in default is gone.
            // The Advanced page's two values come after the pruning.
            std::vector<std::string> left = zt::ValueNames(HKEY_CURRENT_USER, kUserDefaults);
            std::sort(left.begin(), left.end());
            EXPECT_EQ(std::vector<std::string>({"NfsPort", "NfsVersion", "UseBsdGroupSemantics"}), left);
        } else {
            EXPECT_EQ(1u, Stored(HKEY_CURRENT_USER, kUserDefaults, "PreferredCaseIsUpper"));
        }
    }
}

TEST_F(FilesFoldersPageTest, DefaultsOnAPageNeverOpenedAreWrittenByOk)
{
    const DWORD stored[] = {0, 1, 1, 1, 1};
    for (int i = 0; i < 5; ++i)
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, kNames[i], stored[i]);
    RunSheet([](zt::Ui &ui) {
        PressDefaults(ui);
        EXPECT_EQ(nullptr, ui.pageAt(kFilesFolders));
        ui.ok();
    });
    // Written as their defaults, then pruned by the General page's apply.
    for (const char *name : kNames)
        EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, name)) << name;
}

TEST_F(FilesFoldersPageTest, DefaultsOnAnOpenPageResetTheControlsOnly)
{
    const DWORD stored[] = {0, 1, 1, 1, 1};
    for (int i = 0; i < 5; ++i)
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, kNames[i], stored[i]);
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kFilesFolders);
        EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_CASE_SENSITIVE));
        EXPECT_TRUE(ui.checked(IDC_FILES_FOLDERS_BSD));
        PressDefaults(ui);
        ExpectDefaultsShown(ui);
        ui.cancel();
    });
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(stored[i], Stored(HKEY_CURRENT_USER, kUserDefaults, kNames[i])) << kNames[i];
}

TEST_F(FilesFoldersPageTest, AKeyThatCannotBeOpenedLeavesControlsAndValuesAlone)
{
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "ArchiveBit", 0);
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "UseBsdGroupSemantics", 1);
    {
        LockedKey lock(HKEY_CURRENT_USER, kUserDefaults);
        ASSERT_TRUE(lock.locked());
        RunSheet([](zt::Ui &ui) {
            ui.selectPage(kFilesFolders);
            for (int id : {IDC_FILES_FOLDERS_ARCHIVE, IDC_FILES_FOLDERS_LOWERCASE, IDC_FILES_FOLDERS_UPPERCASE,
                           IDC_FILES_FOLDERS_PREFERRED_CASE, IDC_FILES_FOLDERS_CASE_SENSITIVE,
                           IDC_FILES_FOLDERS_SYSTEM_V, IDC_FILES_FOLDERS_BSD})
                EXPECT_FALSE(ui.checked(id)) << id;
            ui.check(IDC_FILES_FOLDERS_ARCHIVE, true);
            ui.click(IDC_FILES_FOLDERS_SYSTEM_V);
            ui.ok();
        });
    }
    EXPECT_EQ(0u, Stored(HKEY_CURRENT_USER, kUserDefaults, "ArchiveBit"));
    EXPECT_EQ(1u, Stored(HKEY_CURRENT_USER, kUserDefaults, "UseBsdGroupSemantics"));
}

} // namespace
