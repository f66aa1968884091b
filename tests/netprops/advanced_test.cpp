// The Advanced page, worked through the real NFS client sheet.
#include "nfs_sheet.h"
#include "resource.h"

namespace {

using namespace nfs;

class AdvancedPageTest : public NfsSheetTest {};

const int kTransportButtons[] = {IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_TCP_ONLY, IDC_ADVANCED_UDP_ONLY};
const int kVersionButtons[] = {IDC_ADVANCED_VERSION_AUTO, IDC_ADVANCED_V3_ONLY, IDC_ADVANCED_V2_ONLY};

int CheckedOf(zt::Ui &ui, const int (&ids)[3])
{
    int found = -1;
    for (int id : ids)
        if (ui.checked(id)) {
            EXPECT_EQ(-1, found) << "two buttons checked";
            found = id;
        }
    return found;
}

enum Kind { kAbsent, kText, kNumber };

// A stored value of either kind, or none.
struct StoredValue {
    Kind kind;
    const char *text;
    DWORD number;
};

void Store(const std::string &path, const char *name, const StoredValue &value)
{
    if (value.kind == kText)
        zt::SetString(HKEY_CURRENT_USER, path, name, value.text);
    else if (value.kind == kNumber)
        zt::SetDword(HKEY_CURRENT_USER, path, name, value.number);
}

// Reading maps stored values to buttons more widely than saving writes
// them; an apply writes back what the button stands for.
struct ReadingCase {
    const char *what;
    StoredValue transport;
    StoredValue version;
    int transportShown;
    int versionShown;
    const char *transportSaved;
    DWORD versionSaved;
};

const ReadingCase kReadingCases[] = {
    {"tcp, v3", {kText, "tcp", 0}, {kNumber, nullptr, 3}, IDC_ADVANCED_TCP_ONLY, IDC_ADVANCED_V3_ONLY, "tcp", 3},
    {"udp, v2", {kText, "udp", 0}, {kNumber, nullptr, 2}, IDC_ADVANCED_UDP_ONLY, IDC_ADVANCED_V2_ONLY, "udp", 2},
    {"capitals, v1", {kText, "TCP", 0}, {kNumber, nullptr, 1}, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_VERSION_AUTO, "", 0},
    {"other text, v4", {kText, "udp6", 0}, {kNumber, nullptr, 4}, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_VERSION_AUTO, "", 0},
    {"too long for the buffer", {kText, "tcp-and-more", 0}, {kNumber, nullptr, 0}, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_VERSION_AUTO, "", 0},
    {"other types", {kNumber, nullptr, 1}, {kText, "3", 0}, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_VERSION_AUTO, "", 0},
    {"missing", {kAbsent, nullptr, 0}, {kAbsent, nullptr, 0}, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_VERSION_AUTO, "", 0},
};

TEST_F(AdvancedPageTest, StoredValuesShowAsTheirButtonsAndSaveBackNormalised)
{
    for (const ReadingCase &c : kReadingCases) {
        SCOPED_TRACE(c.what);
        HKEY key;
        for (const std::string *path : {&kMachineDefaults, &kUserDefaults})
            if (RegOpenKeyA(HKEY_CURRENT_USER, path->c_str(), &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "Transport");
                RegDeleteValueA(key, "NfsVersion");
                RegCloseKey(key);
            }
        Store(kMachineDefaults, "Transport", c.transport);
        Store(kUserDefaults, "NfsVersion", c.version);
        RunSheet([&c](zt::Ui &ui) {
            ui.selectPage(kAdvanced);
            EXPECT_EQ(c.transportShown, CheckedOf(ui, kTransportButtons));
            EXPECT_EQ(c.versionShown, CheckedOf(ui, kVersionButtons));
            ui.apply();
            ui.cancel();
        });
        std::string data;
        DWORD type = REG_NONE;
        ASSERT_TRUE(zt::GetRaw(HKEY_CURRENT_USER, kMachineDefaults, "Transport", &data, &type));
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ(std::string(c.transportSaved) + '\0', data);
        EXPECT_EQ(c.versionSaved, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion"));
    }
}

struct PortCase {
    const char *what;
    DWORD stored;
    int choose;           // button clicked, 0 for none
    const char *typed;    // null: field left alone
    DWORD saved;
};

const PortCase kPortCases[] = {
    {"stored port kept", 2049, 0, nullptr, 2049},
    {"portmapper chosen over a port", 2049, IDC_ADVANCED_PORTMAPPER, nullptr, 0},
    {"specific port typed", 0, IDC_ADVANCED_SPECIFIC_PORT, "635", 635},
    {"specific port left empty", 0, IDC_ADVANCED_SPECIFIC_PORT, "", 0},
    {"not a number", 2049, 0, "nfs", 0},
    {"above 65535 unchanged", 0, IDC_ADVANCED_SPECIFIC_PORT, "70000", 70000},
};

TEST_F(AdvancedPageTest, PortChoiceAndField)
{
    for (const PortCase &c : kPortCases) {
        SCOPED_TRACE(c.what);
        zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "NfsPort", c.stored);
        RunSheet([&c](zt::Ui &ui) {
            ui.selectPage(kAdvanced);
            bool specific = c.stored != 0;
            EXPECT_EQ(specific, ui.checked(IDC_ADVANCED_SPECIFIC_PORT));
            EXPECT_EQ(!specific, ui.checked(IDC_ADVANCED_PORTMAPPER));
            EXPECT_EQ(std::to_string(c.stored), ui.text(IDC_ADVANCED_PORT));
            EXPECT_EQ(specific, ui.enabled(IDC_ADVANCED_PORT));
            EXPECT_EQ(specific, ui.enabled(IDC_ADVANCED_PORT_LABEL));
            if (c.choose) {
                ui.click(c.choose);
                bool nowSpecific = c.choose == IDC_ADVANCED_SPECIFIC_PORT;
                EXPECT_EQ(nowSpecific, ui.enabled(IDC_ADVANCED_PORT));
                EXPECT_EQ(nowSpecific, ui.enabled(IDC_ADVANCED_PORT_LABEL));
                EXPECT_EQ(std::to_string(c.stored), ui.text(IDC_ADVANCED_PORT));
            }
            if (c.typed)
                ui.type(IDC_ADVANCED_PORT, c.typed);
            ui.apply();
            ui.cancel();
        });
        EXPECT_EQ(c.saved, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsPort"));
    }
}

void StoreNonDefaults()
{
    zt::SetString(HKEY_CURRENT_USER, kMachineDefaults, "Transport", "udp");
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion", 3);
    zt::SetDword(HKEY_CURRENT_USER, kUserDefaults, "NfsPort", 2049);
}

TEST_F(AdvancedPageTest, DefaultsOnAnOpenPageResetTheControlsOnly)
{
    StoreNonDefaults();
    RunSheet([](zt::Ui &ui) {
        ui.selectPage(kAdvanced);
        PressDefaults(ui);
        EXPECT_EQ(IDC_ADVANCED_TRANSPORT_AUTO, CheckedOf(ui, kTransportButtons));
        EXPECT_EQ(IDC_ADVANCED_VERSION_AUTO, CheckedOf(ui, kVersionButtons));
        EXPECT_TRUE(ui.checked(IDC_ADVANCED_PORTMAPPER));
        EXPECT_FALSE(ui.checked(IDC_ADVANCED_SPECIFIC_PORT));
        EXPECT_EQ("0", ui.text(IDC_ADVANCED_PORT));
        EXPECT_FALSE(ui.enabled(IDC_ADVANCED_PORT));
        ui.cancel();
    });
    std::string transport;
    EXPECT_TRUE(zt::GetString(HKEY_CURRENT_USER, kMachineDefaults, "Transport", &transport));
    EXPECT_EQ("udp", transport);
    EXPECT_EQ(3u, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion"));
    EXPECT_EQ(2049u, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsPort"));
}

TEST_F(AdvancedPageTest, DefaultsOnAPageNeverOpenedAreWrittenByOk)
{
    StoreNonDefaults();
    RunSheet([](zt::Ui &ui) {
        PressDefaults(ui);
        EXPECT_EQ(nullptr, ui.pageAt(kAdvanced));
        ui.ok();
    });
    // Written as their defaults during the General page's apply, then pruned.
    EXPECT_FALSE(zt::ValueExists(HKEY_CURRENT_USER, kMachineDefaults, "Transport"));
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion"));
    EXPECT_EQ(kMissing, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsPort"));
}

// The transport is in the machine mount defaults; a user mount defaults key
// that cannot be opened leaves the version and the port alone.
TEST_F(AdvancedPageTest, AUserDefaultsKeyThatCannotBeOpenedLeavesVersionAndPort)
{
    StoreNonDefaults();
    {
        LockedKey lock(HKEY_CURRENT_USER, kUserDefaults);
        ASSERT_TRUE(lock.locked());
        RunSheet([](zt::Ui &ui) {
            ui.selectPage(kAdvanced);
            EXPECT_EQ(IDC_ADVANCED_UDP_ONLY, CheckedOf(ui, kTransportButtons));
            EXPECT_EQ(-1, CheckedOf(ui, kVersionButtons));
            EXPECT_EQ("", ui.text(IDC_ADVANCED_PORT));
            ui.click(IDC_ADVANCED_TCP_ONLY);
            ui.click(IDC_ADVANCED_V2_ONLY);
            ui.click(IDC_ADVANCED_PORTMAPPER);
            ui.ok();
        });
    }
    std::string transport;
    EXPECT_TRUE(zt::GetString(HKEY_CURRENT_USER, kMachineDefaults, "Transport", &transport));
    EXPECT_EQ("tcp", transport);
    EXPECT_EQ(3u, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsVersion"));
    EXPECT_EQ(2049u, Stored(HKEY_CURRENT_USER, kUserDefaults, "NfsPort"));
}

} // namespace
