// The IP address control in a real dialog: typing into its fields, moving
// between them, the value message, setting and reading the address,
// geometry, enabling and painting, and the class registration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addrentry.h"
#include "harness.h"

namespace {

const int kDialog = 900;
const int kEditBefore = 1001, kAddress = 1002, kEditAfter = 1003;
const char kRangeMessage[] =
    "300 is not a valid entry. Please specify a value between 0 and 255 for this field";

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

std::string Text(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string Address(HWND control)
{
    char text[64] = "";
    LRESULT length = SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(static_cast<LRESULT>(strlen(text)), length);
    return text;
}

HWND Field(HWND control, int index) { return GetDlgItem(control, index); }

std::string Fields(HWND control)
{
    std::string all;
    for (int i = 0; i < 4; ++i)
        all += (i ? "|" : "") + Text(Field(control, i));
    return all;
}

void Select(HWND field, int start, int end) { SendMessageA(field, EM_SETSEL, start, end); }

std::pair<int, int> Selection(HWND field)
{
    DWORD start = 0, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

class IpAddressControl : public ::testing::Test {
protected:
    void SetUp() override { RegisterIpAddressClass(Self()); }
    void TearDown() override { UnRegisterIpAddressClass(); }

    // Runs script inside the modal loop of the test dialog.
    void RunDialog(const std::function<void(zt::Ui &, HWND control)> &script)
    {
        zt::RunModal(
            [] { return DialogBoxParamA(Self(), MAKEINTRESOURCEA(kDialog), nullptr, PlainDialogProc, 0); },
            [&](zt::Ui &ui) {
                fprintf(stderr, "script start\n");
                HWND control = ui.item(kAddress);
                ASSERT_TRUE(control != nullptr);
                script(ui, control);
                fprintf(stderr, "script end\n");
                ui.cancel();
            });
    }

    // Types each character into whichever field has the focus at the time.
    static void TypeAtFocus(zt::Ui &ui, const std::string &text, bool ctrl = false)
    {
        for (char c : text) {
            fprintf(stderr, "type %c focus %p\n", c, (void*)GetFocus());
            SetCtrl(ctrl);
            ui.chars(GetFocus(), std::string(1, c));
            SetCtrl(false);
            ui.pump();
        }
    }

    static void SetCtrl(bool down)
    {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }

    zt::MessageBoxCapture boxes{{Self()}};
};

TEST_F(IpAddressControl, TypedDigitsFillTheFieldsAndMoveOnAfterTheThird)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        ui.focus(kAddress);
        EXPECT_EQ(Field(control, 0), GetFocus());
        TypeAtFocus(ui, "19216811");
        EXPECT_EQ("192|168|11|", Fields(control));
        EXPECT_EQ(Field(control, 2), GetFocus());
        EXPECT_EQ("192.168.11.0", Address(control));
        EXPECT_TRUE(boxes.boxes.empty());
    });
}

TEST_F(IpAddressControl, DotAndSpaceMoveOnlyOutOfANonEmptyField)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        ui.focus(kAddress);
        TypeAtFocus(ui, ". ");
        EXPECT_EQ(Field(control, 0), GetFocus());
        EXPECT_EQ("|||", Fields(control));
        SetWindowTextA(Field(control, 1), "77");
        TypeAtFocus(ui, "5.");
        EXPECT_EQ(Field(control, 1), GetFocus());
        EXPECT_EQ(std::make_pair(0, 2), Selection(Field(control, 1)));
        EXPECT_EQ("5|77||", Fields(control));
        // With Ctrl held the character itself goes in as well.
        Select(Field(control, 1), 2, 2);
        TypeAtFocus(ui, ".", true);
        EXPECT_EQ(Field(control, 2), GetFocus());
        EXPECT_EQ("5|77.||", Fields(control));
    });
}

