// The configuration registry layer against the real registry: key paths,
// strict typed reads, writes, mount-defaults inheritance and the pruning
// pass, including hostile registry contents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "registry.h"

namespace {

const std::string kUserRoot = "Software\\ZORV\\CC\\1.0\\";
const std::string kClient = kUserRoot + "vadediz\\";
const HKEY kUser = HKEY_CURRENT_USER;

class RegistryTest : public ::testing::Test {
protected:
    // An open key below the current user's product root, created.
    HKEY Key(const char *path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, CreateConfigKey(kUser, path, &key)) << path;
        keys.push_back(key);
        return key;
    }
    void SetRaw(HKEY key, const char *name, DWORD type, const void *data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size));
    }
    void TearDown() override
    {
        for (HKEY key : keys)
            RegCloseKey(key);
    }
    std::vector<HKEY> keys;
    zt::RegistrySandbox sandbox;
};

TEST(ConfigPath, PrefixesAndTrailingBackslash)
{
    struct Case {
        HKEY root;
        const char *path;
        const char *composed;
    } cases[] = {
        {HKEY_CURRENT_USER, "vadediz\\", "Software\\ZORV\\CC\\1.0\\vadediz"},
        {HKEY_LOCAL_MACHINE, "zorvnfsd", "SOFTWARE\\ZORV\\CC\\1.0\\zorvnfsd"},
        {HKEY_LOCAL_MACHINE, "", "SOFTWARE\\ZORV\\CC\\1.0"},
        {HKEY_CLASSES_ROOT, "a\\b\\", "a\\b"},
        {HKEY_CLASSES_ROOT, "a\\\\", "a\\"},  // one backslash only
        {HKEY_USERS, "", ""},
    };
    for (const Case &c : cases) {
        const char *composed = ComposeConfigPath(c.root, c.path);
        ASSERT_TRUE(composed) << c.path;
        EXPECT_STREQ(c.composed, composed) << c.path;
    }
}

TEST(ConfigPath, BuildersAndParents)
{
    EXPECT_STREQ("vadediz\\", NfsClientRoot());
    EXPECT_STREQ("vadediz\\UserMountDefaults", UserMountDefaultsPath());
    EXPECT_STREQ("vadediz\\MachineMountDefaults", MachineMountDefaultsPath());
    EXPECT_STREQ("vadediz\\Authentication\\Servers", AuthenticationServersPath());
    EXPECT_STREQ("vadediz\\Automounter", AutomounterPath());

    struct Case {
        const char *path;
        const char *parent;  // null: none
    } cases[] = {
        {"vadediz\\UserMountDefaults", nullptr},
        {"vadediz\\Servers\\alpha\\UserMountDefaults", "vadediz\\UserMountDefaults"},
        {"vadediz\\Servers\\alpha\\Resources\\export1\\MachineMountDefaults",
         "vadediz\\Servers\\alpha\\MachineMountDefaults"},
        {"vadediz\\Servers\\alpha\\Resources\\e1\\Resources\\e2\\UserMountDefaults",
         "vadediz\\Servers\\alpha\\UserMountDefaults"},
        {"vadediz\\Servers\\alpha\\UserMountDefaults\\", "vadediz\\UserMountDefaults"},
        {"vadediz\\Servers\\UserMountDefaults", nullptr},
        {"other\\Servers\\alpha\\UserMountDefaults", nullptr},
        {"", nullptr},
    };
    for (const Case &c : cases) {
        const char *parent = ParentKeyPath(c.path);
        if (c.parent) {
            ASSERT_TRUE(parent) << c.path;
            EXPECT_STREQ(c.parent, parent) << c.path;
        } else {
            EXPECT_EQ(nullptr, parent) << c.path;
        }
    }
}

