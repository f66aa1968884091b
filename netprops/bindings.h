// Control bindings: each moves one registry value between one control and
// an open key, loading (save false) with a fallback default when nothing
// usable is stored, or saving (save true) the control's state. A failed
// write shows "Write Register Failed".
#ifndef ZORVPROP_BINDINGS_H
#define ZORVPROP_BINDINGS_H

#include <windows.h>

// Check box <-> REG_DWORD: 1 checked, 0 unchecked.
void BindCheckBox(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue, BOOL save);
// Check box <-> REG_DWORD: checked for 0, unchecked for 1.
void BindInvertedCheckBox(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                          BOOL save);
// Edit field <-> REG_SZ, read with size bytes (terminator included, at most 260).
void BindEditText(HWND dialog, int id, HKEY key, const char *name, const char *defaultText,
                  BOOL save, DWORD size);
// Combo box <-> REG_SZ: the selected entry, or the typed text.
void BindComboText(HWND dialog, int id, HKEY key, const char *name, const char *defaultText,
                   BOOL save);
// Combo box of numbers <-> REG_DWORD. A word of the list (such as
// "Automatic") stands for 0; a number outside the list's own range, or a
// text that is neither, is not written.
void BindComboNumber(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                     BOOL save);
// Radio buttons firstId..lastId <-> REG_DWORD index from firstId.
void BindRadioGroup(HWND dialog, int firstId, int lastId, HKEY key, const char *name,
                    DWORD defaultValue, BOOL save);
// Edit field <-> REG_DWORD as unsigned decimal, saved clamped to
// minimum..maximum (compared as signed); not written when not a number.
void BindEditNumber(HWND dialog, int id, HKEY key, const char *name, DWORD defaultValue,
                    BOOL save, LONG minimum, LONG maximum);

// "Write Register Failed", at most one box at a time.
void ReportWriteFailure();

#endif
