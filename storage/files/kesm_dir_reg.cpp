#if !KESM_KERNEL_MODE  // user-mode registry and printer data
#include "storage/files/kesm_dir_reg.h"

#include <string>
#include <string_view>

#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/registry/winreg.h"
#include "platform/spooler/winspool.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"

namespace {

constexpr DWORD kValueBytes = 520;
// Room that callers keep for the names they append to the directory.
constexpr std::size_t kRoomForNames = 47;
constexpr std::size_t kRoomForProfileNames = 41;

// Whether text starts with prefix, ignoring case.
bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() &&
         storage::SameTextIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Whether the folder exists; a trailing separator does not count, as a find
// pattern that ends in one finds nothing.
bool Exists(std::u16string path) {
  while (!path.empty() && path.back() == u'\\') path.pop_back();
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

// The printer-data value as text; empty when missing.
std::u16string PrinterDataText(HANDLE printer, LPCWSTR value) {
  WCHAR text[kValueBytes / sizeof(WCHAR) + 1] = {};
  DWORD type = 0;
  DWORD needed = 0;
  if (GetPrinterDataW(printer, value, &type, reinterpret_cast<LPBYTE>(text), kValueBytes,
                      &needed) != ERROR_SUCCESS) {
    return {};
  }
  return std::u16string(storage::View(text));
}

// The directory a value names, or empty.
std::u16string ResolveDataDirectory(std::u16string_view value) {
  std::u16string path;
  if (StartsWith(value, u"%USERPROFILE%")) {
    path = storage::ProfileDirectoryWithoutUcb();
    return path.empty() || path.size() + kRoomForProfileNames >= MAX_PATH ? std::u16string() : path;
  }
  constexpr std::u16string_view kSystemRoot = u"%SYSTEMROOT%";
  if (StartsWith(value, kSystemRoot)) {
    const std::u16string windows = storage::WindowsDirectory();
    if (windows.empty()) return {};
    path = windows + std::u16string(value.substr(kSystemRoot.size()));
  } else {
    path = value;
  }
  if (path.size() + kRoomForNames >= MAX_PATH || !Exists(path)) return {};
  return storage::JoinPath(path, u"_kesm");
}

}  // namespace

BOOL GetKESMDirFromReg(LPCWSTR value, LPWSTR buffer, DWORD bytes) {
  if (value == nullptr || buffer == nullptr || bytes < sizeof(WCHAR)) return FALSE;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\KesmDrv", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  std::u16string text(bytes / sizeof(WCHAR), u'\0');
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(text.size() * sizeof(WCHAR));
  const LSTATUS status =
      RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return FALSE;
  text.resize(size / sizeof(WCHAR));
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  if (text.size() >= bytes / sizeof(WCHAR)) return FALSE;  // no room for the terminator
  storage::CopyOut(buffer, bytes / sizeof(WCHAR), text);
  return TRUE;
}

INT GetKESMDirFromDrvReg(HANDLE printer, LPCWSTR value, LPWSTR buffer, DWORD size) {
  if (value == nullptr || buffer == nullptr) return 0;
  const std::u16string text = PrinterDataText(printer, value);
  if (text.empty()) return 0;
  const std::u16string directory = ResolveDataDirectory(text);
  if (directory.empty() || directory.size() >= size) return 0;
  storage::CopyOut(buffer, size, directory);
  return 1;
}
#endif
