// Sheet exports of the property library, called by the network setup's
// scripts as library procedures: (argument count, arguments, out result).
#include "zorvprop.h"
#include "resource.h"
#include "pages.h"

SETUP_ENTRY NFSClientProperty(DWORD, SetupArgument *arguments, char **result)
{
    InitSheetHeader(IDS_CAPTION_NFS_CLIENT, arguments[0]);
    *result = ResultString;
    AddNfsClientPages();
    RunSheet();
    return TRUE;
}

SETUP_ENTRY PrintSharingProperty(DWORD, SetupArgument *arguments, char **result)
{
    // Kept loaded while the sheet runs; nothing here calls into it.
    HMODULE companion = LoadLibraryA("VUDARORI.dll");
    InitSheetHeader(IDS_CAPTION_FILE_SHARING, arguments[0]);
    *result = ResultString;
    AddFileSharingPages();
    RunSheet();
    if (companion)
        FreeLibrary(companion);
    return TRUE;
}
