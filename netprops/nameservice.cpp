// Name-service exports.
#include "zorvprop.h"
#include "resource.h"

SETUP_ENTRY NISProperty(DWORD, SetupArgument *arguments, char **result)
{
    InitSheetHeader(IDS_CAPTION_NIS, arguments[0]);
    *result = ResultString;
    RunSheet();
    return TRUE;
}

SETUP_ENTRY NISInstall(DWORD, SetupArgument *, char **result)
{
    *result = ResultString;
    SetResultString(TRUE);
    return TRUE;
}

SETUP_ENTRY NISRemove(DWORD, SetupArgument *, char **result)
{
    *result = ResultString;
    SetResultString(TRUE);
    return TRUE;
}
