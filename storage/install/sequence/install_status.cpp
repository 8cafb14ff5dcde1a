#include "storage/install/sequence/install_status.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/files/winfile.h"
#include "platform/runtime/wintime.h"
#include "settings/context/context_names.h"
#include "settings/tables/driver_params.h"
#include "storage/files/file_helpers.h"
#include "storage/ini/profile.h"
#include "storage/install/install_ini.h"
#include "storage/install/sequence/sequence_common.h"
#include "storage/system/printer_info.h"
#include "storage/system/section_lock.h"
#include "storage/system/system_info.h"

namespace {

constexpr std::size_t kTimeDigits = 14;

// The 14-digit time as a file time; nullopt when it is not one.
std::optional<ULONGLONG> ParseInstallTime(std::u16string_view text) {
  if (text.size() < kTimeDigits) return std::nullopt;
  std::array<int, kTimeDigits> digits{};
  for (std::size_t i = 0; i < kTimeDigits; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    digits[i] = text[i] - u'0';
  }
  auto number = [&digits](std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) value = value * 10 + digits[i];
    return static_cast<WORD>(value);
  };
  SYSTEMTIME time{};
  time.wYear = number(0, 4);
  time.wMonth = number(4, 2);
  time.wDay = number(6, 2);
  time.wHour = number(8, 2);
  time.wMinute = number(10, 2);
  time.wSecond = number(12, 2);
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return std::nullopt;
  return (ULONGLONG{file.dwHighDateTime} << 32) | file.dwLowDateTime;
}

// "major.minor" as two numbers; nullopt when it is not of that form.
std::optional<std::pair<unsigned long, unsigned long>> ParseVersion(std::u16string_view text) {
  const std::size_t point = text.find(u'.');
  if (point == std::u16string_view::npos) return std::nullopt;
  auto number = [](std::u16string_view digits) -> std::optional<unsigned long> {
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    unsigned long value = 0;
    for (char16_t c : digits) {
      if (c < u'0' || c > u'9') return std::nullopt;
      value = value * 10 + static_cast<unsigned long>(c - u'0');
    }
    return value;
  };
  const auto major = number(text.substr(0, point));
  const auto minor = number(text.substr(point + 1));
  if (!major || !minor) return std::nullopt;
  return std::make_pair(*major, *minor);
}

std::u16string UtcTimeText() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  char text[32] = {};
  std::snprintf(text, sizeof text, "%04u%02u%02u%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return std::u16string(text, text + kTimeDigits);
}

}  // namespace

int CompareInstallTimes(std::u16string_view a, std::u16string_view b) {
  const auto ta = ParseInstallTime(a);
  const auto tb = ParseInstallTime(b);
  if (!ta || !tb) return (ta ? 1 : 0) - (tb ? 1 : 0);
  return *ta < *tb ? -1 : (*ta > *tb ? 1 : 0);
}

BOOL IsOlderDriverVersion(std::u16string_view a, std::u16string_view b) {
  const auto va = ParseVersion(a);
  const auto vb = ParseVersion(b);
  if (!va || !vb) return !va && vb;
  return *va < *vb;
}

BOOL SetTSInstallStatus(HANDLE printer, DWORD type, DWORD target) {
  if (!IsSupportIniAccessPerUser(printer)) return TRUE;
  const std::u16string name = sequence::PrinterNameOf(printer);
  const std::u16string ini =
      target == kStatusTargetUser ? sequence::UserIniPath() : sequence::SharedIniPath(printer);
  if (name.empty() || ini.empty()) return FALSE;
  const std::u16string time = UtcTimeText();
  const std::u16string typeText = storage::DecimalText(static_cast<LONG>(type));
  ScopedSection lock(nullptr);
  BOOL written = KM_UM_WritePrivateProfileString(name.c_str(), kKeyInstTime, time.c_str(), ini.c_str());
  if (written && target == kStatusTargetFirstInstall) {
    written = KM_UM_WritePrivateProfileString(name.c_str(), kKeyFirstInstTime, time.c_str(), ini.c_str());
  }
  if (written) written = KM_UM_WritePrivateProfileString(name.c_str(), kKeyInstType, typeText.c_str(), ini.c_str());
  if (written) {
    written = KM_UM_WritePrivateProfileString(name.c_str(), kKeyInstVersion, fgDP.pszDriverVersion, ini.c_str());
  }
  return written;
}

BOOL GetTSInstallStatus(HANDLE printer, LPDWORD status) {
  if (status == nullptr) return FALSE;
  *status = kUserCopyCurrent;
  if (!IsSupportIniAccessPerUser(printer)) return TRUE;
  const std::u16string userIni = sequence::UserIniPath();
  if (userIni.empty()) return TRUE;
  if (!_IsFileExist(userIni.c_str())) {
    *status = kUserCopyMissing;
    return TRUE;
  }
  const std::u16string name = sequence::PrinterNameOf(printer);
  const std::u16string sharedIni = sequence::SharedIniPath(printer);
  if (name.empty() || sharedIni.empty()) return FALSE;

  ScopedSection lock(nullptr);
  auto read = [&name](const std::u16string& ini, LPCWSTR key) {
    return sequence::ReadIniText(name.c_str(), key, ini.c_str());
  };
  const std::u16string userTime = read(userIni, kKeyInstTime);
  const std::u16string sharedTime = read(sharedIni, kKeyInstTime);
  if (!ParseInstallTime(userTime)) {
    *status = ParseInstallTime(sharedTime) ? kUserCopyUntimed : kUserCopyOlderVersion;
    return TRUE;
  }
  if (CompareInstallTimes(sharedTime, userTime) <= 0) {
    // A first install later than the user's copy was made from means the
    // printer was installed afresh: the copy is started over.
    const bool reinstalled =
        CompareInstallTimes(read(userIni, kKeyFirstInstTime), read(sharedIni, kKeyFirstInstTime)) < 0;
    *status = reinstalled ? kUserCopyMissing : kUserCopyCurrent;
    return TRUE;
  }
  DWORD adminChange = 0;
  if (IsAdminChange(printer, &adminChange) ||
      CompareInstallTimes(read(sharedIni, kKeyFirstInstTime), userTime) > 0) {
    *status = kUserCopyStale;
    return TRUE;
  }
  if (read(sharedIni, kKeyInstType) == u"2") {
    *status = IsOlderDriverVersion(read(userIni, kKeyInstVersion), fgDP.pszDriverVersion) ? kUserCopyOlderVersion
                                                                                           : kUserCopyCurrent;
    return TRUE;
  }
  *status = kUserCopyStale;
  return TRUE;
}
#endif
