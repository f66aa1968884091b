// The one sheet header and page table every sheet is built from, and the
// dispatch skeleton shared by the page procedures.
#include "zorvprop.h"
#include "toolkit.h"

HINSTANCE ModuleInstance;
char ResultString[8];
SheetHeaderRecord SheetHeader;
SheetPageRecord PageTable[kMaxSheetPages];
WORD PageCount;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    ModuleInstance = instance;
    return TRUE;
}

void SetResultString(BOOL flag)
{
    lstrcpyA(ResultString, flag ? "TRUE" : "FALSE");
}

HWND ParseParentWindow(const char *argument)
{
    // The argument is read as if it followed "0x": hexadecimal digits only,
    // so an argument carrying its own prefix reads as 0. Only the first 27
    // characters are looked at; no handle is that long.
    const int kArgumentRoom = 27;
    DWORD value = 0;
    for (int i = 0; argument && i < kArgumentRoom && argument[i]; ++i) {
        char c = argument[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        // An unsigned conversion saturates rather than wrapping.
        if (value > 0x0FFFFFFFu) {
            value = 0xFFFFFFFFu;
            continue;
        }
        value = value * 16 + digit;
    }
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}

void InitSheetHeader(UINT captionId, const char *parentArgument)
{
    static char caption[256];
    const char *text = LoadFormattedString(caption, captionId);
    SheetHeader.dwSize = sizeof(SheetHeaderRecord);
    SheetHeader.dwFlags = PSH_PROPSHEETPAGE | PSH_USEICONID | PSH_USECALLBACK;
    SheetHeader.hwndParent = ParseParentWindow(parentArgument);
    SheetHeader.hInstance = ModuleInstance;
    SheetHeader.pszIcon = NULL;
    SheetHeader.pszCaption = text ? caption : "";
    SheetHeader.nStartPage = 0;
    SheetHeader.ppsp = PageTable;
    SheetHeader.pfnCallback = SheetPreCreateCallback;
    PageCount = 0;
    SheetHeader.nPages = 0;
}

BOOL AddPage(UINT templateId, DLGPROC procedure)
{
    if (PageCount >= kMaxSheetPages)
        return FALSE;
    SheetPageRecord &page = PageTable[PageCount];
    page.dwSize = sizeof(SheetPageRecord);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = ModuleInstance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.hIcon = NULL;
    page.pszTitle = NULL;
    page.pfnDlgProc = procedure;
    page.lParam = 0;
    page.pfnCallback = NULL;
    page.pcRefParent = NULL;
    ++PageCount;
    SheetHeader.nPages = PageCount;
    return TRUE;
}

int CALLBACK SheetPreCreateCallback(HWND, UINT message, LPARAM parameter)
{
    if (message == PSCB_PRECREATE && parameter) {
        // The template is either a classic DLGTEMPLATE or an extended one,
        // whose style sits after its signature and help id.
        WORD *words = reinterpret_cast<WORD *>(parameter);
        DWORD *style = (words[0] == 1 && words[1] == 0xFFFF)
            ? reinterpret_cast<DWORD *>(words + 6)
            : reinterpret_cast<DWORD *>(words);
        *style |= WS_SYSMENU;
    }
    return 0;
}

INT_PTR RunSheet()
{
    INT_PTR result = PropertySheetA(reinterpret_cast<LPCPROPSHEETHEADERA>(&SheetHeader));
    SetResultString(result != 0);
    return result;
}

INT_PTR RunPageSkeleton(const PageHandlers &handlers, HWND page, UINT message,
                        WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        return handlers.notify ? handlers.notify(page, reinterpret_cast<NMHDR *>(lParam)) : 0;
    case WM_INITDIALOG:
        if (handlers.init)
            handlers.init(page);
        return TRUE;
    case WM_COMMAND:
        if (handlers.command && handlers.command(page, LOWORD(wParam), HIWORD(wParam),
                                                 reinterpret_cast<HWND>(lParam)))
            return TRUE;
        break;
    }
    return ContextHelpHandler(page, message, wParam, lParam);
}
