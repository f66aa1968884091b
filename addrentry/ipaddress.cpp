// The IP address entry control: four three-digit edit fields side by side
// with dots drawn between them. The control keeps its field handles and
// geometry in its window extra storage; the fields are standard edit
// windows whose keyboard input passes through IpFieldWndProc first.
#include "addrentry.h"

namespace {

const char kClassName[] = "ZORVIPAddress";
const int kFieldCount = 4;

// Window extra storage: fields 0 to 3, then field height and width.
const int kHeightSlot = 4 * sizeof(LONG);
const int kWidthSlot = 5 * sizeof(LONG);
const int kExtraBytes = 6 * sizeof(LONG);

HINSTANCE g_instance;   // registration instance, null while unregistered
HBRUSH g_brush;         // white background, exists exactly while registered
WNDPROC g_editProc;     // the standard edit procedure the fields came with

enum Direction { kLeft, kRight };
enum FieldSelection { kWholeText, kCaretAtStart, kCaretAtEnd };

bool CtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

HWND FieldOf(HWND control, int index)
{
    return reinterpret_cast<HWND>(GetWindowLongA(control, index * sizeof(LONG)));
}

int FieldIndex(HWND field) { return GetWindowLongA(field, GWL_ID); }

// The neighbour of a field, or null at either end.
HWND AdjacentField(HWND field, Direction direction)
{
    int index = FieldIndex(field) + (direction == kLeft ? -1 : 1);
    if (index < 0 || index >= kFieldCount)
        return nullptr;
    return FieldOf(GetParent(field), index);
}

// At most the first three characters of a field.
int ReadField(HWND field, char *text)
{
    text[0] = 0;
    int length = GetWindowTextA(field, text, 4);
    text[3] = 0;
    return length < 0 ? 0 : length;
}

void Selection(HWND field, DWORD *start, DWORD *end)
{
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

// The standard decimal conversion: white space, an optional sign, digits.
int DecimalValue(const char *text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + (*text - '0');
    return negative ? -value : value;
}

BOOL CheckFieldValue(HWND field)
{
    char text[4];
    if (ReadField(field, text) == 0)
        return TRUE;
    int value = DecimalValue(text);
    if (value <= 255)
        return TRUE;
    char format[256], message[300], caption[128];
    if (LoadStringA(g_instance, IDS_IP_VALUE_RANGE, format, sizeof format) <= 0)
        format[0] = 0;
    if (LoadStringA(g_instance, IDS_IP_VALUE_CAPTION, caption, sizeof caption) <= 0)
        caption[0] = 0;
    // Our own format text with one number: it fits well within the buffer.
    wsprintfA(message, format, value);
    MessageBoxA(field, message, caption, MB_ICONEXCLAMATION | MB_OK);
    return FALSE;
}

void SelectInField(HWND field, FieldSelection mode)
{
    int length = GetWindowTextLengthA(field);
    switch (mode) {
    case kWholeText:
        SendMessageA(field, EM_SETSEL, 0, -1);
        break;
    case kCaretAtStart:
        SendMessageA(field, EM_SETSEL, 0, 0);
        break;
    case kCaretAtEnd:
        SendMessageA(field, EM_SETSEL, length, length);
        break;
    }
}

// Leaves a field for its neighbour once its value passes; a failing value
// keeps the focus in the field with its text selected. True when it passed.
BOOL MoveToAdjacentField(HWND field, Direction direction, FieldSelection mode)
{
    DWORD start = 0, end = 0;
    Selection(field, &start, &end);
    if (start != end && !CtrlDown())
        return TRUE;
    BOOL passed = CheckFieldValue(field);
    HWND target = field;
    if (passed) {
        target = AdjacentField(field, direction);
        if (!target)
            return passed;
    } else {
        mode = kWholeText;
    }
    SetFocus(target);
    SelectInField(target, mode);
    return passed;
}

LRESULT PassOn(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_editProc, field, message, wParam, lParam);
}

LRESULT FieldKeyDown(HWND field, WPARAM key, LPARAM flags)
{
    DWORD start = 0, end = 0;
    Selection(field, &start, &end);
    bool ctrl = CtrlDown();
    bool caretAtStart = start == 0 && end == 0;
    HWND control = GetParent(field);
    switch (key) {
    case VK_BACK: {
        if (ctrl)
            return 0;
        HWND left = AdjacentField(field, kLeft);
        if (caretAtStart && left) {
            MoveToAdjacentField(field, kLeft, kCaretAtEnd);
            PostMessageA(left, WM_KEYDOWN, VK_BACK, flags);
        }
        return PassOn(field, WM_KEYDOWN, key, flags);
    }
    case VK_END: {
        HWND last = FieldOf(control, kFieldCount - 1);
        SetFocus(last);
        SelectInField(last, kCaretAtEnd);
        return 0;
    }
    case VK_HOME: {
        HWND first = FieldOf(control, 0);
        SetFocus(first);
        SelectInField(first, kCaretAtStart);
        return 0;
    }
    case VK_LEFT:
        if (caretAtStart || ctrl) {
            if (!MoveToAdjacentField(field, kLeft, ctrl ? kWholeText : kCaretAtEnd))
                return 0;
        }
        return PassOn(field, WM_KEYDOWN, key, flags);
    case VK_RIGHT: {
        DWORD length = GetWindowTextLengthA(field);
        if ((start == end && (start == 3 || start == length)) || ctrl) {
            if (!MoveToAdjacentField(field, kRight, ctrl ? kWholeText : kCaretAtStart))
                return 0;
        }
        return PassOn(field, WM_KEYDOWN, key, flags);
    }
    case VK_DELETE:
        return PassOn(field, WM_KEYDOWN, key, flags);
    default:
        return 0;
    }
}

LRESULT FieldChar(HWND field, WPARAM code, LPARAM flags)
{
    bool ctrl = CtrlDown();
    if (code >= '0' && code <= '9') {
        DWORD start = 0, end = 0;
        Selection(field, &start, &end);
        int remaining = GetWindowTextLengthA(field) - static_cast<int>(end - start);
        if (remaining < 3) {
            // Once the third digit is in, a space moves the focus on.
            if (remaining == 2)
                PostMessageA(field, WM_CHAR, ' ', flags);
            return PassOn(field, WM_CHAR, code, flags);
        }
        if (start == end && start == 3)
            MoveToAdjacentField(field, kRight, kWholeText);
        return ctrl ? PassOn(field, WM_CHAR, code, flags) : 0;
    }
    switch (code) {
    case '\b':
        return PassOn(field, WM_CHAR, code, flags);
    case '\t':
    case '\r':
        PostMessageA(GetParent(field), WM_KEYDOWN, code, flags);
        return PassOn(field, WM_CHAR, code, flags);
    case ' ':
    case '.':
        if (GetWindowTextLengthA(field) > 0)
            MoveToAdjacentField(field, kRight, kWholeText);
        return ctrl ? PassOn(field, WM_CHAR, code, flags) : 0;
    default:
        return ctrl ? PassOn(field, WM_CHAR, code, flags) : 0;
    }
}

LRESULT CreateFields(HWND control, const CREATESTRUCTA *create)
{
    int height = create->cy - 4;
    int width = (create->cx - 14) / 4;
    SetWindowLongA(control, kHeightSlot, height);
    SetWindowLongA(control, kWidthSlot, width);
    for (int i = 0; i < kFieldCount; ++i) {
        HWND field = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_CENTER,
                                   i * (width + 3) + 2, 2, width - 1, height, control,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), g_instance,
                                   nullptr);
        SetWindowLongA(control, i * sizeof(LONG), reinterpret_cast<LONG>(field));
        if (!field)
            continue;
        WNDPROC previous = reinterpret_cast<WNDPROC>(
            SetWindowLongA(field, GWL_WNDPROC, reinterpret_cast<LONG>(IpFieldWndProc)));
        if (previous)
            g_editProc = previous;
    }
    return 0;
}

