#include "platform/profile/profile_watch.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <string>

#include "platform/base/machine.h"

namespace plat::profile::notices {
namespace {

// Everything that changes a file's text, its status or its share state, or
// what a name resolves to.
constexpr std::uint32_t kChanges = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_OPEN | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF;

class Notices {
 public:
  Notices() { pthread_atfork(nullptr, nullptr, [] { forked_ = true; }); }

  std::uint64_t Epoch() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Ready()) return 0;
    alignas(inotify_event) char buffer[4096];
    bool seen = false;
    for (;;) {
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      if (n > 0) {
        seen = true;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) Drop();  // cannot tell any more: every read checks
      break;
    }
    if (seen) {
      ++epoch_;
      // A notice may be the end of a watch (its folder went): watch again.
      watched_.clear();
    }
    return fd_ >= 0 ? epoch_ : 0;
  }

  bool Watch(const std::filesystem::path& file) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Ready()) return false;
    const std::filesystem::path root = MachineRoot();
    std::filesystem::path at = file;
    for (;;) {
      if (watched_.count(at.native()) == 0) {
        ++epoch_;
        if (inotify_add_watch(fd_, at.c_str(), kChanges) < 0) return false;
        watched_.insert(at.native());
      }
      if (at == root || !at.has_relative_path() || at.parent_path() == at) break;
      at = at.parent_path();
    }
    return true;
  }

 private:
  // The descriptor of this process (a forked child makes its own: the
  // parent's queue is not its to take).
  bool Ready() {
    if (forked_) {
      forked_ = false;
      if (fd_ >= 0) close(fd_);
      fd_ = -1;
      refused_ = false;
      watched_.clear();
      ++epoch_;
    }
    if (fd_ >= 0) return true;
    if (refused_) return false;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    refused_ = fd_ < 0;
    return fd_ >= 0;
  }

  void Drop() {
    close(fd_);
    fd_ = -1;
    watched_.clear();
    ++epoch_;
  }

  static inline volatile bool forked_ = false;
  std::mutex lock_;
  int fd_ = -1;
  bool refused_ = false;
  std::uint64_t epoch_ = 1;
  std::set<std::string> watched_;
};

Notices& TheNotices() {
  static auto* notices = new Notices;  // lives until process exit
  return *notices;
}

}  // namespace

std::uint64_t Epoch() { return TheNotices().Epoch(); }

bool Watch(const std::filesystem::path& file) { return TheNotices().Watch(file); }

}  // namespace plat::profile::notices
