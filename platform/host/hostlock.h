// Host file locks that the machine's cross-process state is built on: whole
// file flocks (store files, profile folders, share gates) and one-byte
// open-file-description locks (share modes, named mutexes), which the kernel
// drops when the holding descriptor is closed or its process dies. Calls are
// retried when a signal interrupts them. Internal to platform/.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <filesystem>

namespace plat::hostlock {

// flock(fd, operation); false when the host refuses it.
bool Flock(int fd, int operation);

// A file opened with the flags (created 0666 with O_CREAT) and flocked with
// the operation (LOCK_SH or LOCK_EX) for the object's life; closing it drops
// the lock. flock locks belong to the open file, so two threads of one
// process exclude each other too.
class LockedFile {
 public:
  LockedFile(const std::filesystem::path& file, int flags, int operation);
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  bool held() const { return fd_ >= 0; }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// Sets a lock of the type (F_RDLCK, F_WRLCK, F_UNLCK) on one byte; waits
// for it when wait is true. False when it is not had.
bool LockByte(int fd, off_t byte, short type, bool wait);
// Whether a descriptor other than fd holds a lock on the byte that a write
// lock would meet.
bool ByteLockedElsewhere(int fd, off_t byte);
// The same for any byte of count bytes from first, in one host call.
bool RangeLockedElsewhere(int fd, off_t first, off_t count);

}  // namespace plat::hostlock
