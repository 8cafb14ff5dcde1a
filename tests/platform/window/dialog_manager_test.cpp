// The dialog manager on templates built in memory: sizes in dialog units,
// the order of creation and WM_INITDIALOG, the return-value rule, the end of
// a modal loop, keyboard navigation and the helpers that reach controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/dialog_builder.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;

// What the test's dialog procedure saw, and how it answers.
struct ProcLog {
  std::vector<std::string> seen;
  HWND focusAtInit = nullptr;
  int childrenAtInit = 0;
  LPARAM initParam = 0;
  INT_PTR answer = 0;          // for the messages of a return-value case
  LONG_PTR msgResult = 0;      // left in DWLP_MSGRESULT
  bool endInInit = false;
  HWND initFocusArgument = nullptr;  // WM_INITDIALOG's wParam
};
ProcLog g_log;

constexpr int kGoId = 9;

int MulDivRound(int a, int b, int c) { return (a * b + c / 2) / c; }

int CountChildren(HWND hwnd) {
  int n = 0;
  for (HWND c = GetWindow(hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++n;
  return n;
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      g_log.seen.push_back("MEASUREITEM " + std::to_string(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemID));
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
      return TRUE;
    case WM_INITDIALOG:
      g_log.seen.push_back("INITDIALOG");
      g_log.childrenAtInit = CountChildren(dialog);
      g_log.initParam = lParam;
      g_log.initFocusArgument = reinterpret_cast<HWND>(wParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      if (g_log.endInInit) EndDialog(dialog, 42);
      return TRUE;
    case WM_COMMAND:
      g_log.seen.push_back("COMMAND " + std::to_string(LOWORD(wParam)));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == kGoId) {
        EndDialog(dialog, LOWORD(wParam));
        // The loop goes on to the end of this message: the dialog still exists.
        g_log.seen.push_back(IsWindow(dialog) ? "still there" : "gone");
      }
      return TRUE;
    case WM_USER + 7:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_NOTIFY:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, g_log.msgResult);
      return g_log.answer;
    default:
      return FALSE;
  }
}

// A control of the test that measures one item while it is made, as an
// owner-drawn list does.
LRESULT CALLBACK MeasuringControl(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    MEASUREITEMSTRUCT mi{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, 0, 0, 0};
    SendMessageW(GetParent(hwnd), WM_MEASUREITEM, static_cast<WPARAM>(mi.CtlID), reinterpret_cast<LPARAM>(&mi));
  }
  if (message == WM_GETDLGCODE) return DLGC_WANTTAB;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class DialogManagerTest : public WindowTest {
 public:
  void SetUp() override {
    WindowTest::SetUp();
    g_log = ProcLog{};
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MeasuringControl;
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"Measuring");
    ASSERT_NE(RegisterClassExW(&wc), 0);
  }
  // OK (default), Cancel, and an edit-like control of the test.
  static DialogBuilder Form() {
    DialogBuilder b(u"Form", kPopup, 200, 100);
    b.Item(kStaticClass, 100, u"Name:", SS_LEFT, 7, 7, 40, 8)
        .Item(kButtonClass, 101, u"A", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 7, 20, 40, 14)
        .Item(kButtonClass, 102, u"B", BS_PUSHBUTTON, 50, 20, 40, 14)
        .Item(kButtonClass, 103, u"C", BS_PUSHBUTTON, 93, 20, 40, 14)
        .Item(kButtonClass, IDOK, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 90, 79, 50, 14)
        .Item(kButtonClass, IDCANCEL, u"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 143, 79, 50, 14);
    return b;
  }
};

