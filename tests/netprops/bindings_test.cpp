// Control bindings on a real dialog and a real registry key: loading with
// defaults, saving with the combo and edit number rules, and the write
// failure message.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bindings.h"
#include "harness.h"
#include "registry.h"
#include "toolkit.h"
#include "zorvprop.h"

namespace {

enum { kCheck = 1041, kEdit = 1002, kCombo = 1003, kDropList = 1004, kUpper = 1121,
       kLower = 1122, kNumber = 1068 };

const DWORD kUntouched = 77;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModuleInstance = GetModuleHandleA(nullptr);
        owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(ModuleInstance, MAKEINTRESOURCEA(901), owner, PlainDialogProc, 0);
        ASSERT_TRUE(dialog);
        ASSERT_EQ(ERROR_SUCCESS, CreateConfigKey(HKEY_CURRENT_USER, "vadediz\\Test", &key));
    }
    void TearDown() override
    {
        CloseConfigKey(key);
        DestroyWindow(dialog);
        DestroyWindow(owner);
    }
    void Fill(int id, std::initializer_list<const char *> entries)
    {
        for (const char *e : entries)
            ComboAdd(dialog, id, e);
    }
    // What a save with the given control text leaves in the value, starting
    // from kUntouched.
    DWORD SavedNumber(const std::function<void()> &save)
    {
        WriteDwordValue(key, "Value", kUntouched);
        save();
        DWORD value = 0;
        EXPECT_TRUE(ReadDwordValue(key, "Value", &value));
        return value;
    }
    std::string Text(int id)
    {
        char text[512];
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    zt::RegistrySandbox sandbox;
    zt::MessageBoxCapture boxes{{GetModuleHandleA(nullptr)}};
    HWND owner = nullptr;
    HWND dialog = nullptr;
    HKEY key = nullptr;
};

