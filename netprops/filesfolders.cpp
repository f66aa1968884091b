// The Files and Folders page of the NFS client sheet: archive attribute,
// preferred letter case, case-sensitive lookup and folder group semantics.
#include "bindings.h"
#include "registry.h"
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

DWORD UserDefault(const char *name)
{
    return InheritedNumber(HKEY_CURRENT_USER, UserMountDefaultsPath(), name);
}

// Case-sensitive lookup goes with forcing names into the preferred case:
// without it the box is cleared and disabled.
void FilesFoldersEnableControls(HWND page)
{
    BOOL forced = IsDlgButtonChecked(page, IDC_FILES_FOLDERS_PREFERRED_CASE) == BST_CHECKED;
    if (!forced)
        CheckDlgButton(page, IDC_FILES_FOLDERS_CASE_SENSITIVE, BST_UNCHECKED);
    EnableControl(page, IDC_FILES_FOLDERS_CASE_SENSITIVE, forced);
    MarkPageChanged(page);
}

void FilesFoldersTransfer(BOOL save)
{
    DWORD archive = UserDefault("ArchiveBit");
    DWORD caseSensitive = UserDefault("CaseSensitive");
    DWORD upper = UserDefault("PreferredCaseIsUpper");
    DWORD force = UserDefault("CaseForce");
    DWORD bsd = UserDefault("UseBsdGroupSemantics");
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return;
    BindCheckBox(g_page, IDC_FILES_FOLDERS_ARCHIVE, key, "ArchiveBit", archive, save);
    BindCheckBox(g_page, IDC_FILES_FOLDERS_CASE_SENSITIVE, key, "CaseSensitive", caseSensitive, save);
    BindRadioGroup(g_page, IDC_FILES_FOLDERS_LOWERCASE, IDC_FILES_FOLDERS_UPPERCASE, key,
                   "PreferredCaseIsUpper", upper, save);
    BindCheckBox(g_page, IDC_FILES_FOLDERS_PREFERRED_CASE, key, "CaseForce", force, save);
    BindRadioGroup(g_page, IDC_FILES_FOLDERS_SYSTEM_V, IDC_FILES_FOLDERS_BSD, key,
                   "UseBsdGroupSemantics", bsd, save);
    CloseConfigKey(key);
}

void FilesFoldersInit(HWND page)
{
    BOOL defaultsPending = NotePageOpened(page, &SheetState::filesFoldersPage, &SheetState::filesFoldersDefaultsPending);
    FilesFoldersTransfer(FALSE);
    if (defaultsPending)
        FilesFoldersShowDefaults();
    FilesFoldersEnableControls(page);
}

INT_PTR FilesFoldersNotify(HWND, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY)) {
        FilesFoldersTransfer(TRUE);
        // The pages before this one have saved by now in this apply.
        PruneRedundantValues();
    }
    return 0;
}

BOOL FilesFoldersCommand(HWND page, WORD id, WORD, HWND)
{
    if (id != IDC_FILES_FOLDERS_PREFERRED_CASE)
        return FALSE;
    FilesFoldersEnableControls(page);
    return TRUE;
}

INT_PTR CALLBACK FilesFoldersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {FilesFoldersNotify, FilesFoldersInit, FilesFoldersCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddFilesFoldersPage()
{
    AddPage(IDD_FILES_FOLDERS, FilesFoldersPageProc);
}

void FilesFoldersShowDefaults()
{
    HWND page = PageToShowDefaults(&SheetState::filesFoldersPage, &SheetState::filesFoldersDefaultsPending);
    if (!page)
        return;
    CheckDlgButton(page, IDC_FILES_FOLDERS_ARCHIVE, BST_CHECKED);
    CheckDlgButton(page, IDC_FILES_FOLDERS_CASE_SENSITIVE, BST_UNCHECKED);
    CheckRadioButton(page, IDC_FILES_FOLDERS_LOWERCASE, IDC_FILES_FOLDERS_UPPERCASE,
                     IDC_FILES_FOLDERS_LOWERCASE);
    CheckRadioButton(page, IDC_FILES_FOLDERS_SYSTEM_V, IDC_FILES_FOLDERS_BSD,
                     IDC_FILES_FOLDERS_SYSTEM_V);
    CheckDlgButton(page, IDC_FILES_FOLDERS_PREFERRED_CASE, BST_UNCHECKED);
    FilesFoldersEnableControls(page);
    CurrentSheetState->filesFoldersDefaultsPending = FALSE;
}

void FilesFoldersWriteDefaults()
{
    if (!CurrentSheetState || !CurrentSheetState->filesFoldersDefaultsPending)
        return;
    HKEY key;
    if (CreateConfigKey(HKEY_CURRENT_USER, UserMountDefaultsPath(), &key) != ERROR_SUCCESS)
        return;
    WriteDwordValue(key, "ArchiveBit", 1);
    WriteDwordValue(key, "CaseSensitive", 0);
    WriteDwordValue(key, "PreferredCaseIsUpper", 0);
    WriteDwordValue(key, "CaseForce", 0);
    WriteDwordValue(key, "UseBsdGroupSemantics", 0);
    CloseConfigKey(key);
}
