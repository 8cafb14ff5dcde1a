// Share modes as open-file-description locks on marker bytes.
#include "platform/files/sharemode.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "platform/host/hostlock.h"
#include "platform/files/winfile.h"

namespace plat::share {
namespace {

// Marker bytes lie far beyond any real file's end, where no data lock of
// ours or of a caller reaches.
constexpr off_t kMarkerBase = 0x7FFFFFFF00000000LL;

struct Kind {
  unsigned access;  // kRead, kWrite or kDelete
  DWORD share;      // the FILE_SHARE_* bit that admits it
};
constexpr Kind kKinds[] = {
    {kRead, FILE_SHARE_READ}, {kWrite, FILE_SHARE_WRITE}, {kDelete, FILE_SHARE_DELETE}};

// One marker byte says "a handle holds this access", the other "a handle
// refuses to share it".
off_t HeldMarker(std::size_t kind) { return kMarkerBase + static_cast<off_t>(kind); }
off_t RefusedMarker(std::size_t kind) { return kMarkerBase + 3 + static_cast<off_t>(kind); }

// Held by every descriptor a file mapping keeps.
constexpr off_t kMappedMarker = kMarkerBase + 6;

using hostlock::ByteLockedElsewhere;

bool TakeShared(int fd, off_t at) { return hostlock::LockByte(fd, at, F_RDLCK, false); }

}  // namespace

Gate::Gate(int fd) : fd_(fd) { hostlock::Flock(fd_, LOCK_EX); }

Gate::~Gate() { hostlock::Flock(fd_, LOCK_UN); }

bool Conflicts(int fd, unsigned access, DWORD shareMode) {
  if ((access & (kRead | kWrite | kDelete)) == 0) return false;
  // The marker bytes to test, by their offset from the first; each run of
  // neighbouring ones is tested in one call.
  bool tested[2 * std::size(kKinds)] = {};
  for (std::size_t k = 0; k < std::size(kKinds); ++k) {
    tested[RefusedMarker(k) - kMarkerBase] = (access & kKinds[k].access) != 0;
    tested[HeldMarker(k) - kMarkerBase] = (shareMode & kKinds[k].share) == 0;
  }
  for (std::size_t first = 0; first < std::size(tested);) {
    std::size_t end = first;
    while (end < std::size(tested) && tested[end]) ++end;
    if (end > first && hostlock::RangeLockedElsewhere(fd, kMarkerBase + static_cast<off_t>(first),
                                                      static_cast<off_t>(end - first))) {
      return true;
    }
    first = end + 1;
  }
  return false;
}

bool Record(int fd, unsigned access, DWORD shareMode) {
  if ((access & (kRead | kWrite | kDelete)) == 0) return true;
  for (std::size_t k = 0; k < std::size(kKinds); ++k) {
    if ((access & kKinds[k].access) && !TakeShared(fd, HeldMarker(k))) return false;
    if (!(shareMode & kKinds[k].share) && !TakeShared(fd, RefusedMarker(k))) return false;
  }
  return true;
}

int OpenMappedMarker(int fd) {
  // A descriptor of its own (a new open file description), so that the
  // marker outlives the handle and is seen through that handle too.
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  const int own = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
  if (own < 0) return -1;
  if (!TakeShared(own, kMappedMarker)) {
    ::close(own);
    return -1;
  }
  return own;
}

bool Mapped(int fd) { return ByteLockedElsewhere(fd, kMappedMarker); }

}  // namespace plat::share
