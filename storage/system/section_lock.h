// The cross-process lock that serialises work on the shared stores (INI and
// set files, printer data, the compiled-description cache). User mode: the
// machine-wide named mutex "KesmMutexTse", waited for at most 20 s; a
// time-out lets the caller go on unguarded. Kernel mode: one engine
// semaphore, without time-out.
//
// A context whose lock flag is 0 (opened with open-flag bit 0x100) skips the
// user-mode lock; a null context always takes it. Each thread counts its own
// successful waits, so a LeaveSection releases only what the same thread
// holds: a thread whose wait timed out releases nothing, even while another
// thread of the process holds the lock.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Resets the lock's state (process attach; kernel mode: driver enable, which
// creates the semaphore).
void InitSection();
// Closes the mutex (process detach) or frees the semaphore.
void DeleteSection();
// Takes the lock for the context (may be null).
void EnterSection(UCB* ucb);
// Releases one level taken by the same thread; pass the context given to the
// matching EnterSection.
void LeaveSection(UCB* ucb);

// Takes the lock for the lifetime of the object.
class ScopedSection {
 public:
  explicit ScopedSection(UCB* ucb) : ucb_(ucb) { EnterSection(ucb_); }
  ~ScopedSection() { LeaveSection(ucb_); }
  ScopedSection(const ScopedSection&) = delete;
  ScopedSection& operator=(const ScopedSection&) = delete;

 private:
  UCB* ucb_;
};

inline constexpr const WCHAR* kSectionMutexName = u"KesmMutexTse";
inline constexpr DWORD kSectionWaitMilliseconds = 20000;
