// A host file descriptor owned by one object, and whole writes to one.
// Internal to platform/.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace plat::hostio {

// Closes the descriptor at the end of its scope unless released.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; false when the host reports a failed close (a late write
  // error on some file systems).
  bool Close() { return ::close(release()) == 0; }

 private:
  int fd_;
};

// Writes all n bytes, going on after interruptions; false with errno set
// when the host stops short.
inline bool WriteAll(int fd, const void* bytes, std::size_t n) {
  const char* at = static_cast<const char*>(bytes);
  while (n > 0) {
    const ssize_t put = ::write(fd, at, n);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    at += put;
    n -= static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace plat::hostio
