// Configuration registry layer.
#include "registry.h"

namespace {

// Room for any key path this layer composes; deeper paths are refused.
const DWORD kPathRoom = 2048;

const char kMachinePrefix[] = "SOFTWARE\\ZORV\\CC\\1.0\\";
const char kUserPrefix[] = "Software\\ZORV\\CC\\1.0\\";
const char kClientRoot[] = "vadediz\\";
const char kUserLeaf[] = "UserMountDefaults";
const char kMachineLeaf[] = "MachineMountDefaults";
const char kAuthentication[] = "Authentication";
const char kBackslash[] = "\\";
const char kServers[] = "Servers";
const char kAutomounter[] = "Automounter";
const char kResourcesLevel[] = "\\Resources";  // below a server or a resource
const char kClientParameters[] = "System\\CurrentControlSet\\Services\\Vadediz\\Parameters";

DWORD Length(const char *text)
{
    DWORD n = 0;
    while (text[n])
        ++n;
    return n;
}

bool Same(const char *a, const char *b)
{
    for (; *a == *b; ++a, ++b)
        if (!*a)
            return true;
    return false;
}

// A bounded text builder: appends until the room is used up and remembers
// when something did not fit.
struct Text {
    char *text;
    DWORD room;
    DWORD length;
    bool overflow;
    Text(char *buffer, DWORD size) : text(buffer), room(size), length(0), overflow(false)
    {
        text[0] = '\0';
    }
    Text &Add(const char *piece)
    {
        for (; *piece; ++piece) {
            if (length + 1 >= room) {
                overflow = true;
                break;
            }
            text[length++] = *piece;
        }
        text[length] = '\0';
        return *this;
    }
    Text &AddPart(const char *piece, DWORD count)
    {
        for (DWORD i = 0; i < count && piece[i]; ++i) {
            if (length + 1 >= room) {
                overflow = true;
                break;
            }
            text[length++] = piece[i];
        }
        text[length] = '\0';
        return *this;
    }
    void Cut(DWORD newLength)
    {
        if (newLength < length) {
            length = newLength;
            text[length] = '\0';
        }
    }
};

const char *RootPrefix(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE)
        return kMachinePrefix;
    if (root == HKEY_CURRENT_USER)
        return kUserPrefix;
    return "";
}

} // namespace

// ---- Key operations ------------------------------------------------------

const char *ComposeConfigPath(HKEY root, const char *path)
{
    static char composed[kPathRoom + sizeof kMachinePrefix];
    Text out(composed, sizeof composed);
    out.Add(RootPrefix(root)).Add(path ? path : "");
    if (out.overflow) {
        composed[0] = '\0';
        return NULL;
    }
    if (out.length && composed[out.length - 1] == '\\')
        out.Cut(out.length - 1);
    return composed;
}

LONG OpenConfigKey(HKEY root, const char *path, HKEY *key)
{
    const char *full = ComposeConfigPath(root, path);
    if (!full)
        return ERROR_FILENAME_EXCED_RANGE;
    return RegOpenKeyExA(root, full, 0, KEY_ALL_ACCESS, key);
}

LONG CreateConfigKey(HKEY root, const char *path, HKEY *key)
{
    const char *full = ComposeConfigPath(root, path);
    if (!full)
        return ERROR_FILENAME_EXCED_RANGE;
    return CreateKeyAsGiven(root, full, key);
}

LONG CreateKeyAsGiven(HKEY root, const char *path, HKEY *key)
{
    DWORD disposition;
    return RegCreateKeyExA(root, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                           key, &disposition);
}

LONG DeleteConfigKey(HKEY root, const char *path)
{
    const char *full = ComposeConfigPath(root, path);
    if (!full)
        return ERROR_FILENAME_EXCED_RANGE;
    return RegDeleteKeyA(root, full);
}

LONG CloseConfigKey(HKEY key) { return RegCloseKey(key); }

LONG DeleteConfigValue(HKEY key, const char *name) { return RegDeleteValueA(key, name); }

LONG EnumConfigSubkey(HKEY key, DWORD index, char *name, DWORD size)
{
    FILETIME written;
    return RegEnumKeyExA(key, index, name, &size, NULL, NULL, NULL, &written);
}