// Sets the fields from a dotted address; -1 when the text is not one.
LRESULT SetAddress(HWND control, const char *text)
{
    if (!text)
        return -1;
    // Spaces are ignored; more than 15 other characters cannot be valid.
    char address[17];
    int length = 0;
    for (const char *p = text; *p && length < 16; ++p)
        if (*p != ' ')
            address[length++] = *p;
    address[length] = 0;
    if (length > 15 || !ValidIPAddr32(address))
        return -1;
    const char *p = address;
    for (int i = 0; i < kFieldCount; ++i) {
        char piece[4];
        int n = 0;
        while (n < 3 && *p && *p != '.')
            piece[n++] = *p++;
        piece[n] = 0;
        if (*p == '.')
            ++p;
        SetWindowTextA(FieldOf(control, i), piece);
    }
    return 1;
}

LRESULT GetAddress(HWND control, int size, char *buffer)
{
    if (size < 16) {
        if (buffer && size >= 1)
            buffer[0] = 0;
        return -1;
    }
    if (!buffer)
        return -1;
    int length = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        if (i > 0)
            buffer[length++] = '.';
        char text[4];
        if (ReadField(FieldOf(control, i), text) == 0) {
            text[0] = '0';
            text[1] = 0;
        }
        for (const char *t = text; *t; ++t)
            buffer[length++] = *t;
    }
    buffer[length] = 0;
    return length;
}

