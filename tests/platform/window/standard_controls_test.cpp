// The standard controls as a person uses them: each action and the
// notifications the parent receives, in order. Programmatic changes are
// silent; what the user does is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"
#include "platform/runtime/winmem.h"
#include "platform/window/winuser_clipboard.h"
#include "platform/window/winuser_controls.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

std::vector<std::string> g_seen;
int g_listColourAsked = 0;

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
      {u"ListBox", LBN_SELCHANGE, "LBN_SELCHANGE"}, {u"ListBox", LBN_DBLCLK, "LBN_DBLCLK"},
      {u"ListBox", LBN_SETFOCUS, "LBN_SETFOCUS"}, {u"ListBox", LBN_KILLFOCUS, "LBN_KILLFOCUS"},
      {u"ComboBox", CBN_SELCHANGE, "CBN_SELCHANGE"}, {u"ComboBox", CBN_DROPDOWN, "CBN_DROPDOWN"},
      {u"ComboBox", CBN_CLOSEUP, "CBN_CLOSEUP"}, {u"ComboBox", CBN_SELENDOK, "CBN_SELENDOK"},
      {u"ComboBox", CBN_SELENDCANCEL, "CBN_SELENDCANCEL"}, {u"ComboBox", CBN_SETFOCUS, "CBN_SETFOCUS"},
      {u"ComboBox", CBN_KILLFOCUS, "CBN_KILLFOCUS"}, {u"ComboBox", CBN_EDITUPDATE, "CBN_EDITUPDATE"},
      {u"ComboBox", CBN_EDITCHANGE, "CBN_EDITCHANGE"},
  };
  for (const Name& n : names) {
    if (c == n.cls && code == n.code) return n.name;
  }
  return std::to_string(code);
}

int g_heightStep = 0;  // 1: each item measured is 10 pixels taller than the last

// The parent: notes each notification with the id and, for buttons, the
// check state the button has when the parent hears of it.
LRESULT CALLBACK Parent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    auto control = reinterpret_cast<HWND>(lParam);
    std::string entry = std::to_string(LOWORD(wParam)) + ":" + CodeName(control, HIWORD(wParam));
    if (entry.find("BN_CLICKED") != std::string::npos) entry += "=" + std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0));
    g_seen.push_back(entry);
    return 0;
  }
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    const WORD code = LOWORD(wParam);
    const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
    g_seen.push_back(std::string(message == WM_VSCROLL ? "VSCROLL " : "HSCROLL ") + std::to_string(code) +
                     (thumb ? "@" + std::to_string(HIWORD(wParam)) : std::string()) +
                     (lParam != 0 ? " bar" : " window"));
    return 0;
  }
  if (message == WM_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    g_seen.push_back("MEASUREITEM " + std::to_string(static_cast<int>(mi->itemID)));
    mi->itemHeight = 20;
    // Items of variable-height lists grow by 10 pixels each.
    if (mi->itemID != static_cast<UINT>(-1)) mi->itemHeight += 10 * mi->itemID * g_heightStep;
    return TRUE;
  }
  if (message == WM_CTLCOLORLISTBOX) {
    ++g_listColourAsked;
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
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

// Puts a text on the clipboard as another program would.
void PutClipboard(std::u16string_view text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* out = static_cast<char16_t*>(GlobalLock(block));
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = 0;
  GlobalUnlock(block);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
}

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(GlobalLock(static_cast<HGLOBAL>(data)));
    GlobalUnlock(static_cast<HGLOBAL>(data));
  }
  CloseClipboard();
  return text;
}

