// Waiting for a host child process: a pidfd tells when it ends (polling in
// short sleeps where pidfds are not available), waitpid collects its status.
#include "platform/sync/process_object.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "platform/sync/winprocess.h"

namespace plat {
namespace {

using Clock = std::chrono::steady_clock;

int OpenPidFd(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

DWORD ExitCodeOf(int status) {
  if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128 + static_cast<DWORD>(WTERMSIG(status));
  return 0;
}

}  // namespace

ChildProcess::ChildProcess(pid_t pid) : pid_(pid), pidfd_(OpenPidFd(pid)), exitCode_(STILL_ACTIVE) {}

ChildProcess::~ChildProcess() {
  if (pidfd_ >= 0) close(pidfd_);
  if (!Reap()) {
    // Windows lets a process outlive its handles; the host needs its
    // status collected, so a helper thread waits for it.
    std::thread([pid = pid_] { waitpid(pid, nullptr, 0); }).detach();
  }
}

bool ChildProcess::Reap() {
  std::lock_guard guard(lock_);
  if (ended_) return true;
  int status = 0;
  pid_t got;
  while ((got = waitpid(pid_, &status, WNOHANG)) < 0 && errno == EINTR) {
  }
  if (got == 0) return false;
  ended_ = true;
  exitCode_ = got == pid_ ? ExitCodeOf(status) : 0;  // collected elsewhere: status unknown
  return true;
}

DWORD ChildProcess::Wait(DWORD milliseconds) {
  const bool forever = milliseconds == INFINITE;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (!Reap()) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (!forever && left.count() <= 0) return WAIT_TIMEOUT;
    const int slice = forever ? INT_MAX : static_cast<int>(std::min<long long>(left.count(), INT_MAX));
    if (pidfd_ >= 0) {
      pollfd ready{pidfd_, POLLIN, 0};
      poll(&ready, 1, slice);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(slice, 5)));
    }
  }
  return WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() {
  Reap();
  std::lock_guard guard(lock_);
  return exitCode_;
}

}  // namespace plat