LONG EnumConfigValue(HKEY key, DWORD index, char *name, DWORD *nameLength, DWORD *type)
{
    return RegEnumValueA(key, index, name, nameLength, NULL, type, NULL, NULL);
}

// ---- Typed values ----------------------------------------------------------

static BOOL ReadTyped(HKEY key, const char *name, DWORD wanted, char *buffer, DWORD *size)
{
    if (!buffer || !size || !*size)
        return FALSE;
    DWORD room = *size;
    DWORD type = REG_NONE;
    DWORD bytes = room;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE *>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != wanted || bytes > room)
        return FALSE;
    // Make sure the text (or the list, with its closing empty text) ends
    // inside the buffer, whatever the stored data held.
    DWORD needed = wanted == REG_MULTI_SZ ? 2 : 1;
    DWORD nuls = 0;
    while (nuls < needed && nuls < bytes && buffer[bytes - 1 - nuls] == '\0')
        ++nuls;
    if (wanted == REG_MULTI_SZ && bytes == 1 && buffer[0] == '\0')
        nuls = needed;  // the empty list
    while (nuls < needed) {
        if (bytes >= room)
            return FALSE;
        buffer[bytes++] = '\0';
        ++nuls;
        if (wanted == REG_MULTI_SZ && bytes == 1)
            break;  // nothing stored: the empty list
    }
    *size = bytes;
    return TRUE;
}

BOOL ReadSzValue(HKEY key, const char *name, char *buffer, DWORD *size)
{
    return ReadTyped(key, name, REG_SZ, buffer, size);
}

BOOL ReadMultiSzValue(HKEY key, const char *name, char *buffer, DWORD *size)
{
    return ReadTyped(key, name, REG_MULTI_SZ, buffer, size);
}

BOOL ReadDwordValue(HKEY key, const char *name, DWORD *value)
{
    DWORD data = 0;
    DWORD type = REG_NONE;
    DWORD bytes = sizeof data;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE *>(&data), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || bytes > sizeof data)
        return FALSE;
    *value = data;
    return TRUE;
}

BOOL WriteSzValue(HKEY key, const char *name, const char *text)
{
    if (!text)
        text = "";
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                          Length(text) + 1) == ERROR_SUCCESS;
}

BOOL WriteDwordValue(HKEY key, const char *name, DWORD value)
{
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

BOOL WriteMultiSzValue(HKEY key, const char *name, const char *list)
{
    static const char empty[2] = {0, 0};
    if (!list)
        list = empty;
    DWORD size = 0;
    while (list[size])
        size += Length(list + size) + 1;
    size += 1;
    return RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE *>(list),
                          size) == ERROR_SUCCESS;
}

// ---- Path builders -----------------------------------------------------------

const char *NfsClientRoot() { return kClientRoot; }

static char mountDefaultsPath[64];

const char *UserMountDefaultsPath()
{
    Text(mountDefaultsPath, sizeof mountDefaultsPath).Add(kClientRoot).Add(kUserLeaf);
    return mountDefaultsPath;
}

const char *MachineMountDefaultsPath()
{
    Text(mountDefaultsPath, sizeof mountDefaultsPath).Add(kClientRoot).Add(kMachineLeaf);
    return mountDefaultsPath;
}

const char *AuthenticationServersPath()
{
    static char path[64];
    Text(path, sizeof path).Add(kClientRoot).Add(kAuthentication).Add(kBackslash).Add(kServers);
    return path;
}

const char *AutomounterPath()
{
    static char path[64];
    Text(path, sizeof path).Add(kClientRoot).Add(kAutomounter);
    return path;
}

LONG OpenClientParametersKey(HKEY *key)
{
    return CreateKeyAsGiven(HKEY_LOCAL_MACHINE, kClientParameters, key);
}

// ---- Built-in defaults ---------------------------------------------------------