class StandardControlsTest : public WindowTest {
 public:
  HWND parent = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_seen.clear();
    g_heightStep = 0;
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
  HWND Sized(const char16_t* cls, int id, DWORD style, int width, int height) {
    return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(cls), nullptr, WS_CHILD | WS_VISIBLE | style, 10, 10, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
  }
  void Fill(HWND control, UINT add, std::initializer_list<const char16_t*> texts) {
    for (const char16_t* t : texts) SendMessageW(control, add, 0, reinterpret_cast<LPARAM>(t));
  }
  // Runs a script to its end and takes the input it left.
  void Run(UiScript& script) {
    ASSERT_TRUE(script.run());
    Drain();
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
    bool disabled = false;  // a disabled button takes no click, not even BM_CLICK
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
  auto bmClick = [](HWND b) { SendMessageW(b, BM_CLICK, 0, 0); };
  const Case cases[] = {
      {BS_PUSHBUTTON, click, {"5:BN_CLICKED=0"}, 0},
      {BS_AUTOCHECKBOX, click, {"5:BN_CLICKED=1"}, 1},  // the state changes before the parent hears
      {BS_AUTOCHECKBOX, space, {"5:BN_CLICKED=1"}, 1},
      {BS_AUTOCHECKBOX, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0); }, {}, 1},
      {BS_CHECKBOX, click, {"5:BN_CLICKED=0"}, 0},      // the parent decides
      {BS_AUTO3STATE, [&](HWND b) { click(b); click(b); }, {"5:BN_CLICKED=1", "5:BN_CLICKED=2"}, 2},
      {BS_3STATE, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_INDETERMINATE, 0); }, {}, 2},
      {BS_AUTORADIOBUTTON, click, {"5:BN_CLICKED=1"}, 1},
      {BS_AUTORADIOBUTTON, bmClick, {"5:BN_CLICKED=1"}, 1},
      {BS_GROUPBOX, [](HWND b) { SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0); }, {}, 0},
      {BS_PUSHBUTTON, click, {}, 0, true},
      {BS_PUSHBUTTON, bmClick, {}, 0, true},
      {BS_DEFPUSHBUTTON, bmClick, {}, 0, true},
      {BS_AUTOCHECKBOX, click, {}, 0, true},
      {BS_AUTOCHECKBOX, space, {}, 0, true},
      {BS_AUTOCHECKBOX, bmClick, {}, 0, true},
      {BS_CHECKBOX, bmClick, {}, 0, true},
      {BS_AUTORADIOBUTTON, bmClick, {}, 0, true},
      {BS_AUTO3STATE, bmClick, {}, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.style << (c.disabled ? " disabled" : ""));
    HWND button = Control(u"Button", 5, c.style | WS_TABSTOP | (c.disabled ? WS_DISABLED : 0));
    ASSERT_NE(button, nullptr);
    g_seen.clear();
    c.act(button);
    EXPECT_EQ(g_seen, c.seen);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), c.check);
    DestroyWindow(button);
  }
}

