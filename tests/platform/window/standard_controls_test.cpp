// The standard controls as a person uses them: each action and the
// notifications the parent receives, in order. Programmatic changes are
// silent; what the user does is told.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/window/winuser_controls.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

std::vector<std::string> g_seen;

std::string CodeName(HWND control, WORD code) {
  WCHAR cls[16] = {};
  GetClassNameW(control, cls, 16);
  const std::u16string c(reinterpret_cast<const char16_t*>(cls));
  struct Name {
    const char16_t* cls;
    WORD code;
    const char* name;
  };
  static const Name names[] = {
      {u"Button", BN_CLICKED, "BN_CLICKED"}, {u"Edit", EN_UPDATE, "EN_UPDATE"},
      {u"Edit", EN_CHANGE, "EN_CHANGE"},     {u"Edit", EN_MAXTEXT, "EN_MAXTEXT"},
      {u"Edit", EN_SETFOCUS, "EN_SETFOCUS"}, {u"Edit", EN_KILLFOCUS, "EN_KILLFOCUS"},
  };
  for (const Name& n : names) {
    if (c == n.cls && code == n.code) return n.name;
  }
  return std::to_string(code);
}

// The parent: notes each notification with the id and, for buttons, the
// check state the button has when the parent hears of it.
LRESULT CALLBACK Parent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    auto control = reinterpret_cast<HWND>(lParam);
    std::string entry = std::to_string(LOWORD(wParam)) + ":" + CodeName(control, HIWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED) entry += "=" + std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0));
    g_seen.push_back(entry);
    return 0;
  }
  if (message == WM_DRAWITEM) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    g_seen.push_back("DRAWITEM " + std::to_string(dis->itemAction) + "/" + std::to_string(dis->itemState));
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

WNDPROC g_editBase = nullptr;
LRESULT CALLBACK EditSpy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) g_seen.push_back("KEYDOWN");
  if (message == WM_CHAR) g_seen.push_back(std::string("CHAR ") + static_cast<char>(wParam));
  return CallWindowProcW(g_editBase, hwnd, message, wParam, lParam);
}

class StandardControlsTest : public WindowTest {
 public:
  HWND parent = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_seen.clear();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Parent;
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"ControlParent");
    ASSERT_NE(RegisterClassExW(&wc), 0);
    parent = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"ControlParent"), reinterpret_cast<LPCWSTR>(u"Parent"),
                             WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
  }
  HWND Control(const char16_t* cls, int id, DWORD style, int x = 10, int y = 10, const char16_t* text = u"") {
    return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(cls), reinterpret_cast<LPCWSTR>(text),
                           WS_CHILD | WS_VISIBLE | style, x, y, 80, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
  }
  std::u16string Text(HWND hwnd) {
    WCHAR text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return reinterpret_cast<const char16_t*>(text);
  }
};

using Seen = std::vector<std::string>;

TEST_F(StandardControlsTest, ButtonActionsAndNotifications) {
  struct Case {
    DWORD style;
    std::function<void(HWND)> act;  // on the button (id 5)
    Seen seen;
    LRESULT check;
  };
  // The script's loop ends with its last step; the input it gave is then
  // taken from the queue.
  auto click = [this](HWND b) {
    UiScript script;
    script.click(b);
    ASSERT_TRUE(script.run());
    Drain();
  };
  auto space = [this](HWND b) {
    SetFocus(b);
    UiScript script;
    script.key(VK_SPACE);
    ASSERT_TRUE(script.run());
    Drain();
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, click, {"5:BN_CLICKED=0"}, 0},
      {BS_AUTOCHECKBOX, click, {"5:BN_CLICKED=1"}, 1},  // the state changes before the parent hears
      {BS_AUTOCHECKBOX, space, {"5:BN_CLICKED=1"}, 1},
      {BS_AUTOCHECKBOX, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0); }, {}, 1},
      {BS_CHECKBOX, click, {"5:BN_CLICKED=0"}, 0},      // the parent decides
      {BS_AUTO3STATE, [&](HWND b) { click(b); click(b); }, {"5:BN_CLICKED=1", "5:BN_CLICKED=2"}, 2},
      {BS_3STATE, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_INDETERMINATE, 0); }, {}, 2},
      {BS_AUTORADIOBUTTON, click, {"5:BN_CLICKED=1"}, 1},
      {BS_AUTORADIOBUTTON, [](HWND b) { SendMessageW(b, BM_CLICK, 0, 0); }, {"5:BN_CLICKED=1"}, 1},
      {BS_GROUPBOX, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0); }, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    HWND button = Control(u"Button", 5, c.style | WS_TABSTOP);
    ASSERT_NE(button, nullptr);
    g_seen.clear();
    c.act(button);
    EXPECT_EQ(g_seen, c.seen);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.check);
    DestroyWindow(button);
  }
}

