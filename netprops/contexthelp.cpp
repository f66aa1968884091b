// Fallback of every page procedure: help requests and changed marking.
#include "zorvprop.h"
#include "toolkit.h"

INT_PTR ContextHelpHandler(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message == WM_COMMAND)
        MarkPageChanged(page);
    return FALSE;
}
