// Hostile and odd use: handles that were never made or are gone, the
// machine's own windows, messages to a window being destroyed, re-entry
// during destruction, runaway recursion and another thread's window. Each
// gives Windows' documented result and never touches freed memory.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "platform/window/modal_loop.h"
#include "tests/common/held_clock.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

class HostileTest : public WindowTest {};

struct HandleCase {
  const char* name;
  std::function<bool(HWND)> call;  // true when the call failed as it should
};

TEST_F(HostileTest, DeadAndForeignHandlesFailWithInvalidWindowHandle) {
  HWND dead = Make("dead", nullptr, RECT{0, 0, 10, 10});
  ASSERT_TRUE(DestroyWindow(dead));
  const HWND never = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
  const HandleCase cases[] = {
      {"SendMessageW", [](HWND h) { return SendMessageW(h, WM_USER, 0, 0) == 0; }},
      {"PostMessageW", [](HWND h) { return PostMessageW(h, WM_USER, 0, 0) == FALSE; }},
      {"DestroyWindow", [](HWND h) { return DestroyWindow(h) == FALSE; }},
      {"SetWindowLongPtrW", [](HWND h) { return SetWindowLongPtrW(h, GWLP_USERDATA, 1) == 0; }},
      {"GetWindowRect", [](HWND h) { RECT r; return GetWindowRect(h, &r) == FALSE; }},
      {"ShowWindow", [](HWND h) { return ShowWindow(h, SW_SHOW) == FALSE; }},
      {"SetFocus", [](HWND h) { return SetFocus(h) == nullptr; }},
      {"SetTimer", [](HWND h) { return SetTimer(h, 1, 100, nullptr) == 0; }},
      {"InvalidateRect", [](HWND h) { return InvalidateRect(h, nullptr, TRUE) == FALSE; }},
      {"GetDC", [](HWND h) { return GetDC(h) == nullptr; }},
      {"SetWindowTextW", [](HWND h) { return SetWindowTextW(h, reinterpret_cast<LPCWSTR>(u"x")) == FALSE; }},
      {"MessageBoxW", [](HWND h) { return MessageBoxW(h, nullptr, nullptr, MB_OK) == 0; }},
  };
  for (HWND h : {dead, never}) {
    for (const HandleCase& c : cases) {
      SCOPED_TRACE(c.name);
      SetLastError(0);
      EXPECT_TRUE(c.call(h));
      EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    }
  }
}

TEST_F(HostileTest, TheMachinesWindowsCannotBeDestroyed) {
  HWND tray = FindWindowW(reinterpret_cast<LPCWSTR>(u"Shell_TrayWnd"), nullptr);
  ASSERT_NE(tray, nullptr);
  RECT r{};
  ASSERT_TRUE(GetWindowRect(tray, &r));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  for (HWND h : {tray, GetDesktopWindow()}) {
    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  }
}

HWND g_child = nullptr;

// On WM_DESTROY: talks to itself and its child, and tries to destroy itself
// again.
LRESULT CALLBACK Reentrant(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    SendMessageW(hwnd, WM_USER, 0, 0);
    SendMessageW(g_child, WM_USER + 1, 0, 0);
    EXPECT_TRUE(DestroyWindow(hwnd));  // already on its way
    EXPECT_EQ(CreateWindowExW(0, reinterpret_cast<LPCWSTR>(kRecordingClass), nullptr, WS_CHILD, 0, 0, 1, 1, hwnd,
                              nullptr, nullptr, nullptr),
              nullptr);
  }
  return RecordingProc(hwnd, message, wParam, lParam);
}

TEST_F(HostileTest, MessagesDuringDestructionStillArriveAndReentryIsHarmless) {
  HWND top = Make("top", nullptr, RECT{0, 0, 100, 100});
  g_child = Make("child", top, RECT{0, 0, 10, 10});
  SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Reentrant));
  Recorder::Get().Clear();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(Recorder::Get().Among({WM_USER, WM_USER + 1, WM_DESTROY, WM_NCDESTROY}),
            (std::vector<std::string>{"top:USER", "child:USER+1", "top:DESTROY", "child:DESTROY", "child:NCDESTROY",
                                      "top:NCDESTROY"}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(g_child));
}

LRESULT CALLBACK Runaway(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return SendMessageW(hwnd, WM_USER, 0, 0) + 1;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(HostileTest, RunawayRecursionStopsAtTheNestingLimit) {
  HWND w = Make("w", nullptr, RECT{0, 0, 10, 10});
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Runaway));
  SetLastError(0);
  EXPECT_GT(SendMessageW(w, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_STACK_OVERFLOW);
}

TEST_F(HostileTest, AnotherThreadsWindowAnswersSentMessagesButCannotBeDestroyedHere) {
  HWND theirs = nullptr;
  std::mutex lock;
  std::condition_variable ready;
  std::thread worker([&] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_USER) return 7 + static_cast<LRESULT>(wParam);
      if (message == WM_DESTROY) PostQuitMessage(0);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    };
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"WorkerClass");
    RegisterClassExW(&wc);
    HWND made = CreateWindowExW(0, wc.lpszClassName, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    {
      std::lock_guard guard(lock);
      theirs = made;
    }
    ready.notify_all();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnregisterClassW(wc.lpszClassName, nullptr);
  });
  {
    std::unique_lock guard(lock);
    ready.wait(guard, [&] { return theirs != nullptr; });
  }
  EXPECT_EQ(SendMessageW(theirs, WM_USER, 3, 0), 10);
  SetLastError(0);
  EXPECT_FALSE(DestroyWindow(theirs));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(PostMessageW(theirs, WM_CLOSE, 0, 0));  // its own thread closes it
  worker.join();
  EXPECT_FALSE(IsWindow(theirs));
}

}  // namespace
}  // namespace kesm_test

namespace kesm_test {
namespace {

int g_timerCalls = 0;
void CountingTimer(HWND, UINT, UINT_PTR, DWORD) { ++g_timerCalls; }
void NeverSet(HWND, UINT, UINT_PTR, DWORD) { ADD_FAILURE() << "a forged timer procedure ran"; }

TEST_F(HostileTest, OnlyTheProcedureOfALiveTimerIsCalled) {
  HeldClock clock(2026, 2, 2, 10, 0, 0);
  g_timerCalls = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 50, CountingTimer);
  ASSERT_NE(id, 0u);
  plat::AdvanceClock(50);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, id);
  DispatchMessageW(&msg);
  EXPECT_EQ(g_timerCalls, 1);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));  // the next interval has begun
  const MSG forged{nullptr, WM_TIMER, id, reinterpret_cast<LPARAM>(NeverSet), 0, {}, 0};
  DispatchMessageW(&forged);
  EXPECT_TRUE(KillTimer(nullptr, id));
  DispatchMessageW(&msg);  // the timer is gone: its procedure is not called
  EXPECT_EQ(g_timerCalls, 1);
  EXPECT_FALSE(KillTimer(nullptr, id));
}

TEST_F(HostileTest, QuitEndsAModalLoopAndIsPostedAgainForTheLoopOutside) {
  HWND w = Make("w", nullptr, RECT{0, 0, 10, 10});
  PostQuitMessage(4);
  plat::window::ModalLoop loop;
  loop.window = w;
  EXPECT_EQ(plat::window::RunModalLoop(loop), plat::window::LoopEnd::kQuit);
  MSG msg{};
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 4u);
}

}  // namespace
}  // namespace kesm_test
