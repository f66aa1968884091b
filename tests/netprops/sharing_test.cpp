// The file-sharing sheet, end to end through PrintSharingProperty: the NFS
// Server page (server and log switches, the service start type) and the
// Logging page (event log switches and the log file, which is created
// whenever the user leaves its field or the page, or applies).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.h"
#include "resource.h"

namespace {

const char kServerKey[] = "SOFTWARE\\ZORV\\CC\\1.0\\zorvnfsd";
const char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\Averon NFS Server";
const char kLoggingKey[] = "SOFTWARE\\ZORV\\CC\\1.0\\LOGGING";

typedef BOOL(__cdecl *SetupEntry)(DWORD, char **, char **);

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD FileSize(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0xFFFFFFFF;
    return data.nFileSizeLow;
}

std::string StoredFile()
{
    std::string value;
    return zt::GetString(HKEY_LOCAL_MACHINE, kLoggingKey, "File", &value) ? value : "<none>";
}

DWORD Stored(const char *key, const char *name)
{
    DWORD value = 0xDEAD;
    zt::GetDword(HKEY_LOCAL_MACHINE, key, name, &value);
    return value;
}

std::string TabText(zt::Ui &ui, int index)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(ui.window(), PSM_GETTABCONTROL, 0, 0));
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

int TabCount(zt::Ui &ui)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(ui.window(), PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
}

// A missing companion library: LoadLibraryA of ZORVPROP fails for it.
HMODULE WINAPI LoadLibraryWithoutCompanion(const char *name)
{
    if (lstrcmpiA(name, "VUDARORI.dll") == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return LoadLibraryA(name);
}

class SharingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshRegistry();
        m_library = zt::LoadProductLibrary("ZORVPROP.dll");
        ASSERT_TRUE(m_library);
        m_entry = reinterpret_cast<SetupEntry>(GetProcAddress(m_library, "PrintSharingProperty"));
        ASSERT_TRUE(m_entry);
        m_boxes = new zt::MessageBoxCapture({m_library});

        // A scratch folder for log files, by its Windows name.
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        char name[64];
        wsprintfA(name, "zorvlog-%lu-%lu", GetCurrentProcessId(), GetTickCount());
        m_folder = std::string(temp) + name;
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr)) << m_folder;
    }

    void TearDown() override
    {
        delete m_boxes;
        if (!m_folder.empty()) {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do {
                    std::string path = m_folder + "\\" + found.cFileName;
                    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                        DeleteFileA(path.c_str());
                    else if (found.cFileName[0] != '.')
                        RemoveDirectoryA(path.c_str());
                } while (FindNextFileA(search, &found));
                FindClose(search);
            }
            RemoveDirectoryA(m_folder.c_str());
        }
        if (m_library)
            FreeLibrary(m_library);
        m_sandbox.reset();
    }

    // A scratch registry of its own (one sandbox at a time).
    void FreshRegistry()
    {
        m_sandbox.reset();
        m_sandbox.reset(new zt::RegistrySandbox);
    }

    // Runs the sheet with script; returns the result string.
    std::string Run(const std::function<void(zt::Ui &)> &script)
    {
        char *result = nullptr;
        char *arguments[] = {const_cast<char *>("0")};
        zt::RunModal([&] { return static_cast<INT_PTR>(m_entry(1, arguments, &result)); }, script);
        return result ? result : "<null>";
    }

    std::string InFolder(const char *name) const { return m_folder + "\\" + name; }

    std::unique_ptr<zt::RegistrySandbox> m_sandbox;
    HMODULE m_library = nullptr;
    SetupEntry m_entry = nullptr;
    zt::MessageBoxCapture *m_boxes = nullptr;
    std::string m_folder;
};

TEST_F(SharingTest, BothPagesAreShownWithAndWithoutTheCompanionLibrary)
{
    for (bool present : {true, false}) {
        SCOPED_TRACE(present ? "companion present" : "companion missing");
        std::unique_ptr<zt::ImportPatch> patch;
        if (!present) {
            patch.reset(new zt::ImportPatch(m_library, "kernel32.dll", "LoadLibraryA",
                                            reinterpret_cast<void *>(LoadLibraryWithoutCompanion)));
            ASSERT_TRUE(patch->applied());
        }
        std::string result = Run([&](zt::Ui &ui) {
            EXPECT_EQ(2, TabCount(ui));
            EXPECT_EQ("NFS Server", TabText(ui, 0));
            EXPECT_EQ("Logging", TabText(ui, 1));
            EXPECT_EQ(present, GetModuleHandleA("VUDARORI.dll") != nullptr);
            EXPECT_TRUE(ui.visible(IDC_NFS_SERVER_ENABLE));
            EXPECT_TRUE(ui.visible(IDC_NFS_SERVER_LOGGING));
            for (int id = IDC_NFS_SERVER_FOLDERS; id <= IDC_NFS_SERVER_REMOVE_COMPUTER; ++id)
                EXPECT_FALSE(ui.visible(id)) << id;
            if (present)
                ui.screenshot("sharing_nfs_server");
            ui.selectPage(1);
            EXPECT_EQ("C:\\LOGGING.TXT", ui.text(IDC_LOGGING_FILE));
            if (present)
                ui.screenshot("sharing_logging");
            ui.cancel();
        });
        EXPECT_EQ("FALSE", result);
        EXPECT_EQ(nullptr, GetModuleHandleA("VUDARORI.dll"));
    }
}