const NumberDefault BuiltInNumberDefaults[] = {
    {"ReadOnly", 0},
    {"LockingSharing", 0},
    {"RSize", 32768},
    {"WSize", 32768},
    {"AttrCacheOff", 0},
    {"AttrCacheDirMax", 60},
    {"AttrCacheDirMin", 30},
    {"AttrCacheRegMax", 60},
    {"AttrCacheRegMin", 3},
    {"ArchiveBit", 1},
    {"CaseSensitive", 0},
    {"PreferredCaseIsUpper", 0},
    {"CaseForce", 0},
    {"UseBsdGroupSemantics", 0},
    {"UMask", 18},  // octal 022
    {"Timeout", 0},
    {"BackoffMultiplier", 4},
    {"Retries", 5},
    {"NfsPort", 0},
    {NULL, 0},
};

const StringDefault BuiltInStringDefaults[] = {
    {"ShortNameMappingCharacter", "~"},
    {"Transport", ""},
    {NULL, NULL},
};

DWORD BuiltInNumberDefault(const char *name)
{
    for (const NumberDefault *row = BuiltInNumberDefaults; row->name; ++row)
        if (name && Same(row->name, name))
            return row->value;
    return 0;
}

const char *BuiltInStringDefault(const char *name)
{
    for (const StringDefault *row = BuiltInStringDefaults; row->name; ++row)
        if (name && Same(row->name, name))
            return row->text;
    return NULL;
}

// ---- Inheritance ---------------------------------------------------------------

const char *ParentKeyPath(const char *path)
{
    static char parent[kPathRoom];
    if (!path)
        return NULL;
    DWORD rootLength = Length(kClientRoot);
    for (DWORD i = 0; i < rootLength; ++i)
        if (path[i] != kClientRoot[i])
            return NULL;
    const char *rest = path + rootLength;
    DWORD length = Length(rest);
    if (length && rest[length - 1] == '\\')
        --length;  // one trailing backslash, as the composed paths drop it
    // Components of rest: c1 \ ... \ cn \ leaf.
    DWORD separators = 0;
    DWORD second = 0, last = 0;  // positions of the second and the last backslash
    for (DWORD i = 0; i < length; ++i) {
        if (rest[i] != '\\')
            continue;
        ++separators;
        if (separators == 2)
            second = i;
        last = i;
    }
    DWORD n = separators;  // components between the root and the leaf
    if (n < 2)
        return NULL;  // top level, or a shape no key of ours has
    Text out(parent, sizeof parent);
    out.Add(kClientRoot);
    if (n >= 3)
        out.AddPart(rest, second + 1);  // c1\c2\ of the same server
    out.AddPart(rest + last + 1, length - last - 1);
    return out.overflow ? NULL : parent;
}

// Copies the parent of path into destination; false when there is none.
static bool CopyParent(const char *path, char *destination, DWORD size)
{
    const char *parent = ParentKeyPath(path);
    if (!parent)
        return false;
    Text out(destination, size);
    out.Add(parent);
    return !out.overflow;
}

DWORD InheritedNumber(HKEY root, const char *path, const char *name)
{
    char parent[kPathRoom];
    if (!CopyParent(path, parent, sizeof parent))
        return BuiltInNumberDefault(name);
    HKEY key;
    if (OpenConfigKey(root, parent, &key) != ERROR_SUCCESS)
        return InheritedNumber(root, parent, name);
    DWORD value;
    if (!ReadDwordValue(key, name, &value))
        value = InheritedNumber(root, parent, name);
    CloseConfigKey(key);
    return value;
}

static char inheritedText[256];

const char *InheritedString(HKEY root, const char *path, const char *name, DWORD size)
{
    if (size > sizeof inheritedText)
        size = sizeof inheritedText;
    char parent[kPathRoom];
    if (!CopyParent(path, parent, sizeof parent)) {
        const char *text = BuiltInStringDefault(name);
        if (!text)
            return NULL;
        Text(inheritedText, sizeof inheritedText).Add(text);
        return inheritedText;
    }
    HKEY key;
    if (OpenConfigKey(root, parent, &key) != ERROR_SUCCESS)
        return InheritedString(root, parent, name, size);
    DWORD bytes = size;
    const char *result = inheritedText;
    if (!ReadSzValue(key, name, inheritedText, &bytes))
        result = InheritedString(root, parent, name, size);
    CloseConfigKey(key);
    return result;
}

