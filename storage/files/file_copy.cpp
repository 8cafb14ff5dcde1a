#if !KESM_KERNEL_MODE  // user-mode file services only
#include "storage/files/file_copy.h"

#include <string>

#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/file_replace.h"
#include "storage/files/path_builders.h"
#include "storage/files/text_out.h"

namespace {

bool IsAbsolute(LPCWSTR path) { return path != nullptr && path[0] != 0 && path[1] == u':'; }

// The name to copy from: the one given, else the target's.
LPCWSTR SourceNameOr(LPCWSTR sourceName, LPCWSTR fallback) {
  return sourceName != nullptr && sourceName[0] != 0 ? sourceName : fallback;
}

// Puts a copy of the source in the target's place only once the copy is
// complete; the target keeps its content when any step fails.
BOOL ReplaceWithCopy(LPCWSTR source, LPCWSTR target) {
  storage::SiblingTempFile temp(storage::View(target));
  if (!temp.ok() || !_CopyFile(source, temp.path(), FALSE)) return FALSE;
  const DWORD attributes = GetFileAttributesW(target);
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL);
  if (temp.ReplaceTarget()) return TRUE;
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    SetFileAttributesW(target, attributes);
    SetLastError(error);
  }
  return FALSE;
}

BOOL CopyByRule(const std::u16string& source, const std::u16string& target, DWORD mode) {
  if (source.empty() || target.empty()) return FALSE;
  if (storage::SameTextIgnoringCase(source, target)) return TRUE;
  if (!_IsFileExist(source.c_str())) return FALSE;
  if (mode == kCopyOnce) {
    if (_IsFileExist(target.c_str())) return TRUE;
    return _CopyFile(source.c_str(), target.c_str(), TRUE);
  }
  if (_IsFileSameTimeStamp(source.c_str(), target.c_str())) return FALSE;
  return ReplaceWithCopy(source.c_str(), target.c_str());
}

std::u16string DriverFile(LPCWSTR name, UCB* ucb) {
  WCHAR path[MAX_PATH];
  if (!AddDriversDirToFileName(path, MAX_PATH, name, ucb != nullptr ? ucb->hPrinter : nullptr)) {
    return {};
  }
  return path;
}

}  // namespace

BOOL CopyFileToSystemDirFromDriverDir(LPCWSTR name, LPCWSTR sourceName, DWORD mode, UCB* ucb) {
  WCHAR target[MAX_PATH];
  if (name == nullptr || !AddSystemDirToFileName(target, MAX_PATH, name)) return FALSE;
  return CopyByRule(DriverFile(SourceNameOr(sourceName, name), ucb), target, mode);
}

BOOL CopyFileToOrderDirFromDriverDir(LPCWSTR path, LPCWSTR sourceName, DWORD mode, UCB* ucb) {
  if (path == nullptr) return FALSE;
  if (!IsAbsolute(path)) return CopyFileToSystemDirFromDriverDir(path, sourceName, mode, ucb);
  return CopyByRule(DriverFile(SourceNameOr(sourceName, GetFileNamePtr(path)), ucb), path, mode);
}

BOOL CopyFileToOrderDirFromOrderDir(LPCWSTR target, LPCWSTR source, DWORD mode) {
  if (!IsAbsolute(target) || !IsAbsolute(source)) return FALSE;
  return CopyByRule(source, target, mode);
}
#endif