TEST_F(SharingTest, ServerSwitchSetsTheServiceStartType)
{
    struct Case {
        const char *name;
        bool storedEnable;     // "Enable" before the run (none when false and no key)
        bool toggleEnable;
        bool toggleLogging;
        DWORD startBefore;     // 0: no service key
        DWORD enable, logging, start;
    } cases[] = {
        {"switched on", false, true, false, 0, 1, 0, 2},
        {"switched off", true, true, false, 2, 0, 0, 3},
        {"only the log switched", true, false, true, 3, 1, 1, 2},
        {"only the log switched, server off", false, false, true, 2, 0, 1, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshRegistry();
        if (c.storedEnable)
            zt::SetDword(HKEY_LOCAL_MACHINE, kServerKey, "Enable", 1);
        if (c.startBefore)
            zt::SetDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start", c.startBefore);
        std::string result = Run([&](zt::Ui &ui) {
            // The key exists from the moment the page loads.
            EXPECT_TRUE(zt::KeyExists(HKEY_LOCAL_MACHINE, kServerKey));
            EXPECT_EQ(c.storedEnable, ui.checked(IDC_NFS_SERVER_ENABLE));
            EXPECT_FALSE(ui.checked(IDC_NFS_SERVER_LOGGING));
            if (c.toggleEnable)
                ui.click(IDC_NFS_SERVER_ENABLE);
            if (c.toggleLogging)
                ui.click(IDC_NFS_SERVER_LOGGING);
            EXPECT_TRUE(ui.applyEnabled());
            ui.ok();
        });
        EXPECT_EQ("TRUE", result);
        EXPECT_EQ(c.enable, Stored(kServerKey, "Enable"));
        EXPECT_EQ(c.logging, Stored(kServerKey, "Logging"));
        EXPECT_EQ(c.start, Stored(kServiceKey, "Start"));
        EXPECT_EQ(std::vector<std::string>{"Start"}, zt::ValueNames(HKEY_LOCAL_MACHINE, kServiceKey));
    }
    EXPECT_TRUE(m_boxes->boxes.empty());
}

TEST_F(SharingTest, CancelChangesNothing)
{
    Run([&](zt::Ui &ui) {
        ui.click(IDC_NFS_SERVER_ENABLE);
        ui.selectPage(1);
        ui.click(IDC_LOGGING_ENABLE);
        ui.cancel();
    });
    EXPECT_TRUE(zt::ValueNames(HKEY_LOCAL_MACHINE, kServerKey).empty());
    EXPECT_TRUE(zt::ValueNames(HKEY_LOCAL_MACHINE, kLoggingKey).empty());
    EXPECT_FALSE(zt::KeyExists(HKEY_LOCAL_MACHINE, kServiceKey));
}

TEST_F(SharingTest, LoggingDefaultsAndEnabling)
{
    std::string file = InFolder("defaults.txt");
    Run([&](zt::Ui &ui) {
        ui.selectPage(1);
        EXPECT_TRUE(ui.checked(IDC_LOGGING_ENABLE));
        EXPECT_TRUE(ui.checked(IDC_LOGGING_SAVE));
        EXPECT_EQ("C:\\LOGGING.TXT", ui.text(IDC_LOGGING_FILE));
        EXPECT_TRUE(ui.enabled(IDC_LOGGING_SAVE));
        EXPECT_TRUE(ui.enabled(IDC_LOGGING_FILE));
        ui.type(IDC_LOGGING_FILE, file);

        ui.click(IDC_LOGGING_ENABLE);
        EXPECT_FALSE(ui.enabled(IDC_LOGGING_SAVE));
        EXPECT_FALSE(ui.enabled(IDC_LOGGING_FILE));
        ui.click(IDC_LOGGING_ENABLE);
        EXPECT_TRUE(ui.enabled(IDC_LOGGING_SAVE));
        EXPECT_TRUE(ui.enabled(IDC_LOGGING_FILE));
        ui.click(IDC_LOGGING_SAVE);
        EXPECT_TRUE(ui.enabled(IDC_LOGGING_SAVE));
        EXPECT_FALSE(ui.enabled(IDC_LOGGING_FILE));
        // The page's own controls do not mark the sheet changed.
        EXPECT_FALSE(ui.applyEnabled());
        ui.click(IDC_LOGGING_ENABLE);
        ui.ok();
    });
    // With the log switched off the named file is still made.
    EXPECT_EQ(0u, Stored(kLoggingKey, "Enable"));
    EXPECT_EQ(0u, Stored(kLoggingKey, "Save"));
    EXPECT_EQ(file, StoredFile());
    EXPECT_EQ(0u, FileSize(file));
}

TEST_F(SharingTest, FieldIsLimitedTo255Characters)
{
    std::string name = InFolder("");
    name += std::string(300 - name.size(), 'x');
    Run([&](zt::Ui &ui) {
        ui.selectPage(1);
        ui.type(IDC_LOGGING_FILE, "");
        ui.focus(IDC_LOGGING_FILE);
        ui.chars(ui.item(IDC_LOGGING_FILE), name);
        EXPECT_EQ(name.substr(0, 255), ui.text(IDC_LOGGING_FILE));
        ui.cancel();
    });
}

TEST_F(SharingTest, LogFileIsMadeWhenTheFieldOrThePageIsLeft)
{
    enum Leave { kField, kPage };
    struct Case {
        const char *name;
        Leave leave;
    } cases[] = {{"field.txt", kField}, {"page.txt", kPage}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = InFolder(c.name);
        Run([&](zt::Ui &ui) {
            ui.selectPage(1);
            ui.focus(IDC_LOGGING_FILE);
            ui.type(IDC_LOGGING_FILE, file);
            EXPECT_FALSE(FileExists(file));
            if (c.leave == kField)
                ui.focus(IDC_LOGGING_ENABLE);
            else
                ui.selectPage(0);
            EXPECT_EQ(c.leave == kField ? ui.pageAt(1) : ui.pageAt(0), ui.page());
            EXPECT_TRUE(FileExists(file));
            ui.cancel();
        });
        // Cancelled: the file stays, nothing is saved.
        EXPECT_EQ(0u, FileSize(file));
        EXPECT_EQ("<none>", StoredFile());
    }
}

TEST_F(SharingTest, ApplySavesTheFileOnlyWhenItExistsOrCanBeMade)
{
    CreateDirectoryA(InFolder("folder").c_str(), nullptr);
    // An existing file keeps its content.
    HANDLE existing = CreateFileA(InFolder("existing.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, 0, nullptr);
    DWORD written = 0;
    WriteFile(existing, "log", 3, &written, nullptr);
    CloseHandle(existing);

    // A name as long as the field takes: the file made is the one saved.
    std::string longName = InFolder("");
    longName += std::string(255 - longName.size() - 4, 'x') + ".txt";

    const DWORD kNoFile = 0xFFFFFFFF, kFolder = 0xFFFFFFFE;
    struct Case {
        std::string name;
        bool saved;
        DWORD size;  // of the file afterwards
    } cases[] = {
        {InFolder("applied.txt"), true, 0},
        {InFolder("existing.txt"), true, 3},
        {InFolder("folder"), true, kFolder},
        {longName, true, 0},
        {InFolder("missing\\file.txt"), false, kNoFile},
        {"", false, kNoFile},
    };
    // Leaving the page checks the stored name too: keep its file in the folder.
    const std::string oldName = InFolder("old name");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshRegistry();
        zt::SetString(HKEY_LOCAL_MACHINE, kLoggingKey, "File", oldName);
        zt::SetDword(HKEY_LOCAL_MACHINE, kLoggingKey, "Save", 0);
        Run([&](zt::Ui &ui) {
            ui.selectPage(1);
            EXPECT_EQ(oldName, ui.text(IDC_LOGGING_FILE));
            ui.selectPage(0);
            // Changed behind the page's back, so that only the apply
            // looks at the name.
            SetWindowTextA(ui.itemIn(ui.pageAt(1), IDC_LOGGING_FILE), c.name.c_str());
            ui.apply();
            if (c.size != kNoFile)
                EXPECT_TRUE(FileExists(c.name));
            ui.cancel();
        });
        EXPECT_EQ(c.saved ? c.name : oldName, StoredFile());
        EXPECT_EQ(1u, Stored(kLoggingKey, "Enable"));
        EXPECT_EQ(0u, Stored(kLoggingKey, "Save"));
        if (c.size == kFolder)
            EXPECT_TRUE(GetFileAttributesA(c.name.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        else if (!c.name.empty())
            EXPECT_EQ(c.size, FileSize(c.name));
    }
    EXPECT_FALSE(FileExists(longName.substr(0, 251)));
    EXPECT_TRUE(m_boxes->boxes.empty());
}

} // namespace
