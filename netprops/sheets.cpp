// Which pages make up each sheet, in order.
#include "zorvprop.h"
#include "pages.h"
#include "sheetstate.h"

void AddNfsClientPages()
{
    AddGeneralPage();
    AddSecurityPage();
    AddCachingPage();
    AddTuningPage();
    AddFilesFoldersPage();
    AddAdvancedPage();
}

void AddFileSharingPages()
{
    AddNfsServerPage();
    AddLoggingPage();
}
