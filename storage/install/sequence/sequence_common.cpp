#include "storage/install/sequence/sequence_common.h"

#if !KESM_KERNEL_MODE
#include <array>

#include "platform/files/winfile.h"
#include "settings/context/context_names.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/profile.h"

namespace sequence {
namespace {

constexpr DWORD kValueChars = 1025;
// A default no INI value can hold: it tells a missing key from any value.
constexpr const WCHAR* kAbsent = u"\n";

}  // namespace

std::u16string PrinterNameOf(HANDLE printer) {
  std::array<WCHAR, MAX_PATH + 1> name{};
  GetPrinterNameWithoutUCB(printer, name.data(), static_cast<DWORD>(name.size()));
  return name.data();
}

std::u16string UserIniPath() {
  std::array<WCHAR, MAX_PATH> path{};
  return GetIniFilePathWithoutUCB(path.data(), 0, 1, nullptr) ? std::u16string(path.data()) : std::u16string();
}

std::u16string SharedIniPath(HANDLE printer) {
  std::array<WCHAR, MAX_PATH> path{};
  return GetIniFilePathWithoutUCB(path.data(), 0, 0, printer) ? std::u16string(path.data()) : std::u16string();
}

std::u16string ReadIniText(LPCWSTR section, LPCWSTR key, LPCWSTR path) {
  std::array<WCHAR, kValueChars> value{};
  KM_UM_GetPrivateProfileString(section, key, u"", value.data(), kValueChars, path);
  return value.data();
}

std::optional<std::u16string> TakeIniKey(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD maxChars) {
  std::array<WCHAR, kValueChars> value{};
  const DWORD length = KM_UM_GetPrivateProfileString(section, key, kAbsent, value.data(), kValueChars, path);
  if (std::u16string_view(value.data()) == kAbsent) return std::nullopt;
  UM_WritePrivateProfileStringNoChgTimeStamp(section, key, nullptr, path);
  if (length >= maxChars || length + 1 >= kValueChars) return std::nullopt;
  return std::u16string(value.data(), length);
}

std::u16string ExpandSystemDirectory(std::u16string_view value) {
  constexpr std::u16string_view kDrive = u"%SYSTEMDRIVE%";
  constexpr std::u16string_view kRoot = u"%SYSTEMROOT%";
  const std::u16string windows = storage::WindowsDirectory();
  if (storage::StartsWithIgnoringCase(value, kDrive) && windows.size() >= 2) {
    return windows.substr(0, 2) + std::u16string(value.substr(kDrive.size()));
  }
  if (storage::StartsWithIgnoringCase(value, kRoot) && !windows.empty()) {
    return windows + std::u16string(value.substr(kRoot.size()));
  }
  return std::u16string(value);
}

bool IsFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

SharedIniScope::SharedIniScope(UCB* ucb) : ucb_(ucb) {
  if (ucb_ == nullptr || ucb_->pWork == nullptr) return;
  saved_ = ucb_->pWork->dwMode;
  ucb_->pWork->dwMode |= kModeTsModify;
  GetIniFilePath(ucb_);
}

SharedIniScope::~SharedIniScope() {
  if (ucb_ == nullptr || ucb_->pWork == nullptr) return;
  ucb_->pWork->dwMode = saved_;
  GetIniFilePath(ucb_);
}

}  // namespace sequence
#endif
