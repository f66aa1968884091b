// The NIS/NIS+ page: servers of each service, the domain, and the order
// in which the name services are asked.
#include "addrentry.h"
#include "bindings.h"
#include "contexthelp.h"
#include "registry.h"
#include "resource.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;
char g_windowsDefault[256];     // string 26, the search-order entry for W
WNDPROC g_addressClassProc;     // recorded from 1091, used for both controls

const int kMaxServers = 10;
const DWORD kServersBuffer = 180;
const DWORD kOrderBuffer = 35;

const char *NameServiceOptionsPath()
{
    return "vadediz\\NameServiceOptions";
}

// One search-order letter and its list entry.
struct OrderLetter {
    char letter;
    const char *entry;   // null: the text of string 26
};
const OrderLetter kOrderLetters[] = {{'W', NULL}, {'Y', "NIS"}, {'N', "NIS+"}};

const char *OrderEntry(const OrderLetter &row)
{
    return row.entry ? row.entry : g_windowsDefault;
}

// ---- Controls ---------------------------------------------------------

BOOL Checked(int id)
{
    return IsDlgButtonChecked(g_page, id) == BST_CHECKED;
}

BOOL AddressComplete(int id)
{
    char address[32];
    return ReadDottedFields(g_page, id, address);
}

// Puts the service's entry in the search order or takes it out, and
// returns the position the selection falls back to (-1 for none).
int KeepOrderEntry(int box, const char *entry)
{
    int position = ListFind(g_page, IDC_NIS_ORDER, entry);
    if (Checked(box)) {
        if (position == -1)
            position = ListAdd(g_page, IDC_NIS_ORDER, entry);
        return position;
    }
    if (position != -1)
        return ListDelete(g_page, IDC_NIS_ORDER, position);
    return -1;
}

void SelectBefore(int position)
{
    if (ListSelection(g_page, IDC_NIS_ORDER) != -1 || position == -1)
        return;
    if (position - 1 >= 0 && position - 1 < ListCount(g_page, IDC_NIS_ORDER))
        ListSelect(g_page, IDC_NIS_ORDER, position - 1);
}

struct ServiceControls {
    int box, label, address, add, list, remove;
};
const ServiceControls kNis = {IDC_NIS_ENABLE_NIS, IDC_NIS_NIS_LABEL, IDC_NIS_NIS_ADDRESS,
                              IDC_NIS_NIS_ADD, IDC_NIS_NIS_LIST, IDC_NIS_NIS_REMOVE};
const ServiceControls kNisPlus = {IDC_NIS_ENABLE_NISPLUS, IDC_NIS_NISPLUS_LABEL,
                                  IDC_NIS_NISPLUS_ADDRESS, IDC_NIS_NISPLUS_ADD,
                                  IDC_NIS_NISPLUS_LIST, IDC_NIS_NISPLUS_REMOVE};

void EnableService(const ServiceControls &service)
{
    BOOL on = Checked(service.box);
    EnableControl(g_page, service.label, on);
    EnableControl(g_page, service.list, on);
    EnableControl(g_page, service.address, on);
    EnableControl(g_page, service.remove, on && ListCount(g_page, service.list) > 0);
    EnableControl(g_page, service.add, on && AddressComplete(service.address));
}

} // namespace

void NisRefreshControls()
{
    EnableService(kNis);
    EnableService(kNisPlus);
    BOOL any = Checked(IDC_NIS_ENABLE_NIS) || Checked(IDC_NIS_ENABLE_NISPLUS);
    EnableControl(g_page, IDC_NIS_DOMAIN_LABEL, any);
    EnableControl(g_page, IDC_NIS_DOMAIN, any);

    SelectBefore(KeepOrderEntry(IDC_NIS_ENABLE_NIS, "NIS"));
    SelectBefore(KeepOrderEntry(IDC_NIS_ENABLE_NISPLUS, "NIS+"));

    int count = ListCount(g_page, IDC_NIS_ORDER);
    int selected = ListSelection(g_page, IDC_NIS_ORDER);
    EnableControl(g_page, IDC_NIS_UP, selected != 0);
    EnableControl(g_page, IDC_NIS_DOWN, selected == -1 ? count > 0 : selected != count - 1);
    EnableControl(g_page, IDC_NIS_ENABLE_NIS, !Checked(IDC_NIS_ENABLE_NISPLUS));
    EnableControl(g_page, IDC_NIS_ENABLE_NISPLUS, !Checked(IDC_NIS_ENABLE_NIS));
}

