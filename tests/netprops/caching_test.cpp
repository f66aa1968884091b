// The Caching page, driven through the real NFS client sheet: loading into
// the combo boxes, the enabling of the attribute and data cache controls,
// the range and pair rules of saving, and the Defaults button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "nfs_sheet.h"

namespace {

using nfs::kService;
using nfs::kUserDefaults;

const int kCacheSize = 1057, kAttributeCache = 1058, kDirMin = 1059, kDirMax = 1060,
          kRegMin = 1061, kRegMax = 1062, kMappings = 1063, kDataCache = 1154;
const int kAttributeControls[] = {1064, 1065, 1066, 1067, kDirMin, kDirMax, kRegMin, kRegMax};

// The eight values in one row: service key first, then the user mount defaults.
struct Values {
    DWORD cacheSize, dataCache, mappings, attrOff, dirMin, dirMax, regMin, regMax;
};

struct Slot {
    bool service;
    const char *name;
    DWORD Values::*field;
};
const Slot kSlots[] = {
    {true, "CacheSizeK", &Values::cacheSize},       {true, "EnableDataCache", &Values::dataCache},
    {true, "NumMappedNames", &Values::mappings},    {false, "AttrCacheOff", &Values::attrOff},
    {false, "AttrCacheDirMin", &Values::dirMin},    {false, "AttrCacheDirMax", &Values::dirMax},
    {false, "AttrCacheRegMin", &Values::regMin},    {false, "AttrCacheRegMax", &Values::regMax},
};

const Values kDefaults = {0, 1, 256, 0, 30, 60, 3, 60};
const Values kStored = {512, 1, 1024, 0, 10, 40, 5, 50};

void Store(const Values &v)
{
    for (const Slot &s : kSlots)
        zt::SetDword(s.service ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                     s.service ? kService : kUserDefaults, s.name, v.*s.field);
}

void ExpectStored(const Values &v)
{
    for (const Slot &s : kSlots)
        EXPECT_EQ(v.*s.field, nfs::Stored(s.service ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                         s.service ? kService : kUserDefaults, s.name))
            << s.name;
}

struct Shown {
    int id;
    const char *text;
    int selection;  // -1: typed text only
};

void ExpectShown(zt::Ui &ui, const std::vector<Shown> &shown)
{
    for (const Shown &s : shown) {
        EXPECT_EQ(s.text, ui.text(s.id)) << s.id;
        EXPECT_EQ(s.selection, ui.comboSelection(s.id)) << s.id;
    }
}

const std::vector<Shown> kDefaultsShown = {
    {kCacheSize, "Automatic", 0}, {kMappings, "256", 1}, {kDirMin, "30", 4},
    {kDirMax, "60", 7},           {kRegMin, "3", -1},    {kRegMax, "60", 7},
};

TEST(CachingPage, ListsAreFilledInOrder)
{
    zt::RegistrySandbox sandbox;
    nfs::RunClientSheet([](zt::Ui &ui) {
        ui.selectPage(nfs::kCaching);
        struct List {
            int id;
            std::vector<std::string> entries;
        } lists[] = {
            {kDirMin, {"1", "5", "10", "20", "30", "40", "50", "60"}},
            {kRegMax, {"1", "5", "10", "20", "30", "40", "50", "60"}},
            {kCacheSize, {"Automatic", "256", "512", "1024", "2048", "4096"}},
            {kMappings, {"0", "256", "1024"}},
        };
        for (const List &l : lists) {
            ASSERT_EQ(static_cast<int>(l.entries.size()), ui.comboCount(l.id)) << l.id;
            for (size_t i = 0; i < l.entries.size(); ++i)
                EXPECT_EQ(l.entries[i], ui.comboEntry(l.id, static_cast<int>(i))) << l.id;
        }
        ui.cancel();
    });
}

TEST(CachingPage, LoadShowsStoredValuesAndOkSavesThemBack)
{
    struct Case {
        const char *what;
        bool store;
        Values stored;
        std::vector<Shown> shown;
    } cases[] = {
        {"empty registry", false, {}, kDefaultsShown},
        {"unlisted and zero values", true, {300, 1, 0, 0, 7, 60, 3, 45},
         {{kCacheSize, "300", -1}, {kMappings, "0", 0}, {kDirMin, "7", -1}, {kRegMax, "45", -1}}},
        {"listed values", true, {4096, 1, 1024, 0, 1, 5, 10, 20},
         {{kCacheSize, "4096", 5}, {kMappings, "1024", 2}, {kDirMin, "1", 0}, {kRegMax, "20", 3}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        zt::RegistrySandbox sandbox;
        if (c.store)
            Store(c.stored);
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kCaching);
            ExpectShown(ui, c.shown);
            EXPECT_TRUE(ui.checked(kAttributeCache));
            EXPECT_TRUE(ui.checked(kDataCache));
            ui.ok();
        });
        // The page saves after the General page's pruning: all eight stay.
        ExpectStored(c.store ? c.stored : kDefaults);
    }
}

