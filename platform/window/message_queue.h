// The message queue of each thread: posted messages, input messages, the
// quit request, timers, messages sent from other threads, and the thread's
// input state (focus, active window, capture, keys). Messages leave in the
// order Windows gives them: sent messages first, then posted messages, then
// input, then WM_QUIT, then WM_PAINT for a window with an update region,
// then WM_TIMER for a due timer. Every field is guarded by the window
// manager's lock. Internal to platform/window/.
#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <vector>

#include "platform/window/window_object.h"

namespace plat::window {

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  DWORD last = 0;  // tick count when last set or fired
};

// A message sent to a window of another thread, waiting for its answer.
struct SentCall {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD from = 0;  // the sending thread
  LRESULT result = 0;
  bool done = false;
};

inline constexpr std::size_t kPostedLimit = 10000;

struct ThreadQueue {
  DWORD thread = 0;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextTimerId = 1;
  std::deque<std::shared_ptr<SentCall>> sentIn;
  std::condition_variable wake;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::array<BYTE, 256> keys{};  // as of the last input message taken
  MSG last{};                    // the last message taken (GetMessagePos/Time)
  int receiving = 0;             // depth of messages from other threads being served
};

// With the lock held: the calling thread's queue, made on first use.
ThreadQueue& LockedMyQueue();
// With the lock held: the queue of a thread, or null when it has none.
ThreadQueue* LockedQueueOf(DWORD thread);
// With the lock held: enters a message into a queue's posted or input part
// and wakes the thread. False (last error ERROR_NOT_ENOUGH_QUOTA) when the
// queue is full.
bool LockedPost(ThreadQueue& queue, const MSG& msg, bool input);
// With the lock held: forgets the queued messages and timers of a window.
void LockedForgetWindow(HWND hwnd);
// Answers the messages other threads sent to this thread's windows.
void ServeIncomingSends();
// Calls a window procedure, refusing (0, ERROR_STACK_OVERFLOW) past the
// nesting limit of the thread.
LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline constexpr int kNestingLimit = 200;

// With the lock held: a window of the thread that wants WM_PAINT and passes
// the filter, parents before children; null when none.
HWND LockedPaintCandidate(DWORD thread, HWND filter);
// With the lock held: notes that the window may want painting (its update
// region or frame was just marked), for LockedPaintCandidate to look at.
void LockedListForPaint(Window& w);
// With the lock held: a due timer of the queue that passes the filter, as
// its WM_TIMER message; with `remove` the timer starts its next interval.
bool LockedDueTimer(ThreadQueue& queue, HWND filter, bool remove, MSG* out);
// With the lock held: milliseconds until the queue's next timer is due
// (0 when one is due); false when the queue has no timer.
bool LockedNextTimer(const ThreadQueue& queue, DWORD* wait);
// Whether a message passes a PeekMessageW window filter.
bool PassesWindowFilter(HWND filter, HWND hwnd);

}  // namespace plat::window
