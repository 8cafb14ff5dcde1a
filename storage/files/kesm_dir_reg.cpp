#if !KESM_KERNEL_MODE  // user-mode registry and printer data
#include "storage/files/kesm_dir_reg.h"

#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/registry/winreg.h"
#include "platform/spooler/winspool.h"
#include "settings/system/memptr.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/system/machine_registry.h"

namespace {

constexpr const WCHAR* kKesmDrvKey = u"SOFTWARE\\TALVO\\KesmDrv";
constexpr DWORD kValueBytes = 520;
// Room that callers keep for the names they append to the directory.
constexpr std::size_t kRoomForNames = 47;
constexpr std::size_t kRoomForProfileNames = 41;

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

struct BlockDeleter {
  void operator()(void* block) const { FreeMemPtr(block); }
};

// The printer-data value as text, read into a block of its own (one
// character more than the value may have, so that it ends terminated);
// empty when missing. False when the block cannot be had.
bool PrinterDataText(HANDLE printer, LPCWSTR value, std::u16string* text) {
  const std::unique_ptr<WCHAR, BlockDeleter> block(
      static_cast<LPWSTR>(GetMemPtr(kValueBytes + sizeof(WCHAR))));
  if (block == nullptr) return false;
  DWORD type = 0;
  DWORD needed = 0;
  text->clear();
  if (GetPrinterDataW(printer, value, &type, reinterpret_cast<LPBYTE>(block.get()), kValueBytes,
                      &needed) == ERROR_SUCCESS) {
    text->assign(storage::View(block.get()));
  }
  return true;
}

// The directory a value names, or empty.
std::u16string ResolveDataDirectory(std::u16string_view value) {
  std::u16string path;
  if (storage::StartsWithIgnoringCase(value, u"%USERPROFILE%")) {
    path = storage::ProfileDirectoryWithoutUcb();
    return path.empty() || path.size() + kRoomForProfileNames >= MAX_PATH ? std::u16string() : path;
  }
  constexpr std::u16string_view kSystemRoot = u"%SYSTEMROOT%";
  if (storage::StartsWithIgnoringCase(value, kSystemRoot)) {
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
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKesmDrvKey, 0, KEY_QUERY_VALUE, &key) !=
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

// Memory running out is a failure like any other (0): callers take only 1
// as a directory.
INT GetKESMDirFromDrvReg(HANDLE printer, LPCWSTR value, LPWSTR buffer, DWORD size) {
  if (value == nullptr || buffer == nullptr) return 0;
  try {
    std::u16string text;
    if (!PrinterDataText(printer, value, &text) || text.empty()) return 0;
    const std::u16string directory = ResolveDataDirectory(text);
    if (directory.empty() || directory.size() >= size) return 0;
    storage::CopyOut(buffer, size, directory);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

BOOL SetKESMDirToReg(LPCWSTR value, LPCWSTR data, DWORD bytes) {
  if (value == nullptr || data == nullptr) return FALSE;
  // The text ends at its first zero within bytes; text without one there
  // is refused, so the value always holds its terminator.
  const DWORD chars = bytes / sizeof(WCHAR);
  DWORD length = 0;
  while (length < chars && data[length] != 0) ++length;
  if (length == chars) return FALSE;
  return SetDataToRegKey(kKesmDrvKey, value, data, (length + 1) * sizeof(WCHAR), REG_SZ, nullptr);
}
#endif
