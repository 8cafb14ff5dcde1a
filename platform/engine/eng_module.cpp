// Engine modules: whole files, copied into memory of their own or, for
// writing, mapped with mmap.
#include "platform/engine/eng_module.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/base/owned_table.h"
#include "platform/engine/file_snapshot.h"
#include "platform/files/sharemode.h"
#include "platform/modules/resource_table.h"
#include "platform/files/file_watch.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"

namespace {

struct EngModule {
  void* view = nullptr;
  std::size_t size = 0;
  bool writable = false;
  int marker = -1;  // of a writable mapping: the file is mapped

  EngModule() = default;
  EngModule(const EngModule&) = delete;
  EngModule& operator=(const EngModule&) = delete;
  ~EngModule() {
    if (view != nullptr) {
      if (writable) msync(view, size, MS_SYNC);
      munmap(view, size);
    }
    if (marker >= 0) close(marker);
  }
};

struct EngModuleTable {
  std::mutex lock;
  plat::OwnedTable<EngModule> modules;
};

EngModuleTable& Modules() {
  static EngModuleTable* table = new EngModuleTable;  // lives until process exit
  return *table;
}

// The loaded module a handle names; the caller holds the table's lock.
EngModule* Loaded(HANDLE handle) { return Modules().modules.Find(handle); }

// Kernel callers may spell a path in the object-manager form "\??\C:\...".
std::u16string_view DosPath(LPCWSTR path) {
  std::u16string_view p(path);
  for (std::u16string_view prefix : {u"\\??\\", u"\\\\?\\"}) {
    if (p.starts_with(prefix)) return p.substr(prefix.size());
  }
  return p;
}

// A private view of a copy of the open file (file_snapshot.h): another
// process that truncates or rewrites the file cannot fault it, and a write
// into it stays in this process.
std::unique_ptr<EngModule> ReadFile(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) > std::numeric_limits<ULONG>::max()) {
    return nullptr;
  }
  const plat::eng::Snapshot copy = plat::eng::SnapshotOf(fd);
  if (copy.fd < 0) return nullptr;
  void* view = mmap(nullptr, copy.size, PROT_READ | PROT_WRITE, MAP_PRIVATE, copy.fd, 0);
  close(copy.fd);
  if (view == MAP_FAILED) return nullptr;
  auto module = std::make_unique<EngModule>();
  module->view = view;
  module->size = copy.size;
  return module;
}

// Maps the open file for writing in place: what is written reaches the
// file. A file shorter than minimumSize is first extended with zeros. The
// mapping marks the file mapped (platform/files/sharemode.h), so that no
// process empties it under the view; sizing and marking happen under the
// file's share gate, which such an open holds too.
std::unique_ptr<EngModule> MapForWrite(int fd, ULONG minimumSize) {
  plat::share::Gate gate(fd);
  struct stat st {};
  if (fstat(fd, &st) != 0) return nullptr;
  std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
  if (size < minimumSize) {
    if (ftruncate(fd, minimumSize) != 0) return nullptr;
    size = minimumSize;
  }
  if (size == 0 || size > std::numeric_limits<ULONG>::max()) return nullptr;
  auto module = std::make_unique<EngModule>();
  module->marker = plat::share::OpenMappedMarker(fd);
  if (module->marker < 0) return nullptr;
  void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (view == MAP_FAILED) return nullptr;
  module->view = view;
  module->size = size;
  module->writable = true;
  return module;
}

// Opens the file and copies or maps it; null when any step fails.
std::unique_ptr<EngModule> MapFile(LPCWSTR path, bool writable, ULONG minimumSize) {
  if (path == nullptr) return nullptr;
  auto host = plat::HostPathOf(std::u16string(DosPath(path)).c_str());
  std::error_code ec;
  if (!host || !std::filesystem::is_regular_file(*host, ec)) return nullptr;
  plat::ReportFileStep({plat::FileStep::kOpen, *host, {}, static_cast<DWORD>(OPEN_EXISTING)});
  const int fd = open(host->c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0) return nullptr;
  std::unique_ptr<EngModule> module = writable ? MapForWrite(fd, minimumSize) : ReadFile(fd);
  close(fd);
  return module;
}

HANDLE Register(std::unique_ptr<EngModule> module) {
  if (!module) return nullptr;
  std::lock_guard guard(Modules().lock);
  return Modules().modules.Add(std::move(module));
}

}  // namespace

HANDLE EngLoadModule(LPWSTR path) { return Register(MapFile(path, false, 0)); }

HANDLE EngLoadModuleForWrite(LPWSTR path, ULONG cjSizeOfModule) {
  return Register(MapFile(path, true, cjSizeOfModule));
}

PVOID EngMapModule(HANDLE module, PULONG size) {
  std::lock_guard guard(Modules().lock);
  EngModule* m = Loaded(module);
  if (m == nullptr) return nullptr;
  if (size != nullptr) *size = static_cast<ULONG>(m->size);
  return m->view;
}

void EngFreeModule(HANDLE module) {
  std::unique_ptr<EngModule> freed;  // unmapped outside the lock
  std::lock_guard guard(Modules().lock);
  freed = Modules().modules.Remove(module);
}

PVOID EngFindResource(HANDLE module, int name, int type, PULONG size) {
  std::lock_guard guard(Modules().lock);
  EngModule* m = Loaded(module);
  if (m == nullptr || name < 0 || type < 0) return nullptr;
  // Checked on every call: a writable view may have changed since.
  auto table = plat::res::Table::InImage({static_cast<const std::byte*>(m->view), m->size});
  const plat::res::ResourceEntry* entry =
      table ? table->Find(static_cast<std::uint32_t>(type), static_cast<std::uint32_t>(name))
            : nullptr;
  if (entry == nullptr) return nullptr;
  if (size != nullptr) *size = entry->dataSize;
  return const_cast<void*>(table->Data(*entry));
}

INT EngMulDiv(INT a, INT b, INT c) {
  constexpr INT kMax = std::numeric_limits<INT>::max();
  constexpr INT kMin = std::numeric_limits<INT>::min();
  std::int64_t product = std::int64_t{a} * b;
  bool negative = (product < 0) != (c < 0) && product != 0;
  if (c == 0) return product < 0 ? kMin : kMax;
  std::int64_t quotient = product / c;
  std::int64_t remainder = product % c;
  if (2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -std::int64_t{c} : c)) {
    quotient += negative ? -1 : 1;
  }
  if (quotient > kMax) return kMax;
  if (quotient < kMin) return kMin;
  return static_cast<INT>(quotient);
}
