// Thread queues, and the calls that put messages in and take them out:
// PostMessageW, SendMessageW, PeekMessageW, GetMessageW, DispatchMessageW.
#include "platform/window/message_queue.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>

#include "platform/base/winerror.h"
#include "platform/runtime/wintime.h"

namespace plat::window {
namespace {

std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>>& LockedQueues() {
  static auto* queues = new std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>>;
  return *queues;
}

// Takes the thread's queue out of the registry when the thread ends; a
// message another thread is still waiting on is answered with 0.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (queue == nullptr) return;
    std::lock_guard guard(UserLock());
    for (auto& call : queue->sentIn) {
      call->done = true;
      if (ThreadQueue* sender = LockedQueueOf(call->from)) sender->wake.notify_all();
    }
    LockedQueues().erase(queue->thread);
  }
};

thread_local QueueHolder t_queue;
thread_local int t_nesting = 0;

// Messages whose parameters carry pointers cannot wait in a queue.
constexpr UINT kSyncOnly[] = {
    WM_CREATE,     WM_SETTEXT,          WM_GETTEXT,          WM_GETMINMAXINFO, WM_DRAWITEM,      WM_MEASUREITEM,
    WM_DELETEITEM, WM_COMPAREITEM,      WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_COPYDATA,  WM_NOTIFY,
    WM_HELP,       WM_STYLECHANGING,    WM_STYLECHANGED,     WM_NCCREATE,      WM_NCCALCSIZE,
};

bool SyncOnly(UINT message) { return std::find(std::begin(kSyncOnly), std::end(kSyncOnly), message) != std::end(kSyncOnly); }

bool InRange(UINT message, UINT low, UINT high) { return (low == 0 && high == 0) || (low <= message && message <= high); }

bool IsMouseButton(UINT message) {
  return message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
}

// The key state a thread sees moves as it takes its input messages.
void TrackKeys(ThreadQueue& q, const MSG& m) {
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
    BYTE& k = q.keys[m.wParam & 0xFF];
    if ((k & 0x80) == 0) k ^= 0x01;  // toggles on each press
    k |= 0x80;
  } else if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) {
    q.keys[m.wParam & 0xFF] &= 0x7F;
  } else if (m.message == WM_MOUSEMOVE || IsMouseButton(m.message)) {
    const auto set = [&](UINT vk, WPARAM flag) {
      q.keys[vk] = static_cast<BYTE>((q.keys[vk] & 0x7F) | ((m.wParam & flag) != 0 ? 0x80 : 0));
    };
    set(VK_LBUTTON, MK_LBUTTON);
    set(VK_RBUTTON, MK_RBUTTON);
    set(VK_MBUTTON, MK_MBUTTON);
  }
}

// Takes one message for the thread, in the documented order of priority.
bool TakeMessage(MSG* out, HWND filter, UINT low, UINT high, bool remove) {
  ServeIncomingSends();
  std::lock_guard guard(UserLock());
  ThreadQueue& q = LockedMyQueue();
  const auto passes = [&](const MSG& m) { return PassesWindowFilter(filter, m.hwnd) && InRange(m.message, low, high); };
  for (auto* fifo : {&q.posted, &q.input}) {
    auto it = std::find_if(fifo->begin(), fifo->end(), passes);
    if (it == fifo->end()) continue;
    *out = *it;
    if (remove) {
      fifo->erase(it);
      if (fifo == &q.input) TrackKeys(q, *out);
    }
    q.last = *out;
    return true;
  }
  if (q.quit && (filter == nullptr || filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, GetTickCount(), q.last.pt, 0};
    if (remove) q.quit = false;
    return true;
  }
  if (InRange(WM_PAINT, low, high)) {
    if (HWND paint = LockedPaintCandidate(q.thread, filter)) {
      *out = MSG{paint, WM_PAINT, 0, 0, GetTickCount(), q.last.pt, 0};
      return true;
    }
  }
  if (InRange(WM_TIMER, low, high) && LockedDueTimer(q, filter, remove, out)) {
    q.last = *out;
    return true;
  }
  return false;
}

