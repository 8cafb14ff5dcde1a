#include "features/other/pages/job_merge_path.h"

#include <array>

#include "settings/context/context_names.h"
#include "storage/files/directories.h"
#include "storage/ini/profile.h"

namespace {

constexpr const WCHAR* kKeyFolder = u"DrvDefJobMergePath";
constexpr const WCHAR* kKeyExtension = u"DrvDefJobMergeFileExt";
constexpr const WCHAR* kDefaultFolder = u"<OS>\\Temp\\Rmp";
constexpr const WCHAR* kDefaultExtension = u"rmp";
constexpr std::u16string_view kWindowsPrefix = u"<OS>";
constexpr std::u16string_view kDrivePrefix = u"<OSDRIVE>";
constexpr std::u16string_view kRefused = u"\\/:;,*?\"<>|";
constexpr std::size_t kDriveChars = 2;

// A key the per-user set-up wrote without a value counts as no key.
std::u16string PerUserValue(UCB* ucb, LPCWSTR key, LPCWSTR fallback) {
  std::array<WCHAR, MAX_PATH + 1> value{};
  LPCWSTR ini = GetIniFilePath(ucb);
  LPCWSTR section = GetPrinterName(ucb);
  if (ini == nullptr || section == nullptr) return fallback;
  KM_UM_GetPrivateProfileString(section, key, fallback, value.data(), MAX_PATH, ini);
  return value[0] != 0 ? std::u16string(value.data()) : std::u16string(fallback);
}

std::u16string WindowsDirectory() {
  std::array<WCHAR, MAX_PATH> folder{};
  if (!GetWindowsDirName(folder.data(), MAX_PATH)) return {};
  return folder.data();
}

}  // namespace

std::u16string JobMergeFolder(UCB* ucb) {
  const std::u16string value = PerUserValue(ucb, kKeyFolder, kDefaultFolder);
  const std::u16string_view text(value);
  if (text.starts_with(kDrivePrefix)) {
    return WindowsDirectory().substr(0, kDriveChars) + std::u16string(text.substr(kDrivePrefix.size()));
  }
  if (text.starts_with(kWindowsPrefix)) return WindowsDirectory() + std::u16string(text.substr(kWindowsPrefix.size()));
  return value;
}

bool IsJobMergeNameRefused(std::u16string_view name) { return name.find_first_of(kRefused) != std::u16string_view::npos; }

std::u16string JobMergeFilePath(UCB* ucb, std::u16string_view name) {
  return JobMergeFolder(ucb) + u"\\" + std::u16string(name) + u"." + PerUserValue(ucb, kKeyExtension, kDefaultExtension);
}
