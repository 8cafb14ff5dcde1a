// Input a person holds: the cursor resting over a window, a button pressed
// and let go later, a key held down; and a window's own loop that waits for
// the release (PeekMessageW and WaitMessage) while the script goes on
// acting, and that ends when the script gives up instead of spinning.
#include <gtest/gtest.h>

#include "platform/base/winerror.h"
#include "platform/window/script_driver.h"
#include "platform/window/window_control.h"
#include "tests/common/held_clock.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::MouseButton;

// A drag loop of the window's own, as controls run them: from a press until
// the release it takes every message itself, waiting while there is none.
struct DragLoop {
  bool inside = false;
  int timerTicks = 0;
  BOOL ended = TRUE;  // WaitMessage's answer when the loop ended on it
  DWORD error = 0;
};
DragLoop g_drag;

LRESULT CALLBACK DragWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN) return RecordingProc(hwnd, message, wParam, lParam);
  SetCapture(hwnd);
  SetTimer(hwnd, 7, 100, nullptr);
  g_drag.inside = true;
  for (;;) {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (WaitMessage()) continue;
      g_drag.ended = FALSE;
      g_drag.error = GetLastError();
      break;
    }
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_TIMER && msg.hwnd == hwnd) ++g_drag.timerTicks;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  KillTimer(hwnd, 7);
  ReleaseCapture();
  g_drag.inside = false;
  return 0;
}

class ScriptHoldTest : public WindowTest {
 public:
  HWND top = nullptr;
  HWND pad = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_drag = DragLoop{};
    ASSERT_TRUE(RegisterTestClass(u"DragWindow", DragWindow, COLOR_WINDOW));
    top = Make("top", nullptr, RECT{100, 100, 400, 300});
    pad = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"DragWindow"), nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 100, 60,
                          top, nullptr, nullptr, nullptr);
    ASSERT_NE(pad, nullptr);
    Recorder::Get().Name(pad, "pad");
    Recorder::Get().Clear();
  }
  std::vector<std::string> Mouse() const {
    return Recorder::Get().Among({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_KEYUP});
  }
};

TEST_F(ScriptHoldTest, HoverMovesTheCursorWithoutPressing) {
  UiScript script;
  script.hoverAt(pad, POINT{5, 6}).check("only a move, no button down", [&] {
    EXPECT_EQ(Mouse(), (std::vector<std::string>{"pad:MOUSEMOVE"}));
    EXPECT_EQ(Recorder::Get().received().back().wParam, 0u);
    POINT at{};
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 100 + 10 + 5);
    EXPECT_EQ(at.y, 100 + 10 + 6);
  });
  EXPECT_TRUE(script.run());
}

// What one test leaves held does not reach the next: a fresh start of the
// window system lets go of a button the last script left down.
TEST_F(ScriptHoldTest, AFreshStartLetsGoOfAHeldButton) {
  UiScript hold;
  hold.holdAt(pad, POINT{5, 5});
  hold.run();  // ends with the button down
  ASSERT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
  plat::window::ResetThreadWindows();
  EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
  SetUp();
  UiScript hover;
  hover.hoverAt(pad, POINT{5, 6}).check("no button down", [&] {
    EXPECT_EQ(Mouse(), (std::vector<std::string>{"pad:MOUSEMOVE"}));
    EXPECT_EQ(Recorder::Get().received().back().wParam, 0u);
  });
  EXPECT_TRUE(hover.run());
}

TEST_F(ScriptHoldTest, AHeldKeyGoesDownAndLaterUp) {
  SetFocus(top);
  UiScript script;
  script.holdKey(VK_SPACE)
      .check("down and still held", [&] {
        EXPECT_EQ(Mouse(), (std::vector<std::string>{"top:KEYDOWN"}));
        EXPECT_LT(GetKeyState(VK_SPACE), 0);
      })
      .releaseKey(VK_SPACE)
      .check("up", [&] {
        EXPECT_EQ(Mouse(), (std::vector<std::string>{"top:KEYDOWN", "top:KEYUP"}));
        EXPECT_GE(GetKeyState(VK_SPACE), 0);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(ScriptHoldTest, AWindowsOwnLoopRunsWhileTheButtonIsHeldAndEndsAtTheRelease) {
  HeldClock clock(2026, 3, 1, 8, 0, 0);
  UiScript script;
  script.hold(pad)
      .wait(100)
      .wait(100)
      .check("the loop still runs and sees its timer", [&] {
        EXPECT_TRUE(g_drag.inside);
        EXPECT_EQ(g_drag.timerTicks, 2);
        EXPECT_EQ(GetCapture(), pad);
      })
      .release()
      .check("the release ended it", [&] {
        EXPECT_FALSE(g_drag.inside);
        EXPECT_TRUE(g_drag.ended);
      });
  EXPECT_TRUE(script.run());
}

TEST_F(ScriptHoldTest, AScriptThatRunsOutInsideTheLoopEndsItAndFailsNamingTheHeldWindow) {
  SetWindowTextW(pad, reinterpret_cast<LPCWSTR>(u"Pad"));
  plat::window::Script script;
  script.hold(pad).check("inside the loop", [] {});
  EXPECT_FALSE(script.run());
  ASSERT_EQ(script.failures().size(), 1u);
  EXPECT_EQ(script.failures()[0], "the script ran out while window \"Pad\" (class DragWindow) still runs");
  EXPECT_FALSE(g_drag.inside);
  EXPECT_FALSE(g_drag.ended);
  EXPECT_EQ(g_drag.error, ERROR_CANCELLED);
}

TEST_F(ScriptHoldTest, WithoutAnythingThatCouldAnswerTheWaitFailsAndIsRecorded) {
  HeldClock clock(2026, 3, 1, 8, 0, 0);  // no hook and a held clock: nothing ever comes
  Drain();
  EXPECT_FALSE(WaitMessage());
  EXPECT_EQ(GetLastError(), ERROR_CANCELLED);
  EXPECT_EQ(plat::window::TakeAbandonedLoops().size(), 1u);
  PostMessageW(top, WM_USER, 0, 0);
  EXPECT_TRUE(WaitMessage());  // a message waits: at once
}

}  // namespace
}  // namespace kesm_test
