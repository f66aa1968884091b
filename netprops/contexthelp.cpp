// Fallback of every page procedure: help requests, the "What's this?"
// menu, and the changed marking of every command that reaches it.
#include "contexthelp.h"
#include "resource.h"
#include "toolkit.h"
#include "zorvprop.h"

const char HelpFileName[] = "config32.hlp";
int PendingHelpControl;

// Control id -> help context id, page by page.
const HelpIdPair HelpIdTable[] = {
    // Sheet buttons: OK, Cancel.
    {1, 94}, {2, 95},
    // General.
    {1041, 11},
    {1042, 12},
    {1129, 13}, {1043, 13},
    {1130, 14}, {1045, 14}, {1131, 14}, {1046, 14},
    {1118, 77},  // Defaults, on the sheet frame
    // Security.
    {1048, 15}, {1051, 15}, {1049, 15},
    {1047, 16},
    {2000, 76}, {2001, 76}, {2002, 76}, {2003, 76}, {2004, 76}, {2005, 76}, {2006, 76},
    {2007, 76}, {2008, 76},
    // Caching.
    {1126, 18}, {1057, 18},
    {1058, 19},
    {1064, 20}, {1059, 20}, {1060, 20},
    {1065, 21}, {1061, 21}, {1062, 21},
    {1125, 22}, {1063, 22}, {1148, 22},
    {1154, 96},
    // Tuning.
    {1132, 23}, {1068, 23},
    {1133, 24}, {1069, 24},
    {1134, 25}, {1070, 25},
    {1071, 26},
    {1135, 28}, {1073, 28},
    // Files and Folders.
    {1074, 29},
    {1078, 30},
    {1121, 31}, {1122, 31},
    {1120, 32},
    {1079, 33}, {1080, 33},
    // Advanced.
    {2100, 34}, {2101, 34}, {2102, 34},
    {2110, 35}, {2111, 35}, {2112, 35},
    {1124, 36}, {1085, 36},
    {1086, 37}, {1087, 37}, {1088, 37},
    // NIS/NIS+.
    {1104, 38}, {1089, 38},
    {1106, 39},
    {1103, 40}, {1091, 40},
    {1093, 41},
    {1092, 42},
    {1094, 43},
    {1105, 45}, {1095, 45},
    {1097, 46},
    {1096, 47},
    {1098, 48},
    {1107, 67},
    {1108, 97}, {1099, 97},
    {1156, 98}, {1157, 98},
    // NFS Server.
    {1016, 49},
    {1017, 50},
    // Logging.
    {1038, 64},
    {1039, 65},
    {1040, 66},
    {0, 0},
};

static void FormatInto(char *destination, int size, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FormatText(destination, size, format, arguments);
    va_end(arguments);
}

static void ShowMissingHelpId(int id)
{
    char text[64];
    FormatInto(text, sizeof text, "help Id for Dialog Item %d", id);
    ShowNotFound(text);
}

int HelpIdForControl(int id)
{
    if (id < 1)
        return -1;
    for (const HelpIdPair *pair = HelpIdTable; pair->controlId || pair->helpId; ++pair)
        if (pair->controlId == static_cast<DWORD>(id))
            return static_cast<int>(pair->helpId);
    ShowMissingHelpId(id);
    return -1;
}

BOOL IsHelpableControl(HWND page, int id)
{
    if (id < 1)
        return FALSE;
    HWND control = GetDlgItem(page, id);
    return !(control && IsGroupBox(control));
}

void ShowControlHelp(HWND page, int id)
{
    if (!IsHelpableControl(page, id))
        return;
    int helpId = HelpIdForControl(id);
    if (helpId > 0)
        WinHelpA(page, HelpFileName, HELP_CONTEXTPOPUP, static_cast<DWORD>(helpId));
}

BOOL ForwardHelpRequest(HWND target, int id, UINT message, WPARAM wParam, HELPINFO *request)
{
    if (!request || request->iCtrlId != id)
        return FALSE;
    SendMessageA(target, message, wParam, reinterpret_cast<LPARAM>(request));
    return TRUE;
}

void RetargetHelpRequest(HELPINFO *request, int id)
{
    if (request)
        request->iCtrlId = id;
}

// The control id under a screen position of the page, 0 when none. A group
// box only frames the controls inside it: a visible control within the box
// is taken first, whatever their order.
static int ControlAtPoint(HWND page, POINT point)
{
    HWND frame = NULL;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        if (!IsWindowVisible(child) || !GetWindowRect(child, &rect) || !PtInRect(&rect, point))
            continue;
        if (!IsGroupBox(child))
            return GetDlgCtrlID(child);
        if (!frame)
            frame = child;
    }
    return frame ? GetDlgCtrlID(frame) : 0;
}

static INT_PTR OfferWhatsThis(HWND page, HWND clicked, LPARAM position)
{
    POINT point;
    point.x = LOWORD(position);
    point.y = HIWORD(position);
    // From the keyboard the position is no real point (both halves 65535).
    bool keyboard = point.x == 0xFFFF && point.y == 0xFFFF;

    int id = clicked ? GetDlgCtrlID(clicked) : 0;
    PendingHelpControl = id;
    if (id == 0 && !keyboard) {
        id = ControlAtPoint(page, point);
        PendingHelpControl = id;
    }
    if (id < 1 || !IsHelpableControl(page, id))
        return 0;

    if (keyboard) {
        // Below the middle of the control the menu is about.
        RECT rect;
        HWND control = GetDlgItem(page, id);
        if (!control || !GetWindowRect(control, &rect))
            GetWindowRect(page, &rect);
        point.x = (rect.left + rect.right) / 2;
        point.y = (rect.top + rect.bottom) / 2;
    }

    HMENU menu = CreatePopupMenu();
    if (menu) {
        const char *text = LoadFormattedString(NULL, IDS_WHATS_THIS);
        if (text && AppendMenuA(menu, MF_STRING, WhatsThisCommand, text))
            TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x, point.y, 0, page, NULL);
        DestroyMenu(menu);
    }
    return 1;
}

INT_PTR ContextHelpHandler(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HELP: {
        HELPINFO *request = reinterpret_cast<HELPINFO *>(lParam);
        if (request)
            ShowControlHelp(page, request->iCtrlId);
        return 1;
    }
    case WM_CONTEXTMENU:
        return OfferWhatsThis(page, reinterpret_cast<HWND>(wParam), lParam);
    case WM_COMMAND:
        MarkPageChanged(page);
        if (LOWORD(wParam) != WhatsThisCommand)
            return 0;
        if (PendingHelpControl != 0)
            ShowControlHelp(page, PendingHelpControl);
        PendingHelpControl = 0;
        return 1;
    }
    return 0;
}