TEST_F(RegistryTest, KeyOperationsUseTheProductRoots)
{
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, OpenConfigKey(kUser, "vadediz\\Automounter", &key));
    EXPECT_FALSE(zt::KeyExists(kUser, kClient + "Automounter"));  // opening creates nothing

    ASSERT_EQ(ERROR_SUCCESS, CreateConfigKey(kUser, AutomounterPath(), &key));
    EXPECT_TRUE(WriteDwordValue(key, "IdleTime", 7));
    EXPECT_EQ(ERROR_SUCCESS, CloseConfigKey(key));
    DWORD value = 0;
    EXPECT_TRUE(zt::GetDword(kUser, kClient + "Automounter", "IdleTime", &value));
    EXPECT_EQ(7u, value);

    ASSERT_EQ(ERROR_SUCCESS, CreateConfigKey(HKEY_LOCAL_MACHINE, "zorvnfsd\\", &key));
    CloseConfigKey(key);
    EXPECT_TRUE(zt::KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\ZORV\\CC\\1.0\\zorvnfsd"));

    ASSERT_EQ(ERROR_SUCCESS, OpenClientParametersKey(&key));
    CloseConfigKey(key);
    EXPECT_TRUE(zt::KeyExists(HKEY_LOCAL_MACHINE,
                              "System\\CurrentControlSet\\Services\\Vadediz\\Parameters"));

    ASSERT_EQ(ERROR_SUCCESS, OpenConfigKey(kUser, "vadediz", &key));
    char name[256];
    ASSERT_EQ(ERROR_SUCCESS, EnumConfigSubkey(key, 0, name, sizeof name));
    EXPECT_STREQ("Automounter", name);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumConfigSubkey(key, 1, name, sizeof name));
    CloseConfigKey(key);

    ASSERT_EQ(ERROR_SUCCESS, OpenConfigKey(kUser, "vadediz\\Automounter", &key));
    DWORD length = sizeof name, type = 0;
    ASSERT_EQ(ERROR_SUCCESS, EnumConfigValue(key, 0, name, &length, &type));
    EXPECT_STREQ("IdleTime", name);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(ERROR_SUCCESS, DeleteConfigValue(key, "IdleTime"));
    EXPECT_NE(ERROR_SUCCESS, DeleteConfigValue(key, "IdleTime"));
    CloseConfigKey(key);
    EXPECT_EQ(ERROR_SUCCESS, DeleteConfigKey(kUser, "vadediz\\Automounter\\"));
    EXPECT_FALSE(zt::KeyExists(kUser, kClient + "Automounter"));

    // A path too long for the layer is refused before the registry sees it.
    std::string huge(5000, 'x');
    EXPECT_EQ(nullptr, ComposeConfigPath(kUser, huge.c_str()));
    EXPECT_NE(ERROR_SUCCESS, CreateConfigKey(kUser, huge.c_str(), &key));
}

TEST_F(RegistryTest, ReadsInsistOnTypeAndSize)
{
    HKEY key = Key("vadediz\\Types");
    DWORD four = 4;
    SetRaw(key, "Binary4", REG_BINARY, &four, 4);
    SetRaw(key, "Expand", REG_EXPAND_SZ, "abc", 4);
    SetRaw(key, "Text", REG_SZ, "abc", 4);
    SetRaw(key, "List", REG_MULTI_SZ, "a\0b\0", 5);
    unsigned long long eight = 1;
    SetRaw(key, "Dword8", REG_DWORD, &eight, 8);
    SetRaw(key, "Dword", REG_DWORD, &four, 4);

    DWORD value = 99;
    EXPECT_FALSE(ReadDwordValue(key, "Binary4", &value));
    EXPECT_FALSE(ReadDwordValue(key, "Dword8", &value));
    EXPECT_FALSE(ReadDwordValue(key, "Text", &value));
    EXPECT_FALSE(ReadDwordValue(key, "Missing", &value));
    EXPECT_EQ(99u, value);
    EXPECT_TRUE(ReadDwordValue(key, "Dword", &value));
    EXPECT_EQ(4u, value);

    char text[16];
    DWORD size = sizeof text;
    EXPECT_FALSE(ReadSzValue(key, "Expand", text, &size));
    size = sizeof text;
    EXPECT_FALSE(ReadSzValue(key, "List", text, &size));
    size = 3;  // "abc" and its terminator need 4
    EXPECT_FALSE(ReadSzValue(key, "Text", text, &size));
    size = 4;
    EXPECT_TRUE(ReadSzValue(key, "Text", text, &size));
    EXPECT_STREQ("abc", text);
    size = sizeof text;
    EXPECT_FALSE(ReadMultiSzValue(key, "Text", text, &size));
    size = sizeof text;
    ASSERT_TRUE(ReadMultiSzValue(key, "List", text, &size));
    EXPECT_EQ(std::string("a\0b\0\0", 5), std::string(text, 5));
}

