// The FilesFolders page of the NFS client sheet.
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

void FilesFoldersInit(HWND page)
{
    if (CurrentSheetState) {
        CurrentSheetState->filesFoldersPage = page;
        if (CurrentSheetState->filesFoldersDefaultsPending)
            FilesFoldersShowDefaults();
    }
}

INT_PTR CALLBACK FilesFoldersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NULL, FilesFoldersInit, NULL};
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
    if (!CurrentSheetState)
        return;
    if (!CurrentSheetState->filesFoldersPage) {
        CurrentSheetState->filesFoldersDefaultsPending = TRUE;
        return;
    }
    CurrentSheetState->filesFoldersDefaultsPending = FALSE;
}

void FilesFoldersWriteDefaults()
{
}