TEST_F(BindingTest, ComboNumberSavesOnlyWithinTheListsRange)
{
    Fill(kCombo, {"512", "1024", "2048", "4096", "8192", "16384", "32768"});
    struct Case {
        const char *typed;
        DWORD written;
    } cases[] = {
        {"1000", 1000}, {"32768", 32768}, {"+512", 512}, {"65536", kUntouched},
        {"256", kUntouched}, {"abc", kUntouched}, {"", kUntouched},  // empty is 0, below 512
        {"99999999999", kUntouched},
    };
    for (const Case &c : cases) {
        SetDlgItemTextA(dialog, kCombo, c.typed);
        EXPECT_EQ(c.written, SavedNumber([&] {
                      BindComboNumber(dialog, kCombo, key, "Value", 0, TRUE);
                  })) << '"' << c.typed << '"';
    }
    ComboSelect(dialog, kCombo, 4);
    EXPECT_EQ(8192u, SavedNumber([&] { BindComboNumber(dialog, kCombo, key, "Value", 0, TRUE); }));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(BindingTest, ComboNumberWordsStandForZero)
{
    Fill(kCombo, {"1", "5", "10", "forever"});
    ComboSelect(dialog, kCombo, 3);
    EXPECT_EQ(0u, SavedNumber([&] { BindComboNumber(dialog, kCombo, key, "Value", 5, TRUE); }));
    SendDlgItemMessageA(dialog, kCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextA(dialog, kCombo, "3");
    EXPECT_EQ(3u, SavedNumber([&] { BindComboNumber(dialog, kCombo, key, "Value", 5, TRUE); }));
    SetDlgItemTextA(dialog, kCombo, "never");
    EXPECT_EQ(kUntouched,
              SavedNumber([&] { BindComboNumber(dialog, kCombo, key, "Value", 5, TRUE); }));

    // Loading: 0 shows the word, a number missing from the list is typed.
    WriteDwordValue(key, "Value", 0);
    BindComboNumber(dialog, kCombo, key, "Value", 5, FALSE);
    EXPECT_EQ(3, ComboSelection(dialog, kCombo));
    WriteDwordValue(key, "Value", 3);
    BindComboNumber(dialog, kCombo, key, "Value", 5, FALSE);
    EXPECT_EQ(-1, ComboSelection(dialog, kCombo));
    EXPECT_EQ("3", Text(kCombo));
    DeleteConfigValue(key, "Value");
    BindComboNumber(dialog, kCombo, key, "Value", 10, FALSE);
    EXPECT_EQ(2, ComboSelection(dialog, kCombo));

    // A drop-down list cannot take a typed number: its first entry is selected.
    Fill(kDropList, {"Automatic", "1024", "4096"});
    WriteDwordValue(key, "Value", 3);
    BindComboNumber(dialog, kDropList, key, "Value", 0, FALSE);
    EXPECT_EQ(0, ComboSelection(dialog, kDropList));
    WriteDwordValue(key, "Value", 4096);
    BindComboNumber(dialog, kDropList, key, "Value", 0, FALSE);
    EXPECT_EQ(2, ComboSelection(dialog, kDropList));
}

TEST_F(BindingTest, EditNumberClampsAsSigned)
{
    struct Case {
        const char *typed;
        DWORD written;
    } cases[] = {
        {"600", 600}, {"5000", 1800}, {"60", 120}, {"", kUntouched},
        {"2147483647", 1800}, {"2147483648", 120}, {"4294967295", 120},
        {"4294967296", kUntouched}, {"-5", kUntouched}, {"+5", kUntouched},
        {"12a", kUntouched}, {"99999999999999", kUntouched},
    };
    for (const Case &c : cases) {
        SetDlgItemTextA(dialog, kNumber, c.typed);
        EXPECT_EQ(c.written, SavedNumber([&] {
                      BindEditNumber(dialog, kNumber, key, "Value", 0, TRUE, 120, 1800);
                  })) << '"' << c.typed << '"';
    }
    WriteDwordValue(key, "Value", 0xFFFFFFFFu);
    BindEditNumber(dialog, kNumber, key, "Value", 0, FALSE, 120, 1800);
    EXPECT_EQ("4294967295", Text(kNumber));  // shown unsigned, not clamped on load
    DeleteConfigValue(key, "Value");
    BindEditNumber(dialog, kNumber, key, "Value", 600, FALSE, 120, 1800);
    EXPECT_EQ("600", Text(kNumber));
}

TEST_F(BindingTest, CheckBoxesAndRadios)
{
    BindCheckBox(dialog, kCheck, key, "Flag", 1, FALSE);  // nothing stored: default 1
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, kCheck));
    CheckDlgButton(dialog, kCheck, BST_UNCHECKED);
    EXPECT_EQ(0u, SavedNumber([&] {
                  WriteDwordValue(key, "Value", 1);
                  BindCheckBox(dialog, kCheck, key, "Value", 1, TRUE);
              }));
    WriteSzValue(key, "Text", "1");  // wrong type: the default
    BindCheckBox(dialog, kCheck, key, "Text", 0, FALSE);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, kCheck));

    WriteDwordValue(key, "Value", 0);
    BindInvertedCheckBox(dialog, kCheck, key, "Value", 1, FALSE);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, kCheck));
    CheckDlgButton(dialog, kCheck, BST_UNCHECKED);
    BindInvertedCheckBox(dialog, kCheck, key, "Value", 0, TRUE);
    DWORD value = 0;
    ASSERT_TRUE(ReadDwordValue(key, "Value", &value));
    EXPECT_EQ(1u, value);

    EXPECT_EQ(0u, SavedNumber([&] { BindRadioGroup(dialog, kUpper, kLower, key, "Value", 1, TRUE); }));
    WriteDwordValue(key, "Value", 1);
    BindRadioGroup(dialog, kUpper, kLower, key, "Value", 0, FALSE);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, kUpper));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, kLower));
    EXPECT_EQ(1u, SavedNumber([&] { BindRadioGroup(dialog, kUpper, kLower, key, "Value", 0, TRUE); }));
}

