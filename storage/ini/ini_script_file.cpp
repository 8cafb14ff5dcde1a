// Reading an INI file whole, and splicing a script into it.
#if !KESM_KERNEL_MODE  // the kernel-mode build has no script buffers
#include <optional>
#include <string>

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/profile/profile_turn.h"
#include "settings/context/drv_last_error.h"
#include "settings/system/memptr.h"
#include "storage/ini/ansi_text.h"
#include "storage/files/file_replace.h"
#include "storage/ini/ini_script.h"

namespace {

bool IsAbsolute(LPCWSTR path) { return path != nullptr && path[0] != 0 && path[1] == u':'; }

// Reads the whole file, opened with writing denied to others, into
// buffer(length) and returns its length; nothing when it cannot be opened
// or read in full (the last error says why).
template <class Allocate>
std::optional<DWORD> ReadWhole(LPCWSTR path, Allocate buffer) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  DWORD high = 0;
  const DWORD length = GetFileSize(file, &high);
  std::optional<DWORD> result;
  if (length == INVALID_FILE_SIZE || high != 0) {  // too large for an image and its zero
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  } else if (char* into = buffer(length); into == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  } else if (DWORD read = 0; !ReadFile(file, into, length, &read, nullptr) || read < length) {
    if (read < length) SetLastError(ERROR_READ_FAULT);
  } else {
    result = length;
  }
  const DWORD error = GetLastError();
  CloseHandle(file);
  SetLastError(error);
  return result;
}

// The image: a zeroed block of the file's length plus one; null on failure.
LPSTR ReadImage(LPCWSTR path) {
  LPSTR image = nullptr;
  const auto read = ReadWhole(path, [&](DWORD length) {
    image = static_cast<LPSTR>(GetMemPtr(length + 1));
    return image;
  });
  if (!read) {
    FreeMemPtr(image);
    return nullptr;
  }
  return image;
}

// The file's old text, every byte of it: empty when the file does not
// exist, nothing when it exists but cannot be read.
std::optional<std::string> OldText(LPCWSTR path, bool* exists) {
  *exists = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
  if (!*exists) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::string text;
  const auto read = ReadWhole(path, [&](DWORD length) {
    text.resize(length);
    return text.data();
  });
  if (!read) return std::nullopt;
  return text;
}

}  // namespace

LPSTR ReadIniOpen(LPCWSTR path, DWORD) {
  if (!IsAbsolute(path)) return nullptr;
  return ReadImage(path);
}

LPSTR IniOpen(LPCSTR path) {
  if (path == nullptr) return nullptr;
  const std::u16string wide = storage::FromAnsi(path);
  return wide.empty() ? nullptr : ReadImage(wide.c_str());
}

BOOL ReadIniClose(LPSTR image) {
  FreeMemPtr(image);
  return TRUE;
}

BOOL UpdateSetFile(UCB* ucb, LPCWSTR path, LPCWSTR section, LPCSTR script, DWORD length) {
  std::string name;
  if (!IsAbsolute(path) || section == nullptr || (script == nullptr && length > 0) ||
      !storage::ToAnsi(section, &name, storage::kNameBytes)) {
    DrvSetLastError(ucb, ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The profile functions write the same files: the whole round of reading
  // the old text and replacing it is one turn among their writers, so that
  // neither this write nor theirs is lost.
  const plat::ProfileFolderTurn turn(path);
  bool exists = false;
  const std::optional<std::string> old = OldText(path, &exists);
  if (!old) {
    DrvSetLastError(ucb, GetLastError());
    return FALSE;
  }
  std::string text(script != nullptr ? script : "", length);
  DWORD oldLength = 0;
  const char* header =
      SearchSectionName(name.c_str(), old->data(), static_cast<DWORD>(old->size()), &oldLength);
  if (header == nullptr) {
    text += *old;
  } else {
    const std::size_t at = static_cast<std::size_t>(header - old->data());
    text.append(*old, 0, at);
    text.append(*old, at + oldLength);
  }
  const DWORD attributes = exists ? GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  storage::SiblingTempFile temp(path);
  if (!temp.ok() || !temp.Write(text) || !temp.ReplaceTarget()) {
    DrvSetLastError(ucb, GetLastError());
    return FALSE;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path, attributes);
  return TRUE;
}
#endif