// What each kind of button tells the dialog manager it wants.
TEST_F(StandardControlsTest, EachButtonKindAnswersItsDialogCode) {
  struct Case {
    DWORD style;
    LRESULT code;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
      {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_CHECKBOX, DLGC_WANTCHARS | DLGC_BUTTON},
      {BS_AUTOCHECKBOX, DLGC_WANTCHARS | DLGC_BUTTON},
      {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    HWND button = Control(u"Button", 5, c.style);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), c.code);
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
      // A number field takes typed digits only; a paste is not filtered.
      {ES_NUMBER, type(u"1a-2"),
       {"KEYDOWN", "CHAR 1", "7:EN_UPDATE", "7:EN_CHANGE", "KEYDOWN", "CHAR a", "KEYDOWN", "CHAR -", "KEYDOWN",
        "CHAR 2", "7:EN_UPDATE", "7:EN_CHANGE"},
       u"abc12"},
      {ES_NUMBER, [](HWND e) {
         PutClipboard(u"4x");
         SendMessageW(e, WM_PASTE, 0, 0);
       },
       {"7:EN_UPDATE", "7:EN_CHANGE"}, u"abc4x"},
      // A paste is typing: the limit holds, and the parent hears of it.
      {0, limit(5, [](HWND e) {
         PutClipboard(u"defgh");
         SendMessageW(e, WM_PASTE, 0, 0);
       }),
       {"7:EN_MAXTEXT", "7:EN_UPDATE", "7:EN_CHANGE"}, u"abcde"},
      {0, [](HWND e) {
         PutClipboard(u"x\r\ny");  // a single-line edit takes the first line
         SendMessageW(e, WM_PASTE, 0, 0);
       },
       {"7:EN_UPDATE", "7:EN_CHANGE"}, u"abcx"},
      {ES_MULTILINE, [](HWND e) {
         PutClipboard(u"x\r\ny");
         SendMessageW(e, WM_PASTE, 0, 0);
       },
       {"7:EN_UPDATE", "7:EN_CHANGE"}, u"abcx\r\ny"},
      {0, [](HWND e) {
         SendMessageW(e, EM_SETSEL, 0, 1);
         SendMessageW(e, WM_CUT, 0, 0);
         EXPECT_EQ(ClipboardText(), u"a");
       },
       {"7:EN_UPDATE", "7:EN_CHANGE"}, u"bc"},
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

TEST_F(StandardControlsTest, ListBoxActionsAndNotifications) {
  struct Case {
    DWORD style;
    std::function<void(HWND, UiScript&)> act;  // on the list (id 8) of "one", "two", "three"
    Seen seen;
    LRESULT cursel;
  };
  const Case cases[] = {
      {LBS_NOTIFY, [](HWND l, UiScript& s) { s.select(l, 1); }, {"8:LBN_SETFOCUS", "8:LBN_SELCHANGE"}, 1},
      {0, [](HWND l, UiScript& s) { s.select(l, 1); }, {"8:LBN_SETFOCUS"}, 1},  // no LBS_NOTIFY, no word
      {LBS_NOTIFY, [](HWND l, UiScript&) { SendMessageW(l, LB_SETCURSEL, 2, 0); }, {}, 2},
      {LBS_NOTIFY, [](HWND l, UiScript& s) { s.select(l, 0).key(VK_DOWN); },
       {"8:LBN_SETFOCUS", "8:LBN_SELCHANGE", "8:LBN_SELCHANGE"}, 1},
      {LBS_NOTIFY | LBS_MULTIPLESEL, [](HWND l, UiScript& s) { s.select(l, 0).select(l, 2); },
       {"8:LBN_SETFOCUS", "8:LBN_SELCHANGE", "8:LBN_SELCHANGE"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    HWND list = Sized(u"ListBox", 8, c.style | WS_TABSTOP, 120, 100);
    Fill(list, LB_ADDSTRING, {u"one", u"two", u"three"});
    g_seen.clear();
    UiScript script;
    c.act(list, script);
    Run(script);
    EXPECT_EQ(g_seen, c.seen);
    if ((c.style & LBS_MULTIPLESEL) != 0) {
      EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
      EXPECT_EQ(SendMessageW(list, LB_GETSEL, 1, 0), 0);
    } else {
      EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), c.cursel);
    }
    DestroyWindow(list);
  }
}

TEST_F(StandardControlsTest, OwnerDrawnListMeasuresWhenMadeAndDrawsWithStates) {
  HWND list = Sized(u"ListBox", 8, LBS_OWNERDRAWFIXED | LBS_NOTIFY, 120, 100);
  EXPECT_EQ(g_seen, (Seen{"MEASUREITEM 0"}));
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
  SendMessageW(list, LB_ADDSTRING, 0, 0x1111);  // without LBS_HASSTRINGS: item data
  SendMessageW(list, LB_ADDSTRING, 0, 0x2222);
  g_seen.clear();
  UpdateWindow(list);
  const std::string entire = "DRAWITEM " + std::to_string(ODA_DRAWENTIRE) + "/0";
  EXPECT_EQ(g_seen, (Seen{entire, entire}));
  g_seen.clear();
  UiScript script;
  script.select(list, 1);
  Run(script);
  // No item is current when the focus comes: there is no focus frame to draw.
  EXPECT_EQ(g_seen, (Seen{"8:LBN_SETFOCUS", "DRAWITEM " + std::to_string(ODA_SELECT) + "/" + std::to_string(ODS_SELECTED | ODS_FOCUS),
                          "8:LBN_SELCHANGE"}));
  ULONG_PTR data = 0;
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&data)), static_cast<LRESULT>(sizeof(data)));
  EXPECT_EQ(data, 0x2222u);
}

