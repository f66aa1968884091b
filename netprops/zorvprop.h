// Library-wide state and the property-sheet spine.
#ifndef ZORVPROP_H
#define ZORVPROP_H

#include <windows.h>
#include <commctrl.h>

// Instance handle of this library, recorded by DllMain.
extern HINSTANCE ModuleInstance;

// Result text handed back to the setup program by every export.
extern char ResultString[8];
void SetResultString(BOOL flag);

// First-version property sheet structures (40 bytes each), as the sheet
// of every supported system understands them.
struct SheetPageRecord {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCSTR pszTemplate;
    HICON hIcon;
    LPCSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKA pfnCallback;
    UINT *pcRefParent;
};

struct SheetHeaderRecord {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HINSTANCE hInstance;
    LPCSTR pszIcon;
    LPCSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
    const SheetPageRecord *ppsp;
    PFNPROPSHEETCALLBACK pfnCallback;
};

const int kMaxSheetPages = 15;
extern SheetHeaderRecord SheetHeader;
extern SheetPageRecord PageTable[kMaxSheetPages];
extern WORD PageCount;

void InitSheetHeader(UINT captionId, const char *parentArgument);
BOOL AddPage(UINT templateId, DLGPROC procedure);
// Runs the modal sheet on SheetHeader and stores the result string.
INT_PTR RunSheet();
int CALLBACK SheetPreCreateCallback(HWND window, UINT message, LPARAM parameter);
// The parent window handle given as hexadecimal digits.
HWND ParseParentWindow(const char *argument);

// The common page skeleton. Each page procedure names its own handlers;
// anything they do not take goes to the context-help handler.
struct PageHandlers {
    // WM_NOTIFY; the value returned is the page procedure's result.
    INT_PTR (*notify)(HWND page, NMHDR *header);
    // WM_INITDIALOG.
    void (*init)(HWND page);
    // WM_COMMAND; true when the page took the command.
    BOOL (*command)(HWND page, WORD id, WORD code, HWND control);
};
INT_PTR RunPageSkeleton(const PageHandlers &handlers, HWND page, UINT message,
                        WPARAM wParam, LPARAM lParam);

// Fallback of every page procedure (context help, changed marking).
INT_PTR ContextHelpHandler(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Setup library-procedure convention of the exports.
#define SETUP_ENTRY extern "C" BOOL __cdecl
typedef char *SetupArgument;

#endif
