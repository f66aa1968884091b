// Test harness: a scratch registry per test, a driver that works a modal
// sheet or dialog from inside its own message loop, message-box capture,
// import patching and window screenshots.
#ifndef ZORV_TEST_HARNESS_H
#define ZORV_TEST_HARNESS_H

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zt {

// ---- Registry sandbox -------------------------------------------------------
// Redirects HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of the whole process to
// fresh scratch keys for its lifetime, then deletes them.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox &) = delete;
    RegistrySandbox &operator=(const RegistrySandbox &) = delete;

private:
    std::string m_path;
    HKEY m_user = nullptr;
    HKEY m_machine = nullptr;
};

// Registry conveniences for setting up and checking a test's keys.
// Paths are below a predefined root, e.g. (HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\Client").
void SetDword(HKEY root, const std::string &path, const char *name, DWORD value);
void SetString(HKEY root, const std::string &path, const char *name, const std::string &value,
               DWORD type = REG_SZ);
void SetBinary(HKEY root, const std::string &path, const char *name, const void *data, DWORD size);
void CreateKey(HKEY root, const std::string &path);
bool KeyExists(HKEY root, const std::string &path);
bool ValueExists(HKEY root, const std::string &path, const char *name);
// The value's type, or REG_NONE with found=false.
bool GetDword(HKEY root, const std::string &path, const char *name, DWORD *value);
bool GetString(HKEY root, const std::string &path, const char *name, std::string *value);
// Raw data and type of a value.
bool GetRaw(HKEY root, const std::string &path, const char *name, std::string *data, DWORD *type);
std::vector<std::string> ValueNames(HKEY root, const std::string &path);
std::vector<std::string> SubkeyNames(HKEY root, const std::string &path);

// ---- Import patching --------------------------------------------------------
// Replaces one imported function of a loaded module (its import address
// table entry) for the patch's lifetime.
class ImportPatch {
public:
    ImportPatch(HMODULE module, const char *dll, const char *function, void *replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch &) = delete;
    ImportPatch &operator=(const ImportPatch &) = delete;
    bool applied() const { return m_slot != nullptr; }
    void *original() const { return m_original; }

private:
    void **m_slot = nullptr;
    void *m_original = nullptr;
};

// Finds the import address table slot of dll!function in module; null when
// the module does not import it.
void **FindImportSlot(HMODULE module, const char *dll, const char *function);

// ---- Message boxes ------------------------------------------------------------
struct MessageBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;  // "<none>" when the caller passed no caption
    UINT style;
};

// Records every MessageBoxA call of the given modules and answers it without
// showing a window: with the next queued answer, or with the first button
// of its style. A hook runs while the "box" is open, standing in for the
// work a box's own message loop would do.
class MessageBoxCapture {
public:
    explicit MessageBoxCapture(std::vector<HMODULE> modules);
    ~MessageBoxCapture();
    std::vector<MessageBoxRecord> boxes;
    std::deque<int> answers;
    std::function<void(const MessageBoxRecord &)> whileOpen;
    void clear() { boxes.clear(); }

private:
    std::vector<ImportPatch *> m_patches;
    MessageBoxCapture *m_previous;
};

// ---- Modal driver -------------------------------------------------------------
// The script's view of the running sheet or dialog. Actions are delivered
// through the window's own message loop, as a user's would be; each returns
// when the loop has handled it. Queries read the controls directly.
class Ui {
public:
    HWND window() const { return m_window; }        // the sheet or dialog
    bool isSheet() const;
    HWND page() const;                              // current sheet page
    HWND pageAt(int index) const;                   // page by index (null before it was created)
    HWND item(int id) const;                        // in the current page, else the window
    HWND itemIn(HWND parent, int id) const;

    void selectPage(int index);
    void click(int id);                             // a mouse click on a button
    void check(int id, bool on);                    // click when the state differs
    void type(int id, const std::string &text);     // replace the text of an edit or combo
    void selectCombo(int id, int index);            // select an entry, with CBN_SELCHANGE
    void selectComboText(int id, const std::string &text);
    void selectList(int id, int index);             // select an entry, with LBN_SELCHANGE
    void focus(int id);                             // move the focus there
    void key(HWND target, UINT vk, bool ctrl = false, bool shift = false);
    void chars(HWND target, const std::string &text);
    void send(HWND target, UINT message, WPARAM wParam, LPARAM lParam);  // posted, then waited for
    void pump();                                    // let the loop run once
    void waitFor(const std::function<bool()> &condition);

    // Sheet buttons: Apply returns after the apply was handled.
    void apply();
    // These close the window: the script should not act after them.
    void ok();
    void cancel();
    void pressDialogButton(int id);                 // posted WM_COMMAND to the dialog

    std::string text(int id) const;
    std::string textOf(HWND window) const;
    bool checked(int id) const;
    bool enabled(int id) const;
    bool visible(int id) const;
    int comboSelection(int id) const;
    int comboCount(int id) const;
    std::string comboEntry(int id, int index) const;
    std::vector<std::string> listEntries(int id) const;
    int listSelection(int id) const;
    bool applyEnabled() const;

    void screenshot(const std::string &name) const; // PNG under the screenshot folder

private:
    friend class ModalRun;
    HWND m_window = nullptr;
    class ModalRun *m_run = nullptr;
};

// Runs call() (which shows a modal sheet or dialog on this thread) and, once
// a new top-level dialog window of this thread appears, runs script(ui)
// inside its message loop. Fails the test, and closes the window, when the
// script has not ended within the time-out. Returns what call() returned.
INT_PTR RunModal(const std::function<INT_PTR()> &call, const std::function<void(Ui &)> &script,
                 DWORD timeoutMs = 30000);

// ---- Screenshots ------------------------------------------------------------------
// Saves what the window shows (with its frame) as a PNG file.
bool SaveWindowPng(HWND window, const std::string &path);
// Folder for screenshots: $ZORV_SCREENSHOTS or the current folder.
std::string ScreenshotFolder();
// Encodes 24-bit RGB rows (top-down) as PNG bytes.
std::string EncodePng(int width, int height, const std::vector<unsigned char> &rgb);

// ---- Misc -------------------------------------------------------------------------
// Loads one of our libraries from the program's folder; fails the test when
// it does not load.
HMODULE LoadProductLibrary(const char *name);
std::string WindowClass(HWND window);

} // namespace zt

#endif
