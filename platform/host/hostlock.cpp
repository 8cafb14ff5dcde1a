// flocks and one-byte open-file-description locks.
#include "platform/host/hostlock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace plat::hostlock {
namespace {

struct flock ByteRange(off_t byte, short type, off_t count = 1) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = byte;
  range.l_len = count;
  return range;
}

}  // namespace

bool Flock(int fd, int operation) {
  while (::flock(fd, operation) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

LockedFile::LockedFile(const std::filesystem::path& file, int flags, int operation)
    : fd_(::open(file.c_str(), flags | O_CLOEXEC, 0666)) {
  if (fd_ >= 0 && !Flock(fd_, operation)) {
    ::close(fd_);
    fd_ = -1;
  }
}

LockedFile::~LockedFile() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock
}

bool LockByte(int fd, off_t byte, short type, bool wait) {
  struct flock range = ByteRange(byte, type);
  while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool ByteLockedElsewhere(int fd, off_t byte) { return RangeLockedElsewhere(fd, byte, 1); }

bool RangeLockedElsewhere(int fd, off_t first, off_t count) {
  struct flock probe = ByteRange(first, F_WRLCK, count);
  return fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

}  // namespace plat::hostlock
