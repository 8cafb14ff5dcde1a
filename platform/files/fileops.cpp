// Operations on files by name: attributes, delete, copy and move.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "platform/files/fileattrs.h"
#include "platform/files/file_watch.h"
#include "platform/host/hosterror.h"
#include "platform/host/hostfile.h"
#include "platform/files/sharemode.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// An existing entry named by a Windows path.
struct Existing {
  plat::ResolvedPath path;
  bool directory = false;
};

// The entry, or nullopt with the last error set (ERROR_FILE_NOT_FOUND when
// only the last component is missing, ERROR_INVALID_NAME for a file named
// with a trailing separator).
std::optional<Existing> FindExisting(LPCWSTR name) {
  auto path = plat::ResolvePath(name);
  if (!path) return std::nullopt;
  struct stat st {};
  if (stat(path->host.c_str(), &st) != 0) {
    plat::FailWithErrno(errno);
    return std::nullopt;
  }
  if (!S_ISDIR(st.st_mode) && path->trailingSeparator) {
    SetLastError(ERROR_INVALID_NAME);
    return std::nullopt;
  }
  return Existing{std::move(*path), S_ISDIR(st.st_mode)};
}

// A host descriptor of an entry, opened only to consult and hold its share
// gate.
class GateFd {
 public:
  explicit GateFd(const std::filesystem::path& host)
      : fd_(open(host.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~GateFd() {
    if (fd_ >= 0) close(fd_);
  }
  GateFd(const GateFd&) = delete;
  GateFd& operator=(const GateFd&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Runs action (returning 0 or an errno value) while no handle that refuses
// to share deletion is open on any of the entries, with their share gates
// held so that none is opened meanwhile. Gates are taken in path order, so
// two processes never wait for each other.
template <class Action>
BOOL WhileDeletable(std::vector<std::filesystem::path> hosts, Action action) {
  std::sort(hosts.begin(), hosts.end());
  std::vector<std::unique_ptr<GateFd>> fds;
  std::vector<std::unique_ptr<plat::share::Gate>> gates;
  for (const auto& host : hosts) {
    fds.push_back(std::make_unique<GateFd>(host));
    if (fds.back()->fd() < 0) return plat::FailWithErrno(errno);
    gates.push_back(std::make_unique<plat::share::Gate>(fds.back()->fd()));
  }
  for (const auto& fd : fds) {
    if (plat::share::Conflicts(fd->fd(), plat::share::kDelete, kShareAll)) {
      return plat::Fail(ERROR_SHARING_VIOLATION);
    }
  }
  const int error = action();
  if (error != 0) return plat::FailWithErrno(error);
  return TRUE;
}

bool IsReadOnly(const std::filesystem::path& host) {
  return (plat::attrs::KeptOf(host) & FILE_ATTRIBUTE_READONLY) != 0;
}

// Copies all bytes from one descriptor to another, from their current
// positions; 0 or an errno value.
int CopyBytes(int from, int to) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = write(to, buffer + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return errno;
      done += w;
    }
  }
}

BOOL MoveEntry(const Existing& source, const plat::ResolvedPath& target, DWORD flags) {
  struct stat st {};
  const bool targetExists = stat(target.host.c_str(), &st) == 0;
  const bool sameEntry = targetExists && target.host == source.path.host;
  if (targetExists && !sameEntry) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return plat::Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(st.st_mode) || source.directory || IsReadOnly(target.host)) {
      return plat::Fail(ERROR_ACCESS_DENIED);
    }
  }
  // A rename to the same entry only changes the spelling of its name.
  const std::filesystem::path to = sameEntry ? target.asWritten : target.host;
  const bool replacing = targetExists && !sameEntry;
  plat::ReportFileStep({plat::FileStep::kMove, source.path.host, to, 0});
  std::vector<std::filesystem::path> gated{source.path.host};
  if (replacing) gated.push_back(target.host);
  return WhileDeletable(gated, [&]() -> int {
    if (replacing) plat::attrs::Forget(target.host);
    return rename(source.path.host.c_str(), to.c_str()) == 0 ? 0 : errno;
  });
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR fileName) {
  auto entry = FindExisting(fileName);
  if (!entry) return INVALID_FILE_ATTRIBUTES;
  const DWORD attributes = plat::attrs::Of(entry->path.host);
  if (attributes == INVALID_FILE_ATTRIBUTES) SetLastError(ERROR_FILE_NOT_FOUND);
  return attributes;
}

BOOL SetFileAttributesW(LPCWSTR fileName, DWORD fileAttributes) {
  auto entry = FindExisting(fileName);
  if (!entry) return FALSE;
  if (!plat::attrs::Set(entry->path.host, fileAttributes & plat::attrs::kKept)) {
    return plat::Fail(ERROR_ACCESS_DENIED);
  }
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName) {
  auto entry = FindExisting(fileName);
  if (!entry) return FALSE;
  if (entry->directory || IsReadOnly(entry->path.host)) return plat::Fail(ERROR_ACCESS_DENIED);
  const auto& host = entry->path.host;
  plat::ReportFileStep({plat::FileStep::kDelete, host, {}, 0});
  return WhileDeletable({host}, [&]() -> int {
    plat::attrs::Forget(host);
    return unlink(host.c_str()) == 0 ? 0 : errno;
  });
}

BOOL CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists) {
  auto sourcePath = plat::ResolvePath(existingFileName);
  if (!sourcePath) return FALSE;
  auto targetPath = plat::ResolvePath(newFileName);
  if (!targetPath) return FALSE;
  auto source = plat::OpenFile(*sourcePath, {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0});
  if (!source) return FALSE;
  const DWORD kept = plat::attrs::KeptOf(source->host());
  // A read-only source gives a read-only copy; the handle opened here may
  // still write it.
  const DWORD disposition = failIfExists ? CREATE_NEW : CREATE_ALWAYS;
  auto target = plat::OpenFile(*targetPath, {GENERIC_WRITE, 0, disposition, kept});
  if (!target) return FALSE;
  const int error = CopyBytes(source->fd(), target->fd());
  if (error != 0) {
    plat::attrs::Forget(target->host());
    unlink(target->host().c_str());
    return plat::FailWithErrno(error);
  }
  struct stat st {};
  if (fstat(source->fd(), &st) == 0) {
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(target->fd(), times);
  }
  plat::attrs::Set(target->host(), kept);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR existingFileName, LPCWSTR newFileName, DWORD flags) {
  if ((flags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) != 0 ||
      newFileName == nullptr) {
    return plat::Fail(ERROR_INVALID_PARAMETER);
  }
  auto source = FindExisting(existingFileName);
  if (!source) return FALSE;
  if (source->path.isRoot) return plat::Fail(ERROR_ACCESS_DENIED);
  auto target = plat::ResolvePath(newFileName);
  if (!target) return FALSE;
  if (target->isRoot) return plat::Fail(ERROR_ACCESS_DENIED);
  return MoveEntry(*source, *target, flags);
}
