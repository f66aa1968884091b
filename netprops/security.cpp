// The Security page of the NFS client sheet: the permission mask of new
// files and folders, and how the client finds an authentication server.
#include "contexthelp.h"
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;                 // the page window, recorded on every message

// Room for the server list as stored, and for the server field's text.
const DWORD kServerBufferSize = 4094;
char g_serverList[kServerBufferSize];

const DWORD kDefaultMask = 18; // octal 022

// One box per permission bit; box 2000 + i clears bit 256 >> i.
const int kFirstMaskBox = IDC_SECURITY_USER_READ;
const int kLastMaskBox = IDC_SECURITY_OTHER_EXECUTE;

void ShowMask(HWND page, DWORD mask)
{
    DWORD bit = 1;
    for (int id = kLastMaskBox; id >= kFirstMaskBox; --id, bit <<= 1)
        CheckDlgButton(page, id, (mask & bit) ? BST_UNCHECKED : BST_CHECKED);
}

DWORD ReadMaskBoxes(HWND page)
{
    DWORD mask = 0;
    DWORD bit = 1;
    for (int id = kLastMaskBox; id >= kFirstMaskBox; --id, bit <<= 1)
        if (IsDlgButtonChecked(page, id) != BST_CHECKED)
            mask |= bit;
    return mask;
}

void SelectBroadcast(HWND page, BOOL broadcast)
{
    CheckRadioButton(page, IDC_SECURITY_BROADCAST, IDC_SECURITY_SPECIFIC_SERVER,
                     broadcast ? IDC_SECURITY_BROADCAST : IDC_SECURITY_SPECIFIC_SERVER);
}

void SecurityEnableControls(HWND page)
{
    BOOL specific = IsDlgButtonChecked(page, IDC_SECURITY_SPECIFIC_SERVER) == BST_CHECKED;
    EnableControl(page, IDC_SECURITY_SERVER_LABEL, specific);
    EnableControl(page, IDC_SECURITY_SERVER, specific);
    MarkPageChanged(page);
}

void TransferMask(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return;
    if (save) {
        WriteDwordValue(key, "UMask", ReadMaskBoxes(g_page));
    } else {
        DWORD mask;
        if (!ReadDwordValue(key, "UMask", &mask))
            mask = InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), "UMask");
        ShowMask(g_page, mask);
    }
    CloseConfigKey(key);
}

BOOL IsServerSeparator(char c)
{
    return c == ',' || c == ';' || c == ' ';
}

// The server field's text cut into a list of entries at every run of
// separators. list must hold the text's length plus two bytes.
void SplitServers(const char *text, char *list)
{
    char *out = list;
    const char *p = text;
    while (*p) {
        while (*p && IsServerSeparator(*p))
            ++p;
        if (!*p)
            break;
        while (*p && !IsServerSeparator(*p))
            *out++ = *p++;
        *out++ = '\0';
    }
    *out++ = '\0';
    if (out == list + 1)
        *out = '\0'; // the empty list, kept double-terminated for the writer
}

void LoadServers(HKEY key)
{
    DWORD size = sizeof g_serverList;
    if (!ReadMultiSzValue(key, "Hosts", g_serverList, &size)) {
        g_serverList[0] = '*';
        g_serverList[1] = '\0';
        g_serverList[2] = '\0';
    }
    if (lstrcmpA(g_serverList, "*") == 0) {
        SelectBroadcast(g_page, TRUE);
        return;
    }
    // Joined with single commas, the text is never longer than the list.
    static char joined[kServerBufferSize];
    char *out = joined;
    for (const char *entry = g_serverList; *entry; entry += lstrlenA(entry) + 1) {
        if (out != joined)
            *out++ = ',';
        for (const char *c = entry; *c; ++c)
            *out++ = *c;
    }
    *out = '\0';
    SelectBroadcast(g_page, FALSE);
    SetItemText(g_page, IDC_SECURITY_SERVER, joined);
}

void SaveServers(HKEY key)
{
    if (IsDlgButtonChecked(g_page, IDC_SECURITY_BROADCAST) == BST_CHECKED) {
        WriteMultiSzValue(key, "Hosts", "*\0");
        return;
    }
    char *text = static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, 2 * (kServerBufferSize + 2)));
    if (!text)
        return;
    char *list = text + kServerBufferSize + 2;
    if (!GetItemText(g_page, IDC_SECURITY_SERVER, text, kServerBufferSize))
        text[0] = '\0';
    text[kServerBufferSize - 1] = '\0';
    SplitServers(text, list);
    WriteMultiSzValue(key, "Hosts", list);
    HeapFree(GetProcessHeap(), 0, text);
}

void TransferServers(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, AuthenticationServersPath(), &key) != ERROR_SUCCESS)
        return;
    if (save)
        SaveServers(key);
    else
        LoadServers(key);
    CloseConfigKey(key);
}

void SecurityTransfer(BOOL save)
{
    TransferMask(save);
    TransferServers(save);
}

void SecurityInit(HWND page)
{
    BOOL defaultsPending = NotePageOpened(page, &SheetState::securityPage, &SheetState::securityDefaultsPending);
    SecurityTransfer(FALSE);
    if (defaultsPending)
        SecurityShowDefaults();
    SecurityEnableControls(page);
}

INT_PTR SecurityNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        SecurityTransfer(TRUE);
    return 0;
}

BOOL SecurityCommand(HWND page, WORD id, WORD, HWND)
{
    if (id != IDC_SECURITY_BROADCAST && id != IDC_SECURITY_SPECIFIC_SERVER)
        return FALSE;
    SecurityEnableControls(page);
    return TRUE;
}

INT_PTR CALLBACK SecurityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {SecurityNotify, SecurityInit, SecurityCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddSecurityPage()
{
    AddPage(IDD_SECURITY, SecurityPageProc);
}

void SecurityShowDefaults()
{
    HWND page = PageToShowDefaults(&SheetState::securityPage, &SheetState::securityDefaultsPending);
    if (!page)
        return;
    SelectBroadcast(page, TRUE);
    ShowMask(page, kDefaultMask);
    SecurityEnableControls(page);
    CurrentSheetState->securityDefaultsPending = FALSE;
}

void SecurityWriteDefaults()
{
    if (!CurrentSheetState || !CurrentSheetState->securityDefaultsPending)
        return;
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) == ERROR_SUCCESS) {
        WriteDwordValue(key, "UMask", kDefaultMask);
        CloseConfigKey(key);
    }
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, AuthenticationServersPath(), &key) == ERROR_SUCCESS) {
        WriteMultiSzValue(key, "Hosts", "*\0");
        CloseConfigKey(key);
    }
}