TEST_F(StandardControlsTest, ComboBoxActionsAndNotifications) {
  HWND combo = Sized(u"ComboBox", 9, CBS_DROPDOWNLIST | WS_TABSTOP, 120, 150);
  Fill(combo, CB_ADDSTRING, {u"Letter", u"Legal", u"A4"});
  g_seen.clear();
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_TRUE(g_seen.empty());  // CB_SETCURSEL is silent
  UiScript script;
  script.pick(combo, 2);
  Run(script);
  EXPECT_EQ(g_seen, (Seen{"9:CBN_SETFOCUS", "9:CBN_DROPDOWN", "9:CBN_SELCHANGE", "9:CBN_SELENDOK", "9:CBN_CLOSEUP"}));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  // Picking the item already chosen: no change to tell.
  g_seen.clear();
  UiScript again;
  again.pick(combo, 2);
  Run(again);
  EXPECT_EQ(g_seen, (Seen{"9:CBN_DROPDOWN", "9:CBN_SELENDOK", "9:CBN_CLOSEUP"}));
  RECT field{};
  RECT dropped{};
  GetWindowRect(combo, &field);
  ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)));
  EXPECT_EQ(dropped.top, field.top);
  EXPECT_EQ(dropped.bottom - dropped.top, 150);  // the height the combo was made with
}

// A drop-down list's window text is its selected item's, however it was
// chosen; the program's drop and close are heard as a person's are.
TEST_F(StandardControlsTest, ADropDownListShowsItsSelectionAndTellsAProgramsDrop) {
  HWND combo = Sized(u"ComboBox", 9, CBS_DROPDOWNLIST | WS_TABSTOP, 120, 150);
  Fill(combo, CB_ADDSTRING, {u"Letter", u"Legal", u"A4"});
  struct TextCase {
    std::function<void()> act;
    std::u16string text;
  };
  const TextCase texts[] = {
      {[] {}, u""},
      {[&] { SendMessageW(combo, CB_SETCURSEL, 1, 0); }, u"Legal"},
      {[&] { SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"A")); },
       u"A4"},
      {[&] {
         UiScript script;
         script.pick(combo, 0);
         Run(script);
       },
       u"Letter"},
      {[&] { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0); }, u""},
  };
  for (const TextCase& c : texts) {
    c.act();
    EXPECT_EQ(Text(combo), c.text);
    EXPECT_EQ(GetWindowTextLengthW(combo), static_cast<int>(c.text.size()));
  }
  struct DropCase {
    BOOL show;
    Seen seen;
    LRESULT dropped;
  };
  const DropCase drops[] = {
      {TRUE, {"9:CBN_DROPDOWN"}, TRUE},
      {TRUE, {}, TRUE},  // already dropped
      {FALSE, {"9:CBN_CLOSEUP"}, FALSE},
      {FALSE, {}, FALSE},
  };
  for (const DropCase& c : drops) {
    SCOPED_TRACE(c.show);
    g_seen.clear();
    EXPECT_TRUE(SendMessageW(combo, CB_SHOWDROPDOWN, static_cast<WPARAM>(c.show), 0));
    EXPECT_EQ(g_seen, c.seen);
    EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), c.dropped);
  }
}

TEST_F(StandardControlsTest, OwnerDrawnComboMeasuresFieldThenItems) {
  HWND combo = Sized(u"ComboBox", 9, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 120, 150);
  EXPECT_EQ(g_seen, (Seen{"MEASUREITEM -1", "MEASUREITEM 0"}));
  Fill(combo, CB_ADDSTRING, {u"Booklet", u"Poster"});
  WCHAR text[16] = {};
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 6);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Poster");
}