// Waits until something may have arrived for the thread: a post, a sent
// message, or (on the running clock) the next timer. Never waits longer than
// a short while, so that a clock moved by another thread is noticed.
void WaitForWork() {
  std::unique_lock lock(UserLock());
  ThreadQueue& q = LockedMyQueue();
  if (!q.posted.empty() || !q.input.empty() || !q.sentIn.empty() || q.quit) return;
  DWORD wait = 50;
  DWORD timer = 0;
  if (LockedNextTimer(q, &timer)) wait = std::min(wait, timer);
  q.wake.wait_for(lock, std::chrono::milliseconds(wait));
}

LRESULT SendToThread(DWORD thread, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto call = std::make_shared<SentCall>();
  *call = SentCall{hwnd, message, wParam, lParam, CurrentThread(), 0, false};
  std::unique_lock lock(UserLock());
  ThreadQueue* target = LockedQueueOf(thread);
  if (target == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // its thread has ended
    return 0;
  }
  target->sentIn.push_back(call);
  target->wake.notify_all();
  ThreadQueue& mine = LockedMyQueue();
  while (!call->done) {
    if (!mine.sentIn.empty()) {  // answer what others send us while we wait
      lock.unlock();
      ServeIncomingSends();
      lock.lock();
      continue;
    }
    mine.wake.wait_for(lock, std::chrono::milliseconds(50));
  }
  return call->result;
}

}  // namespace

ThreadQueue& LockedMyQueue() {
  if (t_queue.queue == nullptr) {
    t_queue.queue = std::make_shared<ThreadQueue>();
    t_queue.queue->thread = CurrentThread();
    LockedQueues()[t_queue.queue->thread] = t_queue.queue;
  }
  return *t_queue.queue;
}

ThreadQueue* LockedQueueOf(DWORD thread) {
  if (thread == CurrentThread()) return &LockedMyQueue();
  auto it = LockedQueues().find(thread);
  return it == LockedQueues().end() ? nullptr : it->second.get();
}

bool LockedPost(ThreadQueue& queue, const MSG& msg, bool input) {
  auto& fifo = input ? queue.input : queue.posted;
  if (fifo.size() >= kPostedLimit) {
    SetLastError(ERROR_NOT_ENOUGH_QUOTA);
    return false;
  }
  fifo.push_back(msg);
  queue.wake.notify_all();
  return true;
}

void LockedForgetWindow(HWND hwnd) {
  for (auto& entry : LockedQueues()) {
    ThreadQueue& q = *entry.second;
    for (auto* fifo : {&q.posted, &q.input}) {
      fifo->erase(std::remove_if(fifo->begin(), fifo->end(), [&](const MSG& m) { return m.hwnd == hwnd; }),
                  fifo->end());
    }
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                   q.timers.end());
    if (q.focus == hwnd) q.focus = nullptr;
    if (q.active == hwnd) q.active = nullptr;
    if (q.capture == hwnd) q.capture = nullptr;
  }
}

void ServeIncomingSends() {
  for (;;) {
    std::shared_ptr<SentCall> call;
    WNDPROC proc = nullptr;
    {
      std::lock_guard guard(UserLock());
      ThreadQueue& q = LockedMyQueue();
      if (q.sentIn.empty()) return;
      call = q.sentIn.front();
      q.sentIn.pop_front();
      if (const Window* w = LockedWindow(call->hwnd)) proc = w->proc;
      ++q.receiving;
    }
    const LRESULT result = proc != nullptr ? CallProc(proc, call->hwnd, call->message, call->wParam, call->lParam) : 0;
    std::lock_guard guard(UserLock());
    --LockedMyQueue().receiving;
    call->result = result;
    call->done = true;
    if (ThreadQueue* sender = LockedQueueOf(call->from)) sender->wake.notify_all();
  }
}

LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (proc == nullptr) return 0;
  if (t_nesting >= kNestingLimit) {
    SetLastError(ERROR_STACK_OVERFLOW);
    return 0;
  }
  ++t_nesting;
  const LRESULT result = proc(hwnd, message, wParam, lParam);
  --t_nesting;
  return result;
}

bool PassesWindowFilter(HWND filter, HWND hwnd) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return hwnd == nullptr;
  return hwnd != nullptr && LockedIsSelfOrAncestor(filter, hwnd);
}

}  // namespace plat::window

using plat::window::CurrentThread;
using plat::window::LockedMyQueue;
using plat::window::UserLock;

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The reference keeps the record alive while the procedure runs, even if
  // the window is destroyed inside it.
  auto ref = plat::window::KeepWindow(hwnd);
  if (ref == nullptr) return 0;
  WNDPROC proc = nullptr;
  DWORD thread = 0;
  {
    std::lock_guard guard(UserLock());
    proc = ref->proc;
    thread = ref->thread;
  }
  if (thread != 0 && thread != CurrentThread()) {
    return plat::window::SendToThread(thread, hwnd, message, wParam, lParam);
  }
  return plat::window::CallProc(proc, hwnd, message, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (plat::window::SyncOnly(message)) {
    SetLastError(ERROR_MESSAGE_SYNC_ONLY);
    return FALSE;
  }
  std::lock_guard guard(UserLock());
  plat::window::ThreadQueue* queue = nullptr;
  if (hwnd == nullptr) {
    queue = &LockedMyQueue();  // a message for the thread itself
  } else {
    const plat::window::Window* w = plat::window::LockedWindowOrError(hwnd);
    if (w == nullptr) return FALSE;
    if (w->thread == 0) return TRUE;  // the machine's own windows take and drop posts
    queue = plat::window::LockedQueueOf(w->thread);
    if (queue == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
  }
  POINT pt{};
  GetCursorPos(&pt);
  const MSG msg{hwnd, message, wParam, lParam, GetTickCount(), pt, 0};
  return plat::window::LockedPost(*queue, msg, false) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard guard(UserLock());
  auto& q = LockedMyQueue();
  q.quit = true;
  q.quitCode = exitCode;
  q.wake.notify_all();
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMessage) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::TakeMessage(msg, hwnd, filterMin, filterMax, (removeMessage & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hwnd != nullptr && hwnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) && !IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  while (!plat::window::TakeMessage(msg, hwnd, filterMin, filterMax, true)) plat::window::WaitForWork();
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    // Only a procedure of a live timer is called, never an address that a
    // forged message carries.
    TIMERPROC proc = nullptr;
    {
      std::lock_guard guard(UserLock());
      for (const auto& t : LockedMyQueue().timers) {
        if (t.hwnd == msg->hwnd && t.id == msg->wParam && reinterpret_cast<LPARAM>(t.proc) == msg->lParam) proc = t.proc;
      }
    }
    if (proc != nullptr) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  WNDPROC proc = nullptr;
  {
    std::lock_guard guard(UserLock());
    const plat::window::Window* w = plat::window::LockedWindowOrError(msg->hwnd);
    if (w == nullptr) return 0;
    if (w->thread != 0 && w->thread != CurrentThread()) {
      SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
      return 0;
    }
    proc = w->proc;
  }
  auto ref = plat::window::KeepWindow(msg->hwnd);
  return plat::window::CallProc(proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessagePos() {
  std::lock_guard guard(UserLock());
  const POINT pt = LockedMyQueue().last.pt;
  return MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

LONG GetMessageTime() {
  std::lock_guard guard(UserLock());
  return static_cast<LONG>(LockedMyQueue().last.time);
}

BOOL InSendMessage() {
  std::lock_guard guard(UserLock());
  return LockedMyQueue().receiving > 0 ? TRUE : FALSE;
}
