#if !KESM_KERNEL_MODE  // kernel-mode INI access reads mapped images
#include "storage/ini/profile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "platform/text/wintext.h"
#include "storage/ini/ini_script.h"

namespace {

constexpr std::size_t kSectionChars = 261;

// A section name with its brackets turned into commas; a null name stays
// null.
class SectionName {
 public:
  explicit SectionName(LPCWSTR section) {
    if (section == nullptr) return;
    if (static_cast<std::size_t>(lstrlenW(section)) >= kSectionChars) {
      refused_ = true;
      return;
    }
    lstrcpyW(name_.data(), section);
    CnvSQUAREBRACKETS(name_.data());
    present_ = true;
  }
  bool refused() const { return refused_; }
  LPCWSTR get() const { return present_ ? name_.data() : nullptr; }

 private:
  std::array<WCHAR, kSectionChars> name_{};
  bool present_ = false;
  bool refused_ = false;
};

std::optional<FILETIME> LastWriteTime(LPCWSTR file) {
  HANDLE handle =
      CreateFileW(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  FILETIME time{};
  const BOOL read = GetFileTime(handle, nullptr, nullptr, &time);
  CloseHandle(handle);
  return read ? std::optional<FILETIME>(time) : std::nullopt;
}

void SetLastWriteTime(LPCWSTR file, const FILETIME& time) {
  HANDLE handle =
      CreateFileW(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  SetFileTime(handle, nullptr, nullptr, &time);
  CloseHandle(handle);
}

}  // namespace

UINT KM_UM_GetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file) {
  const SectionName name(section);
  if (name.refused()) return static_cast<UINT>(defaultValue);
  return GetPrivateProfileIntW(name.get(), key, defaultValue, file);
}

DWORD KM_UM_GetPrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                                    LPWSTR buffer, DWORD size, LPCWSTR file) {
  const SectionName name(section);
  if (!name.refused()) {
    return GetPrivateProfileStringW(name.get(), key, defaultValue, buffer, size, file);
  }
  if (buffer == nullptr || size == 0) return 0;
  std::fill(buffer, buffer + size, u'\0');
  lstrcpynW(buffer, defaultValue != nullptr ? defaultValue : u"", static_cast<int>(size));
  return static_cast<DWORD>(lstrlenW(buffer));
}

BOOL KM_UM_WritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file) {
  const SectionName name(section);
  if (name.refused()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BOOL written = WritePrivateProfileStringW(name.get(), key, value, file);
  const DWORD error = GetLastError();
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file);
  SetLastError(error);
  return written;
}

BOOL UM_WritePrivateProfileStringNoChgTimeStamp(LPCWSTR section, LPCWSTR key, LPCWSTR value,
                                                LPCWSTR file) {
  const std::optional<FILETIME> before = LastWriteTime(file);
  const BOOL written = KM_UM_WritePrivateProfileString(section, key, value, file);
  if (before) {
    const DWORD error = GetLastError();
    SetLastWriteTime(file, *before);
    SetLastError(error);
  }
  return written;
}
#endif
