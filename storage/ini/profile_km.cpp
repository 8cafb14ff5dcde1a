#if KESM_KERNEL_MODE  // the user-mode build goes to the profile services
#include <algorithm>
#include <string_view>

#include "render/platform/ini_access.h"
#include "settings/system/memptr.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/profile.h"

namespace {

constexpr std::size_t kSectionChars = 261;

// The section name with its brackets turned into commas, in a pool
// temporary of 261 characters. A null name stays null; a name too long for
// the temporary is refused.
class SectionName {
 public:
  explicit SectionName(LPCWSTR section) {
    if (section == nullptr) return;
    const std::u16string_view name(section);
    if (name.size() >= kSectionChars) {
      refused_ = true;
      return;
    }
    name_ = static_cast<LPWSTR>(GetMemPtr(kSectionChars * sizeof(WCHAR)));
    if (name_ == nullptr) {
      short_ = true;
      return;
    }
    name.copy(name_, name.size());
    CnvSQUAREBRACKETS(name_);
  }
  ~SectionName() { FreeMemPtr(name_); }
  SectionName(const SectionName&) = delete;
  SectionName& operator=(const SectionName&) = delete;

  bool refused() const { return refused_; }
  bool memoryShort() const { return short_; }
  LPCWSTR get() const { return name_; }

 private:
  LPWSTR name_ = nullptr;  // zeroed, so always terminated
  bool refused_ = false;
  bool short_ = false;
};

}  // namespace

UINT KM_UM_GetPrivateProfileInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR file) {
  const SectionName name(section);
  if (name.refused() || name.memoryShort()) return static_cast<UINT>(defaultValue);
  return static_cast<UINT>(KMGetPrivateProfileInt(name.get(), key, defaultValue, file));
}

DWORD KM_UM_GetPrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                                    LPWSTR buffer, DWORD size, LPCWSTR file) {
  const SectionName name(section);
  if (name.refused()) return 0;
  if (name.memoryShort()) {
    if (buffer == nullptr || size == 0) return 0;
    std::fill(buffer, buffer + size, u'\0');
    const std::u16string_view text(defaultValue != nullptr ? defaultValue : u"");
    return static_cast<DWORD>(text.copy(buffer, size - 1));
  }
  return KMGetPrivateProfileStringEx(name.get(), key, defaultValue, buffer, size, file);
}

BOOL KM_UM_WritePrivateProfileString(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file) {
  const SectionName name(section);
  if (name.get() == nullptr) return FALSE;
  return KMWritePrivateProfileString(name.get(), key, value, file);
}
#endif