TEST_F(DialogManagerTest, SizesFollowTheDialogFontsBaseUnits) {
  struct SizeCase {
    WORD pointSize;  // 0: no DS_SETFONT, the system font's 8 x 16
    int baseX;
    int baseY;
  };
  for (const SizeCase& c : {SizeCase{8, 6, 13}, SizeCase{0, 8, 16}, SizeCase{10, 8, 16}}) {
    SCOPED_TRACE(c.pointSize);
    DialogBuilder b(u"Sized", kPopup, 200, 100, c.pointSize);
    b.Item(kButtonClass, 5, u"OK", BS_PUSHBUTTON, 10, 20, 50, 14);
    HWND dialog = CreateDialogIndirectParamW(nullptr, b.get(), nullptr, TestDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, MulDivRound(200, c.baseX, 4));
    EXPECT_EQ(client.bottom, MulDivRound(100, c.baseY, 8));
    RECT item{};
    GetWindowRect(GetDlgItem(dialog, 5), &item);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&item), 2);
    EXPECT_EQ(item.left, MulDivRound(10, c.baseX, 4));
    EXPECT_EQ(item.top, MulDivRound(20, c.baseY, 8));
    EXPECT_EQ(item.right - item.left, MulDivRound(50, c.baseX, 4));
    EXPECT_EQ(item.bottom - item.top, MulDivRound(14, c.baseY, 8));
    RECT units{4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    EXPECT_EQ(units.left, c.baseX);
    EXPECT_EQ(units.top, c.baseY);
    EXPECT_EQ(units.right, 2 * c.baseX);
    EXPECT_EQ(units.bottom, 2 * c.baseY);
    DestroyWindow(dialog);
  }
}

TEST_F(DialogManagerTest, ControlsMeasureBeforeInitDialogAndAllExistAtIt) {
  DialogBuilder b(u"Order", kPopup, 100, 60);
  b.Item(kButtonClass, 1, u"OK", BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 40, 14)
      .Item(0, 7, u"", WS_TABSTOP, 5, 25, 40, 14, u"Measuring")
      .Item(0, 8, u"", 0, 50, 25, 40, 14, u"Measuring");
  HWND dialog = CreateDialogIndirectParamW(nullptr, b.get(), nullptr, TestDialogProc, 0x1234);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(g_log.seen, (std::vector<std::string>{"MEASUREITEM 0", "MEASUREITEM 0", "INITDIALOG"}));
  EXPECT_EQ(g_log.childrenAtInit, 3);
  EXPECT_EQ(g_log.initParam, 0x1234);
  EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0x1234);
  // WM_INITDIALOG answered TRUE: the first tab stop has the focus.
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1));
  DestroyWindow(dialog);
}

// WM_INITDIALOG's wParam, as documented: the first control whose styles
// make it visible, enabled and a tab stop, whether or not the dialog itself
// starts shown.
TEST_F(DialogManagerTest, InitDialogNamesTheFirstVisibleEnabledTabStop) {
  struct Item {
    WORD cls;
    DWORD style;
    bool hidden;
  };
  struct Case {
    const char* what;
    DWORD dialogStyle;
    std::vector<Item> items;  // ids 1, 2, ...
    int expected;             // the id WM_INITDIALOG names; 0 for none
  };
  constexpr DWORD kHiddenPopup = kPopup & ~WS_VISIBLE;
  constexpr DWORD kChild = WS_CHILD | DS_CONTROL;
  const std::vector<Item> mixed = {{kStaticClass, SS_LEFT | WS_TABSTOP, true},
                                   {kButtonClass, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, false},
                                   {kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, true},
                                   {kButtonClass, BS_PUSHBUTTON, false},
                                   {kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, false},
                                   {kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, false}};
  const Case cases[] = {
      {"a shown dialog", kPopup, mixed, 5},
      {"a dialog that starts hidden", kHiddenPopup, mixed, 5},
      {"a hidden child dialog, as a sheet's page", kChild, mixed, 5},
      {"no control qualifies", kHiddenPopup, {{kStaticClass, SS_LEFT, false}, {kButtonClass, WS_TABSTOP, true}}, 0},
  };
  HWND host = Make("host", nullptr, RECT{0, 0, 400, 300});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DialogBuilder b(u"Init", c.dialogStyle, 200, 100);
    for (std::size_t i = 0; i < c.items.size(); ++i) {
      b.Item(c.items[i].cls, static_cast<DWORD>(i + 1), u"Item", c.items[i].style, 5, static_cast<short>(5 + 15 * i),
             40, 12);
      if (c.items[i].hidden) b.Hide();
    }
    g_log.initFocusArgument = reinterpret_cast<HWND>(1);
    HWND dialog = CreateDialogIndirectParamW(nullptr, b.get(), (c.dialogStyle & WS_CHILD) != 0 ? host : nullptr,
                                             TestDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(g_log.initFocusArgument, c.expected == 0 ? nullptr : GetDlgItem(dialog, c.expected));
    DestroyWindow(dialog);
  }
  DestroyWindow(host);
}