TEST_F(IpAddressControl, OtherCharactersNeedCtrl)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        ui.focus(kAddress);
        TypeAtFocus(ui, "1*a-");
        EXPECT_EQ("1|||", Fields(control));
        TypeAtFocus(ui, "*", true);
        EXPECT_EQ("1*|||", Fields(control));
    });
}

TEST_F(IpAddressControl, ValueAbove255IsReportedAndKeepsTheFocus)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        ui.focus(kAddress);
        // The third digit brings its own space, which checks the value.
        TypeAtFocus(ui, "300");
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(kRangeMessage, boxes.boxes[0].text);
        EXPECT_EQ("Error", boxes.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), boxes.boxes[0].style);
        EXPECT_EQ(Field(control, 0), boxes.boxes[0].owner);
        EXPECT_EQ(Field(control, 0), GetFocus());
        EXPECT_EQ(std::make_pair(0, 3), Selection(Field(control, 0)));

        // Arrow keys check too; Home and End do not.
        boxes.clear();
        Select(Field(control, 0), 3, 3);
        ui.key(Field(control, 0), VK_RIGHT);
        EXPECT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(Field(control, 0), GetFocus());
        boxes.clear();
        ui.key(Field(control, 0), VK_END);
        EXPECT_EQ(Field(control, 3), GetFocus());
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ("300.0.0.0", Address(control));
    });
}

TEST_F(IpAddressControl, FourthDigitIsNotInsertedAndMovesToTheNextField)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123.45.6.7"));
        ui.focus(kAddress);
        HWND first = Field(control, 0);
        Select(first, 3, 3);
        TypeAtFocus(ui, "4");
        EXPECT_EQ("123|45|6|7", Fields(control));
        EXPECT_EQ(Field(control, 1), GetFocus());
        EXPECT_EQ(std::make_pair(0, 2), Selection(Field(control, 1)));
        // A digit replacing the selection is typed as usual.
        TypeAtFocus(ui, "9");
        EXPECT_EQ("123|9|6|7", Fields(control));
    });
}

TEST_F(IpAddressControl, BackspaceAtTheStartDeletesInTheFieldToTheLeft)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10.123.45.6"));
        HWND third = Field(control, 2);
        SetFocus(third);
        Select(third, 0, 0);
        ui.key(third, VK_BACK);
        ui.pump();
        EXPECT_EQ(Field(control, 1), GetFocus());
        EXPECT_EQ("10|12|45|6", Fields(control));
        // Ctrl+Backspace does nothing at all.
        Select(Field(control, 1), 2, 2);
        ui.key(Field(control, 1), VK_BACK, true);
        ui.pump();
        EXPECT_EQ("10|12|45|6", Fields(control));
    });
}

TEST_F(IpAddressControl, ArrowHomeAndEndKeys)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10.123.45.6"));
        HWND f0 = Field(control, 0), f1 = Field(control, 1), f2 = Field(control, 2);
        SetFocus(f1);
        struct Step {
            HWND from;
            int start;
            UINT key;
            bool ctrl;
            HWND to;
            std::pair<int, int> selection;
        } steps[] = {
            {f1, 1, VK_RIGHT, false, f1, {2, 2}},    // inside the text: caret moves
            {f1, 3, VK_RIGHT, false, f2, {0, 0}},    // at the end: next field, caret at start
            {f2, 0, VK_LEFT, false, f1, {3, 3}},     // at the start: caret at the end
            {f1, 2, VK_LEFT, false, f1, {1, 1}},
            {f1, 1, VK_RIGHT, true, f2, {0, 2}},     // Ctrl: whole text of the next field
            {f2, 1, VK_LEFT, true, f1, {0, 3}},
            {f0, 0, VK_LEFT, false, f0, {0, 0}},     // no field to the left
            {f1, 1, VK_HOME, false, f0, {0, 0}},
            {f1, 1, VK_END, false, Field(control, 3), {1, 1}},
        };
        for (const Step &s : steps) {
            SetFocus(s.from);
            Select(s.from, s.start, s.start);
            ui.key(s.from, s.key, s.ctrl);
            ui.pump();
            EXPECT_EQ(s.to, GetFocus()) << "key " << s.key << " from " << GetDlgCtrlID(s.from);
            EXPECT_EQ(s.selection, Selection(GetFocus())) << "key " << s.key;
        }
        EXPECT_EQ("10|123|45|6", Fields(control));
        EXPECT_TRUE(boxes.boxes.empty());
    });
}

