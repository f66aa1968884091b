// Modal driver. The script runs on a fiber of its own. Whenever it has
// delivered an action it switches back to the window's message loop, and a
// message posted behind the action switches to it again once the loop has
// handled everything before it. A thread timer finds the window when it
// appears and enforces the time-out.
#include "harness.h"

#include <gtest/gtest.h>

namespace zt {

class ModalRun {
public:
    ModalRun(const std::function<void(Ui &)> &script, DWORD timeoutMs)
        : m_script(script), m_timeout(timeoutMs)
    {
        m_ui.m_run = this;
    }

    INT_PTR Run(const std::function<INT_PTR()> &call);

    // Called on the script fiber.
    void SuspendScript();
    void PostAndWait(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    void PostOnly(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static void CALLBACK FiberMain(void *parameter);
    static LRESULT CALLBACK ResumeProc(HWND, UINT, WPARAM, LPARAM);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindWindowProc(HWND window, LPARAM parameter);
    void Resume();
    void OnTimer();
    void CloseEverything();

    std::function<void(Ui &)> m_script;
    DWORD m_timeout;
    DWORD m_start = 0;
    Ui m_ui;
    void *m_mainFiber = nullptr;
    void *m_scriptFiber = nullptr;
    HWND m_resumeWindow = nullptr;
    bool m_started = false;
    bool m_done = false;
    bool m_inScript = false;
    bool m_timedOut = false;
    bool m_forced = false;
    std::vector<HWND> m_before;  // top-level windows that existed before the call
};

static ModalRun *g_run;
static const UINT kResume = WM_APP + 0x5A;

void CALLBACK ModalRun::FiberMain(void *parameter)
{
    ModalRun *run = static_cast<ModalRun *>(parameter);
    run->m_script(run->m_ui);
    run->m_done = true;
    for (;;)
        SwitchToFiber(run->m_mainFiber);
}

LRESULT CALLBACK ModalRun::ResumeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kResume && g_run) {
        g_run->Resume();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ModalRun::Resume()
{
    if (m_done || m_inScript || m_timedOut)
        return;
    m_inScript = true;
    SwitchToFiber(m_scriptFiber);
    m_inScript = false;
}

void ModalRun::SuspendScript()
{
    SwitchToFiber(m_mainFiber);
}

void ModalRun::PostOnly(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageA(target, message, wParam, lParam);
}

void ModalRun::PostAndWait(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (target)
        PostMessageA(target, message, wParam, lParam);
    PostMessageA(m_resumeWindow, kResume, 0, 0);
    SuspendScript();
}

BOOL CALLBACK ModalRun::FindWindowProc(HWND window, LPARAM parameter)
{
    ModalRun *run = reinterpret_cast<ModalRun *>(parameter);
    if (window == run->m_resumeWindow || !IsWindowVisible(window))
        return TRUE;
    for (HWND old : run->m_before)
        if (old == window)
            return TRUE;
    if (WindowClass(window) != "#32770")
        return TRUE;
    run->m_ui.m_window = window;
    return FALSE;
}

void CALLBACK ModalRun::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_run)
        g_run->OnTimer();
}

void ModalRun::OnTimer()
{
    if (m_inScript)
        return;
    if (!m_timedOut && !m_done && GetTickCount() - m_start > m_timeout) {
        m_timedOut = true;
        ADD_FAILURE() << (m_started ? "modal script did not finish in time"
                                    : "modal window did not appear in time");
    }
    if (m_timedOut || m_done) {
        if (m_timedOut)
            CloseEverything();
        // A window that ignores being cancelled is taken down, and its loop
        // with it, so that a failing test never hangs the run.
        if (GetTickCount() - m_start > m_timeout + 3000 && !m_forced) {
            m_forced = true;
            if (IsWindow(m_ui.m_window))
                DestroyWindow(m_ui.m_window);
            PostQuitMessage(1);
        }
        if (m_done && !m_timedOut && GetTickCount() - m_start > m_timeout) {
            m_timedOut = true;
            ADD_FAILURE() << "the script ended but the window did not close";
        }
        return;
    }
    if (!m_started) {
        EnumThreadWindows(GetCurrentThreadId(), FindWindowProc, reinterpret_cast<LPARAM>(this));
        if (!m_ui.m_window)
            return;
        m_started = true;
        Resume();
    }
}

static BOOL CALLBACK CloseProc(HWND window, LPARAM)
{
    if (IsWindowVisible(window) && WindowClass(window) == "#32770") {
        PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

void ModalRun::CloseEverything()
{
    EnumThreadWindows(GetCurrentThreadId(), CloseProc, reinterpret_cast<LPARAM>(this));
}

static BOOL CALLBACK ListProc(HWND window, LPARAM parameter)
{
    reinterpret_cast<std::vector<HWND> *>(parameter)->push_back(window);
    return TRUE;
}

INT_PTR ModalRun::Run(const std::function<INT_PTR()> &call)
{
    static bool registered;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ResumeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZorvTestResume";
        RegisterClassA(&wc);
        registered = true;
    }
    static void *mainFiber;
    if (!mainFiber)
        mainFiber = ConvertThreadToFiber(nullptr);
    m_mainFiber = mainFiber;
    m_scriptFiber = CreateFiber(1 << 20, FiberMain, this);
    m_resumeWindow = CreateWindowA("ZorvTestResume", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    EnumThreadWindows(GetCurrentThreadId(), ListProc, reinterpret_cast<LPARAM>(&m_before));
    ModalRun *previous = g_run;
    g_run = this;
    m_start = GetTickCount();
    UINT_PTR timer = SetTimer(nullptr, 0, 15, TimerProc);

    INT_PTR result = call();

    KillTimer(nullptr, timer);
    g_run = previous;
    if (!m_timedOut && !m_done)
        ADD_FAILURE() << (m_started ? "the window closed before the script ended"
                                    : "no modal window appeared");
    DestroyWindow(m_resumeWindow);
    DeleteFiber(m_scriptFiber);
    return result;
}

INT_PTR RunModal(const std::function<INT_PTR()> &call, const std::function<void(Ui &)> &script,
                 DWORD timeoutMs)
{
    ModalRun run(script, timeoutMs);
    return run.Run(call);
}

// ---- Ui ----

bool Ui::isSheet() const
{
    return SendMessageA(m_window, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

HWND Ui::page() const
{
    return reinterpret_cast<HWND>(SendMessageA(m_window, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND Ui::pageAt(int index) const
{
    return reinterpret_cast<HWND>(SendMessageA(m_window, PSM_INDEXTOHWND, index, 0));
}

HWND Ui::itemIn(HWND parent, int id) const
{
    return GetDlgItem(parent, id);
}

HWND Ui::item(int id) const
{
    if (HWND p = page())
        if (HWND control = GetDlgItem(p, id))
            return control;
    return GetDlgItem(m_window, id);
}

void Ui::pump()
{
    m_run->PostAndWait(nullptr, 0, 0, 0);
}

void Ui::send(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_run->PostAndWait(target, message, wParam, lParam);
}

void Ui::waitFor(const std::function<bool()> &condition)
{
    while (!condition())
        pump();
}

void Ui::selectPage(int index)
{
    send(m_window, PSM_SETCURSEL, index, 0);
}

void Ui::click(int id)
{
    HWND control = item(id);
    EXPECT_TRUE(control != nullptr) << "no control " << id;
    send(control, BM_CLICK, 0, 0);
}

void Ui::check(int id, bool on)
{
    if (checked(id) != on)
        click(id);
}

void Ui::type(int id, const std::string &text)
{
    HWND control = item(id);
    EXPECT_TRUE(control != nullptr) << "no control " << id;
    std::string kind = WindowClass(control);
    if (kind == "ComboBox") {
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        send(GetParent(control), WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
             reinterpret_cast<LPARAM>(control));
    } else {
        // An edit control tells its parent with EN_CHANGE by itself.
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        pump();
    }
}

void Ui::selectCombo(int id, int index)
{
    HWND control = item(id);
    EXPECT_TRUE(control != nullptr) << "no control " << id;
    SendMessageA(control, CB_SETCURSEL, index, 0);
    send(GetParent(control), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(control));
}

void Ui::selectComboText(int id, const std::string &text)
{
    int index = static_cast<int>(SendMessageA(item(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_NE(-1, index) << "no entry " << text << " in combo " << id;
    selectCombo(id, index);
}

void Ui::selectList(int id, int index)
{
    HWND control = item(id);
    EXPECT_TRUE(control != nullptr) << "no control " << id;
    SendMessageA(control, LB_SETCURSEL, index, 0);
    send(GetParent(control), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
         reinterpret_cast<LPARAM>(control));
}

void Ui::focus(int id)
{
    HWND control = item(id);
    EXPECT_TRUE(control != nullptr) << "no control " << id;
    SetFocus(control);
    pump();
}

void Ui::key(HWND target, UINT vk, bool ctrl, bool shift)
{
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof state);
    if (ctrl)
        state[VK_CONTROL] |= 0x80;
    if (shift)
        state[VK_SHIFT] |= 0x80;
    SetKeyboardState(state);
    UINT scan = MapVirtualKeyA(vk, 0);
    send(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    send(target, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
    SetKeyboardState(saved);
}

void Ui::chars(HWND target, const std::string &text)
{
    for (unsigned char c : text)
        send(target, WM_CHAR, c, 1);
}

void Ui::apply()
{
    send(m_window, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
}

void Ui::ok()
{
    if (isSheet())
        m_run->PostOnly(m_window, PSM_PRESSBUTTON, PSBTN_OK, 0);
    else
        m_run->PostOnly(m_window, WM_COMMAND, IDOK, 0);
}

void Ui::cancel()
{
    if (isSheet())
        m_run->PostOnly(m_window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else
        m_run->PostOnly(m_window, WM_COMMAND, IDCANCEL, 0);
}

void Ui::pressDialogButton(int id)
{
    HWND control = GetDlgItem(m_window, id);
    m_run->PostOnly(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

std::string Ui::textOf(HWND window) const
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string Ui::text(int id) const { return textOf(item(id)); }

bool Ui::checked(int id) const
{
    return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Ui::enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }

bool Ui::visible(int id) const
{
    return (GetWindowLongA(item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int Ui::comboSelection(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0)); }
int Ui::comboCount(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCOUNT, 0, 0)); }

std::string Ui::comboEntry(int id, int index) const
{
    char text[1024] = "";
    if (SendMessageA(item(id), CB_GETLBTEXTLEN, index, 0) < static_cast<LRESULT>(sizeof text))
        SendMessageA(item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> Ui::listEntries(int id) const
{
    std::vector<std::string> entries;
    HWND list = item(id);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

int Ui::listSelection(int id) const { return static_cast<int>(SendMessageA(item(id), LB_GETCURSEL, 0, 0)); }

bool Ui::applyEnabled() const
{
    const int kApplyButton = 0x3021;
    return IsWindowEnabled(GetDlgItem(m_window, kApplyButton)) != FALSE;
}

void Ui::screenshot(const std::string &name) const
{
    const_cast<Ui *>(this)->pump();
    std::string path = ScreenshotFolder() + "\\" + name + ".png";
    EXPECT_TRUE(SaveWindowPng(m_window, path)) << path;
}

} // namespace zt
