// The Advanced page of the NFS client sheet.
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

void AdvancedInit(HWND page)
{
    if (CurrentSheetState) {
        CurrentSheetState->advancedPage = page;
        if (CurrentSheetState->advancedDefaultsPending)
            AdvancedShowDefaults();
    }
}

INT_PTR CALLBACK AdvancedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NULL, AdvancedInit, NULL};
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
    if (!CurrentSheetState)
        return;
    if (!CurrentSheetState->advancedPage) {
        CurrentSheetState->advancedDefaultsPending = TRUE;
        return;
    }
    CurrentSheetState->advancedDefaultsPending = FALSE;
}

void AdvancedWriteDefaults()
{
}
