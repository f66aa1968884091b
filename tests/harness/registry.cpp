// Registry sandbox and helpers.
#include "harness.h"

#include <gtest/gtest.h>

namespace zt {

namespace {

typedef LONG(WINAPI *OverrideFunction)(HKEY, HKEY);
typedef LONG(WINAPI *DeleteTreeFunction)(HKEY, LPCSTR);

OverrideFunction Override()
{
    static OverrideFunction f = reinterpret_cast<OverrideFunction>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey"));
    return f;
}

DeleteTreeFunction DeleteTree()
{
    static DeleteTreeFunction f = reinterpret_cast<DeleteTreeFunction>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA"));
    return f;
}

const char kSandboxRoot[] = "Software\\ZorvTestSandbox";

HKEY OpenPath(HKEY root, const std::string &path, bool create)
{
    HKEY key = nullptr;
    LONG status = create
        ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        : RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

} // namespace

RegistrySandbox::RegistrySandbox()
{
    static int serial;
    char name[64];
    wsprintfA(name, "%s\\%lu-%d", kSandboxRoot, GetCurrentProcessId(), ++serial);
    m_path = name;
    // Created in the real current-user hive, before any redirection.
    m_user = OpenPath(HKEY_CURRENT_USER, m_path + "\\User", true);
    m_machine = OpenPath(HKEY_CURRENT_USER, m_path + "\\Machine", true);
    if (!m_user || !m_machine || !Override()) {
        ADD_FAILURE() << "registry sandbox could not be made";
        return;
    }
    Override()(HKEY_CURRENT_USER, m_user);
    Override()(HKEY_LOCAL_MACHINE, m_machine);
}

RegistrySandbox::~RegistrySandbox()
{
    if (Override()) {
        Override()(HKEY_CURRENT_USER, nullptr);
        Override()(HKEY_LOCAL_MACHINE, nullptr);
    }
    if (m_user)
        RegCloseKey(m_user);
    if (m_machine)
        RegCloseKey(m_machine);
    if (DeleteTree())
        DeleteTree()(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
}

void CreateKey(HKEY root, const std::string &path)
{
    HKEY key = OpenPath(root, path, true);
    ASSERT_TRUE(key != nullptr) << path;
    RegCloseKey(key);
}

static void SetRaw(HKEY root, const std::string &path, const char *name, DWORD type,
                   const void *data, DWORD size)
{
    HKEY key = OpenPath(root, path, true);
    ASSERT_TRUE(key != nullptr) << path;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size));
    RegCloseKey(key);
}

void SetDword(HKEY root, const std::string &path, const char *name, DWORD value)
{
    SetRaw(root, path, name, REG_DWORD, &value, sizeof value);
}

void SetString(HKEY root, const std::string &path, const char *name, const std::string &value,
               DWORD type)
{
    SetRaw(root, path, name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SetBinary(HKEY root, const std::string &path, const char *name, const void *data, DWORD size)
{
    SetRaw(root, path, name, REG_BINARY, data, size);
}

bool KeyExists(HKEY root, const std::string &path)
{
    HKEY key = OpenPath(root, path, false);
    if (key)
        RegCloseKey(key);
    return key != nullptr;
}

bool GetRaw(HKEY root, const std::string &path, const char *name, std::string *data, DWORD *type)
{
    HKEY key = OpenPath(root, path, false);
    if (!key)
        return false;
    DWORD size = 0;
    DWORD t = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &t, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        std::string buffer(size, '\0');
        status = RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE *>(&buffer[0]), &size);
        buffer.resize(size);
        if (data)
            *data = buffer;
        if (type)
            *type = t;
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::string &path, const char *name)
{
    return GetRaw(root, path, name, nullptr, nullptr);
}

bool GetDword(HKEY root, const std::string &path, const char *name, DWORD *value)
{
    std::string data;
    DWORD type;
    if (!GetRaw(root, path, name, &data, &type) || type != REG_DWORD || data.size() != 4)
        return false;
    memcpy(value, data.data(), 4);
    return true;
}

bool GetString(HKEY root, const std::string &path, const char *name, std::string *value)
{
    std::string data;
    DWORD type;
    if (!GetRaw(root, path, name, &data, &type) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    *value = data;
    return true;
}

namespace {

// The names of a key's values or of its subkeys, in index order.
std::vector<std::string> EnumeratedNames(HKEY root, const std::string &path, bool values)
{
    std::vector<std::string> names;
    HKEY key = OpenPath(root, path, false);
    if (!key)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD length = sizeof name;
        LONG status = values ? RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                             : RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    RegCloseKey(key);
    return names;
}

} // namespace

std::vector<std::string> ValueNames(HKEY root, const std::string &path)
{
    return EnumeratedNames(root, path, true);
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string &path)
{
    return EnumeratedNames(root, path, false);
}

} // namespace zt
