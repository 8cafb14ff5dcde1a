// The order of messages, as Windows documents it, in one table: creation
// and destruction, posted against synthesized paint, timers only when idle,
// the focus pair, hit-test routing (HTTRANSPARENT, HTERROR) and capture.
#include <gtest/gtest.h>

#include <functional>

#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "platform/window/input_control.h"
#include "platform/window/messagebox_control.h"
#include "tests/common/held_clock.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::InjectMouseButton;
using plat::window::MouseButton;

struct Case {
  const char* name;
  std::vector<UINT> watch;                          // the messages the case looks at
  std::function<void(class MessageOrderTest&)> act;
  std::vector<std::string> expected;                // "window:MESSAGE" in order
};

class MessageOrderTest : public WindowTest {
 public:
  HWND top = nullptr;
  HWND a = nullptr;
  HWND b = nullptr;
  void Build() {
    top = Make("top", nullptr, RECT{100, 100, 400, 400});
    a = Make("a", top, RECT{10, 10, 110, 60}, WS_VISIBLE, 1);
    b = Make("b", top, RECT{10, 100, 110, 150}, WS_VISIBLE, 2);
    Drain();
    Recorder::Get().Clear();
  }
  // A click at a window's client point, through the routing, then taken
  // from the queue and dispatched.
  void ClickAt(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    InjectMouseButton(MouseButton::kLeft, true, client);
    Drain();
    InjectMouseButton(MouseButton::kLeft, false, client);
    Drain();
  }
  void Take(UINT count) {
    MSG msg{};
    for (UINT i = 0; i < count && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageW(&msg);
  }
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"a visible child is created",
       {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
        WM_WINDOWPOSCHANGED, WM_PARENTNOTIFY},
       [](MessageOrderTest& t) { t.Make("c", t.top, RECT{0, 0, 20, 20}, WS_VISIBLE, 3); },
       {"c:NCCREATE", "c:NCCALCSIZE", "c:CREATE", "c:SIZE", "c:MOVE", "c:SHOWWINDOW", "c:POSCHANGING",
        "c:POSCHANGED", "top:PARENTNOTIFY"}},
      {"a parent is destroyed: WM_DESTROY parents first, WM_NCDESTROY children first",
       {WM_DESTROY, WM_NCDESTROY},
       [](MessageOrderTest& t) { DestroyWindow(t.top); },
       {"top:DESTROY", "a:DESTROY", "b:DESTROY", "a:NCDESTROY", "b:NCDESTROY", "top:NCDESTROY"}},
      {"a posted message goes before the paint of an invalid window",
       {WM_PAINT, WM_USER},
       [](MessageOrderTest& t) {
         InvalidateRect(t.a, nullptr, TRUE);
         PostMessageW(t.b, WM_USER, 0, 0);
         t.Take(2);
       },
       {"b:USER", "a:PAINT"}},
      {"a posted WM_PAINT(0,0) waits its turn like any posted message",
       {WM_PAINT, WM_USER, WM_USER + 1},
       [](MessageOrderTest& t) {
         PostMessageW(t.a, WM_USER, 0, 0);
         PostMessageW(t.top, WM_PAINT, 0, 0);
         PostMessageW(t.b, WM_USER + 1, 0, 0);
         t.Take(3);
       },
       {"a:USER", "top:PAINT", "b:USER+1"}},
      {"a due timer comes after posted messages and paint, once however overdue",
       {WM_PAINT, WM_USER, WM_TIMER},
       [](MessageOrderTest& t) {
         SetTimer(t.a, 2, 100, nullptr);
         plat::AdvanceClock(1000);
         InvalidateRect(t.b, nullptr, FALSE);
         PostMessageW(t.top, WM_USER, 0, 0);
         t.Take(5);
       },
       {"top:USER", "b:PAINT", "a:TIMER"}},
      {"a timer not yet due gives nothing",
       {WM_TIMER},
       [](MessageOrderTest& t) {
         SetTimer(t.a, 1, 1000, nullptr);
         plat::AdvanceClock(999);
         t.Take(5);
       },
       {}},
      {"focus moves: WM_KILLFOCUS to the old window before WM_SETFOCUS to the new",
       {WM_SETFOCUS, WM_KILLFOCUS},
       [](MessageOrderTest& t) {
         SetFocus(t.a);
         Recorder::Get().Clear();
         SetFocus(t.b);
       },
       {"a:KILLFOCUS", "b:SETFOCUS"}},
      {"a click goes through WM_NCHITTEST and WM_SETCURSOR to the window under it",
       {WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP},
       [](MessageOrderTest& t) { t.ClickAt(t.a, POINT{5, 5}); },
       // The default handling asks the parent about the cursor first.
       {"a:NCHITTEST", "a:SETCURSOR", "top:SETCURSOR", "a:LBUTTONDOWN", "a:NCHITTEST", "a:SETCURSOR",
        "top:SETCURSOR", "a:LBUTTONUP"}},
      {"HTTRANSPARENT passes the click to the window beneath",
       {WM_NCHITTEST, WM_LBUTTONDOWN},
       [](MessageOrderTest& t) {
         HitAnswers()["a"] = HTTRANSPARENT;
         t.ClickAt(t.a, POINT{5, 5});
       },
       {"a:NCHITTEST", "top:NCHITTEST", "top:LBUTTONDOWN", "a:NCHITTEST", "top:NCHITTEST"}},
      {"HTERROR drops the click after WM_SETCURSOR",
       {WM_NCHITTEST, WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP},
       [](MessageOrderTest& t) {
         HitAnswers()["a"] = HTERROR;
         t.ClickAt(t.a, POINT{5, 5});
       },
       {"a:NCHITTEST", "a:SETCURSOR", "top:SETCURSOR", "a:NCHITTEST", "a:SETCURSOR", "top:SETCURSOR"}},
      {"the capture takes the mouse from the window under it, with no hit test",
       {WM_NCHITTEST, WM_LBUTTONDOWN, WM_LBUTTONUP},
       [](MessageOrderTest& t) {
         SetCapture(t.a);
         t.ClickAt(t.b, POINT{5, 5});
       },
       {"a:LBUTTONDOWN", "a:LBUTTONUP"}},
      {"a new capture tells the old window it lost it",
       {WM_CAPTURECHANGED},
       [](MessageOrderTest& t) {
         SetCapture(t.a);
         SetCapture(t.b);
         ReleaseCapture();
       },
       {"a:CAPTURECHANGED", "b:CAPTURECHANGED"}},
  };
  return cases;
}