TEST_F(StandardControlsTest, VariableHeightListsMeasureEachItemAsItIsAdded) {
  g_heightStep = 1;
  HWND list = Sized(u"ListBox", 8, LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, 120, 150);
  EXPECT_EQ(g_seen, Seen{});  // nothing while it is made
  Fill(list, LB_ADDSTRING, {u"Letter", u"Legal", u"A4"});
  EXPECT_EQ(g_seen, (Seen{"MEASUREITEM 0", "MEASUREITEM 1", "MEASUREITEM 2"}));
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 20 + 30);
  EXPECT_EQ(r.bottom, 20 + 30 + 40);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 1, 0), 30);
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 0, 12), 0);
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 12 + 30);
  g_seen.clear();
  UiScript script;
  script.select(list, 2);
  Run(script);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_NE(std::find(g_seen.begin(), g_seen.end(), "8:LBN_SELCHANGE"), g_seen.end());
  DestroyWindow(list);  // out of the combo's way

  g_seen.clear();
  HWND combo = Sized(u"ComboBox", 9, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, 120, 150);
  EXPECT_EQ(g_seen, (Seen{"MEASUREITEM -1"}));  // the field only
  Fill(combo, CB_ADDSTRING, {u"Booklet", u"Poster", u"Plain"});
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 2, 0), 40);
  g_seen.clear();
  UiScript pick;
  pick.pick(combo, 2);
  Run(pick);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  g_heightStep = 0;
}

TEST_F(StandardControlsTest, ComboEditFieldsTellTypingAndTakePicks) {
  HWND combo = Sized(u"ComboBox", 9, CBS_DROPDOWN | WS_TABSTOP, 120, 150);
  Fill(combo, CB_ADDSTRING, {u"Letter", u"Legal", u"A4"});
  HWND edit = GetDlgItem(combo, 1001);
  ASSERT_NE(edit, nullptr);
  g_seen.clear();
  {
    UiScript script;
    script.text(edit, u"Ab");
    Run(script);
  }
  // Each character: the edit's update, then its change, told as the combo's.
  EXPECT_EQ(g_seen, (Seen{"9:CBN_SETFOCUS", "9:CBN_EDITUPDATE", "9:CBN_EDITCHANGE", "9:CBN_EDITUPDATE",
                          "9:CBN_EDITCHANGE"}));
  EXPECT_EQ(Text(combo), u"Ab");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);  // typing selects nothing

  g_seen.clear();
  {
    UiScript script;
    script.pick(combo, 1);
    Run(script);
  }
  EXPECT_EQ(g_seen, (Seen{"9:CBN_DROPDOWN", "9:CBN_SELCHANGE", "9:CBN_SELENDOK", "9:CBN_CLOSEUP"}));
  EXPECT_EQ(Text(combo), u"Legal");  // the pick fills the edit without a word

  g_seen.clear();
  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  EXPECT_EQ(Text(combo), u"A4");
  EXPECT_EQ(g_seen, Seen{});
  EXPECT_EQ(SendMessageW(combo, CB_LIMITTEXT, 3, 0), TRUE);
  {
    UiScript script;
    script.text(edit, u"Long");
    Run(script);
  }
  EXPECT_EQ(Text(combo), u"Lon");
  DestroyWindow(combo);

  HWND simple = Sized(u"ComboBox", 9, CBS_SIMPLE, 120, 150);
  Fill(simple, CB_ADDSTRING, {u"Letter", u"Legal", u"A4"});
  RECT r{};
  GetWindowRect(simple, &r);
  EXPECT_EQ(r.bottom - r.top, 150);  // the list stays shown beneath
  g_seen.clear();
  {
    UiScript script;
    script.pick(simple, 2);
    Run(script);
  }
  EXPECT_EQ(g_seen, (Seen{"9:CBN_SETFOCUS", "9:CBN_SELCHANGE", "9:CBN_SELENDOK"}));
  EXPECT_EQ(Text(simple), u"A4");
  EXPECT_EQ(SendMessageW(GetDlgItem(combo, 1001), WM_GETTEXTLENGTH, 0, 0), 0);  // gone with its combo
}