TEST_F(StandardControlsTest, AutoRadioButtonsUncheckTheirGroupOnly) {
  HWND r1 = Control(u"Button", 1, BS_AUTORADIOBUTTON | WS_GROUP, 10, 10);
  HWND r2 = Control(u"Button", 2, BS_AUTORADIOBUTTON, 10, 40);
  HWND r3 = Control(u"Button", 3, BS_AUTORADIOBUTTON, 10, 70);
  HWND other = Control(u"Button", 4, BS_AUTORADIOBUTTON | WS_GROUP, 10, 100);
  SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(g_seen.empty());  // BM_SETCHECK is silent
  UiScript script;
  script.click(r3);
  ASSERT_TRUE(script.run());
  Drain();
  EXPECT_EQ(g_seen, (Seen{"3:BN_CLICKED=1"}));
  EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(r2, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(r3, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StandardControlsTest, OwnerDrawnButtonDrawsOnPaintPressAndFocus) {
  HWND button = Control(u"Button", 6, BS_OWNERDRAW | WS_TABSTOP);
  UpdateWindow(button);
  const std::string entire = "DRAWITEM " + std::to_string(ODA_DRAWENTIRE) + "/0";
  ASSERT_FALSE(g_seen.empty());
  EXPECT_EQ(g_seen.back(), entire);
  g_seen.clear();
  SetFocus(button);
  EXPECT_EQ(g_seen, (Seen{"DRAWITEM " + std::to_string(ODA_FOCUS) + "/" + std::to_string(ODS_FOCUS)}));
  g_seen.clear();
  SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(g_seen, (Seen{"DRAWITEM " + std::to_string(ODA_SELECT) + "/" + std::to_string(ODS_SELECTED | ODS_FOCUS),
                          "DRAWITEM " + std::to_string(ODA_SELECT) + "/" + std::to_string(ODS_FOCUS),
                          "6:BN_CLICKED=0"}));
}

TEST_F(StandardControlsTest, EditActionsAndNotifications) {
  struct Case {
    DWORD style;
    std::function<void(HWND)> act;  // on the edit (id 7), which holds "abc" with the caret at its end
    Seen seen;
    std::u16string text;
  };
  auto type = [this](std::u16string_view text) {
    return [this, text](HWND e) {
      SetFocus(e);
      g_seen.clear();
      UiScript script;
      script.type(text);
      ASSERT_TRUE(script.run());
      Drain();
    };
  };
  auto limit = [](WPARAM n, std::function<void(HWND)> then) {
    return [n, then](HWND e) {
      SendMessageW(e, EM_LIMITTEXT, n, 0);
      then(e);
    };
  };
  auto setText = [](const char16_t* t) {
    return [t](HWND e) { SendMessageW(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t)); };
  };
  const Case cases[] = {
      {0, type(u"d"), {"KEYDOWN", "CHAR d", "7:EN_UPDATE", "7:EN_CHANGE"}, u"abcd"},
      {0, limit(4, type(u"de")),
       {"KEYDOWN", "CHAR d", "7:EN_UPDATE", "7:EN_CHANGE", "KEYDOWN", "CHAR e", "7:EN_MAXTEXT"}, u"abcd"},
      // WM_SETTEXT ignores the limit; a single-line edit tells of it.
      {0, limit(2, setText(u"longer")), {"7:EN_UPDATE", "7:EN_CHANGE"}, u"longer"},
      {ES_MULTILINE, setText(u"two\r\nlines"), {}, u"two\r\nlines"},
      {0, [](HWND e) { SendMessageW(e, EM_SETSEL, 0, -1); SendMessageW(e, EM_LIMITTEXT, 1, 0); }, {}, u"abc"},
      {0, [&](HWND e) { SendMessageW(e, EM_SETSEL, 1, 2); type(u"x")(e); },
       {"KEYDOWN", "CHAR x", "7:EN_UPDATE", "7:EN_CHANGE"}, u"axc"},
      {0, [](HWND e) {
         SendMessageW(e, EM_LIMITTEXT, 5, 0);
         SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"xyz"));
       },
       {"7:EN_MAXTEXT", "7:EN_UPDATE", "7:EN_CHANGE"}, u"abcxy"},
      {ES_READONLY, type(u"d"), {"KEYDOWN", "CHAR d"}, u"abc"},
      {ES_MULTILINE, type(u"\r"), {"KEYDOWN", "CHAR \r", "7:EN_UPDATE", "7:EN_CHANGE"}, u"abc\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));  // names the case
    HWND edit = Control(u"Edit", 7, c.style | WS_TABSTOP, 10, 10, u"abc");
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 3, 3);
    g_editBase = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSpy)));
    g_seen.clear();
    c.act(edit);
    std::erase(g_seen, std::string("7:EN_SETFOCUS"));
    EXPECT_EQ(g_seen, c.seen);
    EXPECT_EQ(Text(edit), c.text);
    DestroyWindow(edit);
  }
}

}  // namespace
}  // namespace kesm_test