TEST_F(MessageOrderTest, FollowsTheDocumentedOrder) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    HeldClock clock(2026, 1, 5, 9, 0, 0);
    TearDown();
    SetUp();
    Build();
    c.act(*this);
    EXPECT_EQ(Recorder::Get().Among(c.watch), c.expected);
  }
}

TEST_F(MessageOrderTest, StaticTextLetsClicksThroughUnlessItNotifies) {
  Build();
  const auto make = [&](DWORD style, int id) {
    return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Static"), reinterpret_cast<LPCWSTR>(u"Label"),
                           WS_CHILD | WS_VISIBLE | style, 150, 10, 50, 20, top,
                           reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)), nullptr, nullptr);
  };
  HWND plain = make(SS_LEFT, 5);
  ClickAt(plain, POINT{2, 2});
  EXPECT_EQ(Recorder::Get().Among({WM_LBUTTONDOWN, WM_COMMAND}), std::vector<std::string>{"top:LBUTTONDOWN"});
  DestroyWindow(plain);
  HWND notifying = make(SS_NOTIFY, 6);
  Recorder::Get().Clear();
  ClickAt(notifying, POINT{2, 2});
  const auto& received = Recorder::Get().received();
  ASSERT_EQ(Recorder::Get().Among({WM_LBUTTONDOWN, WM_COMMAND}), std::vector<std::string>{"top:COMMAND"});
  auto command = std::find_if(received.begin(), received.end(), [](const Received& r) { return r.message == WM_COMMAND; });
  EXPECT_EQ(command->wParam, MAKEWPARAM(6, STN_CLICKED));
  EXPECT_EQ(command->lParam, reinterpret_cast<LPARAM>(notifying));
}

