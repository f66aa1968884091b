// The Caching page of the NFS client sheet.
#include "resource.h"
#include "sheetstate.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;

void CachingInit(HWND page)
{
    if (CurrentSheetState) {
        CurrentSheetState->cachingPage = page;
        if (CurrentSheetState->cachingDefaultsPending)
            CachingShowDefaults();
    }
}

INT_PTR CALLBACK CachingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NULL, CachingInit, NULL};
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
    if (!CurrentSheetState)
        return;
    if (!CurrentSheetState->cachingPage) {
        CurrentSheetState->cachingDefaultsPending = TRUE;
        return;
    }
    CurrentSheetState->cachingDefaultsPending = FALSE;
}

void CachingWriteDefaults()
{
}