TEST_F(DialogManagerTest, ReturnValueRule) {
  struct RuleCase {
    UINT message;
    INT_PTR answer;
    LRESULT expected;
  };
  const RuleCase cases[] = {
      // The procedure's own return value answers these.
      {WM_CTLCOLORLISTBOX, 0x55, 0x55},
      {WM_CTLCOLORSCROLLBAR, 0x56, 0x56},
      {WM_COMPAREITEM, -1, -1},
      {WM_VKEYTOITEM, -2, -2},
      {WM_CHARTOITEM, 3, 3},
      {WM_QUERYDRAGICON, 0x57, 0x57},
      // DWLP_MSGRESULT answers the rest when the procedure handled them.
      {WM_NOTIFY, TRUE, 77},
      {WM_USER + 7, TRUE, 77},
      // Not handled: the default handling's answer.
      {WM_USER + 7, FALSE, 0},
  };
  HWND dialog = CreateDialogIndirectParamW(nullptr, Form().get(), nullptr, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.message);
    g_log.answer = c.answer;
    g_log.msgResult = 77;
    NMHDR header{dialog, 0, 0};
    EXPECT_EQ(SendMessageW(dialog, c.message, 0, reinterpret_cast<LPARAM>(&header)), c.expected);
  }
  DestroyWindow(dialog);
}

TEST_F(DialogManagerTest, ModalDialogEndsAfterTheMessageThatEndedIt) {
  UiScript script;
  script.check("the dialog shows with its default button", [&] {
          HWND dialog = FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Form"));
          ASSERT_NE(dialog, nullptr);
          EXPECT_TRUE(IsWindowVisible(dialog));
          EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        })
      .click(WindowRef::Item(WindowRef::Top(u"Form"), IDOK));
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, Form().get(), nullptr, TestDialogProc, 0), IDOK);
  EXPECT_EQ(g_log.seen, (std::vector<std::string>{"INITDIALOG", "COMMAND 1", "still there"}));
  EXPECT_EQ(FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Form")), nullptr);
}

TEST_F(DialogManagerTest, EndDialogDuringInitDialogNeverShowsIt) {
  g_log.endInInit = true;
  HWND owner = Make("owner", nullptr, RECT{0, 0, 300, 200});
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, Form().get(), owner, TestDialogProc, 0), 42);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogManagerTest, KeysMoveTheFocusAndPressButtons) {
  struct KeyCase {
    std::vector<UINT> keys;  // pressed after the dialog opens, then Esc
    WPARAM modifiers;
    int focusId;             // where the focus is before Esc
    std::vector<std::string> commands;
  };
  const KeyCase cases[] = {
      {{VK_TAB}, 0, IDOK, {"COMMAND 2"}},
      {{VK_TAB, VK_TAB}, 0, IDCANCEL, {"COMMAND 2"}},
      {{VK_TAB, VK_TAB, VK_TAB}, 0, 101, {"COMMAND 2"}},  // wraps
      {{VK_TAB}, MK_SHIFT, IDCANCEL, {"COMMAND 2"}},
      {{VK_RIGHT}, 0, 102, {"COMMAND 2"}},                // arrows stay in A's group
      {{VK_LEFT}, 0, 103, {"COMMAND 2"}},
      {{VK_RIGHT, VK_RIGHT, VK_RIGHT}, 0, 101, {"COMMAND 2"}},
      {{VK_RIGHT, VK_RETURN}, 0, 102, {"COMMAND 102", "COMMAND 2"}},  // Enter presses the focused button
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.keys));
    g_log = ProcLog{};
    UiScript script;
    for (UINT key : c.keys) script.key(key, c.modifiers);
    script.check("the focus moved", [&] {
      HWND dialog = FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Form"));
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, c.focusId));
    });
    script.key(VK_ESCAPE);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, Form().get(), nullptr, TestDialogProc, 0), IDCANCEL);
    std::vector<std::string> commands;
    for (const std::string& s : g_log.seen) {
      if (s.rfind("COMMAND", 0) == 0) commands.push_back(s);
    }
    EXPECT_EQ(commands, c.commands);
  }
}

