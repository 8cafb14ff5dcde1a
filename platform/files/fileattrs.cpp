// The attribute store: one text file in the machine folder, a line per entry
// whose attributes differ from the default ("device inode birth-seconds
// birth-nanoseconds attributes"). It is a locked whole-file store, so
// processes see each other's changes at once and a failed write loses
// nothing.
#include "platform/files/fileattrs.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/base/machine.h"
#include "platform/host/storecache.h"
#include "platform/host/storefile.h"
#include "platform/base/winerror.h"

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

Table Parse(std::string_view text) {
  Table table;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line(text.substr(start, end - start));
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

std::vector<BYTE> Format(const Table& table) {
  std::string text;
  char line[128];
  for (const auto& [id, kept] : table) {
    std::snprintf(line, sizeof line, "%" PRIu64 " %" PRIu64 " %" PRId64 " %" PRIu32 " %x\n",
                  id.device, id.inode, id.bornSeconds, id.bornNanos, kept);
    text += line;
  }
  return {text.begin(), text.end()};
}

DWORD DecodeTable(std::span<const BYTE> bytes, Table& table) {
  table = Parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  return ERROR_SUCCESS;
}

// The stored table; empty when there is no machine or no store yet. Kept in
// memory while no process changes the store: every file open asks for it.
std::shared_ptr<const Table> LoadTable() {
  static auto* cache = new store::CachedStore<Table, DecodeTable>(
      [] { return MachineRoot().empty() ? std::filesystem::path() : StorePath(); });  // lives until exit
  std::shared_ptr<const Table> table;
  if (MachineRoot().empty() || cache->Get(false, table) != ERROR_SUCCESS || table == nullptr) {
    static const auto* empty = new Table();  // lives until exit
    return std::shared_ptr<const Table>(std::shared_ptr<const Table>(), empty);
  }
  return table;
}

// Edits the table under the store's exclusive lock. The store is replaced
// whole, so a failed write leaves the previous table in place. False when
// the store cannot be reached or written.
bool ChangeTable(const std::function<void(Table&)>& change) {
  if (MachineRoot().empty()) return false;
  return store::Update(StorePath(), [&](std::vector<BYTE>& bytes) {
           Table table = Parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
           change(table);
           bytes = Format(table);
           return DWORD{ERROR_SUCCESS};
         }) == ERROR_SUCCESS;
}

DWORD KeptIn(const Table& table, const EntryInfo& info) {
  auto it = table.find(info.id);
  return it == table.end() ? DefaultKept(info.directory) : it->second;
}

}  // namespace

DWORD Of(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return INVALID_FILE_ATTRIBUTES;
  return Reported(KeptIn(*LoadTable(), *info), info->directory);
}

DWORD KeptOf(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return 0;
  return KeptIn(*LoadTable(), *info);
}

bool Set(const std::filesystem::path& host, DWORD kept) {
  auto info = InfoOf(host);
  if (!info) return false;
  kept &= kKept;
  return ChangeTable([&](Table& table) {
    if (kept == DefaultKept(info->directory)) {
      table.erase(info->id);
    } else {
      table[info->id] = kept;
    }
  });
}

void Forget(const std::filesystem::path& host) {
  auto info = InfoOf(host);
  if (!info) return;
  ChangeTable([&](Table& table) { table.erase(info->id); });
}

std::string Diagnose() {
  if (MachineRoot().empty()) return {};
  return store::Diagnose(StorePath(), "the attribute table", [](std::span<const BYTE>) { return DWORD{ERROR_SUCCESS}; });
}

struct Snapshot::Data {
  std::shared_ptr<const Table> table;
};

Snapshot::Snapshot() : data_(std::make_unique<Data>()) {
  data_->table = LoadTable();
}

Snapshot::~Snapshot() = default;

DWORD Snapshot::Of(const std::filesystem::path& host) const {
  auto info = InfoOf(host);
  if (!info) return INVALID_FILE_ATTRIBUTES;
  return Reported(KeptIn(*data_->table, *info), info->directory);
}

}  // namespace plat::attrs
