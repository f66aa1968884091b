// The dialog toolkit: texts, guarded boxes, field checks, numbers and the
// combo, list and radio operations, on a real dialog of test controls.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "resource.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

enum { kEdit = 1001, kEdit2 = 1002, kCombo = 1003, kDropList = 1004, kList = 1005,
       kRadio1 = 1006, kRadio2 = 1007, kRadio3 = 1008, kGroup = 1009, kPush = 1010 };

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The test page as a child dialog of a hidden top-level window.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModuleInstance = GetModuleHandleA(nullptr);
        owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(ModuleInstance, MAKEINTRESOURCEA(900), owner, PlainDialogProc, 0);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        DestroyWindow(owner);
    }
    void Fill(int id, std::initializer_list<const char *> entries)
    {
        for (const char *e : entries)
            ComboAdd(dialog, id, e);
    }
    std::string Text(int id)
    {
        char text[512];
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    HWND owner = nullptr;
    HWND dialog = nullptr;
    zt::MessageBoxCapture boxes{{GetModuleHandleA(nullptr)}};
};

TEST(NumberText, NumericRule)
{
    struct Case {
        const char *text;
        bool numeric;
    } cases[] = {
        {"", true}, {"+", true}, {"+12", true}, {"007", true},
        {"12a", false}, {"-3", false}, {" 3", false}, {"++1", false}, {"1 ", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.numeric, IsNumericText(c.text) != FALSE) << '"' << c.text << '"';
}

TEST(NumberText, ParseAndFormat)
{
    EXPECT_EQ(12u, ParseNumber("+12"));
    EXPECT_EQ(0u, ParseNumber(""));
    EXPECT_EQ(4294967295u, ParseNumber("4294967295"));
    EXPECT_EQ(4294967295u, ParseNumber("99999999999999999999"));  // saturates
    char text[16];
    EXPECT_STREQ("4294967295", FormatNumber(text, 0xFFFFFFFFu));
    EXPECT_STREQ("0", FormatNumber(text, 0));
}

TEST(FormattedString, LoadsFormatsAndCutsAt255)
{
    ModuleInstance = GetModuleHandleA(nullptr);
    EXPECT_STREQ("This field has a limit of 40 characters.",
                 LoadFormattedString(nullptr, IDS_FIELD_TOO_LONG, 40));
    EXPECT_EQ(nullptr, LoadFormattedString(nullptr, 4321));

    // A domain of 254 characters in string 27 would need 300 bytes.
    std::string domain(254, 'd');
    char destination[256 + 16];
    memset(destination, '#', sizeof destination);
    char *result = LoadFormattedString(destination, IDS_BAD_NIS_DOMAIN, domain.c_str());
    ASSERT_EQ(destination, result);
    EXPECT_EQ(255, lstrlenA(destination));
    EXPECT_EQ(std::string("\"") + domain.substr(0, 254), std::string(destination));
    for (size_t i = 256; i < sizeof destination; ++i)
        EXPECT_EQ('#', destination[i]) << "byte " << i << " written";
}

TEST(FormattedString, FormatTextNeverOverruns)
{
    char buffer[8];
    auto format = [&](const char *f, ...) {
        va_list a;
        va_start(a, f);
        int n = FormatText(buffer, sizeof buffer, f, a);
        va_end(a);
        return n;
    };
    EXPECT_EQ(7, format("%s", "abcdefghijk"));
    EXPECT_STREQ("abcdefg", buffer);
    format("%d|%u", -5, 7u);
    EXPECT_STREQ("-5|7", buffer);
    format("%05d", 42);
    EXPECT_STREQ("00042", buffer);
    format("%x%X", 0xab, 0xcd);
    EXPECT_STREQ("abCD", buffer);
    format("%.2s%%", "xyz");
    EXPECT_STREQ("xy%", buffer);
}

TEST_F(ToolkitTest, GuardedMessageBoxDoesNotStack)
{
    int inner = 0;
    boxes.whileOpen = [&](const zt::MessageBoxRecord &) {
        if (!inner)
            inner = GuardedMessageBox(dialog, "second", "Caption", MB_OK);
    };
    EXPECT_EQ(IDOK, GuardedMessageBox(dialog, "first", nullptr, MB_OK));
    EXPECT_EQ(IDCANCEL, inner);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("first", boxes.boxes[0].text);
    EXPECT_EQ("<none>", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.boxes[0].style);
    EXPECT_EQ(dialog, boxes.boxes[0].owner);
    // The flag is cleared once the box has closed.
    EXPECT_EQ(IDOK, GuardedMessageBox(dialog, "third", nullptr, MB_OK));
}

TEST_F(ToolkitTest, ShowNotFoundNamesTheText)
{
    ShowNotFound("1234");
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Can not find 1234", boxes.boxes[0].text);
    EXPECT_EQ(nullptr, boxes.boxes[0].owner);
    std::string huge(2000, 'x');
    ShowNotFound(huge.c_str());  // cut, never overrun
    EXPECT_LT(boxes.boxes[1].text.size(), 300u);
}

TEST_F(ToolkitTest, BlankFieldIsRestoredSelectedAndFocused)
{
    SetDlgItemTextA(dialog, kEdit, "server1");
    SendDlgItemMessageA(dialog, kEdit, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, kEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("   "));
    bool inner = true;
    boxes.whileOpen = [&](const zt::MessageBoxRecord &) {
        inner = CheckTextField(dialog, kEdit2, FALSE, 10, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY);
    };
    EXPECT_FALSE(CheckTextField(dialog, kEdit, FALSE, 40, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY));
    EXPECT_FALSE(inner);  // a second check while the box is open shows nothing
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("This field cannot be empty.", boxes.boxes[0].text);
    EXPECT_EQ("server1", Text(kEdit));
    DWORD start = 0, end = 0;
    SendDlgItemMessageA(dialog, kEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(7u, end);
    EXPECT_EQ(GetDlgItem(dialog, kEdit), GetFocus());
}

TEST_F(ToolkitTest, LengthLimitAndEmptyAllowed)
{
    boxes.whileOpen = nullptr;
    SetDlgItemTextA(dialog, kEdit, "abcdef");
    EXPECT_FALSE(CheckTextField(dialog, kEdit, FALSE, 5, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("This field has a limit of 5 characters.", boxes.boxes[0].text);
    EXPECT_EQ("abcdef", Text(kEdit));  // too long: kept as it is
    EXPECT_TRUE(CheckTextField(dialog, kEdit, FALSE, 6, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY));
    SetDlgItemTextA(dialog, kEdit, "  ");
    EXPECT_TRUE(CheckTextField(dialog, kEdit, TRUE, 255, IDS_FIELD_TOO_LONG, IDS_FIELD_EMPTY));
    SetDlgItemTextA(dialog, kEdit, "\t");
    EXPECT_FALSE(IsFieldBlank(dialog, kEdit));  // a tab is text
    EXPECT_EQ(1u, boxes.boxes.size());
}

TEST_F(ToolkitTest, ComboShowNumberOfZero)
{
    Fill(kCombo, {"1", "5", "10", "forever"});
    EXPECT_TRUE(ComboShowNumber(dialog, kCombo, 0));
    EXPECT_EQ(3, ComboSelection(dialog, kCombo));
    EXPECT_TRUE(ComboShowNumber(dialog, kCombo, 5));
    EXPECT_EQ(1, ComboSelection(dialog, kCombo));
    EXPECT_TRUE(ComboShowNumber(dialog, kCombo, 7));  // not listed: typed text
    EXPECT_EQ(-1, ComboSelection(dialog, kCombo));
    EXPECT_EQ("7", Text(kCombo));

    SendDlgItemMessageA(dialog, kCombo, CB_RESETCONTENT, 0, 0);
    Fill(kCombo, {"512", "1024", "8192", "32768"});
    EXPECT_TRUE(ComboShowNumber(dialog, kCombo, 0));
    EXPECT_EQ(-1, ComboSelection(dialog, kCombo));
    EXPECT_EQ("0", Text(kCombo));

    Fill(kDropList, {"512", "1024"});
    EXPECT_FALSE(ComboShowNumber(dialog, kDropList, 0));
    EXPECT_EQ(-1, ComboSelection(dialog, kDropList));
}

TEST_F(ToolkitTest, ComboNumbersOfEntriesAndTypedText)
{
    Fill(kCombo, {"Automatic", "256", "4096"});
    DWORD value = 99;
    SetDlgItemTextA(dialog, kCombo, "Automatic");
    EXPECT_TRUE(ComboEntryNumber(dialog, kCombo, -1, &value));
    EXPECT_EQ(0u, value);
    SetDlgItemTextA(dialog, kCombo, "Auto");
    EXPECT_FALSE(ComboEntryNumber(dialog, kCombo, -1, &value));
    SetDlgItemTextA(dialog, kCombo, "+300");
    EXPECT_TRUE(ComboCurrentNumber(dialog, kCombo, &value));
    EXPECT_EQ(300u, value);
    EXPECT_TRUE(ComboListMinimum(dialog, kCombo, &value));
    EXPECT_EQ(0u, value);
    EXPECT_TRUE(ComboListMaximum(dialog, kCombo, &value));
    EXPECT_EQ(4096u, value);
    char word[256];
    EXPECT_TRUE(ComboFirstWord(dialog, kCombo, word));
    EXPECT_STREQ("Automatic", word);
    EXPECT_FALSE(ComboListMinimum(dialog, kDropList, &value));  // empty list
}

TEST_F(ToolkitTest, ComboFindIgnoresCaseAndSetTextFailsOnDropList)
{
    Fill(kCombo, {"TCP", "UDP"});
    EXPECT_EQ(1, ComboFind(dialog, kCombo, "udp"));
    EXPECT_EQ(-1, ComboFind(dialog, kCombo, "ud"));
    Fill(kDropList, {"TCP", "UDP"});
    EXPECT_TRUE(ComboSelectOrSetText(dialog, kDropList, "tcp"));
    EXPECT_EQ(0, ComboSelection(dialog, kDropList));
    EXPECT_FALSE(ComboSelectOrSetText(dialog, kDropList, "ICMP"));
    EXPECT_EQ(-1, ComboSelection(dialog, kDropList));
    char text[256];
    EXPECT_TRUE(ComboCurrentText(dialog, kCombo, text));
}

TEST_F(ToolkitTest, ListOperations)
{
    ListAdd(dialog, kList, "alpha");
    ListAdd(dialog, kList, "beta");
    ListInsert(dialog, kList, 0, "first");
    EXPECT_EQ(3, ListCount(dialog, kList));
    EXPECT_EQ(2, ListFind(dialog, kList, "BETA"));
    char small[4] = "xyz";
    EXPECT_FALSE(ListGetText(dialog, kList, 1, small, sizeof small));  // too long: untouched
    EXPECT_STREQ("xyz", small);
    char text[16];
    EXPECT_TRUE(ListGetText(dialog, kList, 1, text, sizeof text));
    EXPECT_STREQ("alpha", text);
    EXPECT_FALSE(ListGetText(dialog, kList, 7, text, sizeof text));
    ListSelect(dialog, kList, 2);
    EXPECT_EQ(2, ListSelection(dialog, kList));
    ListSelect(dialog, kList, -1);
    EXPECT_EQ(2, ListSelection(dialog, kList));
    EXPECT_EQ(2, ListRemoveText(dialog, kList, "Alpha"));
    EXPECT_EQ(-1, ListRemoveText(dialog, kList, "gamma"));
    EXPECT_EQ(1, ListDelete(dialog, kList, 0));
}

TEST_F(ToolkitTest, RadioIndexGroupBoxAndEnabling)
{
    EXPECT_EQ(0, CheckedRadioIndex(dialog, kRadio1, kRadio3));
    CheckDlgButton(dialog, kRadio2, BST_CHECKED);
    EXPECT_EQ(1, CheckedRadioIndex(dialog, kRadio1, kRadio3));
    EXPECT_EQ(0, CheckedRadioIndex(dialog, kRadio3, kRadio1));
    EXPECT_TRUE(IsGroupBox(GetDlgItem(dialog, kGroup)));
    EXPECT_FALSE(IsGroupBox(GetDlgItem(dialog, kPush)));
    EXPECT_FALSE(IsGroupBox(GetDlgItem(dialog, kEdit)));
    EnableControl(dialog, kPush, FALSE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kPush)));
    EnableControl(dialog, kPush, 7);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kPush)));
}

TEST_F(ToolkitTest, DottedFieldsOfFourChildren)
{
    HWND control = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 100, 20, dialog,
                                 reinterpret_cast<HMENU>(2000), nullptr, nullptr);
    const char *fields[] = {"10", "0", "0", "1"};
    HWND children[4];
    for (int i = 0; i < 4; ++i)
        children[i] = CreateWindowA("EDIT", fields[i], WS_CHILD, i * 20, 0, 20, 20, control,
                                    nullptr, nullptr, nullptr);
    char text[32];
    EXPECT_TRUE(ReadDottedFields(dialog, 2000, text));
    EXPECT_STREQ("10.0.0.1", text);
    SetWindowTextA(children[2], "");
    EXPECT_FALSE(ReadDottedFields(dialog, 2000, text));
    DestroyWindow(control);
}

} // namespace