TEST_F(DialogManagerTest, MnemonicsMoveTheFocusAndClick) {
  struct Press {
    UINT key;
    WPARAM modifiers;
  };
  struct MnemonicCase {
    std::vector<Press> keys;  // pressed after the dialog opens (the edit has the focus), then Esc
    int focusId;
    std::vector<std::string> commands;  // but the edit's own
    int checkedId;                      // the button checked at the end, or 0
    std::u16string edited;              // the edit's text at the end
  };
  const Press tab{VK_TAB, 0};
  constexpr WPARAM MK_ALT = plat::window::MK_ALT;
  const MnemonicCase cases[] = {
      {{{'D', MK_ALT}}, 102, {"COMMAND 102", "COMMAND 2"}, 102, u""},  // a check box: focus and click
      {{tab, {'C', MK_ALT}}, 101, {"COMMAND 2"}, 0, u""},              // a label: the control after it
      {{{'P', MK_ALT}}, 104, {"COMMAND 2"}, 0, u""},                   // a group box likewise
      // Alone, where no characters are wanted (a radio button)...
      {{tab, tab, {'G', 0}}, 105, {"COMMAND 105", "COMMAND 2"}, 105, u""},
      {{tab, tab, {'A', 0}}, 106, {"COMMAND 106", "COMMAND 2"}, 0, u""},
      // ...but a check box takes the characters that set it.
      {{tab, {'G', 0}}, 102, {"COMMAND 2"}, 0, u""},
      {{{'D', 0}}, 101, {"COMMAND 2"}, 0, u"d"},                      // the edit takes the letter itself
      {{tab, {'X', MK_ALT}}, 102, {"COMMAND 2"}, 0, u""},              // no control has it
  };
  for (const MnemonicCase& c : cases) {
    SCOPED_TRACE(c.focusId);
    g_log = ProcLog{};
    DialogBuilder b(u"Mnemonics", kPopup, 200, 120);
    b.Item(kStaticClass, 100, u"&Copies:", SS_LEFT, 7, 7, 40, 8)
        .Item(kEditClass, 101, u"", WS_TABSTOP | WS_BORDER, 50, 7, 40, 12)
        .Item(kButtonClass, 102, u"&Duplex", BS_AUTOCHECKBOX | WS_TABSTOP, 7, 22, 60, 10)
        .Item(kButtonClass, 103, u"&Paper", BS_GROUPBOX, 7, 35, 100, 40)
        .Item(kButtonClass, 104, u"&Letter", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 12, 45, 60, 10)
        .Item(kButtonClass, 105, u"Le&gal", BS_AUTORADIOBUTTON, 12, 57, 60, 10)
        .Item(kButtonClass, 106, u"&Apply", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 120, 40, 50, 14)
        .Item(kButtonClass, IDCANCEL, u"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 143, 99, 50, 14);
    UiScript script;
    for (const Press& p : c.keys) script.key(p.key, p.modifiers);
    script.check("the focus moved", [&] {
      HWND dialog = FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Mnemonics"));
      EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.focusId);
      for (int id : {102, 104, 105}) EXPECT_EQ(IsDlgButtonChecked(dialog, id), id == c.checkedId ? 1u : 0u) << id;
      WCHAR text[16] = {};
      GetDlgItemTextW(dialog, 101, text, 16);
      EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), c.edited);
    });
    script.key(VK_ESCAPE);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, b.get(), nullptr, TestDialogProc, 0), IDCANCEL);
    std::vector<std::string> commands;
    for (const std::string& s : g_log.seen) {
      if (s.rfind("COMMAND", 0) == 0 && s != "COMMAND 101") commands.push_back(s);
    }
    EXPECT_EQ(commands, c.commands);
  }
}

