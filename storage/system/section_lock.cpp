#include "storage/system/section_lock.h"

#include "settings/context/context_block.h"

#if KESM_KERNEL_MODE

#include "platform/engine/eng_semaphore.h"

namespace {
HSEMAPHORE gSemaphore = nullptr;
}  // namespace

// The engine serialises driver enable and disable, so the semaphore itself
// needs no guard.
void InitSection() {
  if (gSemaphore == nullptr) gSemaphore = EngCreateSemaphore();
}

void DeleteSection() {
  if (gSemaphore != nullptr) EngDeleteSemaphore(gSemaphore);
  gSemaphore = nullptr;
}

void EnterSection(UCB*) {
  if (gSemaphore != nullptr) EngAcquireSemaphore(gSemaphore);
}

void LeaveSection(UCB*) {
  if (gSemaphore != nullptr) EngReleaseSemaphore(gSemaphore);
}

#else

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "platform/base/handles.h"
#include "platform/sync/winsync.h"

namespace {

struct SectionState {
  std::mutex guard;
  HANDLE mutex = nullptr;
  bool creationFailed = false;  // final for the process until the next reset
  // Successful waits not yet released, by the thread that made them.
  std::map<std::thread::id, LONG> held;
};

// Made on first use and freed by DeleteSection (process detach), so that a
// library unloaded and loaded again by its host leaves nothing behind.
std::atomic<SectionState*> gState{nullptr};

SectionState& State() {
  SectionState* state = gState.load(std::memory_order_acquire);
  if (state != nullptr) return *state;
  auto* fresh = new SectionState;
  if (gState.compare_exchange_strong(state, fresh, std::memory_order_acq_rel)) return *fresh;
  delete fresh;  // another thread made it first
  return *state;
}

bool SkipsLock(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr && ucb->pWork->fTakeLock == 0;
}

// The mutex, created on first use; null when it cannot be had.
HANDLE SectionMutex() {
  SectionState& state = State();
  std::lock_guard lock(state.guard);
  if (state.mutex == nullptr && !state.creationFailed) {
    state.mutex = CreateMutexW(nullptr, FALSE, kSectionMutexName);
    state.creationFailed = state.mutex == nullptr;
  }
  return state.mutex;
}

}  // namespace

void InitSection() {
  SectionState& state = State();
  std::lock_guard lock(state.guard);
  state.mutex = nullptr;
  state.creationFailed = false;
  state.held.clear();
}

void DeleteSection() {
  // Detach: no other thread of the process uses the lock any more.
  SectionState* state = gState.exchange(nullptr, std::memory_order_acq_rel);
  if (state == nullptr) return;
  if (state->mutex != nullptr) CloseHandle(state->mutex);
  delete state;
}

void EnterSection(UCB* ucb) {
  if (SkipsLock(ucb)) return;
  HANDLE mutex = SectionMutex();
  if (mutex == nullptr) return;
  // An abandoned mutex is owned by this thread now, like a plain success:
  // it is counted so that the matching LeaveSection gives it up.
  const DWORD wait = WaitForSingleObject(mutex, kSectionWaitMilliseconds);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return;
  SectionState& state = State();
  std::lock_guard lock(state.guard);
  ++state.held[std::this_thread::get_id()];
}

void LeaveSection(UCB* ucb) {
  if (SkipsLock(ucb)) return;
  SectionState& state = State();
  std::lock_guard lock(state.guard);
  const auto it = state.held.find(std::this_thread::get_id());
  if (state.mutex == nullptr || it == state.held.end()) return;
  if (--it->second == 0) state.held.erase(it);
  ReleaseMutex(state.mutex);
}

#endif
