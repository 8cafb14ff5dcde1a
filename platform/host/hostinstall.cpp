// Installing file copies by rename.
#include "platform/host/hostinstall.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "platform/base/winerror.h"
#include "platform/host/hostfd.h"
#include "platform/host/hosterror.h"

namespace plat::hostfile {
namespace {

constexpr std::size_t kChunk = 1 << 16;

// Reads up to n bytes; fewer only at the end of the file. -1 on error.
ssize_t ReadFull(int fd, char* at, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::read(fd, at + done, n - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

// Whether the two open files hold the same bytes; false also when either
// cannot be read. Both are read from their current positions.
bool SameBytes(int a, int b) {
  std::string x(kChunk, '\0'), y(kChunk, '\0');
  for (;;) {
    const ssize_t n = ReadFull(a, x.data(), kChunk);
    const ssize_t m = ReadFull(b, y.data(), kChunk);
    if (n < 0 || m < 0 || n != m || std::memcmp(x.data(), y.data(), static_cast<std::size_t>(n)) != 0) {
      return false;
    }
    if (n == 0) return true;
  }
}

bool TargetHolds(int source, const std::filesystem::path& target) {
  hostio::Fd installed(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat a {}, b {};
  if (installed.get() < 0 || ::fstat(source, &a) != 0 || ::fstat(installed.get(), &b) != 0 ||
      a.st_size != b.st_size) {
    return false;
  }
  const bool same = SameBytes(source, installed.get());
  ::lseek(source, 0, SEEK_SET);
  return same;
}

// A new temporary file beside target, its name in temporary; -1 with errno.
int CreateBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
  std::random_device seed;
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = target.parent_path() / (".~" + target.filename().string() + "." +
                                        std::to_string(::getpid()) + "." + std::to_string(seed()) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Copies what is left of source into the new file; the error code.
DWORD CopyInto(int source, int copy) {
  std::string chunk(kChunk, '\0');
  for (;;) {
    const ssize_t n = ReadFull(source, chunk.data(), kChunk);
    if (n < 0) return ERROR_READ_FAULT;
    if (n == 0) return ::fsync(copy) == 0 ? ERROR_SUCCESS : ErrorFromErrno(errno);
    if (!hostio::WriteAll(copy, chunk.data(), static_cast<std::size_t>(n))) {
      return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? DWORD{ERROR_DISK_FULL} : ErrorFromErrno(errno);
    }
  }
}

}  // namespace

DWORD InstallCopy(const std::filesystem::path& source, const std::filesystem::path& target, bool* replaced) {
  if (replaced != nullptr) *replaced = false;
  hostio::Fd from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (from.get() < 0) return errno == ENOENT ? DWORD{ERROR_FILE_NOT_FOUND} : ErrorFromErrno(errno);
  if (TargetHolds(from.get(), target)) return ERROR_SUCCESS;
  std::filesystem::path temporary;
  hostio::Fd copy(CreateBeside(target, temporary));
  if (copy.get() < 0) return ErrorFromErrno(errno);
  DWORD rc = CopyInto(from.get(), copy.get());
  if (!copy.Close() && rc == ERROR_SUCCESS) rc = ERROR_WRITE_FAULT;
  if (rc == ERROR_SUCCESS && ::rename(temporary.c_str(), target.c_str()) != 0) rc = ErrorFromErrno(errno);
  if (rc != ERROR_SUCCESS) {
    ::unlink(temporary.c_str());
    return rc;
  }
  if (replaced != nullptr) *replaced = true;
  return ERROR_SUCCESS;
}

}  // namespace plat::hostfile
