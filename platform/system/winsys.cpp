// Version, directories, environment and locale queries over the machine's
// system facts.
#include "platform/system/winsys.h"

#include <algorithm>
#include <string>

#include "platform/text/locale_table.h"
#include "platform/system/sysfacts.h"
#include "platform/base/winerror.h"

namespace {

// The Windows size probe of directory and environment queries: the length
// when the text and its terminator fit, else the size needed.
DWORD CopyOrProbe(std::u16string_view text, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return static_cast<DWORD>(text.size());
}

}  // namespace

BOOL GetVersionExW(LPOSVERSIONINFOW info) {
  if (info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DWORD size = info->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const plat::OsVersionFacts facts = plat::CurrentOsVersion();
  const plat::OsVersion& v = facts.numbers;
  info->dwMajorVersion = v.major;
  info->dwMinorVersion = v.minor;
  info->dwBuildNumber = v.build;
  info->dwPlatformId = v.platformId;
  std::fill(std::begin(info->szCSDVersion), std::end(info->szCSDVersion), 0);
  std::copy_n(facts.servicePack.begin(), std::min<std::size_t>(facts.servicePack.size(), 127),
              info->szCSDVersion);
  if (size == sizeof(OSVERSIONINFOEXW)) {
    auto* ex = reinterpret_cast<LPOSVERSIONINFOEXW>(info);
    ex->wServicePackMajor = v.servicePackMajor;
    ex->wServicePackMinor = v.servicePackMinor;
    ex->wSuiteMask = v.suiteMask;
    ex->wProductType = v.productType;
    ex->wReserved = 0;
  }
  return TRUE;
}

UINT GetSystemDirectoryW(LPWSTR buffer, UINT size) {
  return CopyOrProbe(plat::SystemDirectory(), buffer, size);
}

UINT GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
  return CopyOrProbe(plat::WindowsDirectory(), buffer, size);
}

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto value = plat::EnvironmentValue(name);
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  // An empty value that fits reports 0, as Windows does; the last error
  // then tells it apart from a missing variable.
  SetLastError(ERROR_SUCCESS);
  return CopyOrProbe(*value, buffer, size);
}

LCID GetUserDefaultLCID() { return plat::UserDefaultLocale(); }

int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int cchData) {
  if (cchData < 0 || (cchData > 0 && data == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == 0) {
    locale = plat::UserDefaultLocale();
  }
  const plat::LocaleRow* row = plat::FindLocale(locale);
  if (row == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((type & ~LOCALE_NOUSEROVERRIDE) != LOCALE_ICOUNTRY) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  std::u16string_view text = row->country;
  const int needed = static_cast<int>(text.size() + 1);
  if (cchData == 0) return needed;
  if (cchData < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(text.begin(), text.end(), data);
  data[text.size()] = 0;
  return needed;
}
