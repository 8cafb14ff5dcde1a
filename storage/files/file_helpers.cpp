#if !KESM_KERNEL_MODE  // user-mode file services only
#include "storage/files/file_helpers.h"

#include <string>
#include <string_view>

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "storage/files/text_out.h"

namespace {

bool IsDotEntry(std::u16string_view name) { return name == u"." || name == u".."; }

// The last-write time of a file opened without access rights.
bool LastWriteTime(LPCWSTR path, FILETIME* time) {
  HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const BOOL read = GetFileTime(file, nullptr, nullptr, time);
  CloseHandle(file);
  return read != FALSE;
}

}  // namespace

BOOL _IsFileExist(LPCWSTR path) {
  if (path == nullptr) return FALSE;
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL _DeleteFile(LPCWSTR path) {
  if (path == nullptr || !SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL)) return FALSE;
  return DeleteFileW(path);
}

BOOL _DeleteFileEx(LPCWSTR pattern) {
  const std::u16string_view text = storage::View(pattern);
  const std::size_t slash = text.rfind(u'\\');
  if (slash == std::u16string_view::npos) return FALSE;
  const std::u16string folder(text.substr(0, slash + 1));
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) return FALSE;
  BOOL reset = FALSE;
  do {
    if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      continue;
    }
    const std::u16string path = folder + found.cFileName;
    if (SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) reset = TRUE;
    DeleteFileW(path.c_str());
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return reset;
}

BOOL _CopyFile(LPCWSTR source, LPCWSTR target, BOOL failIfExists) {
  return CopyFileW(source, target, failIfExists) &&
         SetFileAttributesW(target, FILE_ATTRIBUTE_NORMAL) &&
         SetFileAttributesW(target, FILE_ATTRIBUTE_ARCHIVE);
}

BOOL _SetFileAttrRW(LPCWSTR path) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return FALSE;
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) return TRUE;
  return SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

BOOL _IsFileSameTimeStamp(LPCWSTR a, LPCWSTR b) {
  FILETIME first{};
  FILETIME second{};
  if (!LastWriteTime(a, &first) || !LastWriteTime(b, &second)) return FALSE;
  return first.dwLowDateTime == second.dwLowDateTime &&
         first.dwHighDateTime == second.dwHighDateTime;
}

BOOL _CreateDirectory(LPCWSTR path) {
  if (path == nullptr) return FALSE;
  if (CreateDirectoryW(path, nullptr)) return TRUE;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return FALSE;
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UINT _lreadEx(HFILE file, LPVOID buffer, UINT bytes) { return _lread(file, buffer, bytes); }
UINT _lwriteEx(HFILE file, LPCSTR buffer, UINT bytes) { return _lwrite(file, buffer, bytes); }
#endif