// ---- Pruning -------------------------------------------------------------------

namespace {

const DWORD kDeletionListRoom = 1000;

// Collects the names of redundant values of the key at path and deletes
// them after the enumeration. When more names are found than the list
// holds, the key is enumerated again after the deletions (the deleted
// values are gone, so the rest come next), until a round finds no more or
// deletes nothing.
void PruneValues(HKEY root, const char *path, HKEY key)
{
    for (;;) {
        char list[kDeletionListRoom];
        DWORD used = 0;
        bool full = false;
        for (DWORD index = 0;; ++index) {
            char name[256];
            DWORD nameLength = sizeof name;
            DWORD type;
            LONG status = EnumConfigValue(key, index, name, &nameLength, &type);
            if (status == ERROR_MORE_DATA)
                continue;  // a name longer than any of ours: kept
            if (status != ERROR_SUCCESS)
                break;
            bool redundant = false;
            if (type == REG_DWORD) {
                DWORD value;
                redundant = ReadDwordValue(key, name, &value) &&
                            value == InheritedNumber(root, path, name);
            } else if (type == REG_SZ) {
                char text[256];
                DWORD bytes = sizeof text;
                if (ReadSzValue(key, name, text, &bytes)) {
                    const char *inherited = InheritedString(root, path, name, 4);
                    redundant = inherited && Same(text, inherited);
                }
            }
            if (!redundant)
                continue;
            DWORD length = Length(name);
            if (used + length + 1 + 1 > sizeof list) {
                full = true;  // left for the next round
                continue;
            }
            lstrcpynA(list + used, name, length + 1);
            used += length + 1;
        }
        list[used] = '\0';
        bool deleted = false;
        for (const char *name = list; *name; name += Length(name) + 1)
            if (DeleteConfigValue(key, name) == ERROR_SUCCESS)
                deleted = true;
        if (!full || !deleted)
            return;
    }
}

void Prune(HKEY root, const char *base, const char *leaf)
{
    char path[kPathRoom];
    Text k(path, sizeof path);
    k.Add(base);
    if (!k.length || path[k.length - 1] != '\\')
        k.Add(kBackslash);
    k.Add(leaf);
    if (k.overflow)
        return;
    HKEY key;
    if (OpenConfigKey(root, path, &key) != ERROR_SUCCESS)
        return;
    PruneValues(root, path, key);
    DWORD values = 1;
    if (RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL,
                         NULL) != ERROR_SUCCESS)
        values = 1;
    CloseConfigKey(key);
    if (values == 0)
        DeleteConfigKey(root, path);
}

// One path buffer for the whole walk: each level appends to it and cuts it
// back, so the recursion's frames stay small however deep the tree is.
void Walk(HKEY root, Text &path, const char *sub, const char *leaf)
{
    DWORD baseLength = path.length;
    path.Add(sub);
    HKEY key;
    if (!path.overflow && OpenConfigKey(root, path.text, &key) == ERROR_SUCCESS) {
        DWORD pathLength = path.length;
        for (DWORD index = 0;; ++index) {
            char name[256];
            LONG status = EnumConfigSubkey(key, index, name, sizeof name);
            if (status == ERROR_MORE_DATA)
                continue;
            if (status != ERROR_SUCCESS)
                break;
            path.Add(kBackslash).Add(name);
            if (!path.overflow)
                Walk(root, path, kResourcesLevel, leaf);
            path.overflow = false;
            path.Cut(pathLength);
        }
        CloseConfigKey(key);
    }
    path.overflow = false;
    path.Cut(baseLength);
    Prune(root, path.text, leaf);
}

} // namespace

void PruneRedundantValues()
{
    static const char *const leaves[] = {kMachineLeaf, kUserLeaf};
    for (const char *leaf : leaves) {
        char buffer[kPathRoom];
        Text path(buffer, sizeof buffer);
        path.Add(kClientRoot);
        Walk(HKEY_CURRENT_USER, path, kServers, leaf);
    }
}
