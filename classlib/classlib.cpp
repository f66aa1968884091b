// The class library's code: exceptions, strings, application state, window
// map and message dispatch, controls, device contexts, dialogs and data
// exchange.
#include "classlib.h"

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

// ---- Exceptions ----------------------------------------------------------------
void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

static CMemoryException g_memoryException;

void AfxThrowMemoryException() { throw &g_memoryException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }

// ---- Strings -------------------------------------------------------------------
static char g_emptyText[1] = {0};

CString::CString() : m_text(g_emptyText), m_length(0) {}
CString::CString(const char *text) : CString() { *this = text; }
CString::CString(const CString &other) : CString() { Assign(other.m_text, other.m_length); }
CString::~CString()
{
    if (m_text != g_emptyText)
        free(m_text);
}

void CString::Assign(const char *text, int length)
{
    char *copy = g_emptyText;
    if (length > 0) {
        copy = static_cast<char *>(malloc(length + 1));
        if (!copy)
            AfxThrowMemoryException();
        memcpy(copy, text, length);
        copy[length] = 0;
    }
    if (m_text != g_emptyText)
        free(m_text);
    m_text = copy;
    m_length = length;
}

CString &CString::operator=(const char *text)
{
    Assign(text ? text : "", text ? (int)strlen(text) : 0);
    return *this;
}

CString &CString::operator=(const CString &other)
{
    if (this != &other)
        Assign(other.m_text, other.m_length);
    return *this;
}

CString &CString::operator+=(const char *text)
{
    int extra = text ? (int)strlen(text) : 0;
    if (extra == 0)
        return *this;
    char *joined = static_cast<char *>(malloc(m_length + extra + 1));
    if (!joined)
        AfxThrowMemoryException();
    memcpy(joined, m_text, m_length);
    memcpy(joined + m_length, text, extra + 1);
    if (m_text != g_emptyText)
        free(m_text);
    m_text = joined;
    m_length += extra;
    return *this;
}

CString &CString::operator+=(char ch)
{
    char text[2] = {ch, 0};
    return *this += text;
}

CString operator+(const CString &a, const char *b)
{
    CString result(a);
    result += b;
    return result;
}

BOOL CString::LoadString(UINT id)
{
    char buffer[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    if (length <= 0)
        return FALSE;
    Assign(buffer, length);
    return TRUE;
}

void CString::Format(const char *format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int length = wvsprintfA(buffer, format, args);
    va_end(args);
    Assign(buffer, length < 0 ? 0 : length);
}

// ---- Application state -------------------------------------------------------------
namespace {
CWinApp *g_app;
HINSTANCE g_instance;
HINSTANCE g_resource;
char g_defaultTitle[MAX_PATH];
HWND g_modalWindow;  // the innermost running dialog: owner of message boxes
}

const AFX_MSGMAP CCmdTarget::messageMap = {nullptr, nullptr};
const AFX_MSGMAP *CCmdTarget::GetMessageMap() const { return &CCmdTarget::messageMap; }

const AFX_MSGMAP_ENTRY *CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP *map = GetMessageMap(); map; map = map->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY *e = map->lpEntries; e && e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == message && e->nCode == code && e->nID == id)
                return e;
        }
    }
    return nullptr;
}

