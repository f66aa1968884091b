// The Security page, driven through the real NFS client sheet: the
// permission mask boxes, the authentication server list in its stored
// forms, the enabling of the server field, and the Defaults button.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "nfs_sheet.h"

namespace {

using nfs::kServers;
using nfs::kUserDefaults;

const int kBroadcast = 1047;
const int kSpecific = 1048;
const int kServerField = 1049;
const int kServerLabel = 1051;

// The nine boxes 2000..2008 as a mask of checked boxes: bit 8 is 2000.
unsigned CheckedBoxes(zt::Ui &ui)
{
    unsigned boxes = 0;
    for (int id = 2000; id <= 2008; ++id)
        boxes = (boxes << 1) | (ui.checked(id) ? 1u : 0u);
    return boxes;
}

std::string StoredHosts(DWORD *type)
{
    std::string data;
    *type = REG_NONE;
    if (!zt::GetRaw(HKEY_LOCAL_MACHINE, kServers, "Hosts", &data, type))
        return "<missing>";
    return data;
}

// A stored multi-string from its entries joined by '\0' (the final
// terminator is added by SetString).
void StoreHosts(const std::string &list, DWORD type = REG_MULTI_SZ)
{
    zt::SetString(HKEY_LOCAL_MACHINE, kServers, "Hosts", list, type);
}

const std::string kBroadcastList("*\0\0", 3);

TEST(SecurityPage, MaskShowsClearBitsAsCheckedBoxesAndSavesTheNineBits)
{
    const DWORD kNone = nfs::kMissing;
    struct Case {
        DWORD stored;
        int clickBox;      // 0: none
        unsigned checked;  // boxes shown
        DWORD saved;
    } cases[] = {
        {kNone, 0, 0755, 18},          // default 022: all but the Write boxes of Group and Other
        {0, 0, 0777, 0},
        {0777, 0, 0, 0777},
        {18 | 4096, 0, 0755, 18},      // bits above the ninth are neither shown nor kept
        {0xFFFFFE00, 0, 0777, 0},
        {18, 2000, 0755, 0422},        // taking Read away from User sets bit 0400
        {18, 2007, 0755, 0020},        // giving Write to Other clears bit 02
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << " click " << c.clickBox);
        zt::RegistrySandbox sandbox;
        if (c.stored != kNone)
            zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "UMask", c.stored);
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kSecurity);
            EXPECT_EQ(c.checked, CheckedBoxes(ui));
            if (c.clickBox)
                ui.click(c.clickBox);
            ui.ok();
        });
        // Saved after the General page's pruning, so even the default stays.
        EXPECT_EQ(c.saved, nfs::Stored(HKEY_CURRENT_USER, kUserDefaults, "UMask"));
    }
}

TEST(SecurityPage, ServerListLoadsFromItsStoredForms)
{
    const std::string longName(2046, 'a');
    struct Case {
        const char *what;
        bool store;
        std::string data;
        DWORD type;
        bool broadcast;
        std::string field;
    } cases[] = {
        {"missing", false, "", REG_MULTI_SZ, true, ""},
        {"broadcast", true, std::string("*\0", 2), REG_MULTI_SZ, true, ""},
        {"broadcast first", true, std::string("*\0alpha\0", 8), REG_MULTI_SZ, true, ""},
        {"REG_SZ name", true, "alpha", REG_SZ, true, ""},
        {"empty list", true, "", REG_MULTI_SZ, false, ""},
        {"two servers", true, std::string("alpha\0beta\0", 11), REG_MULTI_SZ, false, "alpha,beta"},
        {"star later", true, std::string("beta\0*\0", 7), REG_MULTI_SZ, false, "beta,*"},
        {"star prefix", true, std::string("*x\0", 3), REG_MULTI_SZ, false, "*x"},
        // 4094 bytes in all fill the buffer exactly; one more is too long.
        {"full buffer", true, longName + '\0' + std::string(2045, 'b') + '\0', REG_MULTI_SZ, false,
         longName + ',' + std::string(2045, 'b')},
        {"too long", true, longName + '\0' + std::string(2046, 'b') + '\0', REG_MULTI_SZ, true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        zt::RegistrySandbox sandbox;
        if (c.store)
            StoreHosts(c.data, c.type);
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kSecurity);
            EXPECT_EQ(c.broadcast, ui.checked(kBroadcast));
            EXPECT_EQ(!c.broadcast, ui.checked(kSpecific));
            EXPECT_EQ(c.field, ui.text(kServerField));
            EXPECT_EQ(!c.broadcast, ui.enabled(kServerField));
            EXPECT_EQ(!c.broadcast, ui.enabled(kServerLabel));
            ui.cancel();
        });
    }
}

