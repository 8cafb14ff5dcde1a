// The open of a file: dispositions, attributes and share modes.
#include "platform/host/hostfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/files/fileattrs.h"
#include "platform/files/file_watch.h"
#include "platform/host/hosterror.h"
#include "platform/files/sharemode.h"
#include "platform/base/winerror.h"

namespace plat {
namespace {

constexpr DWORD kDeleteRight = 0x00010000;  // the standard DELETE right
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;

unsigned ShareAccess(const FileRights& rights) {
  return (rights.read ? share::kRead : 0) | (rights.write ? share::kWrite : 0) |
         (rights.remove ? share::kDelete : 0);
}

int OpenFlags(const FileRights& rights, bool truncating) {
  // Write-only handles still open the host file for reading: share-mode
  // locks need a readable descriptor.
  return ((rights.write || truncating) ? O_RDWR : O_RDONLY) | O_CLOEXEC;
}

// Claims the share mode on a freshly opened descriptor, with its gate held;
// sets the last error on conflict.
bool ClaimShareGated(int fd, const FileRights& rights, DWORD shareMode) {
  if (share::Conflicts(fd, ShareAccess(rights), shareMode)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return false;
  }
  if (!share::Record(fd, ShareAccess(rights), shareMode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

// Claims the share mode and, for an open that empties the file, makes sure
// that no mapping of any process holds the file (Windows refuses to cut a
// mapped file short: the views would reach past its end); truncates it
// then, all under the gate, so that no mapping is made in between.
bool ClaimShareAndTruncate(int fd, const FileRights& rights, DWORD shareMode, bool truncating) {
  share::Gate gate(fd);
  if (!ClaimShareGated(fd, rights, shareMode)) return false;
  if (!truncating) return true;
  if (share::Mapped(fd)) {
    SetLastError(ERROR_USER_MAPPED_FILE);
    return false;
  }
  return ftruncate(fd, 0) == 0 || FailWithErrno(errno);
}

std::shared_ptr<File> OpenExisting(const ResolvedPath& path, const OpenRequest& request,
                                   const FileRights& rights) {
  const DWORD disposition = request.disposition;
  if (disposition == CREATE_NEW) {
    SetLastError(ERROR_FILE_EXISTS);
    return nullptr;
  }
  const bool truncating = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  // Attributes matter only to an open that may change the file.
  const DWORD kept = rights.write || truncating ? attrs::KeptOf(path.host) : 0;
  if ((kept & FILE_ATTRIBUTE_READONLY) && (rights.write || truncating)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const DWORD guarded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (disposition == CREATE_ALWAYS && (kept & guarded & ~request.attributes) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const int fd = open(path.host.c_str(), OpenFlags(rights, truncating));
  if (fd < 0) {
    FailWithErrno(errno);
    return nullptr;
  }
  auto file = std::make_shared<File>(fd, path.host, rights);
  if (!ClaimShareAndTruncate(fd, rights, request.share, truncating)) return nullptr;
  if (disposition == CREATE_ALWAYS) {
    attrs::Set(path.host, (request.attributes & attrs::kKept) | FILE_ATTRIBUTE_ARCHIVE);
  }
  const bool found = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  SetLastError(found ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return file;
}

// nullptr with errno EEXIST when another process created the file first.
std::shared_ptr<File> CreateNew(const ResolvedPath& path, const OpenRequest& request,
                                const FileRights& rights) {
  const int fd = open(path.host.c_str(), OpenFlags(rights, false) | O_CREAT | O_EXCL, 0666);
  if (fd < 0) {
    const int error = errno;
    if (error != EEXIST) FailWithErrno(error);
    errno = error;
    return nullptr;
  }
  auto file = std::make_shared<File>(fd, path.host, rights);
  {
    // When another open reached the new file before its share mode was
    // claimed, the exclusive create fails and must not leave the empty file
    // behind; removing it under the gate keeps others' deletes and renames
    // out meanwhile.
    share::Gate gate(fd);
    if (!ClaimShareGated(fd, rights, request.share)) {
      RemoveIfStillNamed(fd, path.host);
      return nullptr;
    }
  }
  attrs::Set(path.host, (request.attributes & attrs::kKept) | FILE_ATTRIBUTE_ARCHIVE);
  SetLastError(ERROR_SUCCESS);
  return file;
}

}  // namespace

bool RemoveIfStillNamed(int fd, const std::filesystem::path& host) {
  const int saved = errno;
  struct stat opened {}, named {};
  const bool same = fstat(fd, &opened) == 0 && lstat(host.c_str(), &named) == 0 &&
                    opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
  const bool removed = same && unlink(host.c_str()) == 0;
  errno = saved;
  return removed;
}

FileRights DecodeAccess(DWORD access) {
  FileRights rights;
  rights.read = (access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA)) != 0;
  rights.write = (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
  rights.remove = (access & (GENERIC_ALL | kDeleteRight)) != 0;
  rights.writeAttributes = rights.write || (access & FILE_WRITE_ATTRIBUTES) != 0;
  return rights;
}

File::File(int fd, std::filesystem::path host, FileRights rights)
    : fd_(fd), host_(std::move(host)), rights_(rights) {}

File::~File() { close(fd_); }  // also releases the share-mode locks

std::shared_ptr<File> OpenFile(const ResolvedPath& path, const OpenRequest& request) {
  const DWORD disposition = request.disposition;
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const FileRights rights = DecodeAccess(request.access);
  if (disposition == TRUNCATE_EXISTING && !rights.write) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  ReportFileStep({FileStep::kOpen, path.host, {}, disposition});
  for (int attempt = 0; attempt < 2; ++attempt) {
    struct stat st {};
    if (stat(path.host.c_str(), &st) == 0) {
      if (S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
      if (path.trailingSeparator) {
        SetLastError(ERROR_INVALID_NAME);
        return nullptr;
      }
      return OpenExisting(path, request, rights);
    }
    if (errno != ENOENT) {
      FailWithErrno(errno);
      return nullptr;
    }
    if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return nullptr;
    }
    if (path.trailingSeparator || path.isRoot) {
      SetLastError(ERROR_INVALID_NAME);
      return nullptr;
    }
    auto created = CreateNew(path, request, rights);
    if (created || errno != EEXIST) return created;
  }
  SetLastError(ERROR_SHARING_VIOLATION);  // created and removed under us twice
  return nullptr;
}

FILETIME FileTimeFromHost(const struct timespec& time) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.tv_sec) + kSecondsFrom1601To1970) * kTicksPerSecond +
      time.tv_nsec / 100;
  const auto bits = static_cast<std::uint64_t>(ticks < 0 ? 0 : ticks);
  return FILETIME{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

struct timespec HostTimeFromFileTime(const FILETIME& time) {
  const std::uint64_t bits =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  struct timespec out {};
  out.tv_sec = static_cast<time_t>(static_cast<std::int64_t>(bits / kTicksPerSecond) -
                                   kSecondsFrom1601To1970);
  out.tv_nsec = static_cast<long>((bits % kTicksPerSecond) * 100);
  return out;
}

}  // namespace plat