CWinApp::CWinApp() : m_hInstance(nullptr), m_pszAppName(g_defaultTitle) { g_app = this; }
CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}
const AFX_MSGMAP *CWinApp::GetMessageMap() const { return &CCmdTarget::messageMap; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

CWinApp *AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() { return g_instance; }
HINSTANCE AfxGetResourceHandle() { return g_resource; }
void AfxSetResourceHandle(HINSTANCE resource) { g_resource = resource; }

BOOL AfxLibraryAttach(HINSTANCE instance)
{
    g_instance = instance;
    g_resource = instance;
    // The default title is the library's file name without its extension.
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    path[length < sizeof path ? length : sizeof path - 1] = 0;
    const char *name = path;
    for (const char *p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    lstrcpynA(g_defaultTitle, name, sizeof g_defaultTitle);
    char *dot = strrchr(g_defaultTitle, '.');
    if (dot)
        *dot = 0;
    if (!g_app)
        return TRUE;
    g_app->m_hInstance = instance;
    return g_app->InitInstance();
}

void AfxLibraryDetach()
{
    if (g_app)
        g_app->ExitInstance();
    AfxDeleteTempMap();
}

int AfxMessageBox(const char *text, UINT type, UINT)
{
    const char *caption = g_app ? g_app->m_pszAppName : g_defaultTitle;
    return MessageBoxA(g_modalWindow, text, caption, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    CString text;
    if (!text.LoadString(promptId))
        return 0;
    return AfxMessageBox(text, type, helpId == (UINT)-1 ? promptId : helpId);
}

// ---- Window map --------------------------------------------------------------------
namespace {
struct MapNode {
    HWND window;
    CWnd *object;
    bool temporary;
    MapNode *next;
};
MapNode *g_map;

void MapAdd(HWND window, CWnd *object, bool temporary)
{
    MapNode *node = new MapNode{window, object, temporary, g_map};
    g_map = node;
}

void MapRemove(CWnd *object)
{
    for (MapNode **link = &g_map; *link; link = &(*link)->next) {
        if ((*link)->object == object) {
            MapNode *node = *link;
            *link = node->next;
            delete node;
            return;
        }
    }
}

MapNode *MapFind(HWND window)
{
    for (MapNode *node = g_map; node; node = node->next) {
        if (node->window == window)
            return node;
    }
    return nullptr;
}

// The message being handled, for Default().
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
CurrentMessage g_current;
} // namespace

void AfxDeleteTempMap()
{
    MapNode **link = &g_map;
    while (*link) {
        MapNode *node = *link;
        if (node->temporary) {
            *link = node->next;
            node->object->m_hWnd = nullptr;
            delete node->object;
            delete node;
        } else {
            link = &node->next;
        }
    }
}

// ---- Windows -------------------------------------------------------------------------
const AFX_MSGMAP CWnd::messageMap = {&CCmdTarget::messageMap, nullptr};
const AFX_MSGMAP *CWnd::GetMessageMap() const { return &CWnd::messageMap; }

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}
CWnd::~CWnd()
{
    if (m_hWnd) {
        if (m_pfnSuper)
            UnsubclassWindow();
        else
            Detach();
    }
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    MapAdd(window, this, false);
}

void CWnd::Detach()
{
    MapRemove(this);
    m_hWnd = nullptr;
}

CWnd *CWnd::FromHandlePermanent(HWND window)
{
    MapNode *node = MapFind(window);
    return node && !node->temporary ? node->object : nullptr;
}

CWnd *CWnd::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    MapNode *node = MapFind(window);
    if (node)
        return node->object;
    CWnd *object = new CWnd;
    object->m_hWnd = window;
    MapAdd(window, object, true);
    return object;
}

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd *object = CWnd::FromHandlePermanent(window);
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    CurrentMessage saved = g_current;
    g_current = {message, wParam, lParam};
    LRESULT result = object->WindowProc(message, wParam, lParam);
    g_current = saved;
    if (message == WM_NCDESTROY && object->m_hWnd == window && object->m_pfnSuper)
        object->UnsubclassWindow();
    return result;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd)
        return FALSE;
    Attach(window);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd *parent)
{
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = m_hWnd;
    if (m_pfnSuper)
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    return window;
}

CWnd *CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
CWnd *CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd *CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT *) { return FALSE; }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    *result = 0;
    const AFX_MSGMAP_ENTRY *entry = nullptr;
    switch (message) {
    case WM_COMMAND:
        entry = FindEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
        if (entry) {
            (this->*entry->pfn)();
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        // Reflect owner-draw requests to the control's own object.
        HWND control = message == WM_DRAWITEM
                           ? reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem
                           : ::GetDlgItem(m_hWnd, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID);
        CWnd *child = control ? FromHandlePermanent(control) : nullptr;
        if (child && child->OnChildNotify(message, wParam, lParam, result)) {
            *result = TRUE;
            return TRUE;
        }
        return FALSE;
    }
    default:
        entry = FindEntry(message, 0, 0);
        break;
    }
    if (!entry)
        return FALSE;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*entry->pfn)();
        break;
    case AfxSig_vwww:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(entry->pfn))(
            (UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwwh:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, HWND)>(entry->pfn))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