TEST_F(BindingTest, TextBindings)
{
    std::string long300(300, 'x');
    WriteSzValue(key, "Name", long300.c_str());
    BindEditText(dialog, kEdit, key, "Name", "fallback", FALSE, 256);
    EXPECT_EQ("fallback", Text(kEdit));
    WriteSzValue(key, "Name", "server1");
    BindEditText(dialog, kEdit, key, "Name", "fallback", FALSE, 256);
    EXPECT_EQ("server1", Text(kEdit));

    SetDlgItemTextA(dialog, kEdit, long300.c_str());
    BindEditText(dialog, kEdit, key, "Name", "", TRUE, 10);  // at most 9 characters
    std::string stored;
    ASSERT_TRUE(zt::GetString(HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\vadediz\\Test", "Name", &stored));
    EXPECT_EQ(std::string(9, 'x'), stored);
    BindEditText(dialog, kEdit, key, "Name", "", TRUE, 100000);  // held to 260 bytes
    ASSERT_TRUE(zt::GetString(HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\vadediz\\Test", "Name", &stored));
    EXPECT_EQ(std::string(259, 'x'), stored);
    SetDlgItemTextA(dialog, kEdit, "");
    BindEditText(dialog, kEdit, key, "Name", "x", TRUE, 256);  // written even when empty
    ASSERT_TRUE(zt::GetString(HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\vadediz\\Test", "Name", &stored));
    EXPECT_EQ("", stored);

    Fill(kDropList, {"TCP", "UDP"});
    WriteSzValue(key, "Transport", "udp");
    BindComboText(dialog, kDropList, key, "Transport", "TCP", FALSE);
    EXPECT_EQ(1, ComboSelection(dialog, kDropList));
    WriteSzValue(key, "Transport", "ICMP");
    BindComboText(dialog, kDropList, key, "Transport", "UDP", FALSE);
    EXPECT_EQ(0, ComboSelection(dialog, kDropList));  // not in the list: the first entry
    Fill(kCombo, {"alpha"});
    SetDlgItemTextA(dialog, kCombo, "typed");
    BindComboText(dialog, kCombo, key, "Transport", "", TRUE);
    ASSERT_TRUE(zt::GetString(HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\vadediz\\Test", "Transport", &stored));
    EXPECT_EQ("typed", stored);
}

TEST_F(BindingTest, WriteFailureIsShownOnceAtATime)
{
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\ZORV\\CC\\1.0\\vadediz\\Test",
                                           0, KEY_READ, &readOnly));
    int inner = 0;
    boxes.whileOpen = [&](const zt::MessageBoxRecord &) {
        if (inner++ == 0)
            BindCheckBox(dialog, kCheck, readOnly, "Flag", 0, TRUE);  // while the box is open
    };
    BindCheckBox(dialog, kCheck, readOnly, "Flag", 0, TRUE);
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Write Register Failed", boxes.boxes[0].text);
    EXPECT_EQ(nullptr, boxes.boxes[0].owner);
    EXPECT_EQ("<none>", boxes.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.boxes[0].style);

    // Two failing bindings in a row: the box again after the first closed.
    boxes.whileOpen = nullptr;
    SetDlgItemTextA(dialog, kEdit, "text");
    BindEditText(dialog, kEdit, readOnly, "Name", "", TRUE, 256);
    SetDlgItemTextA(dialog, kNumber, "500");
    BindEditNumber(dialog, kNumber, readOnly, "Number", 0, TRUE, 0, 1000);
    EXPECT_EQ(3u, boxes.boxes.size());
    // Nothing written, nothing reported.
    SetDlgItemTextA(dialog, kNumber, "none");
    BindEditNumber(dialog, kNumber, readOnly, "Number", 0, TRUE, 0, 1000);
    EXPECT_EQ(3u, boxes.boxes.size());
    RegCloseKey(readOnly);
}

} // namespace
