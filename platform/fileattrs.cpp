// The attribute store: one text file in the machine folder, a line per entry
// whose attributes differ from the default ("device inode birth-seconds
// birth-nanoseconds attributes"). Readers take a shared flock, writers an
// exclusive one, so processes see each other's changes at once.
#include "platform/fileattrs.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/hostlock.h"
#include "platform/machine.h"

namespace plat::attrs {
namespace {

// Host identity of an entry. The birth time tells a new file from an old
// one whose inode number was reused (0 where the host keeps none).
struct EntryId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t bornSeconds = 0;
  std::uint32_t bornNanos = 0;
  bool operator<(const EntryId& o) const {
    return std::tie(device, inode, bornSeconds, bornNanos) <
           std::tie(o.device, o.inode, o.bornSeconds, o.bornNanos);
  }
};

struct EntryInfo {
  EntryId id;
  bool directory = false;
};

std::optional<EntryInfo> InfoOf(const std::filesystem::path& host) {
  struct statx sx {};
  if (statx(AT_FDCWD, host.c_str(), 0, STATX_TYPE | STATX_INO | STATX_BTIME, &sx) != 0) {
    return std::nullopt;
  }
  EntryInfo info;
  info.id.device = (static_cast<std::uint64_t>(sx.stx_dev_major) << 32) | sx.stx_dev_minor;
  info.id.inode = sx.stx_ino;
  if (sx.stx_mask & STATX_BTIME) {
    info.id.bornSeconds = sx.stx_btime.tv_sec;
    info.id.bornNanos = sx.stx_btime.tv_nsec;
  }
  info.directory = S_ISDIR(sx.stx_mode);
  return info;
}

// A new file has the archive attribute; a folder has none.
DWORD DefaultKept(bool directory) { return directory ? 0 : FILE_ATTRIBUTE_ARCHIVE; }

DWORD Reported(DWORD kept, bool directory) {
  if (directory) return kept | FILE_ATTRIBUTE_DIRECTORY;
  return kept == 0 ? FILE_ATTRIBUTE_NORMAL : kept;
}

using Table = std::map<EntryId, DWORD>;

std::filesystem::path StorePath() { return MachineRoot() / "attributes"; }

// The store file, locked; closed and unlocked on destruction.
class LockedStore {
 public:
  explicit LockedStore(bool forWriting) {
    if (MachineRoot().empty()) return;
    file_.emplace(StorePath(), forWriting ? O_RDWR | O_CREAT : O_RDONLY,
                  forWriting ? LOCK_EX : LOCK_SH);
    fd_ = file_->fd();
  }
  bool ok() const { return fd_ >= 0; }

  Table Load() const {
    Table table;
    if (fd_ < 0) return table;
    std::string text;
    char chunk[4096];
    for (off_t at = 0;;) {
      ssize_t n = pread(fd_, chunk, sizeof chunk, at);
      if (n <= 0) break;
      text.append(chunk, static_cast<std::size_t>(n));
      at += n;
    }
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(start, end - start);
      start = end + 1;
      EntryId id;
      unsigned kept = 0;
      if (std::sscanf(line.c_str(), "%" SCNu64 " %" SCNu64 " %" SCNd64 " %" SCNu32 " %x",
                      &id.device, &id.inode, &id.bornSeconds, &id.bornNanos, &kept) == 5) {
        table[id] = kept & kKept;
      }
    }
    return table;
  }

  bool Save(const Table& table) const {
    std::string text;
    char line[128];
    for (const auto& [id, kept] : table) {
      std::snprintf(line, sizeof line, "%" PRIu64 " %" PRIu64 " %" PRId64 " %" PRIu32 " %x\n",
                    id.device, id.inode, id.bornSeconds, id.bornNanos, kept);
      text += line;
    }
    if (ftruncate(fd_, 0) != 0) return false;
    return pwrite(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
  }

 private:
  std::optional<hostlock::LockedFile> file_;
  int fd_ = -1;
};

DWORD KeptIn(const Table& table, const EntryInfo& info) {
  auto it = table.find(info.id);
  return it == table.end() ? DefaultKept(info.directory) : it->second;
}

}  // namespace

DWORD Of(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return INVALID_FILE_ATTRIBUTES;
  LockedStore store(false);
  return Reported(KeptIn(store.Load(), *info), info->directory);
}

DWORD KeptOf(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return 0;
  LockedStore store(false);
  return KeptIn(store.Load(), *info);
}

bool Set(const std::filesystem::path& host, DWORD kept) {
  auto info = InfoOf(host);
  if (!info) return false;
  LockedStore store(true);
  if (!store.ok()) return false;
  Table table = store.Load();
  kept &= kKept;
  if (kept == DefaultKept(info->directory)) {
    if (table.erase(info->id) == 0) return true;
  } else {
    table[info->id] = kept;
  }
  return store.Save(table);
}

void Forget(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return;
  LockedStore store(true);
  if (!store.ok()) return;
  Table table = store.Load();
  if (table.erase(info->id) != 0) store.Save(table);
}

struct Snapshot::Data {
  Table table;
};

Snapshot::Snapshot() : data_(std::make_unique<Data>()) {
  LockedStore store(false);
  data_->table = store.Load();
}

Snapshot::~Snapshot() = default;

DWORD Snapshot::Of(const std::filesystem::path& host) const {
  auto info = InfoOf(host);
  if (!info) return INVALID_FILE_ATTRIBUTES;
  return Reported(KeptIn(data_->table, *info), info->directory);
}

}  // namespace plat::attrs
