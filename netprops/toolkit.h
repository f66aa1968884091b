// Dialog toolkit shared by the pages: string-table texts, message boxes
// that do not stack, field checks, number texts, and thin operations on
// combo boxes, list boxes, edit fields and radio runs.
#ifndef ZORVPROP_TOOLKIT_H
#define ZORVPROP_TOOLKIT_H

#include <windows.h>
#include <stdarg.h>

// ---- Texts and messages ----
// Formats into destination (size bytes, always terminated, never overrun).
// Understands %d %i %u %x %X %c %s %% with flags, width and precision.
int FormatText(char *destination, int size, const char *format, va_list arguments);
// Loads a string-table text and formats it into a static 256-byte result;
// a longer result is cut at 255 characters. With a destination (of at
// least 256 bytes) the result is copied there. Null when the entry is
// missing or empty.
char *LoadFormattedString(char *destination, UINT id, ...);
int GuardedMessageBox(HWND owner, const char *text, const char *caption, UINT style);
void ShowNotFound(const char *text);

// ---- Field checks ----
BOOL IsFieldBlank(HWND dialog, int id);
BOOL CheckTextField(HWND dialog, int id, BOOL emptyAllowed, WORD limit,
                    UINT tooLongId, UINT emptyId);

// ---- Numbers ----
BOOL IsNumericText(const char *text);
DWORD ParseNumber(const char *text);
char *FormatNumber(char *destination, DWORD value);

// ---- Controls ----
void EnableControl(HWND dialog, int id, BOOL flag);
WNDPROC SubclassControl(HWND dialog, int id, WNDPROC procedure);
BOOL IsGroupBox(HWND window);
void MarkPageChanged(HWND page);
int CheckedRadioIndex(HWND dialog, int firstId, int lastId);
BOOL ReadDottedFields(HWND dialog, int id, char *destination);
BOOL GetItemText(HWND dialog, int id, char *buffer, int size);
BOOL SetItemText(HWND dialog, int id, const char *text);
void EditSelectAll(HWND dialog, int id);
void EditLimitText(HWND dialog, int id, int count);
void EditUndo(HWND dialog, int id);

// ---- Combo boxes (index -1 means none) ----
int ComboCount(HWND dialog, int id);
int ComboAdd(HWND dialog, int id, const char *text);
int ComboAddResourceString(HWND dialog, int id, UINT stringId);
int ComboFind(HWND dialog, int id, const char *text);
BOOL ComboSelect(HWND dialog, int id, int index);
int ComboSelection(HWND dialog, int id);
BOOL ComboGetText(HWND dialog, int id, int index, char *buffer);   // buffer: 256 bytes
BOOL ComboSelectOrSetText(HWND dialog, int id, const char *text);
BOOL ComboCurrentText(HWND dialog, int id, char *buffer);
BOOL ComboFirstWord(HWND dialog, int id, char *buffer);
BOOL ComboShowNumber(HWND dialog, int id, DWORD value);
BOOL ComboEntryNumber(HWND dialog, int id, int index, DWORD *value);
BOOL ComboCurrentNumber(HWND dialog, int id, DWORD *value);
BOOL ComboListMinimum(HWND dialog, int id, DWORD *value);
BOOL ComboListMaximum(HWND dialog, int id, DWORD *value);

// ---- List boxes ----
int ListCount(HWND dialog, int id);
int ListAdd(HWND dialog, int id, const char *text);
int ListInsert(HWND dialog, int id, int index, const char *text);
int ListDelete(HWND dialog, int id, int index);
void ListSelect(HWND dialog, int id, int index);
int ListSelection(HWND dialog, int id);
BOOL ListGetText(HWND dialog, int id, int index, char *buffer, UINT size);
int ListFind(HWND dialog, int id, const char *text);
int ListRemoveText(HWND dialog, int id, const char *text);

#endif
