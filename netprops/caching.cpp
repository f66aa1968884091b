// The Caching page of the NFS client sheet: the attribute cache, the data
// cache and the file name cache.
#include "bindings.h"
#include "contexthelp.h"
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page; // the page window, recorded on every message

const char *const kSeconds[] = {"1", "5", "10", "20", "30", "40", "50", "60"};
const char *const kCacheSizes[] = {"256", "512", "1024", "2048", "4096"};
const char *const kMappings[] = {"0", "256", "1024"};

// Defaults of the service-key values, fixed here.
const DWORD kDefaultCacheSize = 0;
const DWORD kDefaultDataCache = 1;
const DWORD kDefaultMappings = 256;

// The attribute cache values; their defaults are inherited.
const char kAttrCacheOff[] = "AttrCacheOff";
const char kDirMin[] = "AttrCacheDirMin";
const char kDirMax[] = "AttrCacheDirMax";
const char kRegMin[] = "AttrCacheRegMin";
const char kRegMax[] = "AttrCacheRegMax";

DWORD AttributeDefault(const char *name)
{
    return InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), name);
}

void FillList(int id, const char *const *entries, int count)
{
    for (int i = 0; i < count; ++i)
        ComboAdd(g_page, id, entries[i]);
}

void FillLists()
{
    for (int id = IDC_CACHING_FOLDER_MIN; id <= IDC_CACHING_FILE_MAX; ++id)
        FillList(id, kSeconds, sizeof kSeconds / sizeof kSeconds[0]);
    ComboAddResourceString(g_page, IDC_CACHING_CACHE_SIZE, IDS_AUTOMATIC);
    FillList(IDC_CACHING_CACHE_SIZE, kCacheSizes, sizeof kCacheSizes / sizeof kCacheSizes[0]);
    FillList(IDC_CACHING_MAPPINGS, kMappings, sizeof kMappings / sizeof kMappings[0]);
}

void CachingEnableControls(HWND page)
{
    static const int attributeControls[] = {
        IDC_CACHING_FOLDER_LABEL, IDC_CACHING_FILE_LABEL, IDC_CACHING_MINIMUM_LABEL,
        IDC_CACHING_MAXIMUM_LABEL, IDC_CACHING_FOLDER_MIN, IDC_CACHING_FOLDER_MAX,
        IDC_CACHING_FILE_MIN, IDC_CACHING_FILE_MAX};
    BOOL attributes = IsDlgButtonChecked(page, IDC_CACHING_ATTRIBUTE_CACHE) == BST_CHECKED;
    for (int id : attributeControls)
        EnableControl(page, id, attributes);
    BOOL data = IsDlgButtonChecked(page, IDC_CACHING_DATA_CACHE) == BST_CHECKED;
    EnableControl(page, IDC_CACHING_CACHE_SIZE, data);
    EnableControl(page, IDC_CACHING_CACHE_SIZE_LABEL, data);
    EnableControl(page, IDC_CACHING_MAPPINGS_LABEL, TRUE);
    EnableControl(page, IDC_CACHING_NAME_CACHE_TEXT, TRUE);
    EnableControl(page, IDC_CACHING_MAPPINGS, TRUE);
    MarkPageChanged(page);
}

// A minimum and maximum pair: loaded as it stands; saved only when both
// boxes hold numbers and the maximum is not below the minimum, and then
// each value only when it is within its box's range.
void TransferPair(HKEY key, int minimumId, const char *minimumName, int maximumId,
                  const char *maximumName, BOOL save)
{
    if (save) {
        DWORD minimum, maximum;
        if (!ComboCurrentNumber(g_page, minimumId, &minimum) ||
            !ComboCurrentNumber(g_page, maximumId, &maximum) || maximum < minimum)
            return;
    }
    BindComboNumber(g_page, minimumId, key, minimumName, AttributeDefault(minimumName), save);
    BindComboNumber(g_page, maximumId, key, maximumName, AttributeDefault(maximumName), save);
}

