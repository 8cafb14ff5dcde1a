// Share modes between open handles, across processes. Each handle's host
// descriptor carries shared byte-range locks (open-file-description locks)
// far beyond any file's end: one byte per access it holds and one per share
// it refuses. Another open tests those bytes. Internal to platform/.
#pragma once

#include "platform/base/wintypes.h"

namespace plat::share {

// Access kinds that take part in share checks.
inline constexpr unsigned kRead = 1;
inline constexpr unsigned kWrite = 2;
inline constexpr unsigned kDelete = 4;

// Holds the file's share gate (an exclusive flock on fd) so that a test and
// the open, delete or rename that follows it are one step for every
// process.
class Gate {
 public:
  explicit Gate(int fd);
  ~Gate();
  Gate(const Gate&) = delete;
  Gate& operator=(const Gate&) = delete;

 private:
  int fd_;
};

// Whether an open with the access and FILE_SHARE_* mode would conflict with
// a handle open on the same file (fd's own locks do not count). Call with
// the Gate held.
bool Conflicts(int fd, unsigned access, DWORD shareMode);
// Records fd's access and refused shares. fd must be open for reading. Call
// with the Gate held; false when the host refuses the locks.
bool Record(int fd, unsigned access, DWORD shareMode);

// A file mapping's own descriptor of the file open on fd, marking the file
// as mapped for as long as it stays open (-1 when the host refuses).
// Windows refuses to cut a file short while a mapping of it exists: this
// marker lets every process tell, so that no view of any process ever
// reaches past the end of its file.
int OpenMappedMarker(int fd);
// Whether any mapping of any process holds the file open on fd. Call with
// the Gate held.
bool Mapped(int fd);

}  // namespace plat::share