namespace {

// ---- Transfer -----------------------------------------------------------

void LoadServers(HKEY key, const char *name, int list)
{
    char text[kServersBuffer];
    DWORD size = sizeof text;
    if (!ReadSzValue(key, name, text, &size))
        return;
    int added = 0;
    char *piece = text;
    for (;;) {
        char *end = piece;
        while (*end && *end != ' ')
            ++end;
        bool last = *end == '\0';
        *end = '\0';
        if (!*piece)
            break;
        ListAdd(g_page, list, piece);
        ++added;
        if (last)
            break;
        piece = end + 1;
    }
    if (added)
        ListSelect(g_page, list, 0);
}

void SaveServers(HKEY key, const char *name, int list)
{
    // Ten addresses of fifteen characters and their spaces fit; entries too
    // long to be addresses add only their space.
    char text[kMaxServers * 18 + 64];
    int length = 0;
    int count = ListCount(g_page, list);
    for (int i = 0; i < count; ++i) {
        if (i && length < static_cast<int>(sizeof text) - 1)
            text[length++] = ' ';
        char entry[18];
        if (ListGetText(g_page, list, i, entry, sizeof entry) &&
            length + lstrlenA(entry) < static_cast<int>(sizeof text) - 1) {
            lstrcpyA(text + length, entry);
            length += lstrlenA(entry);
        }
    }
    text[length] = '\0';
    WriteSzValue(key, name, text);
}

void LoadSearchOrder(HKEY key)
{
    CheckDlgButton(g_page, IDC_NIS_ENABLE_NIS, BST_UNCHECKED);
    CheckDlgButton(g_page, IDC_NIS_ENABLE_NISPLUS, BST_UNCHECKED);
    char order[kOrderBuffer];
    DWORD size = sizeof order;
    if (!ReadSzValue(key, "SearchOrder", order, &size))
        lstrcpyA(order, "W");
    for (const char *p = order; *p; ++p) {
        int box = 0;
        const char *entry = NULL;
        switch (*p) {
        case 'W':
            entry = g_windowsDefault;
            break;
        case 'Y':
            if (Checked(IDC_NIS_ENABLE_NISPLUS))
                continue;
            entry = "NIS";
            box = IDC_NIS_ENABLE_NIS;
            break;
        case 'N':
            if (Checked(IDC_NIS_ENABLE_NIS))
                continue;
            entry = "NIS+";
            box = IDC_NIS_ENABLE_NISPLUS;
            break;
        default:
            continue;
        }
        int index = ListAdd(g_page, IDC_NIS_ORDER, entry);
        if (box)
            CheckDlgButton(g_page, box, BST_CHECKED);
        ListSelect(g_page, IDC_NIS_ORDER, index);
    }
}

void SaveSearchOrder(HKEY key)
{
    char order[64];
    int length = 0;
    int count = ListCount(g_page, IDC_NIS_ORDER);
    for (int i = 0; i < count && length < static_cast<int>(sizeof order) - 1; ++i) {
        char entry[18];
        if (!ListGetText(g_page, IDC_NIS_ORDER, i, entry, sizeof entry))
            break;
        for (const OrderLetter &row : kOrderLetters)
            if (lstrcmpA(entry, OrderEntry(row)) == 0) {
                order[length++] = row.letter;
                break;
            }
    }
    order[length] = '\0';
    WriteSzValue(key, "SearchOrder", order);
}

void NisTransfer(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, NameServiceOptionsPath(), &key) != ERROR_SUCCESS)
        return;
    BindEditText(g_page, IDC_NIS_DOMAIN, key, "Domain", "", save, 256);
    if (save) {
        SaveServers(key, "NisServers", IDC_NIS_NIS_LIST);
        SaveServers(key, "NisplusServers", IDC_NIS_NISPLUS_LIST);
        SaveSearchOrder(key);
    } else {
        LoadServers(key, "NisServers", IDC_NIS_NIS_LIST);
        LoadServers(key, "NisplusServers", IDC_NIS_NISPLUS_LIST);
        LoadSearchOrder(key);
    }
    CloseConfigKey(key);
}

// ---- Commands -----------------------------------------------------------

void AddServer(int address, int list)
{
    char text[32];
    if (!ReadDottedFields(g_page, address, text))
        return;
    if (ListCount(g_page, list) >= kMaxServers)
        return;
    int count = ListCount(g_page, list);
    for (int i = 0; i < count; ++i) {
        char entry[32];
        if (ListGetText(g_page, list, i, entry, sizeof entry) && lstrcmpA(entry, text) == 0)
            return;
    }
    ListSelect(g_page, list, ListAdd(g_page, list, text));
    NisRefreshControls();
}

void RemoveServer(int list)
{
    int selected = ListSelection(g_page, list);
    if (selected != -1) {
        int left = ListDelete(g_page, list, selected);
        if (left > 0)
            ListSelect(g_page, list, selected < left ? selected : left - 1);
    }
    NisRefreshControls();
}

BOOL MoveOrderEntry(int step)
{
    int selected = ListSelection(g_page, IDC_NIS_ORDER);
    int count = ListCount(g_page, IDC_NIS_ORDER);
    if (selected == -1 || (step < 0 ? selected == 0 : selected == count - 1))
        return FALSE;
    char entry[kOrderBuffer];
    if (!ListGetText(g_page, IDC_NIS_ORDER, selected, entry, sizeof entry))
        return FALSE;
    ListDelete(g_page, IDC_NIS_ORDER, selected);
    ListInsert(g_page, IDC_NIS_ORDER, selected + step, entry);
    ListSelect(g_page, IDC_NIS_ORDER, selected + step);
    NisRefreshControls();
    return TRUE;
}

