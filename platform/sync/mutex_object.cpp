// Mutex ownership. Within a process the owning thread is tracked here;
// across processes the lock file decides, and this process takes it only
// after one of its threads has won the in-process contest, so waiting
// threads of one process never poll the file together.
#include "platform/sync/mutex_object.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/base/winerror.h"

namespace plat {
namespace {

using Clock = std::chrono::steady_clock;

// Mutexes the current thread owns; when the thread ends they are abandoned.
struct OwnedByThread {
  std::vector<std::weak_ptr<MutexObject>> mutexes;
  ~OwnedByThread() {
    const auto self = std::this_thread::get_id();
    for (auto& weak : mutexes) {
      if (auto mutex = weak.lock()) mutex->AbandonBy(self);
    }
  }
};

OwnedByThread& ThreadOwned() {
  thread_local OwnedByThread owned;
  return owned;
}

void ForgetOwned(const MutexObject* mutex) {
  auto& list = ThreadOwned().mutexes;
  std::erase_if(list, [mutex](const std::weak_ptr<MutexObject>& weak) {
    auto locked = weak.lock();
    return !locked || locked.get() == mutex;
  });
}

}  // namespace

MutexObject::MutexObject(std::unique_ptr<NamedLockFile> crossProcess)
    : file_(std::move(crossProcess)) {}

MutexObject::~MutexObject() {
  // Closing the last handle while a thread owns the mutex leaves it
  // abandoned for any other process that still holds the name.
  if (owned_ && file_) file_->GiveUpOwnership(true);
}

DWORD MutexObject::Wait(DWORD milliseconds) {
  const bool hasDeadline = milliseconds != INFINITE;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  const auto self = std::this_thread::get_id();
  {
    std::unique_lock guard(lock_);
    if (owned_ && holder_ == self) {
      ++count_;
      return WAIT_OBJECT_0;
    }
    auto free = [this] { return holder_ == std::thread::id(); };
    if (hasDeadline) {
      if (!changed_.wait_until(guard, deadline, free)) return WAIT_TIMEOUT;
    } else {
      changed_.wait(guard, free);
    }
    holder_ = self;  // acquiring: other threads of this process wait above
  }
  return TakeAcrossProcesses(deadline, hasDeadline);
}

void MutexObject::OwnFromCreation() {
  {
    std::lock_guard guard(lock_);
    holder_ = std::this_thread::get_id();
    owned_ = true;
    count_ = 1;
  }
  RecordOwner();
}

DWORD MutexObject::TakeAcrossProcesses(Clock::time_point deadline, bool hasDeadline) {
  bool abandoned = false;
  if (file_) {
    auto pause = std::chrono::milliseconds(1);
    while (!file_->TryTakeOwnership(&abandoned)) {
      const auto now = Clock::now();
      if (hasDeadline && now >= deadline) {
        std::lock_guard guard(lock_);
        holder_ = std::thread::id();
        changed_.notify_all();
        return WAIT_TIMEOUT;
      }
      auto sleep = hasDeadline ? std::min<Clock::duration>(pause, deadline - now) : pause;
      std::this_thread::sleep_for(sleep);
      pause = std::min(pause * 2, std::chrono::milliseconds(8));
    }
  }
  {
    std::lock_guard guard(lock_);
    if (!file_) abandoned = std::exchange(abandoned_, false);
    owned_ = true;
    count_ = 1;
  }
  RecordOwner();
  return abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0;
}

void MutexObject::RecordOwner() { ThreadOwned().mutexes.push_back(weak_from_this()); }

bool MutexObject::Release() {
  {
    std::lock_guard guard(lock_);
    if (!owned_ || holder_ != std::this_thread::get_id()) return false;
    if (--count_ > 0) return true;
    if (file_) file_->GiveUpOwnership(false);
    owned_ = false;
    holder_ = std::thread::id();
    changed_.notify_all();
  }
  ForgetOwned(this);
  return true;
}

void MutexObject::AbandonBy(std::thread::id thread) {
  std::lock_guard guard(lock_);
  if (!owned_ || holder_ != thread) return;
  if (file_) {
    file_->GiveUpOwnership(true);
  } else {
    abandoned_ = true;
  }
  owned_ = false;
  count_ = 0;
  holder_ = std::thread::id();
  changed_.notify_all();
}

}  // namespace plat
