// The kernel object behind a mutex handle. Internal to platform/.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/base/handles.h"
#include "platform/sync/named_lock_file.h"

namespace plat {

class MutexObject : public KernelObject, public std::enable_shared_from_this<MutexObject> {
 public:
  // crossProcess is null for an unnamed mutex.
  explicit MutexObject(std::unique_ptr<NamedLockFile> crossProcess);
  ~MutexObject() override;

  DWORD Wait(DWORD milliseconds) override;
  // Makes the calling thread the owner of a mutex it has just created, before
  // any other thread can reach it; a named one's lock file must already be
  // owned by this process.
  void OwnFromCreation();
  // False when the calling thread does not own the mutex.
  bool Release();
  // Ownership by a thread that ended: the next owner is told it was abandoned.
  void AbandonBy(std::thread::id thread);

 private:
  // Returns the wait result once the calling thread owns the mutex in this
  // process; WAIT_TIMEOUT when the deadline passes first.
  DWORD TakeAcrossProcesses(std::chrono::steady_clock::time_point deadline, bool hasDeadline);
  void RecordOwner();

  std::mutex lock_;
  std::condition_variable changed_;
  std::thread::id holder_;  // the owning (or acquiring) thread; empty id when none
  bool owned_ = false;
  ULONG count_ = 0;
  bool abandoned_ = false;  // unnamed mutexes: their last owner thread ended owning it
  std::unique_ptr<NamedLockFile> file_;
};

}  // namespace plat