TEST(SecurityPage, ServerListSavesTheFieldCutAtSeparators)
{
    struct Case {
        int radio;
        std::string typed;
        std::string stored;  // with every terminator
    } cases[] = {
        {kSpecific, "", std::string("\0", 1)},
        {kSpecific, " ,; ", std::string("\0", 1)},
        {kSpecific, "*", kBroadcastList},
        {kSpecific, " alpha, beta ", std::string("alpha\0beta\0\0", 12)},
        {kSpecific, "one; two ,three", std::string("one\0two\0three\0\0", 15)},
        {kSpecific, "10.0.0.1", std::string("10.0.0.1\0\0", 10)},
        {kBroadcast, "alpha", kBroadcastList},
        // The field is read into 4094 bytes: a longer text is cut, not overrun.
        {kSpecific, std::string(5000, 'h'), std::string(4093, 'h') + std::string("\0\0", 2)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 20));
        zt::RegistrySandbox sandbox;
        StoreHosts(std::string("old\0", 4));
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kSecurity);
            ui.type(kServerField, c.typed);
            ui.click(c.radio);
            ui.ok();
        });
        DWORD type;
        EXPECT_EQ(c.stored, StoredHosts(&type));
        EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    }
}

TEST(SecurityPage, EmptySpecificListShowsAgainAsSpecificWithEmptyField)
{
    zt::RegistrySandbox sandbox;
    for (int run = 0; run < 2; ++run) {
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kSecurity);
            if (run == 0) {
                ui.click(kSpecific);
                ui.ok();
                return;
            }
            EXPECT_TRUE(ui.checked(kSpecific));
            EXPECT_EQ("", ui.text(kServerField));
            ui.cancel();
        });
    }
}

TEST(SecurityPage, ServerFieldFollowsTheRadioButtonsAndOpeningMarksTheSheetChanged)
{
    zt::RegistrySandbox sandbox;
    nfs::RunClientSheet([](zt::Ui &ui) {
        EXPECT_FALSE(ui.applyEnabled());
        ui.selectPage(nfs::kSecurity);
        EXPECT_TRUE(ui.applyEnabled());
        EXPECT_FALSE(ui.enabled(kServerField));
        ui.click(kSpecific);
        EXPECT_TRUE(ui.enabled(kServerField));
        EXPECT_TRUE(ui.enabled(kServerLabel));
        ui.click(kBroadcast);
        EXPECT_FALSE(ui.enabled(kServerField));
        EXPECT_FALSE(ui.enabled(kServerLabel));
        ui.cancel();
    });
}

TEST(SecurityPage, DefaultsOnTheOpenPageResetMaskAndChoiceButKeepTheField)
{
    zt::RegistrySandbox sandbox;
    StoreHosts(std::string("alpha\0", 6));
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "UMask", 0);
    nfs::RunClientSheet([](zt::Ui &ui) {
        ui.selectPage(nfs::kSecurity);
        nfs::PressDefaults(ui);
        EXPECT_EQ(0755u, CheckedBoxes(ui));
        EXPECT_TRUE(ui.checked(kBroadcast));
        EXPECT_FALSE(ui.checked(kSpecific));
        EXPECT_EQ("alpha", ui.text(kServerField));
        EXPECT_FALSE(ui.enabled(kServerField));
        ui.ok();
    });
    DWORD type;
    EXPECT_EQ(kBroadcastList, StoredHosts(&type));
    EXPECT_EQ(18u, nfs::Stored(HKEY_CURRENT_USER, kUserDefaults, "UMask"));
}

TEST(SecurityPage, DefaultsOnAPageNeverOpenedAreWrittenByTheSheetApply)
{
    for (const nfs::DefaultsBeforeOpening &c : nfs::kDefaultsBeforeOpening) {
        SCOPED_TRACE(testing::Message() << c.pressDefaults << c.openAfterwards);
        zt::RegistrySandbox sandbox;
        const std::string stored("alpha\0", 6);
        StoreHosts(stored);
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "UMask", 0);
        nfs::RunDefaultsBeforeOpening(c, nfs::kSecurity, [](zt::Ui &ui) {
            EXPECT_EQ(0755u, CheckedBoxes(ui));
            EXPECT_TRUE(ui.checked(kBroadcast));
        });
        DWORD type;
        if (c.pressDefaults && !c.openAfterwards) {
            EXPECT_EQ(kBroadcastList, StoredHosts(&type));
            // Written as 18, then pruned as equal to the built-in default.
            EXPECT_FALSE(zt::ValueExists(HKEY_CURRENT_USER, kUserDefaults, "UMask"));
        } else {
            EXPECT_EQ(stored + '\0', StoredHosts(&type));
            EXPECT_EQ(0u, nfs::Stored(HKEY_CURRENT_USER, kUserDefaults, "UMask"));
        }
    }
}

} // namespace