TEST_F(RegistryTest, UnterminatedTextsComeBackTerminatedOrNotAtAll)
{
    HKEY key = Key("vadediz\\Raw");
    SetRaw(key, "Bare", REG_SZ, "abcd", 4);          // no terminator stored
    SetRaw(key, "BareList", REG_MULTI_SZ, "ab\0cd", 5);  // no closing terminators
    SetRaw(key, "Empty", REG_SZ, "", 0);
    SetRaw(key, "EmptyList", REG_MULTI_SZ, "", 0);

    struct Case {
        const char *name;
        bool list;
        DWORD room;
        bool usable;
        std::string expected;  // the buffer's first bytes when usable
    } cases[] = {
        {"Bare", false, 4, false, ""},  // the text fills the buffer: no room to end it
        {"Bare", false, 5, true, std::string("abcd\0", 5)},
        {"BareList", true, 5, false, ""},
        {"BareList", true, 6, false, ""},
        {"BareList", true, 7, true, std::string("ab\0cd\0\0", 7)},
        {"Empty", false, 1, true, std::string("\0", 1)},
        {"EmptyList", true, 1, true, std::string("\0", 1)},
    };
    for (const Case &c : cases) {
        char buffer[32];
        memset(buffer, '#', sizeof buffer);
        DWORD size = c.room;
        BOOL ok = c.list ? ReadMultiSzValue(key, c.name, buffer, &size)
                         : ReadSzValue(key, c.name, buffer, &size);
        EXPECT_EQ(c.usable, ok != FALSE) << c.name << " in " << c.room;
        if (c.usable && ok)
            EXPECT_EQ(c.expected, std::string(buffer, c.expected.size())) << c.name;
        for (size_t i = c.room; i < sizeof buffer; ++i)
            ASSERT_EQ('#', buffer[i]) << c.name << ": byte " << i << " written";
    }
}

TEST_F(RegistryTest, WritesStoreTheirTerminators)
{
    HKEY key = Key("vadediz\\Writes");
    struct Case {
        const char *name;
        std::string list;  // with its closing empty text
        DWORD size;
    } cases[] = {
        {"Star", std::string("*\0", 2), 3},
        {"Empty", std::string("\0", 1), 1},
        {"Two", std::string("ab\0c\0\0", 6), 6},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(WriteMultiSzValue(key, c.name, c.list.data()));
        std::string data;
        DWORD type = 0;
        ASSERT_TRUE(zt::GetRaw(kUser, kClient + "Writes", c.name, &data, &type));
        EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
        EXPECT_EQ(c.size, data.size()) << c.name;
    }
    ASSERT_TRUE(WriteSzValue(key, "Text", "udp"));
    ASSERT_TRUE(WriteSzValue(key, "Blank", ""));
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(zt::GetRaw(kUser, kClient + "Writes", "Text", &data, &type));
    EXPECT_EQ(std::string("udp\0", 4), data);
    ASSERT_TRUE(zt::GetRaw(kUser, kClient + "Writes", "Blank", &data, &type));
    EXPECT_EQ(1u, data.size());
}

