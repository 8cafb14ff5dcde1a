// Windows attributes of the files and folders of the machine's drive. They
// are kept in one store file of the machine, keyed by the host identity of
// the entry (device, inode and birth time), so that they go with a file
// when it is renamed and are seen by every process. Internal to platform/.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/files/winfile.h"

namespace plat::attrs {

// The attributes a caller can set and the store keeps.
inline constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The attributes of an existing entry as GetFileAttributesW reports them
// (FILE_ATTRIBUTE_DIRECTORY for folders, FILE_ATTRIBUTE_NORMAL for a file
// with none kept); INVALID_FILE_ATTRIBUTES when the entry does not exist.
DWORD Of(const std::filesystem::path& host);
// The kept attributes of an existing entry (without DIRECTORY or NORMAL).
DWORD KeptOf(const std::filesystem::path& host);
// Stores the kept attributes of an existing entry; false when the entry or
// the store cannot be reached.
bool Set(const std::filesystem::path& host, DWORD kept);
// Drops what is stored for an entry that is about to be removed.
void Forget(const std::filesystem::path& host);

// What keeps the attribute store from being read, naming its file or lock
// file; empty when nothing does (or no machine is set).
std::string Diagnose();

// The attributes of many entries at once, read from one load of the store.
class Snapshot {
 public:
  Snapshot();
  ~Snapshot();
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  DWORD Of(const std::filesystem::path& host) const;

 private:
  struct Data;
  std::unique_ptr<Data> data_;
};

}  // namespace plat::attrs
