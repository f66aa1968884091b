// A small class library for the disk-cache setup dialogs: application
// object, windows and dialogs with message maps, the controls the dialogs
// use, dialog data exchange, device contexts, a string class and the
// exception objects that end a call.
#ifndef ZORV_CLASSLIB_H
#define ZORV_CLASSLIB_H

#include <windows.h>

// ---- Exceptions ----------------------------------------------------------------
// Thrown as pointers; the catcher calls Delete().
class CException {
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    virtual ~CException() {}
    void Delete();

protected:
    BOOL m_bAutoDelete;
};
class CMemoryException : public CException {
public:
    CMemoryException() : CException(FALSE) {}
};
class CResourceException : public CException {};
class CUserException : public CException {};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();

// ---- Strings -------------------------------------------------------------------
class CString {
public:
    CString();
    CString(const char *text);
    CString(const CString &other);
    ~CString();
    CString &operator=(const char *text);
    CString &operator=(const CString &other);
    CString &operator+=(const char *text);
    CString &operator+=(char ch);
    CString &operator+=(const CString &other) { return *this += other.m_text; }
    friend CString operator+(const CString &a, const char *b);
    operator const char *() const { return m_text; }
    int GetLength() const { return m_length; }
    BOOL IsEmpty() const { return m_length == 0; }
    void Empty() { *this = ""; }
    // String of the current resource source; FALSE (string unchanged) when missing.
    BOOL LoadString(UINT id);
    // Bounded printf-style formatting (up to 1023 characters).
    void Format(const char *format, ...);

private:
    void Assign(const char *text, int length);
    char *m_text;
    int m_length;
};

// ---- Message maps ------------------------------------------------------------------
class CCmdTarget;
class CWnd;
typedef void (CCmdTarget::*AFX_PMSG)();
enum AfxSig {
    AfxSig_end = 0,
    AfxSig_vv,    // void ()
    AfxSig_vwww,  // void (UINT, UINT, UINT): character messages
    AfxSig_vwwh,  // void (UINT, UINT, HWND): scroll messages
};
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;  // notification code of WM_COMMAND
    UINT nID;    // control id of WM_COMMAND
    int nSig;
    AFX_PMSG pfn;
};
struct AFX_MSGMAP {
    const AFX_MSGMAP *pBaseMap;
    const AFX_MSGMAP_ENTRY *lpEntries;
};

#define DECLARE_MESSAGE_MAP(theClass)                                  \
protected:                                                             \
    typedef theClass ThisClass;                                        \
    static const AFX_MSGMAP_ENTRY _messageEntries[];                   \
public:                                                                \
    static const AFX_MSGMAP messageMap;                                \
    const AFX_MSGMAP *GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                               \
    const AFX_MSGMAP *theClass::GetMessageMap() const { return &theClass::messageMap; } \
    const AFX_MSGMAP theClass::messageMap = {&baseClass::messageMap, &theClass::_messageEntries[0]}; \
    const AFX_MSGMAP_ENTRY theClass::_messageEntries[] = {
#define END_MESSAGE_MAP() {0, 0, 0, AfxSig_end, nullptr}};

#define AFX_CMD_ENTRY(code, id, fn) \
    {WM_COMMAND, code, id, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::fn))},
#define ON_COMMAND(id, fn) AFX_CMD_ENTRY(0, id, fn)
#define ON_BN_CLICKED(id, fn) AFX_CMD_ENTRY(BN_CLICKED, id, fn)
#define ON_LBN_SELCHANGE(id, fn) AFX_CMD_ENTRY(LBN_SELCHANGE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) AFX_CMD_ENTRY(CBN_SELCHANGE, id, fn)
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)()>(&ThisClass::OnPaint))},
#define ON_WM_CHAR()                                                                             \
    {WM_CHAR, 0, 0, AfxSig_vwww,                                                                 \
     reinterpret_cast<AFX_PMSG>(static_cast<void (CWnd::*)(UINT, UINT, UINT)>(&ThisClass::OnChar))},
#define ON_WM_VSCROLL()                                                                          \
    {WM_VSCROLL, 0, 0, AfxSig_vwwh,                                                              \
     reinterpret_cast<AFX_PMSG>(static_cast<void (CWnd::*)(UINT, UINT, HWND)>(&ThisClass::OnVScroll))},

class CCmdTarget {
public:
    virtual ~CCmdTarget() {}
    virtual const AFX_MSGMAP *GetMessageMap() const;
    static const AFX_MSGMAP messageMap;
    // The first entry of this object's maps for the message; null when none.
    const AFX_MSGMAP_ENTRY *FindEntry(UINT message, UINT code, UINT id) const;
};

