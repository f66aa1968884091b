// The Tuning page of the NFS client sheet: retransmissions, asynchronous
// readahead and the automounter's idle time-out. The time-out and backoff
// controls are never shown, but their values are still loaded, reset and
// saved.
#include "bindings.h"
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

// Fixed in this page; the others come from the mount-defaults inheritance.
const DWORD kReadaheadDefault = 1;
const DWORD kIdleTimeDefault = 300;
const LONG kBackoffMinimum = 1, kBackoffMaximum = 50;
const LONG kIdleTimeMinimum = 120, kIdleTimeMaximum = 1800;

DWORD MachineDefault(const char *name)
{
    return InheritedNumber(HKEY_CURRENT_USER, MachineMountDefaultsPath(), name);
}

DWORD UserDefault(const char *name)
{
    return InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), name);
}

void FillLists()
{
    ComboAddResourceString(g_page, IDC_TUNING_TIMEOUT, IDS_AUTOMATIC);
    ComboAdd(g_page, IDC_TUNING_TIMEOUT, "5");
    ComboAdd(g_page, IDC_TUNING_TIMEOUT, "15");
    ComboAdd(g_page, IDC_TUNING_TIMEOUT, "30");
    ComboAdd(g_page, IDC_TUNING_TIMEOUT, "60");
    ComboAdd(g_page, IDC_TUNING_RETRIES, "1");
    ComboAdd(g_page, IDC_TUNING_RETRIES, "5");
    ComboAdd(g_page, IDC_TUNING_RETRIES, "10");
    ComboAddResourceString(g_page, IDC_TUNING_RETRIES, IDS_FOREVER);
}

// Loads (save false) or saves the page's values, key by key; stops at the
// first key that cannot be opened.
BOOL TuningTransfer(BOOL save)
{
    HKEY key;
    DWORD timeoutDefault = MachineDefault("Timeout");
    DWORD backoffDefault = MachineDefault("BackoffMultiplier");
    if (CreateConfigKey(HKEY_CURRENT_USER, MachineMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    BindComboNumber(g_page, IDC_TUNING_TIMEOUT, key, "Timeout", timeoutDefault, save);
    BindEditNumber(g_page, IDC_TUNING_BACKOFF, key, "BackoffMultiplier", backoffDefault, save,
                   kBackoffMinimum, kBackoffMaximum);
    CloseConfigKey(key);

    DWORD retriesDefault = UserDefault("Retries");
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    BindComboNumber(g_page, IDC_TUNING_RETRIES, key, "Retries", retriesDefault, save);
    CloseConfigKey(key);

    if (OpenClientParametersKey(&key) != ERROR_SUCCESS)
        return FALSE;
    BindCheckBox(g_page, IDC_TUNING_READAHEAD, key, "AsynchReadahead", kReadaheadDefault, save);
    CloseConfigKey(key);

    if (CreateConfigKey(HKEY_LOCAL_MACHINE, AutomounterPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    BindEditNumber(g_page, IDC_TUNING_IDLE_TIMEOUT, key, "IdleTime", kIdleTimeDefault, save,
                   kIdleTimeMinimum, kIdleTimeMaximum);
    CloseConfigKey(key);
    return TRUE;
}

void TuningInit(HWND page)
{
    BOOL defaultsPending = NotePageOpened(page, &SheetState::tuningPage, &SheetState::tuningDefaultsPending);
    FillLists();
    TuningTransfer(FALSE);
    if (defaultsPending)
        TuningShowDefaults();
}

INT_PTR TuningNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        TuningTransfer(TRUE);
    return 0;
}

INT_PTR CALLBACK TuningPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {TuningNotify, TuningInit, NULL};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddTuningPage()
{
    AddPage(IDD_TUNING, TuningPageProc);
}

void TuningShowDefaults()
{
    HWND page = PageToShowDefaults(&SheetState::tuningPage, &SheetState::tuningDefaultsPending);
    if (!page)
        return;
    char text[16];
    ComboShowNumber(page, IDC_TUNING_TIMEOUT, MachineDefault("Timeout"));
    SetItemText(page, IDC_TUNING_BACKOFF, FormatNumber(text, MachineDefault("BackoffMultiplier")));
    CheckDlgButton(page, IDC_TUNING_READAHEAD, kReadaheadDefault ? BST_CHECKED : BST_UNCHECKED);
    ComboShowNumber(page, IDC_TUNING_RETRIES, UserDefault("Retries"));
    SetItemText(page, IDC_TUNING_IDLE_TIMEOUT, FormatNumber(text, kIdleTimeDefault));
    CurrentSheetState->tuningDefaultsPending = FALSE;
}

void TuningWriteDefaults()
{
    if (!CurrentSheetState || !CurrentSheetState->tuningDefaultsPending)
        return;
    HKEY key;
    DWORD timeoutDefault = MachineDefault("Timeout");
    DWORD backoffDefault = MachineDefault("BackoffMultiplier");
    if (CreateConfigKey(HKEY_CURRENT_USER, MachineMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "Timeout", timeoutDefault);
        WriteDwordValue(key, "BackoffMultiplier", backoffDefault);
        CloseConfigKey(key);
    }
    DWORD retriesDefault = UserDefault("Retries");
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "Retries", retriesDefault);
        CloseConfigKey(key);
    }
    if (OpenClientParametersKey(&key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "AsynchReadahead", kReadaheadDefault);
        CloseConfigKey(key);
    }
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, AutomounterPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "IdleTime", kIdleTimeDefault);
        CloseConfigKey(key);
    }
}
