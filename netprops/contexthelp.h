// Context help: each control id maps to a help context id of
// "config32.hlp", shown as a popup on F1 or through the right-click menu
// "What's this?". ContextHelpHandler itself is declared in zorvprop.h.
#ifndef ZORVPROP_CONTEXTHELP_H
#define ZORVPROP_CONTEXTHELP_H

#include <windows.h>

struct HelpIdPair {
    DWORD controlId;
    DWORD helpId;
};
// Ends with the pair (0, 0); the first match wins.
extern const HelpIdPair HelpIdTable[];

extern const char HelpFileName[];      // "config32.hlp"
const UINT WhatsThisCommand = 40002;
// The control a right-click asked about, until "What's this?" is chosen.
extern int PendingHelpControl;

// Shows the help popup of the page's control, unless it is a group box.
void ShowControlHelp(HWND page, int id);
// The help context id of a control, or -1 (after a diagnostic message for
// an id above 0 that has no row).
int HelpIdForControl(int id);
// True for an id above 0 whose control is not a group box; an id the page
// has no control of counts as helpable.
BOOL IsHelpableControl(HWND page, int id);
// Sends the help message on to target when the request is about id.
BOOL ForwardHelpRequest(HWND target, int id, UINT message, WPARAM wParam, HELPINFO *request);
// Makes the request ask about id instead.
void RetargetHelpRequest(HELPINFO *request, int id);

#endif
