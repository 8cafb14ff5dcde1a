#if !KESM_KERNEL_MODE
#include "storage/install/install_ini.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "platform/profile/winprofile.h"
#include "settings/context/context_block.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/profile.h"

namespace storage {

std::optional<std::u16string> ReadWholeValue(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD maxChars,
                                             LPCWSTR defaultValue) {
  if (section == nullptr || key == nullptr || path == nullptr || path[0] == 0) {
    return std::u16string(defaultValue != nullptr ? defaultValue : u"");
  }
  // One character more than the field takes shows a value that is longer.
  std::vector<WCHAR> text(static_cast<std::size_t>(maxChars) + 2, 0);
  const DWORD length = KM_UM_GetPrivateProfileString(section, key, defaultValue, text.data(),
                                                     static_cast<DWORD>(text.size()), path);
  if (length > maxChars) return std::nullopt;
  return std::u16string(text.data(), length);
}

UINT ReadIniInt(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR path) {
  if (section == nullptr || path == nullptr || path[0] == 0) return static_cast<UINT>(defaultValue);
  return KM_UM_GetPrivateProfileInt(section, key, defaultValue, path);
}

BOOL DeleteIniKey(LPCWSTR section, LPCWSTR key, LPCWSTR path) {
  if (section == nullptr || key == nullptr || path == nullptr || path[0] == 0) return FALSE;
  return KM_UM_WritePrivateProfileString(section, key, nullptr, path);
}

std::optional<std::vector<WCHAR>> ReadWholeSection(LPCWSTR section, LPCWSTR path, DWORD maxChars) {
  if (section == nullptr || path == nullptr || path[0] == 0) return std::vector<WCHAR>(2, 0);
  std::u16string name(section);
  CnvSQUAREBRACKETS(name.data());
  // A list that does not fit comes back cut to size - 2; room for two more
  // characters than the limit tells a section that is too long. Most
  // sections are short: the buffer starts small and grows only while the
  // list comes back cut, rather than clearing the whole limit every read.
  const std::size_t most = static_cast<std::size_t>(maxChars) + 4;
  std::vector<WCHAR> lines(std::min<std::size_t>(most, 1024), 0);
  DWORD length = 0;
  for (;;) {
    length = GetPrivateProfileSectionW(name.c_str(), lines.data(), static_cast<DWORD>(lines.size()), path);
    if (length + 2 < lines.size() || lines.size() == most) break;
    lines.assign(std::min(most, lines.size() * 8), 0);
  }
  if (length > maxChars) return std::nullopt;
  lines.resize(static_cast<std::size_t>(length) + 2);
  return lines;
}

bool IsDigitsOnly(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool IsLettersAndDigits(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  });
}

std::u16string DecimalText(LONG value) {
  std::array<char, 16> digits{};
  const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  return std::u16string(static_cast<const char*>(digits.data()), end);
}

SettingsCopy::SettingsCopy(UCB* ucb) : ucb_(ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return;
  saved_ = NewMemBlock<DCB>();
  if (saved_ != nullptr) std::memcpy(saved_.get(), ucb->pDCB, sizeof(DCB));
}

void SettingsCopy::Restore() const {
  if (saved_ != nullptr && ucb_->pDCB != nullptr) std::memcpy(ucb_->pDCB, saved_.get(), sizeof(DCB));
}

}  // namespace storage
#endif

#if !KESM_KERNEL_MODE
#include "devicecomm/jobcodes/job_codes.h"

namespace storage {
void StoreJobCodes(UCB* ucb, DWORD mask) {
  SetJobCodeDLLExDependOnMachine(ucb, mask);
  SetJobCodeToReg(ucb, mask);
}
}  // namespace storage
#endif