BOOL NisCommand(HWND, WORD id, WORD, HWND)
{
    switch (id) {
    case IDC_NIS_NIS_ADD:
        AddServer(IDC_NIS_NIS_ADDRESS, IDC_NIS_NIS_LIST);
        return TRUE;
    case IDC_NIS_NIS_REMOVE:
        RemoveServer(IDC_NIS_NIS_LIST);
        return TRUE;
    case IDC_NIS_NISPLUS_ADD:
        AddServer(IDC_NIS_NISPLUS_ADDRESS, IDC_NIS_NISPLUS_LIST);
        return TRUE;
    case IDC_NIS_NISPLUS_REMOVE:
        RemoveServer(IDC_NIS_NISPLUS_LIST);
        return TRUE;
    case IDC_NIS_ORDER:
        NisRefreshControls();
        return TRUE;
    case IDC_NIS_ENABLE_NIS:
        CheckDlgButton(g_page, IDC_NIS_ENABLE_NISPLUS, BST_UNCHECKED);
        NisRefreshControls();
        return TRUE;
    case IDC_NIS_ENABLE_NISPLUS:
        CheckDlgButton(g_page, IDC_NIS_ENABLE_NIS, BST_UNCHECKED);
        NisRefreshControls();
        return TRUE;
    case IDC_NIS_UP:
        return MoveOrderEntry(-1);
    case IDC_NIS_DOWN:
        return MoveOrderEntry(+1);
    }
    return FALSE;
}

// ---- Validation ---------------------------------------------------------

BOOL NeedServer(int box, int list, int address)
{
    if (!Checked(box) || ListCount(g_page, list) > 0)
        return FALSE;
    const char *text = LoadFormattedString(NULL, IDS_NIS_NEED_SERVER);
    char message[256];
    lstrcpynA(message, text ? text : "", sizeof message);
    GuardedMessageBox(g_page, message, NULL, MB_OK);
    SetFocus(GetDlgItem(g_page, address));
    return TRUE;
}

} // namespace

BOOL NisValidate()
{
    if (!Checked(IDC_NIS_ENABLE_NIS) && !Checked(IDC_NIS_ENABLE_NISPLUS))
        return TRUE;
    if (NeedServer(IDC_NIS_ENABLE_NIS, IDC_NIS_NIS_LIST, IDC_NIS_NIS_ADDRESS) ||
        NeedServer(IDC_NIS_ENABLE_NISPLUS, IDC_NIS_NISPLUS_LIST, IDC_NIS_NISPLUS_ADDRESS))
        return FALSE;
    if (!CheckTextField(g_page, IDC_NIS_DOMAIN, FALSE, 256, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY))
        return FALSE;
    char domain[255];
    GetItemText(g_page, IDC_NIS_DOMAIN, domain, sizeof domain);
    if (!ValidNisDomainForPage(domain)) {
        // The formatted text is cut at 255 characters; a long domain cannot
        // overrun the message.
        char message[256];
        if (!LoadFormattedString(message, IDS_BAD_NIS_DOMAIN, domain))
            message[0] = '\0';
        GuardedMessageBox(g_page, message, NULL, MB_OK);
        EditSelectAll(g_page, IDC_NIS_DOMAIN);
        SetFocus(GetDlgItem(g_page, IDC_NIS_DOMAIN));
        return FALSE;
    }
    return TRUE;
}

namespace {

INT_PTR NisNotify(HWND page, NMHDR *header)
{
    switch (header->code) {
    case static_cast<UINT>(PSN_KILLACTIVE):
        if (!NisValidate()) {
            SetWindowLongA(page, DWL_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
            return TRUE;
        }
        return FALSE;
    case static_cast<UINT>(PSN_APPLY):
        NisValidate();
        NisTransfer(TRUE);
        return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK NisAddressFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HELP:
        RetargetHelpRequest(reinterpret_cast<HELPINFO *>(lParam), GetDlgCtrlID(control));
        break;
    case WM_CONTEXTMENU:
        wParam = reinterpret_cast<WPARAM>(control);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE)
            NisRefreshControls();
        break;
    case WM_CTLCOLOREDIT:
        return SendMessageA(g_page, message, wParam, lParam);
    }
    return CallWindowProcA(g_addressClassProc, control, message, wParam, lParam);
}

void NisInit(HWND page)
{
    if (!LoadFormattedString(g_windowsDefault, IDS_WINDOWS_DEFAULT))
        g_windowsDefault[0] = '\0';
    g_addressClassProc = reinterpret_cast<WNDPROC>(
        GetWindowLongA(GetDlgItem(page, IDC_NIS_NIS_ADDRESS), GWL_WNDPROC));
    SubclassControl(page, IDC_NIS_NIS_ADDRESS, NisAddressFieldProc);
    SubclassControl(page, IDC_NIS_NISPLUS_ADDRESS, NisAddressFieldProc);
    NisTransfer(FALSE);
    NisRefreshControls();
}

INT_PTR CALLBACK NisPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NisNotify, NisInit, NisCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddNisPage()
{
    AddPage(IDD_NIS, NisPageProc);
}