TEST(CachingPage, BoxesEnableTheirControlsAndMarkTheSheetChanged)
{
    zt::RegistrySandbox sandbox;
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "AttrCacheOff", 1);
    zt::SetDword(HKEY_LOCAL_MACHINE, kService, "EnableDataCache", 0);
    nfs::RunClientSheet([](zt::Ui &ui) {
        ui.selectPage(nfs::kCaching);
        EXPECT_TRUE(ui.applyEnabled());
        EXPECT_FALSE(ui.checked(kAttributeCache));
        EXPECT_FALSE(ui.checked(kDataCache));
        for (int id : kAttributeControls)
            EXPECT_FALSE(ui.enabled(id)) << id;
        EXPECT_FALSE(ui.enabled(kCacheSize));
        EXPECT_FALSE(ui.enabled(1126));
        for (int id : {1125, 1148, kMappings})
            EXPECT_TRUE(ui.enabled(id)) << id;

        ui.click(kAttributeCache);
        for (int id : kAttributeControls)
            EXPECT_TRUE(ui.enabled(id)) << id;
        EXPECT_FALSE(ui.enabled(kCacheSize));
        ui.click(kDataCache);
        EXPECT_TRUE(ui.enabled(kCacheSize));
        EXPECT_TRUE(ui.enabled(1126));
        ui.click(kAttributeCache);
        for (int id : kAttributeControls)
            EXPECT_FALSE(ui.enabled(id)) << id;
        ui.ok();
    });
    // Attribute cache off again (inverted box), data cache on.
    EXPECT_EQ(1u, nfs::Stored(HKEY_CURRENT_USER, kUserDefaults, "AttrCacheOff"));
    EXPECT_EQ(1u, nfs::Stored(HKEY_LOCAL_MACHINE, kService, "EnableDataCache"));
}

TEST(CachingPage, TypedValuesOutsideTheirRangeOrOutOfOrderAreNotSaved)
{
    struct Edit {
        int id;
        const char *text;
    };
    struct Case {
        std::vector<Edit> edits;
        Values saved;  // starting from kStored = {512, 1, 1024, 0, 10, 40, 5, 50}
    } cases[] = {
        {{{kDirMax, "90"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kDirMin, "0"}, {kDirMax, "50"}}, {512, 1, 1024, 0, 10, 50, 5, 50}},
        {{{kDirMin, "15"}, {kDirMax, "60"}}, {512, 1, 1024, 0, 15, 60, 5, 50}},
        {{{kDirMin, "50"}, {kDirMax, "20"}, {kRegMin, "20"}}, {512, 1, 1024, 0, 10, 40, 20, 50}},
        {{{kRegMin, "30"}, {kRegMax, "30"}}, {512, 1, 1024, 0, 10, 40, 30, 30}},
        {{{kDirMin, "abc"}, {kDirMax, "50"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kRegMin, "-1"}, {kRegMax, "9"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kCacheSize, "automatic"}}, {0, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kCacheSize, "AUTOMATIC"}}, {0, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kCacheSize, "300"}}, {300, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kCacheSize, "4097"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kCacheSize, "4294967297"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kMappings, "0"}}, {512, 1, 0, 0, 10, 40, 5, 50}},
        {{{kMappings, "1025"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
        {{{kMappings, "many"}}, {512, 1, 1024, 0, 10, 40, 5, 50}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.edits[0].id << " " << c.edits[0].text);
        zt::RegistrySandbox sandbox;
        Store(kStored);
        nfs::RunClientSheet([&](zt::Ui &ui) {
            ui.selectPage(nfs::kCaching);
            for (const Edit &e : c.edits)
                ui.type(e.id, e.text);
            ui.ok();
        });
        ExpectStored(c.saved);
    }
}

TEST(CachingPage, DefaultsOnTheOpenPageShowDefaultsAndOkSavesThem)
{
    zt::RegistrySandbox sandbox;
    Store({300, 0, 0, 1, 10, 40, 5, 50});
    nfs::RunClientSheet([](zt::Ui &ui) {
        ui.selectPage(nfs::kCaching);
        ui.type(kRegMax, "20");
        nfs::PressDefaults(ui);
        ExpectShown(ui, kDefaultsShown);
        EXPECT_TRUE(ui.checked(kAttributeCache));
        EXPECT_TRUE(ui.checked(kDataCache));
        for (int id : kAttributeControls)
            EXPECT_TRUE(ui.enabled(id)) << id;
        EXPECT_TRUE(ui.enabled(kCacheSize));
        ui.ok();
    });
    ExpectStored(kDefaults);
}

TEST(CachingPage, DefaultsOnAPageNeverOpenedAreWrittenByTheSheetApply)
{
    const Values stored = {300, 0, 0, 1, 10, 40, 5, 50};
    const DWORD kMissing = nfs::kMissing;
    // Saved, per case of nfs::kDefaultsBeforeOpening.
    const Values saved[] = {
        stored,
        // The attribute defaults are written, then pruned as equal to the
        // built-in defaults; the service values have no such pass.
        {0, 1, 256, kMissing, kMissing, kMissing, kMissing, kMissing},
        stored,
    };
    for (int i = 0; i < 3; ++i) {
        const nfs::DefaultsBeforeOpening &c = nfs::kDefaultsBeforeOpening[i];
        SCOPED_TRACE(testing::Message() << c.pressDefaults << c.openAfterwards);
        zt::RegistrySandbox sandbox;
        Store(stored);
        nfs::RunDefaultsBeforeOpening(c, nfs::kCaching, [](zt::Ui &ui) {
            ExpectShown(ui, kDefaultsShown);
            EXPECT_TRUE(ui.checked(kAttributeCache));
            EXPECT_TRUE(ui.checked(kDataCache));
            EXPECT_TRUE(ui.enabled(kDirMin));
        });
        ExpectStored(saved[i]);
    }
}

} // namespace