void Paint(HWND control)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    if (!dc)
        return;
    int height = GetWindowLongA(control, kHeightSlot);
    int width = GetWindowLongA(control, kWidthSlot);
    COLORREF colour = IsWindowEnabled(control) ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    RECT frame;
    GetClientRect(control, &frame);
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ previous = SelectObject(dc, pen);
    for (int k = 1; k < kFieldCount; ++k) {
        int x = k * (width + 3), y = height - 6;
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x, y);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
    EndPaint(control, &paint);
}

} // namespace

LRESULT CALLBACK IpFieldWndProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        return FieldKeyDown(field, wParam, lParam);
    case WM_CHAR:
        return FieldChar(field, wParam, lParam);
    default:
        return PassOn(field, message, wParam, lParam);
    }
}

LRESULT CALLBACK IpAddressWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateFields(control, reinterpret_cast<CREATESTRUCTA *>(lParam));
        break;
    case WM_SETFOCUS: {
        HWND first = FieldOf(control, 0);
        SetFocus(first);
        SendMessageA(first, EM_SETSEL, 0, -1);
        break;
    }
    case WM_ENABLE:
        for (int i = 0; i < kFieldCount; ++i) {
            HWND field = FieldOf(control, i);
            EnableWindow(field, static_cast<BOOL>(wParam));
            InvalidateRect(field, nullptr, TRUE);
        }
        InvalidateRect(control, nullptr, TRUE);
        break;
    case WM_SETTEXT:
        return SetAddress(control, reinterpret_cast<const char *>(lParam));
    case WM_GETTEXT:
        return GetAddress(control, static_cast<int>(wParam), reinterpret_cast<char *>(lParam));
    case WM_PAINT:
        Paint(control);
        break;
    case WM_CTLCOLOREDIT:
        return SendMessageA(GetParent(control), WM_CTLCOLOREDIT, wParam, lParam);
    }
    return DefWindowProcA(control, message, wParam, lParam);
}

extern "C" void __cdecl RegisterIpAddressClass(HINSTANCE instance)
{
    if (g_brush)
        return;
    g_instance = instance;
    g_brush = CreateSolidBrush(RGB(255, 255, 255));
    WNDCLASSA windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    windowClass.lpfnWndProc = IpAddressWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = kExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = g_brush;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

extern "C" int __cdecl UnRegisterIpAddressClass(void)
{
    if (g_brush)
        DeleteObject(g_brush);
    if (g_instance)
        UnregisterClassA(kClassName, g_instance);
    g_brush = nullptr;
    g_instance = nullptr;
    return 0;
}