TEST_F(StandardControlsTest, ListsWithAScrollStyleScrollWithTheirOwnBar) {
  HWND list = Sized(u"ListBox", 8, LBS_NOTIFY | WS_VSCROLL, 120, 96);  // six rows of 16 pixels
  Fill(list, LB_ADDSTRING, {u"1", u"2", u"3"});
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);  // all fit: no bar
  Fill(list, LB_ADDSTRING, {u"4", u"5", u"6", u"7", u"8", u"9", u"10"});
  EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);
  RECT client{};
  GetClientRect(list, &client);
  EXPECT_EQ(client.right, 120 - GetSystemMetrics(SM_CXVSCROLL));
  struct Case {
    POINT at;  // on the bar, beyond the client area
    LRESULT top;
  };
  const Case cases[] = {
      {{client.right + 8, client.bottom - 8}, 1},   // the down arrow: a line
      {{client.right + 8, client.bottom - 24}, 4},  // the shaft below the thumb: a page, up to the last page
      {{client.right + 8, 8}, 3},                   // the up arrow
  };
  g_seen.clear();
  for (const Case& c : cases) {
    UiScript script;
    script.clickAt(list, c.at);
    Run(script);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), c.top);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), c.top);
  }
  EXPECT_EQ(g_seen, Seen{});  // scrolling tells the parent nothing
  SetFocus(list);
  g_seen.clear();
  UiScript keys;
  keys.key(VK_HOME);
  Run(keys);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);  // the selection stays in view
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);
}

TEST_F(StandardControlsTest, ScrollBarTellsAndNeverMovesItself) {
  struct Case {
    DWORD style;
    WORD code;
    std::string told;
  };
  const Case cases[] = {
      {SBS_VERT, SB_LINEUP, "VSCROLL 0 bar"},   {SBS_VERT, SB_LINEDOWN, "VSCROLL 1 bar"},
      {SBS_VERT, SB_PAGEUP, "VSCROLL 2 bar"},   {SBS_VERT, SB_PAGEDOWN, "VSCROLL 3 bar"},
      {SBS_HORZ, SB_LINEDOWN, "HSCROLL 1 bar"}, {SBS_HORZ, SB_PAGEUP, "HSCROLL 2 bar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const bool vertical = c.style == SBS_VERT;
    HWND bar = Sized(u"ScrollBar", 10, c.style, vertical ? 16 : 200, vertical ? 200 : 16);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 50);
    g_seen.clear();
    UiScript script;
    script.scroll(bar, c.code);
    Run(script);
    EXPECT_EQ(g_seen, (Seen{c.told, vertical ? "VSCROLL 8 bar" : "HSCROLL 8 bar"}));
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 50);  // the parent moves the thumb
    DestroyWindow(bar);
  }
}

TEST_F(StandardControlsTest, DraggingTheThumbTellsTrackThenPosition) {
  struct Case {
    DWORD style;
    int to;
    Seen told;
  };
  const Case cases[] = {
      {SBS_VERT, 30, {"VSCROLL 5@30 bar", "VSCROLL 4@30 bar", "VSCROLL 8 bar"}},
      {SBS_HORZ, 91, {"HSCROLL 5@91 bar", "HSCROLL 4@91 bar", "HSCROLL 8 bar"}},
      {SBS_VERT, 0, {"VSCROLL 5@0 bar", "VSCROLL 4@0 bar", "VSCROLL 8 bar"}},
      // Taken and let go where it lies: the thumb keeps its place under the
      // mouse, so nothing is tracked.
      {SBS_VERT, 50, {"VSCROLL 4@50 bar", "VSCROLL 8 bar"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    const bool vertical = c.style == SBS_VERT;
    HWND bar = Sized(u"ScrollBar", 10, c.style, vertical ? 16 : 200, vertical ? 200 : 16);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    g_seen.clear();
    UiScript script;
    script.dragThumb(bar, c.to);
    Run(script);
    EXPECT_EQ(g_seen, c.told);
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 50);  // the parent moves the thumb
    DestroyWindow(bar);
  }
}

TEST_F(StandardControlsTest, ScrollBarPositionsStayInTheRange) {
  HWND bar = Sized(u"ScrollBar", 10, SBS_VERT, 16, 200);
  SendMessageW(bar, SBM_SETRANGE, 0, 100);
  EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 500, TRUE), 0);
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 100);
  SCROLLINFO si{sizeof(si), SIF_PAGE, 0, 0, 20, 0, 0};
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 81);  // max - page + 1
  EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LTUP));
  g_seen.clear();
  UiScript script;
  script.scroll(bar, SB_LINEUP);  // a disabled arrow asks for nothing
  Run(script);
  EXPECT_EQ(g_seen, (Seen{"VSCROLL 8 bar"}));
  EXPECT_FALSE(EnableScrollBar(parent, SB_VERT, ESB_DISABLE_BOTH));
}

