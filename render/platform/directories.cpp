#include "render/platform/directories.h"

#include <optional>
#include <string_view>

#include "settings/context/context_block.h"
#include "storage/files/dummy_dir.h"
#include "storage/system/system_info.h"
#include "storage/files/text_out.h"

namespace {

// A path field of the work area; nothing when it is not terminated within
// its 260 characters or is 260 characters long.
std::optional<std::u16string_view> PathField(const WCHAR (&field)[MAX_PATH]) {
  const std::u16string_view text(field, MAX_PATH);
  const std::size_t length = text.find(u'\0');
  if (length == std::u16string_view::npos) {
    return std::nullopt;
  }
  return text.substr(0, length);
}

// The path up to its count-th backslash from the end, without it; nothing
// when it has fewer.
std::optional<std::u16string_view> CutAtBackslash(std::u16string_view path, int count) {
  std::size_t end = path.size();
  for (int found = 0; found < count; ++found) {
    const std::size_t slash = end == 0 ? std::u16string_view::npos : path.rfind(u'\\', end - 1);
    if (slash == std::u16string_view::npos) {
      return std::nullopt;
    }
    end = slash;
  }
  return path.substr(0, end);
}

// Writes the cut path of a work-area field into a destination of at least
// 260 characters, which always holds it.
DWORD StoreCut(LPWSTR destination, DWORD size, const WCHAR (&field)[MAX_PATH], int count) {
  if (destination == nullptr) {
    return 0;
  }
  const auto path = PathField(field);
  const auto cut = path ? CutAtBackslash(*path, count) : std::nullopt;
  if (size < MAX_PATH || !cut) {
    storage::ClearOut(destination, size);
    return 0;
  }
  return storage::CopyOut(destination, size, *cut);
}

bool HasWorkArea(const UCB* ucb) { return ucb != nullptr && ucb->pWork != nullptr; }

using DirectoryQuery = DWORD (*)(LPWSTR, DWORD, UCB*);

// The directory the query gives, a backslash and the file name when all of
// it and its terminator fit in size characters; otherwise, and when the
// directory is unknown, an emptied destination and 0.
DWORD AddDirectoryToFileName(LPWSTR destination, DWORD size, LPCWSTR fileName, UCB* ucb, DirectoryQuery query) {
  if (destination == nullptr || fileName == nullptr || size == 0) {
    return 0;
  }
  WCHAR directory[MAX_PATH];
  const DWORD length = query(directory, MAX_PATH, ucb);
  if (length == 0) {
    // Without the directory the name would be taken from the root of the
    // current drive.
    storage::ClearOut(destination, size);
    return 0;
  }
  const std::u16string_view name(fileName);
  if (name.size() >= size || length >= size - name.size() - 1) {
    storage::ClearOut(destination, size);
    return 0;
  }
  std::u16string_view(directory, length).copy(destination, length);
  destination[length] = u'\\';
  name.copy(destination + length + 1, name.size());
  destination[length + 1 + name.size()] = 0;
  return static_cast<DWORD>(length + 1 + name.size());
}

}  // namespace

DWORD _KMGetDirectory(LPWSTR destination, DWORD size, UCB* ucb, int level) {
  // A path of fewer than 260 characters has fewer backslashes than that.
  if (!HasWorkArea(ucb) || level < 0 || level >= static_cast<int>(MAX_PATH)) {
    storage::ClearOut(destination, size);
    return 0;
  }
  return StoreCut(destination, size, ucb->pWork->szDataFileName, level + 1);
}

DWORD KMGetDriverDirectory(LPWSTR destination, DWORD size, UCB* ucb) {
  return _KMGetDirectory(destination, size, ucb, 0);
}

DWORD KMGetSystemDirectory(LPWSTR destination, DWORD size, UCB* ucb) {
  return _KMGetDirectory(destination, size, ucb, 4);
}

DWORD KMGetSystemDirectory2(LPWSTR destination, DWORD size, UCB* ucb) {
  if (!HasWorkArea(ucb)) {
    storage::ClearOut(destination, size);
    return 0;
  }
  return StoreCut(destination, size, ucb->pWork->szInstallDirectory, 5);
}

DWORD KMAddSystemDirToFileName(LPWSTR destination, DWORD size, LPCWSTR fileName, UCB* ucb) {
  return AddDirectoryToFileName(destination, size, fileName, ucb, KMGetSystemDirectory2);
}

DWORD KMAddSharedDirToFileName(LPWSTR destination, DWORD size, LPCWSTR fileName, UCB* ucb) {
  return AddDirectoryToFileName(destination, size, fileName, ucb,
                                IsOsLaterWin2000() ? KM_UM_GetDummySystemDirectory : KMGetSystemDirectory2);
}