// ---- Device contexts ---------------------------------------------------------------
CDC::~CDC()
{
    if (m_bOwned)
        DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC *dc)
{
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

void CDC::DeleteDC()
{
    if (m_hDC && m_bOwned)
        ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_bOwned = FALSE;
}

CPaintDC::CPaintDC(CWnd *window) : m_hWndPaint(window->m_hWnd)
{
    m_hDC = BeginPaint(m_hWndPaint, &m_ps);
    if (!m_hDC)
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC() { EndPaint(m_hWndPaint, &m_ps); }

// ---- Controls ----------------------------------------------------------------------------
BOOL CListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT *)
{
    if (message == WM_DRAWITEM)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return FALSE;
    return TRUE;
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CListBox::GetText(int index, CString &text) const
{
    int length = (int)::SendMessageA(m_hWnd, LB_GETTEXTLEN, index, 0);
    if (length < 0) {
        text.Empty();
        return;
    }
    char *buffer = static_cast<char *>(malloc(length + 1));
    if (!buffer)
        AfxThrowMemoryException();
    buffer[0] = 0;
    ::SendMessageA(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    buffer[length] = 0;
    try {
        text = buffer;
    } catch (...) {
        free(buffer);
        throw;
    }
    free(buffer);
}

// ---- Data exchange ----------------------------------------------------------------------
CDataExchange::CDataExchange(CDialog *dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog), m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        AfxThrowUserException();
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange *dx, int id, CWnd &control)
{
    if (control.m_hWnd)
        return;
    HWND window = dx->PrepareCtrl(id);
    if (!window || !control.SubclassWindow(window))
        AfxThrowResourceException();
}

void DDX_Check(CDataExchange *dx, int id, int &value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = (int)::SendMessageA(control, BM_GETCHECK, 0, 0);
    } else {
        ::SendMessageA(control, BM_SETCHECK, value >= 0 && value <= 2 ? value : 0, 0);
    }
}

// A decimal integer with optional blanks around it and an optional sign.
static BOOL ParseInteger(const char *text, int *value)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';
    if (*text < '0' || *text > '9')
        return FALSE;
    long long number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (*text - '0');
        if (number > 0x80000000LL)
            return FALSE;
    }
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text)
        return FALSE;
    if (negative)
        number = -number;
    if (number > 0x7FFFFFFFLL)
        return FALSE;
    *value = (int)number;
    return TRUE;
}

static void GetControlText(HWND control, CString &text)
{
    int length = GetWindowTextLengthA(control);
    char *buffer = static_cast<char *>(malloc(length + 1));
    if (!buffer)
        AfxThrowMemoryException();
    buffer[0] = 0;
    GetWindowTextA(control, buffer, length + 1);
    try {
        text = buffer;
    } catch (...) {
        free(buffer);
        throw;
    }
    free(buffer);
}

void DDX_Text(CDataExchange *dx, int id, int &value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CString text;
        GetControlText(control, text);
        if (!ParseInteger(text, &value)) {
            AfxMessageBox(AFX_IDP_PARSE_INT, MB_OK | MB_ICONEXCLAMATION);
            dx->Fail();
        }
    } else {
        char text[16];
        wsprintfA(text, "%d", value);
        SetWindowTextA(control, text);
    }
}

void DDX_Text(CDataExchange *dx, int id, CString &value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        GetControlText(control, value);
    else
        SetWindowTextA(control, value);
}

// ---- Dialogs ---------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_BN_CLICKED(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd *parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
CDialog::~CDialog()
{
    if (m_hWnd)
        Detach();
}

INT_PTR CALLBACK AfxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog *dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog *>(lParam);
        dialog->Attach(window);
        g_modalWindow = window;
    } else {
        dialog = static_cast<CDialog *>(CWnd::FromHandlePermanent(window));
        if (!dialog)
            return FALSE;
    }
    CurrentMessage saved = g_current;
    g_current = {message, wParam, lParam};
    INT_PTR handled = FALSE;
    if (message == WM_INITDIALOG) {
        handled = dialog->OnInitDialog();
    } else {
        LRESULT result = 0;
        if (dialog->OnWndMsg(message, wParam, lParam, &result)) {
            handled = TRUE;
            if (message == WM_DRAWITEM || message == WM_MEASUREITEM)
                SetWindowLongA(window, DWL_MSGRESULT, (LONG)result);
        }
    }
    g_current = saved;
    if (message == WM_NCDESTROY)
        dialog->Detach();
    return handled;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE resource = AfxGetResourceHandle();
    HRSRC found = FindResourceA(resource, MAKEINTRESOURCEA(m_nIDTemplate), (LPCSTR)RT_DIALOG);
    if (!found)
        return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    HWND previousModal = g_modalWindow;
    INT_PTR result = DialogBoxParamA(resource, MAKEINTRESOURCEA(m_nIDTemplate), owner, AfxDlgProc,
                                     reinterpret_cast<LPARAM>(this));
    g_modalWindow = previousModal;
    if (m_hWnd)
        Detach();
    return result;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException *e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::CenterOnScreen()
{
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    MoveWindow(m_hWnd, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, TRUE);
}