TEST_F(StandardControlsTest, ScriptChecksAndTypesOverText) {
  HWND box = Control(u"Button", 11, BS_AUTOCHECKBOX, 10, 10);
  HWND edit = Control(u"Edit", 12, WS_TABSTOP, 10, 50, u"old text");
  UiScript script;
  script.check(box).check(box).text(edit, u"new");  // a checked box is left alone
  Run(script);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Text(edit), u"new");
}

TEST_F(StandardControlsTest, MultiColumnListLaysItemsOutInColumns) {
  HWND list = Sized(u"ListBox", 8, LBS_MULTICOLUMN | LBS_NOTIFY, 200, 48);  // three rows of 16
  SendMessageW(list, LB_SETCOLUMNWIDTH, 60, 0);
  Fill(list, LB_ADDSTRING, {u"a", u"b", u"c", u"d", u"e"});
  RECT r{};
  ASSERT_EQ(SendMessageW(list, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r.left, 60);  // the second column
  EXPECT_EQ(r.top, 16);
  g_seen.clear();
  UiScript script;
  script.select(list, 3);
  Run(script);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(g_seen.back(), "8:LBN_SELCHANGE");
}

TEST_F(StandardControlsTest, ListPaintsWithTheBrushItsParentChooses) {
  HWND list = Sized(u"ListBox", 8, 0, 120, 100);
  Fill(list, LB_ADDSTRING, {u"one"});
  plat::gdi::ClearGdiCallLog(list);
  g_listColourAsked = 0;
  UpdateWindow(list);
  EXPECT_EQ(g_listColourAsked, 1);
  bool filled = false;
  for (const plat::gdi::GdiCall& call : plat::gdi::GdiCallLog(list)) {
    if (call.call == "FillRect" && !call.args.empty() &&
        call.args.back() == reinterpret_cast<LONG_PTR>(GetStockObject(LTGRAY_BRUSH))) {
      filled = true;
    }
  }
  EXPECT_TRUE(filled);
}

TEST_F(StandardControlsTest, StaticPicturesAndNotices) {
  HWND picture = Control(u"Static", 20, SS_BITMAP, 10, 10);
  HWND icon = Control(u"Static", 21, SS_ICON | SS_NOTIFY, 10, 40);
  const LPARAM bitmap = 0x1234;  // a handle the static only keeps
  EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, bitmap), 0);
  EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), bitmap);
  EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_ICON, bitmap), 0);  // not an icon static
  EXPECT_EQ(SendMessageW(icon, STM_SETICON, 0x99, 0), 0);
  EXPECT_EQ(SendMessageW(icon, STM_GETICON, 0, 0), 0x99);
  g_seen.clear();
  UiScript script;
  script.click(picture).click(icon);  // only SS_NOTIFY tells
  Run(script);
  EXPECT_EQ(g_seen, (Seen{"21:0"}));  // STN_CLICKED
}

}  // namespace
}  // namespace kesm_test
