// Dialog toolkit shared by the pages.
#include "toolkit.h"
#include "zorvprop.h"

// ---- Bounded formatting ------------------------------------------------

namespace {

struct Output {
    char *text;
    int size;
    int length;
    void Put(char c)
    {
        if (length < size - 1)
            text[length++] = c;
    }
};

void PutPadded(Output &out, const char *digits, int count, int width, bool left, char pad)
{
    if (!left)
        for (int i = count; i < width; ++i)
            out.Put(pad);
    for (int i = 0; i < count; ++i)
        out.Put(digits[i]);
    if (left)
        for (int i = count; i < width; ++i)
            out.Put(' ');
}

} // namespace

int FormatText(char *destination, int size, const char *format, va_list arguments)
{
    if (!destination || size <= 0)
        return 0;
    Output out = { destination, size, 0 };
    for (const char *p = format ? format : ""; *p; ++p) {
        if (*p != '%') {
            out.Put(*p);
            continue;
        }
        ++p;
        bool left = false;
        char pad = ' ';
        for (; *p == '-' || *p == '0' || *p == '#' || *p == ' ' || *p == '+'; ++p) {
            if (*p == '-')
                left = true;
            else if (*p == '0')
                pad = '0';
        }
        int width = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            width = width * 10 + (*p - '0') > 1024 ? 1024 : width * 10 + (*p - '0');
        int precision = -1;
        if (*p == '.') {
            precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p)
                precision = precision * 10 + (*p - '0') > 1024 ? 1024 : precision * 10 + (*p - '0');
        }
        while (*p == 'l' || *p == 'h')
            ++p;
        char digits[16];
        int count = 0;
        switch (*p) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X': {
            long value = va_arg(arguments, long);
            unsigned long magnitude = static_cast<unsigned long>(value);
            bool negative = false;
            if ((*p == 'd' || *p == 'i') && value < 0) {
                negative = true;
                magnitude = 0ul - magnitude;
            }
            unsigned base = (*p == 'x' || *p == 'X') ? 16 : 10;
            const char *set = *p == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
            char reversed[16];
            int n = 0;
            do {
                reversed[n++] = set[magnitude % base];
                magnitude /= base;
            } while (magnitude);
            if (negative)
                digits[count++] = '-';
            while (n)
                digits[count++] = reversed[--n];
            PutPadded(out, digits, count, width, left, left ? ' ' : pad);
            break;
        }
        case 'c':
            digits[0] = static_cast<char>(va_arg(arguments, int));
            PutPadded(out, digits, 1, width, left, ' ');
            break;
        case 's': {
            const char *s = va_arg(arguments, const char *);
            if (!s)
                s = "(null)";
            int n = 0;
            while (s[n] && (precision < 0 || n < precision))
                ++n;
            PutPadded(out, s, n, width, left, ' ');
            break;
        }
        case '\0':
            --p;
            break;
        default:
            out.Put(*p);
            break;
        }
    }
    destination[out.length] = '\0';
    return out.length;
}

// ---- Texts and messages ------------------------------------------------

char *LoadFormattedString(char *destination, UINT id, ...)
{
    static char result[256];
    char loaded[255];
    if (LoadStringA(ModuleInstance, id & 0xFFFF, loaded, sizeof loaded) <= 0)
        return NULL;
    va_list arguments;
    va_start(arguments, id);
    FormatText(result, sizeof result, loaded, arguments);
    va_end(arguments);
    if (!destination)
        return result;
    lstrcpyA(destination, result);
    return destination;
}

int GuardedMessageBox(HWND owner, const char *text, const char *caption, UINT style)
{
    static BOOL open;
    if (open)
        return IDCANCEL;
    open = TRUE;
    int answer = MessageBoxA(owner, text, caption, style | MB_ICONEXCLAMATION);
    open = FALSE;
    return answer;
}

static void FormatInto(char *destination, int size, const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FormatText(destination, size, format, arguments);
    va_end(arguments);
}

void ShowNotFound(const char *text)
{
    char message[300];
    FormatInto(message, sizeof message, "Can not find %s", text);
    GuardedMessageBox(NULL, message, NULL, MB_OK);
}

// ---- Field checks --------------------------------------------------------

BOOL IsFieldBlank(HWND dialog, int id)
{
    char text[256];
    GetItemText(dialog, id, text, sizeof text);
    for (const char *p = text; *p; ++p)
        if (*p != ' ')
            return FALSE;
    return TRUE;
}