void CachingTransfer(BOOL save)
{
    HKEY key;
    if (OpenClientParametersKey(&key) != ERROR_SUCCESS)
        return;
    BindComboNumber(g_page, IDC_CACHING_CACHE_SIZE, key, "CacheSizeK", kDefaultCacheSize, save);
    BindCheckBox(g_page, IDC_CACHING_DATA_CACHE, key, "EnableDataCache", kDefaultDataCache, save);
    BindComboNumber(g_page, IDC_CACHING_MAPPINGS, key, "NumMappedNames", kDefaultMappings, save);
    CloseConfigKey(key);

    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return;
    BindInvertedCheckBox(g_page, IDC_CACHING_ATTRIBUTE_CACHE, key, kAttrCacheOff,
                         AttributeDefault(kAttrCacheOff), save);
    TransferPair(key, IDC_CACHING_FOLDER_MIN, kDirMin, IDC_CACHING_FOLDER_MAX, kDirMax, save);
    TransferPair(key, IDC_CACHING_FILE_MIN, kRegMin, IDC_CACHING_FILE_MAX, kRegMax, save);
    CloseConfigKey(key);
}

void CachingInit(HWND page)
{
    BOOL defaultsPending = NotePageOpened(page, &SheetState::cachingPage, &SheetState::cachingDefaultsPending);
    FillLists();
    CachingTransfer(FALSE);
    if (defaultsPending)
        CachingShowDefaults();
    CachingEnableControls(page);
}

INT_PTR CachingNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        CachingTransfer(TRUE);
    return 0;
}

// Only a click of one of the two boxes (the whole command word is the id).
BOOL CachingCommand(HWND page, WORD id, WORD code, HWND)
{
    if (code != 0 || (id != IDC_CACHING_ATTRIBUTE_CACHE && id != IDC_CACHING_DATA_CACHE))
        return FALSE;
    CachingEnableControls(page);
    return TRUE;
}

INT_PTR CALLBACK CachingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {CachingNotify, CachingInit, CachingCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddCachingPage()
{
    AddPage(IDD_CACHING, CachingPageProc);
}

void CachingShowDefaults()
{
    HWND page = PageToShowDefaults(&SheetState::cachingPage, &SheetState::cachingDefaultsPending);
    if (!page)
        return;
    ComboShowNumber(page, IDC_CACHING_CACHE_SIZE, kDefaultCacheSize);
    CheckDlgButton(page, IDC_CACHING_ATTRIBUTE_CACHE, BST_CHECKED);
    CheckDlgButton(page, IDC_CACHING_DATA_CACHE, BST_CHECKED);
    ComboShowNumber(page, IDC_CACHING_FOLDER_MIN, BuiltInNumberDefault(kDirMin));
    ComboShowNumber(page, IDC_CACHING_FOLDER_MAX, BuiltInNumberDefault(kDirMax));
    ComboShowNumber(page, IDC_CACHING_FILE_MIN, BuiltInNumberDefault(kRegMin));
    ComboShowNumber(page, IDC_CACHING_FILE_MAX, BuiltInNumberDefault(kRegMax));
    ComboShowNumber(page, IDC_CACHING_MAPPINGS, kDefaultMappings);
    CachingEnableControls(page);
    CurrentSheetState->cachingDefaultsPending = FALSE;
}

void CachingWriteDefaults()
{
    if (!CurrentSheetState || !CurrentSheetState->cachingDefaultsPending)
        return;
    HKEY key;
    if (OpenClientParametersKey(&key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "CacheSizeK", kDefaultCacheSize);
        WriteDwordValue(key, "EnableDataCache", kDefaultDataCache);
        WriteDwordValue(key, "NumMappedNames", kDefaultMappings);
        CloseConfigKey(key);
    }
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, kAttrCacheOff, BuiltInNumberDefault(kAttrCacheOff));
        WriteDwordValue(key, kDirMin, BuiltInNumberDefault(kDirMin));
        WriteDwordValue(key, kDirMax, BuiltInNumberDefault(kDirMax));
        WriteDwordValue(key, kRegMin, BuiltInNumberDefault(kRegMin));
        WriteDwordValue(key, kRegMax, BuiltInNumberDefault(kRegMax));
        CloseConfigKey(key);
    }
}