TEST_F(DialogManagerTest, EnterWithoutAFocusedButtonPressesTheDefault) {
  DialogBuilder b(u"Enter", kPopup, 100, 60);
  b.Item(0, 7, u"", WS_TABSTOP, 5, 5, 40, 14, u"Measuring")
      .Item(kButtonClass, kGoId, u"Go", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 25, 40, 14);
  UiScript script;
  script.key(VK_TAB)  // the control keeps Tab: the focus stays
      .check("Tab stayed with the control", [] { EXPECT_EQ(GetDlgCtrlID(GetFocus()), 7); })
      .key(VK_RETURN);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, b.get(), nullptr, TestDialogProc, 0), kGoId);
}

TEST_F(DialogManagerTest, ItemHelpers) {
  HWND dialog = CreateDialogIndirectParamW(nullptr, Form().get(), nullptr, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  struct IntCase {
    const char16_t* text;
    BOOL isSigned;
    UINT value;
    BOOL translated;
  };
  const IntCase cases[] = {
      {u"123", FALSE, 123, TRUE},      {u"  7", FALSE, 7, TRUE},         {u"-5", TRUE, static_cast<UINT>(-5), TRUE},
      {u"-5", FALSE, 0, FALSE},        {u"12a", FALSE, 0, FALSE},        {u"", FALSE, 0, FALSE},
      {u"4294967295", FALSE, 4294967295u, TRUE}, {u"4294967296", FALSE, 0, FALSE},
      {u"2147483648", TRUE, 0, FALSE}, {u"-2147483648", TRUE, 0x80000000u, TRUE},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
    ASSERT_TRUE(SetDlgItemTextW(dialog, 100, reinterpret_cast<LPCWSTR>(c.text)));
    BOOL translated = 2;
    EXPECT_EQ(GetDlgItemInt(dialog, 100, &translated, c.isSigned), c.value);
    EXPECT_EQ(translated, c.translated);
  }
  ASSERT_TRUE(SetDlgItemInt(dialog, 100, static_cast<UINT>(-12), TRUE));
  WCHAR text[16] = {};
  EXPECT_EQ(GetDlgItemTextW(dialog, 100, text, 16), 3u);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"-12");
  EXPECT_FALSE(SetDlgItemTextW(dialog, 999, reinterpret_cast<LPCWSTR>(u"x")));
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), GetDlgItem(dialog, 101));
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), GetDlgItem(dialog, IDCANCEL));
  EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 103), FALSE), GetDlgItem(dialog, 101));
  DestroyWindow(dialog);
}

TEST_F(DialogManagerTest, BadTemplatesFail) {
  SetLastError(0);
  // A template whose items name a class ordinal no control has.
  DialogBuilder unknown(u"Unknown", kPopup, 50, 50);
  unknown.Item(0x99, 1, u"?", 0, 0, 0, 10, 10);
  EXPECT_EQ(CreateDialogIndirectParamW(nullptr, unknown.get(), nullptr, TestDialogProc, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  // A control whose class does not exist fails the dialog.
  DialogBuilder missing(u"Missing", kPopup, 50, 50);
  missing.Item(0, 1, u"?", 0, 0, 0, 10, 10, u"NoSuchClass");
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, missing.get(), nullptr, TestDialogProc, 0), -1);
  EXPECT_EQ(FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(u"Missing")), nullptr);
}

}  // namespace
}  // namespace kesm_test
