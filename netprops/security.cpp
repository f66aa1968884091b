// The Security page of the NFS client sheet.
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

void SecurityInit(HWND page)
{
    if (CurrentSheetState) {
        CurrentSheetState->securityPage = page;
        if (CurrentSheetState->securityDefaultsPending)
            SecurityShowDefaults();
    }
}

INT_PTR CALLBACK SecurityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NULL, SecurityInit, NULL};
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
    if (!CurrentSheetState)
        return;
    if (!CurrentSheetState->securityPage) {
        CurrentSheetState->securityDefaultsPending = TRUE;
        return;
    }
    CurrentSheetState->securityDefaultsPending = FALSE;
}

void SecurityWriteDefaults()
{
}
