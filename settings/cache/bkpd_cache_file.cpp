// The BCS cache file beside the description text: its name, reading it
// back, writing it whole and deleting it.
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/text/wintext.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/system/mapfile.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#if !KESM_KERNEL_MODE
#include "platform/base/handles.h"
#include "platform/files/winfile.h"
#include "platform/runtime/wintime.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_replace.h"
#endif

namespace {

constexpr std::u16string_view kCacheExtension = u"BCS";

struct MemDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};
using WideCopy = std::unique_ptr<WCHAR, MemDeleter>;

#if !KESM_KERNEL_MODE
// The file's last-write time; false when it cannot be opened or read.
bool LastWriteTime(LPCWSTR path, FILETIME* time) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const BOOL read = GetFileTime(file, nullptr, nullptr, time);
  CloseHandle(file);
  return read != FALSE;
}

// A cache older than its text, or one whose age cannot be told, is stale.
bool IsFresh(LPCWSTR dataFile, LPCWSTR cacheFile) {
  FILETIME text{};
  FILETIME cache{};
  return LastWriteTime(dataFile, &text) && LastWriteTime(cacheFile, &cache) && CompareFileTime(&cache, &text) >= 0;
}
#endif

}  // namespace

LPWSTR GenerateBKPDFilename(LPCWSTR dataFile) {
  if (dataFile == nullptr) return nullptr;
  const std::u16string_view path(dataFile);
  // Only the file name's own extension is replaced: a dot in a folder name
  // would otherwise name a file outside the text's folder.
  const std::size_t slash = path.find_last_of(u"\\/");
  const std::size_t nameStart = slash == std::u16string_view::npos ? 0 : slash + 1;
  const std::size_t dot = path.find_last_of(u'.');
  const bool hasExtension = dot != std::u16string_view::npos && dot >= nameStart;
  const std::u16string_view stem = hasExtension ? path.substr(0, dot + 1) : path;
  const std::u16string_view joint = hasExtension ? u"" : u".";
  const std::size_t chars = stem.size() + joint.size() + kCacheExtension.size();
  auto* name = static_cast<LPWSTR>(GetMemPtr((chars + 1) * sizeof(WCHAR)));
  if (name == nullptr) return nullptr;
  LPWSTR out = name;
  for (std::u16string_view part : {stem, joint, kCacheExtension}) {
    std::memcpy(out, part.data(), part.size() * sizeof(WCHAR));
    out += part.size();
  }
  // A text named like its own cache has none: writing one would replace
  // the text.
  if (lstrcmpiW(name, dataFile) == 0) {
    FreeMemPtr(name);
    return nullptr;
  }
  return name;
}

LPBYTE GetBinaryPpdData(LPCWSTR dataFile, DWORD* size) {
  if (size != nullptr) *size = 0;
  const WideCopy cacheFile(GenerateBKPDFilename(dataFile));
  if (cacheFile == nullptr || size == nullptr) return nullptr;
#if !KESM_KERNEL_MODE
  if (!IsFresh(dataFile, cacheFile.get())) return nullptr;
#endif
  PVOID mapping = nullptr;
  const BYTE* view = nullptr;
  DWORD bytes = 0;
  if (!MAPFILE(cacheFile.get(), &mapping, &view, &bytes)) return nullptr;
  LPBYTE copy = nullptr;
  if (bytes >= kBkpdCacheMinSize && LoadLE<DWORD>(view, offsetof(BKPDHEADER, totalSize)) == bytes) {
    copy = static_cast<LPBYTE>(GetMemPtr(bytes));
    if (copy != nullptr) {
      std::memcpy(copy, view, bytes);
      *size = bytes;
    }
  }
  UNMAPFILE(mapping);
  return copy;
}

#if KESM_KERNEL_MODE

// The rendering library reads the cache only; the configuration library
// keeps it.
void SaveBKPDData(PCBKPD, LPCWSTR) {}
void BKPDFileDelete(LPCWSTR) {}

#else

void SaveBKPDData(PCBKPD bkpd, LPCWSTR dataFile) {
  if (bkpd == nullptr) return;
  const WideCopy cacheFile(GenerateBKPDFilename(dataFile));
  if (cacheFile == nullptr) return;
  storage::SiblingTempFile temp(cacheFile.get());
  if (!temp.ok()) return;
  const std::string_view bytes(reinterpret_cast<const char*>(bkpd), bkpd->totalSize);
  if (temp.Write(bytes)) temp.ReplaceTarget();
}

void BKPDFileDelete(LPCWSTR dataFile) {
  const WideCopy cacheFile(GenerateBKPDFilename(dataFile));
  if (cacheFile != nullptr) _DeleteFile(cacheFile.get());
}

#endif
