// The Tuning page of the NFS client sheet.
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

void TuningInit(HWND page)
{
    if (CurrentSheetState) {
        CurrentSheetState->tuningPage = page;
        if (CurrentSheetState->tuningDefaultsPending)
            TuningShowDefaults();
    }
}

INT_PTR CALLBACK TuningPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NULL, TuningInit, NULL};
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
    if (!CurrentSheetState)
        return;
    if (!CurrentSheetState->tuningPage) {
        CurrentSheetState->tuningDefaultsPending = TRUE;
        return;
    }
    CurrentSheetState->tuningDefaultsPending = FALSE;
}

void TuningWriteDefaults()
{
}
