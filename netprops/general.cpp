// The General page of the NFS client sheet, and what concerns the whole
// sheet: the shared SheetState, the Defaults button on the sheet frame and
// the sheet-wide part of applying.
#include "bindings.h"
#include "contexthelp.h"
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

SheetState *CurrentSheetState;

BOOL NotePageOpened(HWND page, PageField pageField, PendingField pendingField)
{
    if (!CurrentSheetState)
        return FALSE;
    CurrentSheetState->*pageField = page;
    return CurrentSheetState->*pendingField;
}

HWND PageToShowDefaults(PageField pageField, PendingField pendingField)
{
    if (!CurrentSheetState)
        return NULL;
    HWND page = CurrentSheetState->*pageField;
    if (!page)
        CurrentSheetState->*pendingField = TRUE;
    return page;
}

namespace {

HWND g_page;              // the page window, recorded on every message
WNDPROC g_previousFrameProc;

const char *const kMappingCharacters[] = {"~", "!", "@", "#", "%", "^", "&", "(", ")", "{", "}"};
const char *const kTransferSizes[] = {"512", "1024", "2048", "4096", "8192", "16384", "32768"};

void FillList(int id, const char *const *entries, int count, const char *selected)
{
    for (int i = 0; i < count; ++i)
        ComboAdd(g_page, id, entries[i]);
    ComboSelect(g_page, id, ComboFind(g_page, id, selected));
}

// Loads (save false) or saves the page's values; false when a key cannot
// be opened.
BOOL GeneralTransfer(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    BindCheckBox(g_page, IDC_GENERAL_READ_ONLY, key, "ReadOnly",
                 InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), "ReadOnly"), save);
    BindCheckBox(g_page, IDC_GENERAL_LOCKING, key, "LockingSharing",
                 InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), "LockingSharing"), save);
    const char *mapping = InheritedString(HKEY_CURRENT_USER, UserMountDefaultsPath(),
                                          "ShortNameMappingCharacter", 256);
    char mappingDefault[256];
    lstrcpynA(mappingDefault, mapping ? mapping : "", sizeof mappingDefault);
    BindComboText(g_page, IDC_GENERAL_MAPPING, key, "ShortNameMappingCharacter", mappingDefault, save);
    CloseConfigKey(key);

    if (CreateConfigKey(HKEY_CURRENT_USER, MachineMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return FALSE;
    BindComboNumber(g_page, IDC_GENERAL_READ_SIZE, key, "RSize",
                    InheritedNumber(HKEY_CURRENT_USER, MachineMountDefaultsPath(), "RSize"), save);
    BindComboNumber(g_page, IDC_GENERAL_WRITE_SIZE, key, "WSize",
                    InheritedNumber(HKEY_CURRENT_USER, MachineMountDefaultsPath(), "WSize"), save);
    CloseConfigKey(key);
    return TRUE;
}

// The inherited defaults into the controls; nothing is written.
void GeneralShowDefaults()
{
    CheckDlgButton(g_page, IDC_GENERAL_READ_ONLY,
                   InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), "ReadOnly")
                       ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(g_page, IDC_GENERAL_LOCKING,
                   InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), "LockingSharing")
                       ? BST_CHECKED : BST_UNCHECKED);
    const char *mapping = InheritedString(HKEY_CURRENT_USER, UserMountDefaultsPath(),
                                          "ShortNameMappingCharacter", 256);
    ComboSelectOrSetText(g_page, IDC_GENERAL_MAPPING, mapping ? mapping : "");
    ComboShowNumber(g_page, IDC_GENERAL_READ_SIZE,
                    InheritedNumber(HKEY_CURRENT_USER, MachineMountDefaultsPath(), "RSize"));
    ComboShowNumber(g_page, IDC_GENERAL_WRITE_SIZE,
                    InheritedNumber(HKEY_CURRENT_USER, MachineMountDefaultsPath(), "WSize"));
}

void CreateDefaultsButton(HWND frame)
{
    RECT ok;
    GetWindowRect(GetDlgItem(frame, IDOK), &ok);
    POINT topLeft = {ok.left, ok.top};
    POINT bottomRight = {ok.right, ok.bottom};
    ScreenToClient(frame, &topLeft);
    ScreenToClient(frame, &bottomRight);
    char text[256];
    const char *caption = LoadFormattedString(text, IDS_DEFAULTS_BUTTON);
    HWND button = CreateWindowExA(0, "BUTTON", caption ? caption : "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  5, topLeft.y, 127, bottomRight.y - topLeft.y, frame,
                                  reinterpret_cast<HMENU>(IDC_DEFAULTS), ModuleInstance, NULL);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(g_page, WM_GETFONT, 0, 0));
    if (font)
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void RestoreAllDefaults()
{
    g_page = CurrentSheetState->generalPage;
    GeneralShowDefaults();
    AdvancedShowDefaults();
    CachingShowDefaults();
    FilesFoldersShowDefaults();
    SecurityShowDefaults();
    TuningShowDefaults();
}

LRESULT CALLBACK SheetFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HELP:
        if (CurrentSheetState &&
            ForwardHelpRequest(CurrentSheetState->generalPage, IDC_DEFAULTS, message, wParam,
                               reinterpret_cast<HELPINFO *>(lParam)))
            return TRUE;
        break;
    case WM_DESTROY:
        HeapFree(GetProcessHeap(), 0, CurrentSheetState);
        CurrentSheetState = NULL;
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == GetDlgItem(frame, IDC_DEFAULTS) && CurrentSheetState) {
            SendMessageA(CurrentSheetState->generalPage, message, wParam, lParam);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_DEFAULTS && CurrentSheetState) {
            RestoreAllDefaults();
            return TRUE;
        }
        break;
    }
    return CallWindowProcA(g_previousFrameProc, frame, message, wParam, lParam);
}

void GeneralInit(HWND page)
{
    HWND frame = GetParent(page);
    CreateDefaultsButton(frame);
    g_previousFrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(frame, GWL_WNDPROC, reinterpret_cast<LONG>(SheetFrameProc)));
    CurrentSheetState = static_cast<SheetState *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SheetState)));
    if (CurrentSheetState)
        CurrentSheetState->generalPage = page;
    FillList(IDC_GENERAL_MAPPING, kMappingCharacters, 11, "~");
    FillList(IDC_GENERAL_READ_SIZE, kTransferSizes, 7, "32768");
    FillList(IDC_GENERAL_WRITE_SIZE, kTransferSizes, 7, "32768");
    GeneralTransfer(FALSE);
}

void GeneralApply()
{
    GeneralTransfer(TRUE);
    AdvancedWriteDefaults();
    CachingWriteDefaults();
    FilesFoldersWriteDefaults();
    SecurityWriteDefaults();
    TuningWriteDefaults();
    PruneRedundantValues();
}

INT_PTR GeneralNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY))
        GeneralApply();
    return 0;
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {GeneralNotify, GeneralInit, NULL};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddGeneralPage()
{
    AddPage(IDD_GENERAL, GeneralPageProc);
}
