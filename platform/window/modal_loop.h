// The one message loop that every modal loop of the stand-in (message
// boxes, dialogs, sheets, menus) and an application's own loop runs. When
// the queue is empty and no timer is due, it calls the thread's idle hook;
// the script driver is such a hook and runs one step per call. Without a
// hook a loop waits for a timer on the running clock; with nothing that
// could ever answer it (no hook, no timer, or a held clock) the loop is
// abandoned and recorded, so that a box nobody answers fails its test
// instead of hanging it.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser.h"

namespace plat::window {

enum class LoopAnswer { kGoOn, kAbandon };

// What a hook is told about the innermost running loop.
struct LoopInfo {
  HWND window = nullptr;     // the loop's window (null for an application loop)
  std::u16string what;       // how to name the loop in a failure
  std::size_t depth = 0;     // 1 for the outermost loop
};

struct IdleHook {
  // Called when the loop is idle; runs at most one step.
  LoopAnswer (*idle)(void* context, const LoopInfo& loop) = nullptr;
  // Called for each message before it is dispatched (a budget's count).
  LoopAnswer (*message)(void* context, const LoopInfo& loop, const MSG& msg) = nullptr;
  void* context = nullptr;
};

// Sets the calling thread's hook; returns the one it replaces.
IdleHook SetIdleHook(const IdleHook& hook);

struct ModalLoop {
  HWND window = nullptr;  // the loop ends when this window is gone
  std::u16string what;
  bool (*finished)(void* context) = nullptr;  // the loop ends when this holds
  // Sees each message first; true when it handled the message (as
  // IsDialogMessageW does), so it is neither translated nor dispatched.
  bool (*preTranslate)(void* context, MSG* msg) = nullptr;
  void* context = nullptr;
};

enum class LoopEnd { kFinished, kQuit, kAbandoned };

// Runs the loop. On WM_QUIT the quit is posted again for the loops outside,
// as Windows' modal loops do.
LoopEnd RunModalLoop(const ModalLoop& loop);

// One idle turn of a loop, RunModalLoop's own or a caller's (WaitMessage):
// the hook runs one step, or without a hook the thread waits for its next
// timer on the running clock. kAbandon when the hook gives up, or when
// nothing could ever come (no hook and no timer, or a held clock); the
// latter is recorded as an abandoned loop.
LoopAnswer IdleTurn(const LoopInfo& loop);

// The loops running on this thread, outermost first.
std::vector<LoopInfo> RunningLoops();
// The loops abandoned for want of anything to answer them, as texts naming
// their windows; taking them clears the record.
std::vector<std::string> TakeAbandonedLoops();
// A loop's window as failures name it: its text and class.
std::string DescribeWindow(HWND hwnd);

}  // namespace plat::window