BOOL CheckTextField(HWND dialog, int id, BOOL emptyAllowed, WORD limit,
                    UINT tooLongId, UINT emptyId)
{
    static BOOL open;
    if (open)
        return FALSE;
    open = TRUE;
    const char *message = NULL;
    bool blank = false;
    if (!emptyAllowed && IsFieldBlank(dialog, id)) {
        message = LoadFormattedString(NULL, emptyId);
        blank = true;
    } else {
        char text[256];
        GetItemText(dialog, id, text, sizeof text);
        if (static_cast<WORD>(lstrlenA(text)) > limit)
            message = LoadFormattedString(NULL, tooLongId, static_cast<int>(limit));
    }
    bool valid = !blank && !message;
    if (!valid) {
        char copy[256];
        lstrcpynA(copy, message ? message : "", sizeof copy);
        GuardedMessageBox(dialog, copy, NULL, MB_OK);
        if (blank)
            EditUndo(dialog, id);
        EditSelectAll(dialog, id);
        SetFocus(GetDlgItem(dialog, id));
    }
    open = FALSE;
    return valid;
}

// ---- Numbers -------------------------------------------------------------

BOOL IsNumericText(const char *text)
{
    if (*text == '+')
        ++text;
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return FALSE;
    return TRUE;
}

DWORD ParseNumber(const char *text)
{
    // Digits beyond what 32 bits hold saturate at the largest value.
    if (*text == '+')
        ++text;
    DWORD value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        DWORD digit = *text - '0';
        if (value > (0xFFFFFFFFu - digit) / 10)
            return 0xFFFFFFFFu;
        value = value * 10 + digit;
    }
    return value;
}

char *FormatNumber(char *destination, DWORD value)
{
    wsprintfA(destination, "%u", value);
    return destination;
}

// ---- Controls ------------------------------------------------------------

static LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

void EnableControl(HWND dialog, int id, BOOL flag)
{
    EnableWindow(GetDlgItem(dialog, id), flag ? TRUE : FALSE);
}

WNDPROC SubclassControl(HWND dialog, int id, WNDPROC procedure)
{
    return reinterpret_cast<WNDPROC>(SetWindowLongA(GetDlgItem(dialog, id), GWL_WNDPROC,
                                                    reinterpret_cast<LONG>(procedure)));
}

BOOL IsGroupBox(HWND window)
{
    char name[16];
    if (!GetClassNameA(window, name, sizeof name) || lstrcmpA(name, "Button") != 0)
        return FALSE;
    // lstrcmpA ignores nothing but compares by locale; insist on the exact bytes.
    const char *expected = "Button";
    for (int i = 0; expected[i] || name[i]; ++i)
        if (expected[i] != name[i])
            return FALSE;
    return (GetWindowLongA(window, GWL_STYLE) & 7) == BS_GROUPBOX;
}

