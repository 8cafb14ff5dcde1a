// Share modes as open-file-description locks on marker bytes.
#include "platform/sharemode.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/winfile.h"

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

bool IsLockedByOther(int fd, off_t at) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = at;
  probe.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

bool TakeShared(int fd, off_t at) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = at;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

}  // namespace

Gate::Gate(int fd) : fd_(fd) {
  while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

Gate::~Gate() { flock(fd_, LOCK_UN); }

bool Conflicts(int fd, unsigned access, DWORD shareMode) {
  if ((access & (kRead | kWrite | kDelete)) == 0) return false;
  for (std::size_t k = 0; k < std::size(kKinds); ++k) {
    if ((access & kKinds[k].access) && IsLockedByOther(fd, RefusedMarker(k))) return true;
    if (!(shareMode & kKinds[k].share) && IsLockedByOther(fd, HeldMarker(k))) return true;
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

}  // namespace plat::share