TEST_F(IpAddressControl, FocusFromTheDialogGoesToTheFirstFieldSelected)
{
    RunDialog([&](zt::Ui &ui, HWND control) {
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10.1.2.3"));
        SetFocus(control);
        ui.pump();
        EXPECT_EQ(Field(control, 0), GetFocus());
        EXPECT_EQ(std::make_pair(0, 2), Selection(Field(control, 0)));
        ui.screenshot("ip_address_dialog");
    });
}

// Setting and reading the address outside a message loop.
class IpAddressText : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterIpAddressClass(Self());
        control = CreateWindowA("ZORVIPAddress", "", WS_POPUP, 0, 0, 110, 24, nullptr, nullptr,
                                Self(), nullptr);
        ASSERT_TRUE(control != nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(control);
        UnRegisterIpAddressClass();
    }
    LRESULT Set(const char *text)
    {
        return SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    HWND control = nullptr;
};

TEST_F(IpAddressText, SettingCutsTheTextIntoFourFields)
{
    struct Case {
        std::string text;
        LRESULT result;
        const char *fields;
    } cases[] = {
        {"10. 1.2.3", 1, "10|1|2|3"},
        {" 172 . 16 . 5 . 21 ", 1, "172|16|5|21"},
        {"10.1", 1, "10|1||"},
        {"191.1.65535", 1, "191|1|655|35"},
        {"1..2.3", 1, "1||2|3"},
        {"1.2.3.0004", 1, "1|2|3|000"},
        {std::string(5000, ' ') + "9.8.7.6", 1, "9|8|7|6"},
    };
    for (const Case &c : cases) {
        Set("200.200.200.200");
        EXPECT_EQ(c.result, Set(c.text.c_str())) << c.text;
        EXPECT_EQ(c.fields, Fields(control)) << c.text;
    }
    EXPECT_EQ("", Text(control)) << "the control's own text is left alone";
}

TEST_F(IpAddressText, InvalidAddressesChangeNothing)
{
    ASSERT_EQ(1, Set("10.1.2.3"));
    for (const std::string &text : std::vector<std::string>{"10.1.2.256", "0.1.2.3", "", "1.2.3.4.5", "a.b.c.d",
                             "1.2.3.0000000004", std::string(100000, '1')}) {
        EXPECT_EQ(-1, Set(text.c_str())) << text;
        EXPECT_EQ("10|1|2|3", Fields(control)) << text;
    }
    EXPECT_EQ(-1, Set(nullptr));
}