// ---- Application object ---------------------------------------------------------
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    const AFX_MSGMAP *GetMessageMap() const override;
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HINSTANCE m_hInstance;
    const char *m_pszAppName;  // title: caption of the library's message boxes
};

CWinApp *AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);
// Called by the library's DllMain.
BOOL AfxLibraryAttach(HINSTANCE instance);
void AfxLibraryDetach();
// Releases the window objects made for foreign handles.
void AfxDeleteTempMap();

int AfxMessageBox(const char *text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = (UINT)-1);

// ---- Device contexts ---------------------------------------------------------------
class CDC {
public:
    CDC() : m_hDC(nullptr) {}
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC();
    BOOL CreateCompatibleDC(CDC *dc);
    void DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    BOOL BitBlt(int x, int y, int w, int h, CDC *src, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, src->m_hDC, sx, sy, rop);
    }
    void MoveTo(int x, int y) { ::MoveToEx(m_hDC, x, y, nullptr); }
    void LineTo(int x, int y) { ::LineTo(m_hDC, x, y); }
    HDC m_hDC;

protected:
    BOOL m_bOwned = FALSE;
};

// ---- Windows -------------------------------------------------------------------------
class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    const AFX_MSGMAP *GetMessageMap() const override;
    static const AFX_MSGMAP messageMap;

    static CWnd *FromHandle(HWND window);           // temporary object when not attached
    static CWnd *FromHandlePermanent(HWND window);  // null when not attached

    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd *parent);
    HWND UnsubclassWindow();

    CWnd *GetDlgItem(int id) const;
    CWnd *GetParent() const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd *SetFocus();
    void EnableWindow(BOOL enable) { ::EnableWindow(m_hWnd, enable); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    UINT GetDlgItemInt(int id, BOOL *translated, BOOL isSigned) const
    {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }

    // Message handling: the dispatch through the message maps, and the
    // previous procedure for what they do not take.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
    // Owner-draw requests reflected from the parent; TRUE when taken.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint() { Default(); }
    void OnChar(UINT ch, UINT repeat, UINT flags) { Default(); }
    void OnVScroll(UINT code, UINT pos, HWND scrollBar) { Default(); }

    HWND m_hWnd;

protected:
    void Attach(HWND window);
    void Detach();
    WNDPROC m_pfnSuper;
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd *window);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWndPaint;
};

// ---- Controls ----------------------------------------------------------------------------
class CButton : public CWnd {
public:
    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int state) { ::SendMessageA(m_hWnd, BM_SETCHECK, state, 0); }
};

class CListBox : public CWnd {
public:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int AddString(const char *text) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)text); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
    int GetSel(int index) const { return (int)::SendMessageA(m_hWnd, LB_GETSEL, index, 0); }
    int SetSel(int index, BOOL select = TRUE) { return (int)SendMessage(LB_SETSEL, select, index); }
    DWORD GetItemData(int index) const { return (DWORD)::SendMessageA(m_hWnd, LB_GETITEMDATA, index, 0); }
    int SetItemData(int index, DWORD data) { return (int)SendMessage(LB_SETITEMDATA, index, data); }
    void GetText(int index, CString &text) const;
};

class CComboBox : public CWnd {
public:
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int AddString(const char *text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
    int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, index); }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end, BOOL noScroll = FALSE)
    {
        SendMessage(EM_SETSEL, start, end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
};

// ---- Dialogs and data exchange ----------------------------------------------------------
class CDialog;
class CDataExchange {
public:
    CDataExchange(CDialog *dialog, BOOL saveAndValidate);
    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CDialog *m_pDlgWnd;
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Puts the focus on the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

void DDX_Control(CDataExchange *dx, int id, CWnd &control);
void DDX_Check(CDataExchange *dx, int id, int &value);
void DDX_Text(CDataExchange *dx, int id, int &value);
void DDX_Text(CDataExchange *dx, int id, CString &value);

// Prompt of the integer exchange, from the current resource source.
#define AFX_IDP_PARSE_INT 61712

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd *parent = nullptr);
    ~CDialog() override;
    DECLARE_MESSAGE_MAP(CDialog)

    // -1 when the dialog cannot be created (its template missing, for one).
    virtual INT_PTR DoModal();
    virtual void DoDataExchange(CDataExchange *dx) {}
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void CenterOnScreen();

protected:
    UINT m_nIDTemplate;
    CWnd *m_pParentWnd;
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

#endif