TEST_F(MessageOrderTest, OwnedWindowsGoBeforeTheirOwner) {
  Build();
  HWND owned = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr, WS_POPUP, 0, 0, 5, 5, a,
                               nullptr, nullptr, nullptr);
  Recorder::Get().Name(owned, "owned");
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);  // a child cannot own: its top-level window does
  Recorder::Get().Clear();
  DestroyWindow(top);
  EXPECT_EQ(Recorder::Get().Among({WM_DESTROY}),
            (std::vector<std::string>{"owned:DESTROY", "top:DESTROY", "a:DESTROY", "b:DESTROY"}));
  EXPECT_FALSE(IsWindow(owned));
}

TEST_F(MessageOrderTest, HterrorBeepsOnAPress) {
  Build();
  HitAnswers()["a"] = HTERROR;
  ClickAt(a, POINT{5, 5});
  EXPECT_EQ(plat::window::MessageBeeps(), std::vector<UINT>{0});
}

TEST_F(MessageOrderTest, ClickCoordinatesAreClientCoordinatesOfTheTarget) {
  Build();
  ClickAt(b, POINT{7, 9});
  const auto& received = Recorder::Get().received();
  auto down = std::find_if(received.begin(), received.end(), [](const Received& r) { return r.message == WM_LBUTTONDOWN; });
  ASSERT_NE(down, received.end());
  EXPECT_EQ(down->window, "b");
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 7);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 9);
  EXPECT_EQ(down->wParam, MK_LBUTTON);
}

TEST_F(MessageOrderTest, BeginPaintErasesThenGivesTheUpdateRectangleOnce) {
  Build();
  InvalidateRect(a, nullptr, FALSE);  // nothing pending from the creation
  Drain();
  Recorder::Get().Clear();
  RECT part{2, 3, 20, 30};
  InvalidateRect(a, &part, TRUE);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(a, &update, FALSE));
  EXPECT_EQ(update.left, 2);
  EXPECT_EQ(update.bottom, 30);
  PAINTSTRUCT ps{};
  ASSERT_NE(BeginPaint(a, &ps), nullptr);
  EXPECT_EQ(ps.rcPaint.right, 20);
  EXPECT_FALSE(ps.fErase);  // the class brush erased it
  EndPaint(a, &ps);
  EXPECT_EQ(Recorder::Get().Among({WM_ERASEBKGND}), std::vector<std::string>{"a:ERASEBKGND"});
  // Nothing invalid: an empty paint rectangle and no erase.
  ASSERT_NE(BeginPaint(a, &ps), nullptr);
  EXPECT_EQ(ps.rcPaint.right - ps.rcPaint.left, 0);
  EndPaint(a, &ps);
  EXPECT_FALSE(GetUpdateRect(a, &update, FALSE));
  MSG msg{};
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(MessageOrderTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  Build();
  PostQuitMessage(3);
  PostMessageW(a, WM_USER, 0, 0);
  MSG msg{};
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageOrderTest, PointerMessagesCannotBePosted) {
  Build();
  SetLastError(0);
  EXPECT_FALSE(PostMessageW(a, WM_SETTEXT, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_MESSAGE_SYNC_ONLY);
}

TEST_F(MessageOrderTest, DisabledChildLetsItsParentTakeTheClick) {
  Build();
  EnableWindow(a, FALSE);
  ClickAt(a, POINT{5, 5});
  EXPECT_EQ(Recorder::Get().Among({WM_LBUTTONDOWN}), std::vector<std::string>{"top:LBUTTONDOWN"});
}

}  // namespace
}  // namespace kesm_test
