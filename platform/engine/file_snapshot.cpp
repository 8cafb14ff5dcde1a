// Copies of files in memory files, kept by the files' identity and times.
#include "platform/engine/file_snapshot.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/hostfd.h"

namespace plat::eng {
namespace {

// A file's identity, size and times: a file replaced or changed in place
// has another stamp.
struct Stamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0, changed = 0;  // nanoseconds
  bool operator==(const Stamp&) const = default;
};

long long Nanoseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

bool StampOf(int fd, Stamp& stamp) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return false;
  stamp = {st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
  return true;
}

// A copy may be kept only when its file's times are older than the copy by
// more than the file system's timestamp tick: a write in the same tick as
// the copy would otherwise keep equal times.
bool Settled(const Stamp& stamp) {
  constexpr long long kGranularity = 50'000'000;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return std::max(stamp.modified, stamp.changed) < Nanoseconds(now) - kGranularity;
}

// The copies lately made, newest last; each holds its memory file open.
class Kept {
 public:
  // A new descriptor of the kept copy of the file of that stamp, or -1.
  Snapshot Find(const Stamp& stamp) {
    std::lock_guard guard(lock_);
    for (const Entry& entry : entries_) {
      if (entry.stamp == stamp) return {fcntl(entry.fd, F_DUPFD_CLOEXEC, 0), entry.size};
    }
    return {};
  }

  void Keep(const Stamp& stamp, const Snapshot& copy) {
    const int fd = fcntl(copy.fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return;
    std::lock_guard guard(lock_);
    if (entries_.size() >= kMaxKept) {
      close(entries_.front().fd);
      entries_.erase(entries_.begin());
    }
    entries_.push_back({stamp, fd, copy.size});
  }

 private:
  static constexpr std::size_t kMaxKept = 16;
  struct Entry {
    Stamp stamp;
    int fd;
    std::size_t size;
  };
  std::mutex lock_;
  std::vector<Entry> entries_;
};

Kept& TheKept() {
  static Kept* kept = new Kept;  // lives until process exit
  return *kept;
}

// Copies the file into a new memory file; fd = -1 when it cannot.
Snapshot Copy(int from) {
  Snapshot copy{memfd_create("kesm-engine-module", MFD_CLOEXEC), 0};
  if (copy.fd < 0) return {};
  std::string chunk(1 << 16, '\0');
  for (;;) {
    const ssize_t n = pread(from, chunk.data(), chunk.size(), static_cast<off_t>(copy.size));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) return copy;
    if (n < 0 || !hostio::WriteAll(copy.fd, chunk.data(), static_cast<std::size_t>(n))) {
      close(copy.fd);
      return {};
    }
    copy.size += static_cast<std::size_t>(n);
  }
}

}  // namespace

Snapshot SnapshotOf(int fd) {
  Stamp before;
  if (!StampOf(fd, before)) return {};
  if (Snapshot kept = TheKept().Find(before); kept.fd >= 0) return kept;
  Snapshot copy = Copy(fd);
  if (copy.fd < 0) return {};
  if (copy.size == 0) {
    close(copy.fd);
    return {};
  }
  Stamp after;
  if (StampOf(fd, after) && after == before && Settled(before) &&
      copy.size == static_cast<std::size_t>(before.size)) {
    TheKept().Keep(before, copy);
  }
  return copy;
}

}  // namespace plat::eng