TEST_F(IpAddressText, ReadingNeedsSixteenCharacters)
{
    char buffer[32];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(7, SendMessageA(control, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("0.0.0.0", buffer);
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-1, SendMessageA(control, WM_GETTEXT, 15, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ('x', buffer[1]);
    buffer[0] = 'x';
    EXPECT_EQ(-1, SendMessageA(control, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ('x', buffer[0]);

    SetWindowTextA(Field(control, 0), "192");
    SetWindowTextA(Field(control, 2), "5");
    EXPECT_EQ("192.0.5.0", Address(control));
    // Longer field texts are read by their first three characters only, so
    // the widest result still fits sixteen characters.
    for (int i = 0; i < 4; ++i)
        SetWindowTextA(Field(control, i), "98765");
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(15, SendMessageA(control, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("987.987.987.987", buffer);
    EXPECT_EQ('x', buffer[16]);
}

TEST_F(IpAddressText, FieldsAndGeometryFollowTheCreationSize)
{
    // 110 by 24 pixels: fields 20 high and (110 - 14) / 4 = 24 wide.
    EXPECT_EQ(20, GetWindowLongA(control, 16));
    EXPECT_EQ(24, GetWindowLongA(control, 20));
    for (int i = 0; i < 4; ++i) {
        HWND field = Field(control, i);
        ASSERT_TRUE(field != nullptr) << i;
        EXPECT_EQ(reinterpret_cast<LONG>(field), GetWindowLongA(control, i * 4));
        EXPECT_EQ(0, lstrcmpiA("EDIT", zt::WindowClass(field).c_str())) << i;
        LONG style = GetWindowLongA(field, GWL_STYLE);
        EXPECT_EQ(0x50000005, style & 0x50000005) << i;
        EXPECT_EQ(0, style & WS_BORDER) << i;
        RECT rect;
        GetWindowRect(field, &rect);
        MapWindowPoints(nullptr, control, reinterpret_cast<POINT *>(&rect), 2);
        EXPECT_EQ(i * 27 + 2, rect.left) << i;
        EXPECT_EQ(2, rect.top) << i;
        EXPECT_EQ(23, rect.right - rect.left) << i;
        EXPECT_EQ(20, rect.bottom - rect.top) << i;
    }
    // A later resize keeps the layout.
    SetWindowPos(control, nullptr, 0, 0, 200, 40, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(24, GetWindowLongA(control, 20));
}

TEST_F(IpAddressText, DisablingDisablesEveryField)
{
    EnableWindow(control, FALSE);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(IsWindowEnabled(Field(control, i))) << i;
    EnableWindow(control, TRUE);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(IsWindowEnabled(Field(control, i))) << i;
}

// The frame and the three dots, read back from the screen.
TEST_F(IpAddressText, PaintsFrameAndDotsGreyWhenDisabled)
{
    SetWindowPos(control, HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        EnableWindow(control, enabled);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW |
                                                    RDW_ALLCHILDREN);
        GdiFlush();
        zt::SaveWindowPng(control, zt::ScreenshotFolder() + (enabled ? "/ip_enabled.png"
                                                                     : "/ip_disabled.png"));
        HDC dc = GetDC(control);
        COLORREF dot = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 0, 0));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 109, 23));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 50, 0));
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 1, 1)) << "white class background";
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(dot, GetPixel(dc, k * 27, 14)) << "dot " << k;
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 27, 5)) << "nothing above the dot";
        ReleaseDC(control, dc);
    }
}

TEST(IpAddressClass, RegistersOnceUnderTheFirstInstance)
{
    WNDCLASSA info;
    ASSERT_FALSE(GetClassInfoA(Self(), "ZORVIPAddress", &info));
    RegisterIpAddressClass(Self());
    RegisterIpAddressClass(GetModuleHandleA("user32.dll"));
    ASSERT_TRUE(GetClassInfoA(Self(), "ZORVIPAddress", &info));
    EXPECT_EQ(Self(), info.hInstance);
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS), info.style);
    EXPECT_EQ(0, info.cbClsExtra);
    EXPECT_EQ(24, info.cbWndExtra);
    EXPECT_TRUE(info.lpfnWndProc != nullptr);
    LOGBRUSH brush;
    ASSERT_EQ(static_cast<int>(sizeof brush), GetObjectA(info.hbrBackground, sizeof brush, &brush));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), brush.lbStyle);
    EXPECT_EQ(RGB(255, 255, 255), brush.lbColor);

    EXPECT_EQ(0, UnRegisterIpAddressClass());
    EXPECT_FALSE(GetClassInfoA(Self(), "ZORVIPAddress", &info));
    EXPECT_EQ(0, UnRegisterIpAddressClass()) << "harmless without a registration";
    RegisterIpAddressClass(Self());
    EXPECT_TRUE(GetClassInfoA(Self(), "ZORVIPAddress", &info));
    UnRegisterIpAddressClass();
}

} // namespace
