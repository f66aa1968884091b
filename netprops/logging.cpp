// The Logging page of the file-sharing sheet: the network event log, whether
// its messages are saved to a file, and that file's name. Whenever the user
// leaves the file field or the page, or applies, the named file is made to
// exist (created empty when missing).
#include "bindings.h"
#include "pages.h"
#include "registry.h"
#include "resource.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

HWND g_page;
// The file name as CheckLogFile last read it: the whole field.
char g_logFile[256];

const char kLoggingKey[] = "LOGGING";
const char kDefaultLogFile[] = "C:\\LOGGING.TXT";
const int kLogFileLimit = 255;

// True when the file named in the field exists (a folder counts) or could
// be created, empty, at once.
BOOL CheckLogFile()
{
    // The whole field is read, so the file checked is the one saved.
    g_logFile[0] = '\0';
    GetDlgItemTextA(g_page, IDC_LOGGING_FILE, g_logFile, sizeof g_logFile);
    if (!g_logFile[0])
        return FALSE;
    if (GetFileAttributesA(g_logFile) != INVALID_FILE_ATTRIBUTES)
        return TRUE;
    HANDLE file = CreateFileA(g_logFile, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

void LoggingTransfer(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, kLoggingKey, &key) != ERROR_SUCCESS)
        return;
    BindCheckBox(g_page, IDC_LOGGING_ENABLE, key, "Enable", 1, save);
    BindCheckBox(g_page, IDC_LOGGING_SAVE, key, "Save", 1, save);
    // A name that can neither be found nor created keeps the stored one.
    if (!save || CheckLogFile())
        BindEditText(g_page, IDC_LOGGING_FILE, key, "File", kDefaultLogFile, save, 256);
    CloseConfigKey(key);
}

} // namespace

// Saving to a file needs the log; the file name needs both.
void LoggingEnableControls()
{
    BOOL enabled = IsDlgButtonChecked(g_page, IDC_LOGGING_ENABLE) == BST_CHECKED;
    BOOL saved = IsDlgButtonChecked(g_page, IDC_LOGGING_SAVE) == BST_CHECKED;
    EnableControl(g_page, IDC_LOGGING_SAVE, enabled);
    EnableControl(g_page, IDC_LOGGING_FILE, enabled && saved);
}

namespace {

void LoggingInit(HWND page)
{
    g_page = page;
    EditLimitText(page, IDC_LOGGING_FILE, kLogFileLimit);
    LoggingTransfer(FALSE);
    LoggingEnableControls();
}

// The page takes every command of its own three controls, so none of them
// marks the sheet changed.
BOOL LoggingCommand(HWND, WORD id, WORD code, HWND)
{
    switch (id) {
    case IDC_LOGGING_ENABLE:
    case IDC_LOGGING_SAVE:
        LoggingEnableControls();
        return TRUE;
    case IDC_LOGGING_FILE:
        if (code == EN_KILLFOCUS)
            CheckLogFile();
        return TRUE;
    }
    return FALSE;
}

// Neither applying nor leaving the page is ever refused.
INT_PTR LoggingNotify(HWND page, NMHDR *header)
{
    switch (header->code) {
    case static_cast<UINT>(PSN_APPLY):
        LoggingTransfer(TRUE);
        break;
    case static_cast<UINT>(PSN_KILLACTIVE):
        CheckLogFile();
        break;
    default:
        return FALSE;
    }
    SetWindowLongA(page, DWL_MSGRESULT, 0);
    return TRUE;
}

INT_PTR CALLBACK LoggingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {LoggingNotify, LoggingInit, LoggingCommand};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddLoggingPage()
{
    AddPage(IDD_LOGGING, LoggingPageProc);
}