TEST_F(RegistryTest, NumbersInheritAlongResourceServerTopAndBuiltIns)
{
    const char *top = "vadediz\\UserMountDefaults";
    const char *server = "vadediz\\Servers\\alpha\\UserMountDefaults";
    const char *resource = "vadediz\\Servers\\alpha\\Resources\\export1\\UserMountDefaults";
    const char *deeper =
        "vadediz\\Servers\\alpha\\Resources\\export1\\Resources\\sub\\UserMountDefaults";

    // Nothing stored: the built-in table, 0 for an unlisted name.
    EXPECT_EQ(5u, InheritedNumber(kUser, resource, "Retries"));
    EXPECT_EQ(0u, InheritedNumber(kUser, top, "NfsVersion"));
    EXPECT_EQ(32768u, InheritedNumber(kUser, top, "RSize"));
    EXPECT_EQ(0u, InheritedNumber(kUser, top, "retries"));  // names match exactly

    HKEY topKey = Key(top);
    WriteDwordValue(topKey, "UMask", 99);
    WriteDwordValue(topKey, "Retries", 7);
    EXPECT_EQ(18u, InheritedNumber(kUser, top, "UMask"));  // the top level sees only the table
    EXPECT_EQ(7u, InheritedNumber(kUser, server, "Retries"));
    EXPECT_EQ(7u, InheritedNumber(kUser, resource, "Retries"));  // alpha's key is missing

    HKEY serverKey = Key(server);
    WriteDwordValue(serverKey, "Retries", 9);
    SetRaw(serverKey, "RSize", REG_BINARY, "\0\x20\0\0", 4);  // wrong type: passed over
    EXPECT_EQ(9u, InheritedNumber(kUser, resource, "Retries"));
    EXPECT_EQ(9u, InheritedNumber(kUser, deeper, "Retries"));
    EXPECT_EQ(7u, InheritedNumber(kUser, server, "Retries"));
    EXPECT_EQ(32768u, InheritedNumber(kUser, resource, "RSize"));

    // The Machine family inherits within itself.
    EXPECT_EQ(5u, InheritedNumber(kUser, "vadediz\\Servers\\alpha\\MachineMountDefaults", "Retries"));
}

TEST_F(RegistryTest, TextsInheritAndTooLongCountsAsMissing)
{
    const char *server = "vadediz\\Servers\\alpha\\UserMountDefaults";
    const char *resource = "vadediz\\Servers\\alpha\\Resources\\e\\UserMountDefaults";
    const char *inherited = InheritedString(kUser, resource, "ShortNameMappingCharacter", 256);
    ASSERT_TRUE(inherited);
    EXPECT_STREQ("~", inherited);
    inherited = InheritedString(kUser, "vadediz\\MachineMountDefaults", "Transport", 256);
    ASSERT_TRUE(inherited);
    EXPECT_STREQ("", inherited);
    EXPECT_EQ(nullptr, InheritedString(kUser, resource, "Comment", 256));

    WriteSzValue(Key("vadediz\\UserMountDefaults"), "ShortNameMappingCharacter", "!");
    HKEY serverKey = Key(server);
    WriteSzValue(serverKey, "ShortNameMappingCharacter", "long text");
    EXPECT_STREQ("long text", InheritedString(kUser, resource, "ShortNameMappingCharacter", 256));
    // With room for 3 characters alpha's text is missing: the top level answers.
    EXPECT_STREQ("!", InheritedString(kUser, resource, "ShortNameMappingCharacter", 4));
    // A huge size is held to the 256-byte result.
    std::string big(400, 'b');
    WriteSzValue(serverKey, "Comment", big.c_str());
    EXPECT_EQ(nullptr, InheritedString(kUser, resource, "Comment", 100000));
}

class PruneTest : public RegistryTest {
protected:
    std::vector<std::string> Values(const std::string &path)
    {
        return zt::ValueNames(kUser, kClient + path);
    }
    bool Exists(const std::string &path) { return zt::KeyExists(kUser, kClient + path); }
};

