// Control bindings.
#include "bindings.h"
#include "registry.h"
#include "toolkit.h"

namespace {

DWORD StoredNumber(HKEY key, const char *name, DWORD defaultValue)
{
    DWORD value;
    return ReadDwordValue(key, name, &value) ? value : defaultValue;
}

void SaveNumber(HKEY key, const char *name, DWORD value)
{
    if (!WriteDwordValue(key, name, value))
        ReportWriteFailure();
}

void SaveText(HKEY key, const char *name, const char *text)
{
    if (!WriteSzValue(key, name, text))
        ReportWriteFailure();
}

// The stored text, or the default (an empty text when there is none).
const char *StoredText(HKEY key, const char *name, const char *defaultText, char *buffer,
                       DWORD size)
{
    DWORD bytes = size;
    if (ReadSzValue(key, name, buffer, &bytes))
        return buffer;
    return defaultText ? defaultText : "";
}

// The field as an unsigned decimal number: digits only, with spaces allowed
// around them; false for an empty field, a sign, other characters or a
// number too large for 32 bits.
bool ReadUnsignedField(HWND dialog, int id, DWORD *value)
{
    char text[64];
    if (!GetItemText(dialog, id, text, sizeof text))
        return false;
    const char *p = text;
    while (*p == ' ')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    DWORD number = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        DWORD digit = *p - '0';
        if (number > (0xFFFFFFFFu - digit) / 10)
            return false;
        number = number * 10 + digit;
    }
    while (*p == ' ')
        ++p;
    if (*p)
        return false;
    *value = number;
    return true;
}

} // namespace

void ReportWriteFailure()
{
    static BOOL showing;
    if (showing)
        return;
    showing = TRUE;
    MessageBoxA(NULL, "Write Register Failed", NULL, MB_OK | MB_ICONEXCLAMATION);
    showing = FALSE;
}

void BindCheckBox(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue, BOOL save)
{
    if (save) {
        SaveNumber(key, name, IsDlgButtonChecked(dialog, id) ? 1 : 0);
        return;
    }
    // Any stored number other than 0 shows as checked.
    CheckDlgButton(dialog, id, StoredNumber(key, name, defaultValue) ? BST_CHECKED : BST_UNCHECKED);
}

void BindInvertedCheckBox(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                          BOOL save)
{
    if (save) {
        SaveNumber(key, name, IsDlgButtonChecked(dialog, id) ? 0 : 1);
        return;
    }
    CheckDlgButton(dialog, id, StoredNumber(key, name, defaultValue) ? BST_UNCHECKED : BST_CHECKED);
}

void BindEditText(HWND dialog, int id, HKEY key, const char *name, const char *defaultText,
                  BOOL save, DWORD size)
{
    char buffer[260];
    if (size > sizeof buffer)
        size = sizeof buffer;
    if (size < 1)
        size = 1;
    if (save) {
        GetItemText(dialog, id, buffer, size);
        SaveText(key, name, buffer);
        return;
    }
    SetItemText(dialog, id, StoredText(key, name, defaultText, buffer, size));
}

void BindComboText(HWND dialog, int id, HKEY key, const char *name, const char *defaultText,
                   BOOL save)
{
    char buffer[256];
    if (save) {
        // An entry that cannot be read leaves the stored value as it is.
        if (ComboCurrentText(dialog, id, buffer))
            SaveText(key, name, buffer);
        return;
    }
    if (!ComboSelectOrSetText(dialog, id, StoredText(key, name, defaultText, buffer, sizeof buffer)))
        ComboSelect(dialog, id, 0);
}

void BindComboNumber(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                     BOOL save)
{
    if (!save) {
        if (!ComboShowNumber(dialog, id, StoredNumber(key, name, defaultValue)))
            ComboSelect(dialog, id, 0);
        return;
    }
    DWORD value;
    if (!ComboCurrentNumber(dialog, id, &value))
        return;
    DWORD bound;
    if (ComboListMinimum(dialog, id, &bound) && bound > value)
        return;
    if (ComboListMaximum(dialog, id, &bound) && bound < value)
        return;
    SaveNumber(key, name, value);
}

void BindRadioGroup(HWND dialog, int firstId, int lastId, HKEY key, const char *name,
                    DWORD defaultValue, BOOL save)
{
    if (save) {
        SaveNumber(key, name, CheckedRadioIndex(dialog, firstId, lastId));
        return;
    }
    // An index beyond the run leaves every button of it unchecked.
    DWORD index = StoredNumber(key, name, defaultValue);
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(dialog, id,
                       static_cast<DWORD>(id - firstId) == index ? BST_CHECKED : BST_UNCHECKED);
}

void BindEditNumber(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                    BOOL save, LONG minimum, LONG maximum)
{
    if (!save) {
        char text[16];
        SetItemText(dialog, id, FormatNumber(text, StoredNumber(key, name, defaultValue)));
        return;
    }
    DWORD number;
    if (!ReadUnsignedField(dialog, id, &number))
        return;
    LONG value = static_cast<LONG>(number);
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = maximum;
    SaveNumber(key, name, static_cast<DWORD>(value));
}
