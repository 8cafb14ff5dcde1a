// Resource-only modules: shared objects whose only export is their resource
// table run nothing of their own, so they are read as data, as a resource
// DLL without an entry point is mapped, and never handed to the host
// loader. The bytes of one freed by every holder are kept while its file is
// unchanged: loading it again (as each printer context does with its
// resource DLL) then costs a status call instead of a read. A file changed
// in any way is read afresh. Private to the module services; callers hold
// the module table's lock.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/modules/resource_table.h"

namespace plat::kept {

// What tells a file apart from the one read before: its identity, size and
// times.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0;
  long long changed = 0;
  bool operator==(const FileId&) const = default;
};

using Image = std::shared_ptr<const std::vector<std::byte>>;

// The file's identity now, or nothing when it has no status.
std::optional<FileId> IdOf(const std::filesystem::path& host);

// The file's bytes when it is a shared object that exports no function (a
// resource table is all it offers); null otherwise, or when it cannot be
// read.
Image ReadResourceOnly(const std::filesystem::path& host);

// A freed module as kept: its bytes, and what was worked out from them and
// its file's name when it was first loaded (its Windows path in on-disk
// spelling and its checked resource table, a view of the bytes).
struct Kept {
  Image image;
  std::u16string windowsPath;
  std::optional<res::Table> resources;
};

// What was kept for the file of that identity, taken out of the keep, or an
// empty image. What was kept for the same file under another identity is
// dropped.
Kept Take(const std::filesystem::path& host, const FileId& id);

// Keeps a freed module; the oldest are dropped beyond a few.
void Keep(const std::filesystem::path& host, const FileId& id, Kept kept);

}  // namespace plat::kept