TEST_F(PruneTest, TopLevelValuesEqualToTheTableGoWithTheirKey)
{
    HKEY user = Key("vadediz\\UserMountDefaults");
    WriteDwordValue(user, "ReadOnly", 0);
    WriteDwordValue(user, "UMask", 18);
    HKEY machine = Key("vadediz\\MachineMountDefaults");
    WriteDwordValue(machine, "RSize", 8192);
    WriteDwordValue(machine, "WSize", 32768);
    WriteSzValue(machine, "Transport", "");
    RegCloseKey(user);
    RegCloseKey(machine);
    keys.clear();

    PruneRedundantValues();
    EXPECT_FALSE(Exists("UserMountDefaults"));
    EXPECT_EQ(std::vector<std::string>{"RSize"}, Values("MachineMountDefaults"));
}

TEST_F(PruneTest, TextsBinariesAndOtherTypes)
{
    HKEY user = Key("vadediz\\UserMountDefaults");
    WriteSzValue(user, "ShortNameMappingCharacter", "~");
    HKEY server = Key("vadediz\\Servers\\alpha\\UserMountDefaults");
    WriteSzValue(server, "ShortNameMappingCharacter", "!");
    HKEY other = Key("vadediz\\Servers\\beta\\UserMountDefaults");
    SetRaw(other, "ReadOnly", REG_BINARY, "\0\0\0\0", 4);
    SetRaw(other, "Transport", REG_EXPAND_SZ, "", 1);
    SetRaw(other, "UMask", REG_DWORD, "\x12\0\0\0\0\0\0\0", 8);  // too large for a number
    std::string huge(100000, 'h');
    SetRaw(other, "Huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
    SetRaw(other, "Retries", REG_DWORD, "\x05\0\0\0", 4);  // equals the table: goes
    for (HKEY key : keys)
        RegCloseKey(key);
    keys.clear();

    PruneRedundantValues();
    EXPECT_FALSE(Exists("UserMountDefaults"));
    EXPECT_EQ(std::vector<std::string>{"ShortNameMappingCharacter"},
              Values("Servers\\alpha\\UserMountDefaults"));
    std::vector<std::string> kept = Values("Servers\\beta\\UserMountDefaults");
    EXPECT_EQ(4u, kept.size());
    EXPECT_FALSE(zt::ValueExists(kUser, kClient + "Servers\\beta\\UserMountDefaults", "Retries"));
}

TEST_F(PruneTest, EachLevelAgainstWhatItInherits)
{
    HKEY top = Key("vadediz\\UserMountDefaults");
    WriteDwordValue(top, "Retries", 7);
    HKEY alpha = Key("vadediz\\Servers\\alpha\\UserMountDefaults");
    WriteDwordValue(alpha, "Retries", 7);      // equals the top level: goes
    WriteDwordValue(alpha, "ReadOnly", 0);     // top lacks it, equals the table: goes
    WriteDwordValue(alpha, "ArchiveBit", 0);   // differs from the table: stays
    HKEY export1 = Key("vadediz\\Servers\\alpha\\Resources\\export1\\UserMountDefaults");
    WriteDwordValue(export1, "ArchiveBit", 0);  // equals alpha's: goes
    WriteDwordValue(export1, "Retries", 5);     // alpha inherits 7: stays
    HKEY deep = Key("vadediz\\Servers\\alpha\\Resources\\export1\\Resources\\d\\UserMountDefaults");
    WriteDwordValue(deep, "ArchiveBit", 0);     // inherits from alpha too: goes
    HKEY beta = Key("vadediz\\Servers\\beta\\UserMountDefaults");
    WriteDwordValue(beta, "Retries", 5);        // top says 7: stays
    for (HKEY key : keys)
        RegCloseKey(key);
    keys.clear();

    PruneRedundantValues();
    EXPECT_EQ(std::vector<std::string>{"Retries"}, Values("UserMountDefaults"));
    EXPECT_EQ(std::vector<std::string>{"ArchiveBit"}, Values("Servers\\alpha\\UserMountDefaults"));
    EXPECT_EQ(std::vector<std::string>{"Retries"},
              Values("Servers\\alpha\\Resources\\export1\\UserMountDefaults"));
    EXPECT_FALSE(Exists("Servers\\alpha\\Resources\\export1\\Resources\\d\\UserMountDefaults"));
    EXPECT_TRUE(Exists("Servers\\alpha\\Resources\\export1\\Resources\\d"));
    EXPECT_EQ(std::vector<std::string>{"Retries"}, Values("Servers\\beta\\UserMountDefaults"));
}

TEST_F(PruneTest, MoreRedundantNamesThanTheListHolds)
{
    HKEY key = Key("vadediz\\Servers\\alpha\\MachineMountDefaults");
    // 300 names of 24 characters: several times what one round collects.
    for (int i = 0; i < 300; ++i) {
        char name[32];
        wsprintfA(name, "RedundantNumberValue%04d", i);
        WriteDwordValue(key, name, 0);
    }
    WriteDwordValue(key, "RSize", 4096);
    RegCloseKey(key);
    keys.clear();

    PruneRedundantValues();
    EXPECT_EQ(std::vector<std::string>{"RSize"}, Values("Servers\\alpha\\MachineMountDefaults"));
}

TEST_F(PruneTest, HostileTreesAreWalkedWithoutHarm)
{
    // Many servers, each with one redundant value.
    const int kServers = 1500;
    for (int i = 0; i < kServers; ++i) {
        char path[64];
        wsprintfA(path, "vadediz\\Servers\\s%04d\\UserMountDefaults", i);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, CreateConfigKey(kUser, path, &key));
        WriteDwordValue(key, "Retries", 5);
        RegCloseKey(key);
    }
    // Names of the largest length the registry allows (255 characters on
    // Windows; find what this registry takes).
    std::string server(255, 'S');
    HKEY key = nullptr;
    while (CreateConfigKey(kUser, ("vadediz\\Servers\\" + server + "\\UserMountDefaults").c_str(),
                           &key) != ERROR_SUCCESS) {
        ASSERT_GT(server.size(), 200u);
        server.pop_back();
    }
    keys.push_back(key);
    std::string longValue(255, 'V');
    WriteDwordValue(key, longValue.c_str(), 0);
    std::string overlong(400, 'A');  // a value name longer than any of ours is passed over
    WriteDwordValue(key, overlong.c_str(), 0);
    WriteDwordValue(key, "ReadOnly", 0);
    // A deep chain of resources, built one level at a time.
    HKEY level = Key("vadediz\\Servers\\deep");
    for (int i = 0; i < 250; ++i) {
        HKEY next = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(level, "Resources\\r", 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &next, nullptr));
        if (i == 2) {
            HKEY leaf = nullptr;
            RegCreateKeyExA(next, "UserMountDefaults", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &leaf, nullptr);
            WriteDwordValue(leaf, "Retries", 5);
            RegCloseKey(leaf);
        }
        keys.push_back(next);
        level = next;
    }
    for (HKEY k : keys)
        RegCloseKey(k);
    keys.clear();

    PruneRedundantValues();
    EXPECT_FALSE(Exists("Servers\\s0000\\UserMountDefaults"));
    EXPECT_FALSE(Exists("Servers\\s1499\\UserMountDefaults"));
    EXPECT_EQ(std::vector<std::string>{overlong},
              Values("Servers\\" + server + "\\UserMountDefaults"));
    EXPECT_FALSE(Exists("Servers\\deep\\Resources\\r\\Resources\\r\\Resources\\r\\UserMountDefaults"));
    EXPECT_TRUE(Exists("Servers\\deep\\Resources\\r\\Resources\\r\\Resources\\r"));
}

} // namespace
