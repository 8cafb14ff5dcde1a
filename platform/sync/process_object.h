// Kernel objects of a started host process: its process handle and the
// handle of its main thread, both signalled when it ends. Internal to
// platform/.
#pragma once

#include <sys/types.h>

#include <memory>
#include <mutex>

#include "platform/base/handles.h"

namespace plat {

class ChildProcess {
 public:
  explicit ChildProcess(pid_t pid);
  ~ChildProcess();  // a child still running is reaped in the background
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD Wait(DWORD milliseconds);
  // STILL_ACTIVE while it runs.
  DWORD ExitCode();
  pid_t pid() const { return pid_; }

 private:
  bool Reap();  // true once the child has ended; records its exit code

  pid_t pid_;
  int pidfd_;
  std::mutex lock_;
  bool ended_ = false;
  DWORD exitCode_;
};

class ProcessObject : public KernelObject {
 public:
  explicit ProcessObject(std::shared_ptr<ChildProcess> child) : child_(std::move(child)) {}
  DWORD Wait(DWORD milliseconds) override { return child_->Wait(milliseconds); }
  ChildProcess& child() { return *child_; }

 private:
  std::shared_ptr<ChildProcess> child_;
};

class ThreadObject : public KernelObject {
 public:
  explicit ThreadObject(std::shared_ptr<ChildProcess> child) : child_(std::move(child)) {}
  DWORD Wait(DWORD milliseconds) override { return child_->Wait(milliseconds); }

 private:
  std::shared_ptr<ChildProcess> child_;
};

}  // namespace plat