void MarkPageChanged(HWND page)
{
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

int CheckedRadioIndex(HWND dialog, int firstId, int lastId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            return id - firstId;
    return 0;
}

BOOL ReadDottedFields(HWND dialog, int id, char *destination)
{
    destination[0] = '\0';
    int length = 0;
    for (HWND child = GetWindow(GetDlgItem(dialog, id), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (length)
            destination[length++] = '.';
        char field[4];
        GetWindowTextA(child, field, sizeof field);
        if (!field[0]) {
            destination[length] = '\0';
            return FALSE;
        }
        for (const char *p = field; *p; ++p)
            destination[length++] = *p;
        destination[length] = '\0';
        // Four fields of three digits and their dots fill 16 bytes; a control
        // with more children stops there.
        if (length > 11)
            break;
    }
    return TRUE;
}

BOOL GetItemText(HWND dialog, int id, char *buffer, int size)
{
    if (size <= 0)
        return FALSE;
    buffer[0] = '\0';
    LRESULT result = SendItem(dialog, id, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
    buffer[size - 1] = '\0';
    return result != -1;
}

BOOL SetItemText(HWND dialog, int id, const char *text)
{
    LRESULT result = SendItem(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return result != CB_ERR && result != CB_ERRSPACE;
}

void EditSelectAll(HWND dialog, int id) { SendItem(dialog, id, EM_SETSEL, 0, -1); }
void EditLimitText(HWND dialog, int id, int count) { SendItem(dialog, id, EM_LIMITTEXT, count); }
void EditUndo(HWND dialog, int id) { SendItem(dialog, id, EM_UNDO); }

// ---- Combo boxes ---------------------------------------------------------

int ComboCount(HWND dialog, int id) { return static_cast<int>(SendItem(dialog, id, CB_GETCOUNT)); }

int ComboAdd(HWND dialog, int id, const char *text)
{
    return static_cast<int>(SendItem(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int ComboAddResourceString(HWND dialog, int id, UINT stringId)
{
    const char *text = LoadFormattedString(NULL, stringId);
    return ComboAdd(dialog, id, text ? text : "");
}

int ComboFind(HWND dialog, int id, const char *text)
{
    return static_cast<int>(SendItem(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text)));
}

BOOL ComboSelect(HWND dialog, int id, int index)
{
    return SendItem(dialog, id, CB_SETCURSEL, static_cast<WORD>(index)) != CB_ERR;
}

int ComboSelection(HWND dialog, int id) { return static_cast<int>(SendItem(dialog, id, CB_GETCURSEL)); }

BOOL ComboGetText(HWND dialog, int id, int index, char *buffer)
{
    if (index == -1)
        return GetItemText(dialog, id, buffer, 256);
    LRESULT length = SendItem(dialog, id, CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length >= 256)
        return FALSE;
    return SendItem(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)) != CB_ERR;
}

BOOL ComboSelectOrSetText(HWND dialog, int id, const char *text)
{
    int index = ComboFind(dialog, id, text);
    if (index != -1)
        return ComboSelect(dialog, id, index);
    SendItem(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(-1));
    return SetItemText(dialog, id, text);
}

BOOL ComboCurrentText(HWND dialog, int id, char *buffer)
{
    return ComboGetText(dialog, id, ComboSelection(dialog, id), buffer);
}

BOOL ComboFirstWord(HWND dialog, int id, char *buffer)
{
    int count = ComboCount(dialog, id);
    for (int i = 0; i < count; ++i) {
        char text[256];
        if (!ComboGetText(dialog, id, i, text))
            return FALSE;
        if (!IsNumericText(text)) {
            lstrcpyA(buffer, text);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ComboShowNumber(HWND dialog, int id, DWORD value)
{
    char text[256];
    if (value != 0)
        FormatNumber(text, value);
    else if (!ComboFirstWord(dialog, id, text))
        lstrcpyA(text, "0");
    return ComboSelectOrSetText(dialog, id, text);
}

BOOL ComboEntryNumber(HWND dialog, int id, int index, DWORD *value)
{
    char text[256];
    if (!ComboGetText(dialog, id, index, text))
        return FALSE;
    BOOL numeric = IsNumericText(text);
    if (!numeric && ComboFind(dialog, id, text) != -1) {
        *value = 0;
        return TRUE;
    }
    if (!numeric)
        return FALSE;
    *value = ParseNumber(text);
    return TRUE;
}

BOOL ComboCurrentNumber(HWND dialog, int id, DWORD *value)
{
    return ComboEntryNumber(dialog, id, ComboSelection(dialog, id), value);
}

static BOOL ComboListExtreme(HWND dialog, int id, DWORD *value, bool largest)
{
    BOOL found = FALSE;
    int count = ComboCount(dialog, id);
    for (int i = 0; i < count; ++i) {
        DWORD entry;
        if (!ComboEntryNumber(dialog, id, i, &entry))
            continue;
        if (!found || (largest ? entry > *value : entry < *value))
            *value = entry;
        found = TRUE;
    }
    return found;
}

BOOL ComboListMinimum(HWND dialog, int id, DWORD *value) { return ComboListExtreme(dialog, id, value, false); }
BOOL ComboListMaximum(HWND dialog, int id, DWORD *value) { return ComboListExtreme(dialog, id, value, true); }

// ---- List boxes ----------------------------------------------------------

int ListCount(HWND dialog, int id) { return static_cast<int>(SendItem(dialog, id, LB_GETCOUNT)); }

int ListAdd(HWND dialog, int id, const char *text)
{
    return static_cast<int>(SendItem(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int ListInsert(HWND dialog, int id, int index, const char *text)
{
    return static_cast<int>(SendItem(dialog, id, LB_INSERTSTRING, static_cast<WORD>(index),
                                     reinterpret_cast<LPARAM>(text)));
}

int ListDelete(HWND dialog, int id, int index)
{
    return static_cast<int>(SendItem(dialog, id, LB_DELETESTRING, static_cast<WORD>(index)));
}

void ListSelect(HWND dialog, int id, int index)
{
    if (index != -1)
        SendItem(dialog, id, LB_SETCURSEL, index);
}

int ListSelection(HWND dialog, int id) { return static_cast<int>(SendItem(dialog, id, LB_GETCURSEL)); }

BOOL ListGetText(HWND dialog, int id, int index, char *buffer, UINT size)
{
    LRESULT length = SendItem(dialog, id, LB_GETTEXTLEN, index);
    if (length == LB_ERR || static_cast<UINT>(length) >= size)
        return FALSE;
    return SendItem(dialog, id, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)) != LB_ERR;
}

int ListFind(HWND dialog, int id, const char *text)
{
    return static_cast<int>(SendItem(dialog, id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text)));
}

int ListRemoveText(HWND dialog, int id, const char *text)
{
    int index = ListFind(dialog, id, text);
    if (index == -1)
        return -1;
    return ListDelete(dialog, id, index);
}
