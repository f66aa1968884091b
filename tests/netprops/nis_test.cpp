// The NIS/NIS+ sheet through NISProperty, and the provider calls of the
// three name-service exports.
#include <gtest/gtest.h>

#include "harness.h"
#include "resource.h"

namespace {

const char kOptions[] = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\NameServiceOptions";
const char kProvider[] = "SOFTWARE\\ZORV\\CC\\1.0\\vadediz\\NameServiceProvider";

typedef BOOL(__cdecl *SetupEntry)(DWORD, char **, char **);

class NisSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = zt::LoadProductLibrary("ZORVPROP.dll");
        ASSERT_TRUE(library);
    }
    void TearDown() override { FreeLibrary(library); }

    std::string Call(const char *name, const std::function<void(zt::Ui &)> &script = nullptr)
    {
        SetupEntry entry = reinterpret_cast<SetupEntry>(GetProcAddress(library, name));
        EXPECT_TRUE(entry) << name;
        char *result = nullptr;
        char *arguments[] = {const_cast<char *>("0")};
        zt::MessageBoxCapture capture({library});
        if (script)
            zt::RunModal([&]() -> INT_PTR { return entry(1, arguments, &result); }, script);
        else
            entry(1, arguments, &result);
        boxes = capture.boxes;
        return result ? result : "(none)";
    }

    std::string Run(const std::function<void(zt::Ui &)> &script) { return Call("NISProperty", script); }

    std::string Stored(const char *name)
    {
        std::string text = "(missing)";
        zt::GetString(HKEY_LOCAL_MACHINE, kOptions, name, &text);
        return text;
    }

    zt::RegistrySandbox sandbox;
    HMODULE library = nullptr;
    std::vector<zt::MessageBoxRecord> boxes;
};

std::vector<HWND> Fields(zt::Ui &ui, int id)
{
    std::vector<HWND> fields;
    for (HWND child = GetWindow(ui.item(id), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    return fields;
}

void TypeAddress(zt::Ui &ui, int id, const char *const parts[4])
{
    std::vector<HWND> fields = Fields(ui, id);
    ASSERT_EQ(4u, fields.size());
    for (int i = 0; i < 4; ++i) {
        ui.send(fields[i], EM_SETSEL, 0, -1);
        ui.chars(fields[i], parts[i]);
    }
}

TEST_F(NisSheetTest, NothingStoredShowsWindowsDefaultOnlyAndDisablesServerControls)
{
    std::string result = Run([](zt::Ui &ui) {
        EXPECT_EQ(std::vector<std::string>{"Windows default"}, ui.listEntries(IDC_NIS_ORDER));
        EXPECT_FALSE(ui.checked(IDC_NIS_ENABLE_NIS));
        EXPECT_FALSE(ui.checked(IDC_NIS_ENABLE_NISPLUS));
        for (int id : {IDC_NIS_NIS_ADDRESS, IDC_NIS_NIS_ADD, IDC_NIS_NIS_LIST, IDC_NIS_NIS_REMOVE,
                       IDC_NIS_NISPLUS_ADDRESS, IDC_NIS_NISPLUS_LIST, IDC_NIS_DOMAIN_LABEL, IDC_NIS_DOMAIN})
            EXPECT_FALSE(ui.enabled(id)) << id;
        EXPECT_EQ("ZORVIPAddress", zt::WindowClass(ui.item(IDC_NIS_NIS_ADDRESS)));
        ui.screenshot("nis-page");
        ui.ok();
    });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ("W", Stored("SearchOrder"));
    // The provider was asked to take the order, and the class is gone again.
    std::string order;
    EXPECT_TRUE(zt::GetString(HKEY_LOCAL_MACHINE, kProvider, "ActiveOrder", &order));
    EXPECT_EQ("W", order);
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(library, "ZORVIPAddress", &info));
}

TEST_F(NisSheetTest, SearchOrderForms)
{
    struct Case {
        const char *stored;
        std::vector<std::string> entries;
        bool nis, nisplus;
        const char *saved;
    } cases[] = {
        {"WYN", {"Windows default", "NIS"}, true, false, "WY"},
        {"NY", {"NIS+"}, false, true, "N"},
        {"YxW", {"NIS", "Windows default"}, true, false, "YW"},
        {"", {}, false, false, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "SearchOrder", c.stored);
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "NisServers", "10.0.0.1");
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "NisplusServers", "10.0.0.2");
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "Domain", "sales.example");
        Run([&c](zt::Ui &ui) {
            EXPECT_EQ(c.entries, ui.listEntries(IDC_NIS_ORDER));
            EXPECT_EQ(c.nis, ui.checked(IDC_NIS_ENABLE_NIS));
            EXPECT_EQ(c.nisplus, ui.checked(IDC_NIS_ENABLE_NISPLUS));
            ui.ok();
        });
        EXPECT_EQ(c.saved, Stored("SearchOrder"));
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(NisSheetTest, BoxesExcludeEachOtherAndKeepTheOrderInStep)
{
    Run([](zt::Ui &ui) {
        ui.click(IDC_NIS_ENABLE_NIS);
        EXPECT_EQ((std::vector<std::string>{"Windows default", "NIS"}), ui.listEntries(IDC_NIS_ORDER));
        EXPECT_FALSE(ui.enabled(IDC_NIS_ENABLE_NISPLUS));
        EXPECT_TRUE(ui.enabled(IDC_NIS_DOMAIN));
        EXPECT_FALSE(ui.enabled(IDC_NIS_NIS_ADD));  // fields still empty
        ui.click(IDC_NIS_ENABLE_NIS);
        EXPECT_EQ(std::vector<std::string>{"Windows default"}, ui.listEntries(IDC_NIS_ORDER));
        EXPECT_TRUE(ui.enabled(IDC_NIS_ENABLE_NISPLUS));
        ui.cancel();
    });
    EXPECT_EQ("(missing)", Stored("SearchOrder"));  // Cancel saves nothing
}

