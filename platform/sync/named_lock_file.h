// The cross-process side of a named mutex: one lock file per name under the
// machine folder's "objects" directory. Open-file-description locks (which
// the kernel drops when the holding process dies) mark who holds the name
// open and who owns it, and a marker byte in the file remembers that an
// owner took it, so that the next owner learns that a dead owner abandoned
// it. Internal to platform/.
#pragma once

#include <memory>
#include <string_view>

#include "platform/base/wintypes.h"

namespace plat {

class NamedLockFile {
 public:
  // Opens the lock file of an object name (without namespace prefix),
  // creating it. *existed tells whether another process holds the name
  // open; when none does, the object starts fresh (not abandoned) and, with
  // ownIfCreated, already owned by this process, so that no other process
  // can take it between its creation and its first owner. Null with *error
  // set when the file cannot be opened.
  static std::unique_ptr<NamedLockFile> Open(std::u16string_view name, bool ownIfCreated,
                                             bool* existed, DWORD* error);

  ~NamedLockFile();  // drops the process's hold and any ownership
  NamedLockFile(const NamedLockFile&) = delete;
  NamedLockFile& operator=(const NamedLockFile&) = delete;

  // Takes ownership for this process without blocking; false while another
  // process owns the object. On success *abandoned tells whether the last
  // owner died owning it; the object is marked owned.
  bool TryTakeOwnership(bool* abandoned);
  // Gives ownership up. A released object is marked free first; an
  // abandoned one keeps its mark for the next owner.
  void GiveUpOwnership(bool abandoned);

 private:
  explicit NamedLockFile(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace plat
