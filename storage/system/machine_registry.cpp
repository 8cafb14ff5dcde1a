#if !KESM_KERNEL_MODE  // the rendering library reads no machine-wide value
#include "storage/system/machine_registry.h"

#include <array>
#include <cstring>
#include <string>

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "settings/context/context_block.h"
#include "storage/files/known_dirs.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/printer_data.h"

namespace {

constexpr const WCHAR* kPrintLogKey = u"Software\\TALVO\\PrintLog";
constexpr const WCHAR* kLogDirectory = u"LogFileDirectory";
constexpr const WCHAR* kMaxLogSize = u"MaxLogFileSize";
constexpr DWORD kDefaultMaxLogSize = 64;
constexpr const WCHAR* kCustomSetupKey = u"Software\\TALVO\\KesmDrvCustomSetup";
constexpr const WCHAR* kBinderKey = u"Software\\TALVO\\Corvane\\Plexor";
constexpr DWORD kBinderApplication = 2;
// Values read here are small; a longer one is refused.
constexpr DWORD kLocalBytes = 2 * (MAX_PATH + 1);

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  PHKEY out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Reads a value of at most kLocalBytes; its size goes to *size.
bool ReadValue(LPCWSTR key, LPCWSTR value, std::array<BYTE, kLocalBytes>& data, DWORD* type, DWORD* size) {
  Key opened;
  if (key == nullptr || RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.out()) != ERROR_SUCCESS) {
    return false;
  }
  *size = static_cast<DWORD>(data.size());
  return RegQueryValueExW(opened.get(), value, nullptr, type, data.data(), size) == ERROR_SUCCESS;
}

// The rendering library's file name (the driver's "Driver" value) with its
// extension replaced by "log".
std::u16string LogFileName(UCB* ucb) {
  std::array<WCHAR, MAX_PATH + 1> driver{};
  if (!GetFrontDriverFileNameFromReg(nullptr, driver.data(), sizeof driver, ucb)) return {};
  std::u16string name(driver.data());
  const std::size_t dot = name.find_last_of(u'.');
  const std::size_t folder = name.find_last_of(u'\\');
  if (dot != std::u16string::npos && (folder == std::u16string::npos || dot > folder)) name.resize(dot);
  return name + u".log";
}

}  // namespace

BOOL GetDataFromRegKey(LPCWSTR key, LPCWSTR value, LPVOID buffer, DWORD bytes, UCB*) {
  if (buffer == nullptr || bytes == 0) return FALSE;
  std::array<BYTE, kLocalBytes> data{};
  DWORD type = 0;
  DWORD size = 0;
  if (!ReadValue(key, value, data, &type, &size) || size > bytes) return FALSE;
  std::memcpy(buffer, data.data(), size);
  return TRUE;
}

BOOL SetDataToRegKey(LPCWSTR key, LPCWSTR value, LPCVOID data, DWORD bytes, DWORD type, UCB*) {
  if (key == nullptr || (data == nullptr && bytes != 0)) return FALSE;
  Key created;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, created.out(), nullptr) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  return RegSetValueExW(created.get(), value, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
}

BOOL DriverLogProcForPrintLog(UCB* ucb) {
  std::array<BYTE, kLocalBytes> data{};
  DWORD type = 0;
  DWORD size = 0;
  const bool haveDirectory = ReadValue(kPrintLogKey, kLogDirectory, data, &type, &size) && type == REG_SZ &&
                             size >= sizeof(WCHAR) && data[0] | data[1];
  if (!haveDirectory) {
    const std::u16string windows = storage::WindowsDirectory();
    if (windows.empty()) return FALSE;
    const std::u16string folder = storage::JoinPath(windows, u"temp\\PrintLog");
    SetDataToRegKey(kPrintLogKey, kLogDirectory, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(WCHAR)), REG_SZ, ucb);
  }
  if (!ReadValue(kPrintLogKey, kMaxLogSize, data, &type, &size)) {
    SetDataToRegKey(kPrintLogKey, kMaxLogSize, &kDefaultMaxLogSize, sizeof kDefaultMaxLogSize, REG_DWORD, ucb);
  }
  return TRUE;
}

BOOL DriverLogProc(BOOL withName, UCB* ucb) {
  DriverLogProcForPrintLog(ucb);
  if (!withName) return TRUE;
  const std::u16string name = LogFileName(ucb);
  if (name.empty() || ucb == nullptr) return FALSE;
  return SetStrDataToReg(ucb->hPrinter, name.c_str(), static_cast<DWORD>((name.size() + 1) * sizeof(WCHAR)),
                         u"LogFileName", ucb);
}

BOOL IsDrvCustomSetup(UCB*) {
  std::array<BYTE, kLocalBytes> data{};
  DWORD type = 0;
  DWORD size = 0;
  if (!ReadValue(kCustomSetupKey, u"SaveDeviceSetup", data, &type, &size) || size < sizeof(WORD)) return FALSE;
  WORD first = 0;
  std::memcpy(&first, data.data(), sizeof first);
  return first == 1;
}

BOOL IsInstalledTalvoAppl(DWORD kind, UCB*) {
  if (kind != kBinderApplication) return FALSE;
  std::array<BYTE, kLocalBytes> data{};
  DWORD type = 0;
  DWORD size = 0;
  if (!ReadValue(kBinderKey, u"INSTALL_COUNT", data, &type, &size) || size != sizeof(DWORD)) return FALSE;
  DWORD count = 0;
  std::memcpy(&count, data.data(), sizeof count);
  return count != 0;
}
#endif