TEST_F(NisSheetTest, AddingServersIgnoresTheEleventhAndDuplicates)
{
    std::string ten;
    for (int i = 1; i <= 10; ++i)
        ten += (i > 1 ? " 10.0.0." : "10.0.0.") + std::to_string(i);
    zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "NisServers", "10.0.0.1  10.0.0.2");
    zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "NisplusServers", ten);
    zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "SearchOrder", "WY");
    zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "Domain", "eng");
    Run([](zt::Ui &ui) {
        // Two spaces in a row end the stored list.
        EXPECT_EQ(std::vector<std::string>{"10.0.0.1"}, ui.listEntries(IDC_NIS_NIS_LIST));
        const char *const same[4] = {"10", "0", "0", "1"};
        TypeAddress(ui, IDC_NIS_NIS_ADDRESS, same);
        EXPECT_TRUE(ui.enabled(IDC_NIS_NIS_ADD));
        ui.click(IDC_NIS_NIS_ADD);
        EXPECT_EQ(1u, ui.listEntries(IDC_NIS_NIS_LIST).size());
        const char *const other[4] = {"192", "168", "1", "20"};
        TypeAddress(ui, IDC_NIS_NIS_ADDRESS, other);
        ui.click(IDC_NIS_NIS_ADD);
        EXPECT_EQ((std::vector<std::string>{"10.0.0.1", "192.168.1.20"}), ui.listEntries(IDC_NIS_NIS_LIST));
        EXPECT_EQ(1, ui.listSelection(IDC_NIS_NIS_LIST));
        ui.selectList(IDC_NIS_NIS_LIST, 0);
        ui.click(IDC_NIS_NIS_REMOVE);
        EXPECT_EQ(std::vector<std::string>{"192.168.1.20"}, ui.listEntries(IDC_NIS_NIS_LIST));
        ui.ok();
    });
    EXPECT_EQ("192.168.1.20", Stored("NisServers"));
    std::string plus = Stored("NisplusServers");
    EXPECT_EQ(9, std::count(plus.begin(), plus.end(), ' '));  // the ten stored, unchanged
}

TEST_F(NisSheetTest, ValidationKeepsThePageWithItsMessage)
{
    struct Case {
        const char *servers;
        std::string domain;
        std::string message;
    } cases[] = {
        {"", "eng", "Please add at least one server to the list."},
        {"10.0.0.1", "", "This field cannot be empty."},
        {"10.0.0.1", ".sales", "\".sales\" is not a valid NIS or NIS+ Domain Name."},
        // A domain this long cannot fit the message: it is cut, not overrun.
        {"10.0.0.1", "." + std::string(253, 'd'), "\"." + std::string(253, 'd')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.substr(0, 40));
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "SearchOrder", "WY");
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "NisServers", c.servers);
        zt::SetString(HKEY_LOCAL_MACHINE, kOptions, "Domain", c.domain);
        Run([](zt::Ui &ui) {
            ui.send(ui.window(), PSM_PRESSBUTTON, PSBTN_OK, 0);
            EXPECT_TRUE(IsWindowVisible(ui.window()));  // still open
            ui.cancel();
        });
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.message, boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes[0].style);
    }
}

TEST_F(NisSheetTest, InstallAndRemoveCallTheProviderAndAnswerTrue)
{
    EXPECT_EQ("TRUE", Call("NISInstall"));
    DWORD installed = 0;
    EXPECT_TRUE(zt::GetDword(HKEY_LOCAL_MACHINE, kProvider, "Installed", &installed));
    EXPECT_EQ(1u, installed);
    EXPECT_EQ("TRUE", Call("NISRemove"));
    EXPECT_FALSE(zt::ValueExists(HKEY_LOCAL_MACHINE, kProvider, "Installed"));
}

} // namespace
