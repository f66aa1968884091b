// The Advanced page of the NFS client sheet: transport, protocol version
// and how a server's NFS port is found. The page moves its values itself,
// without the control bindings, and reports no failed write.
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

// Stored Transport texts by button position from IDC_ADVANCED_TRANSPORT_AUTO.
const char *const kTransports[] = {"", "tcp", "udp"};
// Stored NfsVersion numbers by button position from IDC_ADVANCED_VERSION_AUTO.
const DWORD kVersions[] = {0, 3, 2};

// Exact comparison: letter case counts.
bool SameText(const char *a, const char *b)
{
    for (; *a && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// Selects one button of the run first..last, clearing the others.
void SelectRadio(HWND page, int first, int last, int id)
{
    CheckRadioButton(page, first, last, id);
}

void AdvancedEnableControls(HWND page)
{
    BOOL specific = IsDlgButtonChecked(page, IDC_ADVANCED_SPECIFIC_PORT) == BST_CHECKED;
    EnableControl(page, IDC_ADVANCED_PORT_LABEL, specific);
    EnableControl(page, IDC_ADVANCED_PORT, specific);
    MarkPageChanged(page);
}

void TransferTransport(HKEY key, BOOL save)
{
    if (save) {
        int index = CheckedRadioIndex(g_page, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_UDP_ONLY);
        WriteSzValue(key, "Transport", kTransports[index]);
        return;
    }
    char text[10];
    DWORD size = sizeof text;
    if (!ReadSzValue(key, "Transport", text, &size))
        text[0] = '\0';
    int shown = 0;
    for (int i = 1; i < 3; ++i)
        if (SameText(text, kTransports[i]))
            shown = i;
    SelectRadio(g_page, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_UDP_ONLY,
                IDC_ADVANCED_TRANSPORT_AUTO + shown);
}

void TransferVersion(HKEY key, BOOL save)
{
    if (save) {
        int index = CheckedRadioIndex(g_page, IDC_ADVANCED_VERSION_AUTO, IDC_ADVANCED_V2_ONLY);
        WriteDwordValue(key, "NfsVersion", kVersions[index]);
        return;
    }
    DWORD version;
    if (!ReadDwordValue(key, "NfsVersion", &version))
        version = 0;
    int shown = 0;
    for (int i = 1; i < 3; ++i)
        if (version == kVersions[i])
            shown = i;
    SelectRadio(g_page, IDC_ADVANCED_VERSION_AUTO, IDC_ADVANCED_V2_ONLY,
                IDC_ADVANCED_VERSION_AUTO + shown);
}

void TransferPort(HKEY key, BOOL save)
{
    if (save) {
        char text[256];
        DWORD port = 0;
        if (GetItemText(g_page, IDC_ADVANCED_PORT, text, sizeof text) && IsNumericText(text))
            port = ParseNumber(text);
        if (IsDlgButtonChecked(g_page, IDC_ADVANCED_PORTMAPPER) == BST_CHECKED)
            port = 0;
        WriteDwordValue(key, "NfsPort", port);
        return;
    }
    DWORD port;
    if (!ReadDwordValue(key, "NfsPort", &port))
        port = 0;
    char text[16];
    SetItemText(g_page, IDC_ADVANCED_PORT, FormatNumber(text, port));
    SelectRadio(g_page, IDC_ADVANCED_PORTMAPPER, IDC_ADVANCED_SPECIFIC_PORT,
                port ? IDC_ADVANCED_SPECIFIC_PORT : IDC_ADVANCED_PORTMAPPER);
}

// Loads (save false) or saves the page's values; false when it stopped at
// a key that could not be opened.
BOOL AdvancedTransfer(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, MachineMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    TransferTransport(key, save);
    CloseConfigKey(key);

    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    TransferVersion(key, save);
    CloseConfigKey(key);

    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    TransferPort(key, save);
    CloseConfigKey(key);
    return TRUE;
}

void AdvancedInit(HWND page)
{
    BOOL defaultsPending = NotePageOpened(page, &SheetState::advancedPage, &SheetState::advancedDefaultsPending);
    AdvancedTransfer(FALSE);
    if (defaultsPending)
        AdvancedShowDefaults();
    AdvancedEnableControls(page);
}

INT_PTR AdvancedNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        AdvancedTransfer(TRUE);
    return 0;
}

BOOL AdvancedCommand(HWND page, WORD id, WORD, HWND)
{
    if (id != IDC_ADVANCED_PORTMAPPER && id != IDC_ADVANCED_SPECIFIC_PORT)
        return FALSE;
    AdvancedEnableControls(page);
    return TRUE;
}

INT_PTR CALLBACK AdvancedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {AdvancedNotify, AdvancedInit, AdvancedCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddAdvancedPage()
{
    AddPage(IDD_ADVANCED, AdvancedPageProc);
}

void AdvancedShowDefaults()
{
    HWND page = PageToShowDefaults(&SheetState::advancedPage, &SheetState::advancedDefaultsPending);
    if (!page)
        return;
    SelectRadio(page, IDC_ADVANCED_TRANSPORT_AUTO, IDC_ADVANCED_UDP_ONLY, IDC_ADVANCED_TRANSPORT_AUTO);
    SelectRadio(page, IDC_ADVANCED_VERSION_AUTO, IDC_ADVANCED_V2_ONLY, IDC_ADVANCED_VERSION_AUTO);
    SetItemText(page, IDC_ADVANCED_PORT, "0");
    SelectRadio(page, IDC_ADVANCED_PORTMAPPER, IDC_ADVANCED_SPECIFIC_PORT, IDC_ADVANCED_PORTMAPPER);
    AdvancedEnableControls(page);
    CurrentSheetState->advancedDefaultsPending = FALSE;
}

void AdvancedWriteDefaults()
{
    if (!CurrentSheetState || !CurrentSheetState->advancedDefaultsPending)
        return;
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, MachineMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteSzValue(key, "Transport", "");
        CloseConfigKey(key);
    }
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "NfsVersion", 0);
        WriteDwordValue(key, "NfsPort", 0);
        CloseConfigKey(key);
    }
}
