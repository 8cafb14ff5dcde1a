#include "platform/profile/profile_watch.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/base/machine.h"

namespace plat::profile::notices {
namespace {

// Everything that changes a file's text, its status or its share state, or
// what a name resolves to.
constexpr std::uint32_t kChanges = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_OPEN | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF;

// Whether a batch of notices tells of more than folders being opened (the
// stand-in lists folders as it resolves names; opening a folder changes
// nothing a read depends on).
bool AnyChange(const char* batch, std::size_t size) {
  for (std::size_t at = 0; at + sizeof(inotify_event) <= size;) {
    inotify_event event;
    std::memcpy(&event, batch + at, sizeof event);
    if ((event.mask & ~IN_ISDIR) != IN_OPEN || (event.mask & IN_ISDIR) == 0) return true;
    at += sizeof(inotify_event) + event.len;
  }
  return false;
}

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
        seen = seen || AnyChange(buffer, static_cast<std::size_t>(n));
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

  Watched Watch(const std::filesystem::path& file) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!Ready()) return {};
    const std::filesystem::path root = MachineRoot();
    std::vector<std::filesystem::path> chain{file};
    while (chain.back() != root && chain.back().has_relative_path() && chain.back().parent_path() != chain.back()) {
      chain.push_back(chain.back().parent_path());
    }
    // From the root down: chain[0] is the file, chain[1] its folder.
    Watched watched;
    for (std::size_t i = chain.size(); i-- > 0;) {
      if (watched_.count(chain[i].native()) == 0) {
        if (inotify_add_watch(fd_, chain[i].c_str(), kChanges) < 0) return watched;
        ++epoch_;
        watched_.insert(chain[i].native());
      }
      if (i <= 1) watched.folders = true;
      if (i == 0) watched.file = true;
    }
    return watched;
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

Watched Watch(const std::filesystem::path& file) { return TheNotices().Watch(file); }

}  // namespace plat::profile::notices
