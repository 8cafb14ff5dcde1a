// File mapping over shared host mappings. A mapping object holds its file;
// each view holds its mapping, so a view outlives both handles.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <optional>

#include "platform/host/hosterror.h"
#include "platform/files/sharemode.h"
#include "platform/host/hostfile.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"

namespace {

constexpr std::uint64_t kAllocationGranularity = 65536;

// A mapping object keeps its file open, and marks it mapped (sharemode.h)
// until the object and its last view are gone.
class FileMapping : public plat::KernelObject {
 public:
  FileMapping(std::shared_ptr<plat::File> file, bool writable, std::uint64_t size, int marker)
      : file_(std::move(file)), writable_(writable), size_(size), marker_(marker) {}
  ~FileMapping() override { close(marker_); }
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;
  const plat::File& file() const { return *file_; }
  bool writable() const { return writable_; }
  std::uint64_t size() const { return size_; }

 private:
  std::shared_ptr<plat::File> file_;
  bool writable_;
  std::uint64_t size_;
  int marker_;
};

struct View {
  std::shared_ptr<FileMapping> mapping;
  std::size_t length;
};

struct ViewTable {
  std::mutex lock;
  std::map<const void*, View> views;
};

ViewTable& Views() {
  static ViewTable* table = new ViewTable;  // lives until process exit
  return *table;
}

// The mapping's size: the file's size for 0, else the size asked for, which
// grows a writable file; nullopt with the last error set.
std::optional<std::uint64_t> MappingSize(const plat::File& file, bool writable,
                                         std::uint64_t asked) {
  struct stat st {};
  if (fstat(file.fd(), &st) != 0) {
    plat::FailWithErrno(errno);
    return std::nullopt;
  }
  const auto current = static_cast<std::uint64_t>(st.st_size);
  if (asked == 0) {
    if (current == 0) {
      SetLastError(ERROR_FILE_INVALID);
      return std::nullopt;
    }
    return current;
  }
  if (asked > current) {
    if (!writable) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return std::nullopt;
    }
    if (ftruncate(file.fd(), static_cast<off_t>(asked)) != 0) {
      plat::FailWithErrno(errno);
      return std::nullopt;
    }
  }
  return asked;
}

}  // namespace

HANDLE CreateFileMappingW(HANDLE fileHandle, LPSECURITY_ATTRIBUTES, DWORD protect,
                          DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCWSTR name) {
  if (name != nullptr || fileHandle == INVALID_HANDLE_VALUE ||
      (protect != PAGE_READONLY && protect != PAGE_READWRITE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto file = plat::HandleAs<plat::File>(fileHandle);
  if (!file) return nullptr;
  const bool writable = protect == PAGE_READWRITE;
  if (!file->rights().read || (writable && !file->rights().write)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::uint64_t asked = (static_cast<std::uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;
  int marker = -1;
  std::optional<std::uint64_t> size;
  {
    plat::share::Gate gate(file->fd());
    size = MappingSize(*file, writable, asked);
    if (size && (marker = plat::share::OpenMappedMarker(file->fd())) < 0) {
      plat::FailWithErrno(errno);
      size.reset();
    }
  }
  if (!size) return nullptr;
  SetLastError(ERROR_SUCCESS);
  return plat::NewHandle(std::make_shared<FileMapping>(std::move(file), writable, *size, marker));
}

LPVOID MapViewOfFile(HANDLE fileMappingObject, DWORD desiredAccess, DWORD fileOffsetHigh,
                     DWORD fileOffsetLow, SIZE_T numberOfBytesToMap) {
  auto mapping = plat::HandleAs<FileMapping>(fileMappingObject);
  if (!mapping) return nullptr;
  const bool write = (desiredAccess & FILE_MAP_WRITE) != 0;
  if (!(desiredAccess & (FILE_MAP_READ | FILE_MAP_WRITE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (write && !mapping->writable()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::uint64_t offset = (static_cast<std::uint64_t>(fileOffsetHigh) << 32) | fileOffsetLow;
  if (offset % kAllocationGranularity != 0) {
    SetLastError(ERROR_MAPPED_ALIGNMENT);
    return nullptr;
  }
  if (offset >= mapping->size() || numberOfBytesToMap > mapping->size() - offset) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::size_t length = numberOfBytesToMap != 0
                                 ? numberOfBytesToMap
                                 : static_cast<std::size_t>(mapping->size() - offset);
  void* base = mmap(nullptr, length, write ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED,
                    mapping->file().fd(), static_cast<off_t>(offset));
  if (base == MAP_FAILED) {
    SetLastError(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_ACCESS_DENIED);
    return nullptr;
  }
  ViewTable& table = Views();
  std::lock_guard guard(table.lock);
  table.views.emplace(base, View{std::move(mapping), length});
  return base;
}

BOOL UnmapViewOfFile(LPCVOID baseAddress) {
  View view;
  {
    ViewTable& table = Views();
    std::lock_guard guard(table.lock);
    auto it = table.views.find(baseAddress);
    if (it == table.views.end()) return plat::Fail(ERROR_INVALID_ADDRESS);
    view = std::move(it->second);
    table.views.erase(it);
  }
  munmap(const_cast<void*>(baseAddress), view.length);
  return TRUE;
}
