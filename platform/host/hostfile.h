// The file object behind a file handle and the open that makes it, shared by
// the file, profile and mapping services. Internal to platform/.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>

#include "platform/base/handles.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"

struct timespec;

namespace plat {

// Rights a handle holds, decoded from the access mask.
struct FileRights {
  bool read = false;
  bool write = false;
  bool remove = false;  // delete access
  bool writeAttributes = false;
};
FileRights DecodeAccess(DWORD desiredAccess);

class File : public KernelObject {
 public:
  File(int fd, std::filesystem::path host, FileRights rights);
  ~File() override;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  int fd() const { return fd_; }
  const std::filesystem::path& host() const { return host_; }
  const FileRights& rights() const { return rights_; }

 private:
  int fd_;
  std::filesystem::path host_;
  FileRights rights_;
};

struct OpenRequest {
  DWORD access = 0;
  DWORD share = 0;
  DWORD disposition = OPEN_EXISTING;
  DWORD attributes = 0;  // FILE_ATTRIBUTE_* for a created file
};

// Opens or creates a file as CreateFileW does, with its last-error
// conventions. Null on failure.
std::shared_ptr<File> OpenFile(const ResolvedPath& path, const OpenRequest& request);

// Removes the host file when the path still names the file open on fd: a
// file an exclusive create made and must not keep. False when the path names
// another file or none, or the host refuses. errno is kept.
bool RemoveIfStillNamed(int fd, const std::filesystem::path& host);

// FILETIME (100 ns since 1601) from and to host time.
FILETIME FileTimeFromHost(const struct timespec& time);
struct timespec HostTimeFromFileTime(const FILETIME& time);

}  // namespace plat
