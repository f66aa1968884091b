// Configuration registry layer: key paths below the product roots, key and
// value operations with strict type checks, and the inheritance of NFS
// mount defaults with the pass that prunes values repeating what they
// inherit. Nothing here shows anything; results are registry status codes
// (0 for success) or success flags.
#ifndef ZORVPROP_REGISTRY_H
#define ZORVPROP_REGISTRY_H

#include <windows.h>

// ---- Product roots and key operations (status code results) ----
// The root's product prefix followed by path, one trailing backslash
// removed. Static result, overwritten by the next call; null when the
// composed path would not fit (then the key operations fail without
// touching the registry).
const char *ComposeConfigPath(HKEY root, const char *path);
LONG OpenConfigKey(HKEY root, const char *path, HKEY *key);    // does not create
LONG CreateConfigKey(HKEY root, const char *path, HKEY *key);  // creates missing keys
LONG CreateKeyAsGiven(HKEY root, const char *path, HKEY *key); // path used unchanged
LONG DeleteConfigKey(HKEY root, const char *path);
LONG CloseConfigKey(HKEY key);
LONG DeleteConfigValue(HKEY key, const char *name);
// The index-th subkey name into name (size bytes).
LONG EnumConfigSubkey(HKEY key, DWORD index, char *name, DWORD size);
// The index-th value's name (nameLength: in the buffer size, out the name
// length) and type.
LONG EnumConfigValue(HKEY key, DWORD index, char *name, DWORD *nameLength, DWORD *type);

// ---- Typed values (success flag results) ----
// A text comes back terminated within the buffer; stored data without its
// terminator that leaves no room for one counts as not usable. size: in
// the buffer size in bytes, out the bytes of the text with its terminator.
BOOL ReadSzValue(HKEY key, const char *name, char *buffer, DWORD *size);
// Likewise for a list of terminated texts ended by an empty one; the list
// always comes back ending in its empty text within the buffer.
BOOL ReadMultiSzValue(HKEY key, const char *name, char *buffer, DWORD *size);
BOOL ReadDwordValue(HKEY key, const char *name, DWORD *value);
BOOL WriteSzValue(HKEY key, const char *name, const char *text);
BOOL WriteDwordValue(HKEY key, const char *name, DWORD value);
BOOL WriteMultiSzValue(HKEY key, const char *name, const char *list);

// ---- Path builders (static results) ----
const char *NfsClientRoot();              // "vadediz\"
// These two share one buffer: build the path again right before each use.
const char *UserMountDefaultsPath();      // vadediz\UserMountDefaults
const char *MachineMountDefaultsPath();   // vadediz\MachineMountDefaults
const char *AuthenticationServersPath();  // vadediz\Authentication\Servers
const char *AutomounterPath();            // vadediz\Automounter
// HKEY_LOCAL_MACHINE System\CurrentControlSet\Services\Vadediz\Parameters,
// created when missing.
LONG OpenClientParametersKey(HKEY *key);

// ---- Built-in defaults of the top-level mount-defaults keys ----
struct NumberDefault {
    const char *name;
    DWORD value;
};
struct StringDefault {
    const char *name;
    const char *text;
};
// Both tables end with a row whose name is null. Names match exactly.
extern const NumberDefault BuiltInNumberDefaults[];
extern const StringDefault BuiltInStringDefaults[];
DWORD BuiltInNumberDefault(const char *name);       // 0 when unlisted
const char *BuiltInStringDefault(const char *name); // null when unlisted

// ---- Inheritance and pruning ----
// The mount-defaults key path that path inherits from, or null for a
// top-level key or a path of another shape. Static result.
const char *ParentKeyPath(const char *path);
// What the mount-defaults key at path inherits for name.
DWORD InheritedNumber(HKEY root, const char *path, const char *name);
// Likewise for texts, each level read with room for size bytes (at most
// 256). Static 256-byte result, overwritten by the next call; null when
// nothing is inherited.
const char *InheritedString(HKEY root, const char *path, const char *name, DWORD size);
// Deletes, below the current user's root, every mount-defaults value equal
// to what it would inherit, and every mount-defaults key left without values.
void PruneRedundantValues();

#endif
