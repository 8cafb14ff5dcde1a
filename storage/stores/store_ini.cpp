#if !KESM_KERNEL_MODE
#include "storage/stores/store_ini.h"

#include <array>
#include <charconv>
#include <vector>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/properties/property_codec.h"
#include "storage/setfiles/section_swap.h"
#include "storage/setfiles/set_file.h"

namespace storage {

LPCWSTR SettingsIniOf(UCB* ucb) {
  LPCWSTR path = GetIniFilePath(ucb);
  return IsAbsoluteIniPath(path) ? path : nullptr;
}

LPCWSTR DriverIniOf(UCB* ucb) {
  LPCWSTR path = GetDriverIniFilePath(ucb);
  return path != nullptr && path[0] != 0 ? path : nullptr;
}

std::u16string ReadStoreText(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD chars) {
  if (section == nullptr || path == nullptr || path[0] == 0 || chars == 0) return {};
  std::vector<WCHAR> text(chars, 0);
  KM_UM_GetPrivateProfileString(section, key, u"", text.data(), chars, path);
  return text.data();
}

int ReadStoreCount(LPCWSTR section, LPCWSTR key, LPCWSTR path, int max) {
  const std::u16string text = ReadStoreText(section, key, path, 16);
  std::array<char, 16> ascii{};
  std::size_t length = 0;
  for (char16_t c : text) {
    if (c > 0x7F) return 0;
    ascii[length++] = static_cast<char>(c);
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + length, value);
  if (error != std::errc() || end != ascii.data() + length || length == 0) return 0;
  return value < 0 ? 0 : value > max ? max : static_cast<int>(value);
}

BOOL WriteStoreText(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR path) {
  if (section == nullptr || path == nullptr || path[0] == 0) return FALSE;
  return KM_UM_WritePrivateProfileString(section, key, value, path);
}

BOOL WriteStoreNumber(LPCWSTR section, LPCWSTR key, int value, LPCWSTR path) {
  std::array<char, 16> digits{};
  const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  const std::u16string text(static_cast<const char*>(digits.data()), end);
  return WriteStoreText(section, key, text.c_str(), path);
}

std::u16string KeyWith(LPCWSTR key, LPCWSTR suffix) {
  return std::u16string(key != nullptr ? key : u"") + (suffix != nullptr ? suffix : u"");
}

BOOL ReadKeyedSetFile(UCB* ucb, LPCWSTR path, LPCWSTR key, DWORD flags) {
  PrinterNameSwap swap(ucb, key);
  return swap.ok() && ReadSetFile(ucb->hPrinter, path, flags, ucb);
}

BOOL WriteKeyedSetFile(UCB* ucb, LPCWSTR path, LPCWSTR key, DWORD flags) {
  PrinterNameSwap swap(ucb, key);
  return swap.ok() && WriteSetFile(ucb->hPrinter, path, flags, ucb);
}

bool IsFromNewerDriver(UCB* ucb, LPCWSTR path, LPCWSTR section) {
  if (ucb == nullptr || path == nullptr || path[0] == 0 || section == nullptr) return false;
  const int version = ReadStoreCount(section, u"RstVersion", path, 0x7FFFFFFF);
  const DP& model = ucb->pDP != nullptr ? *ucb->pDP : fgDP;
  return version > static_cast<int>(model.dwSetFileVersion);
}

std::u16string SettingText(UCB* ucb, WORD funcId) {
  std::array<WCHAR, kScratchChars> text{};
  GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), text.data());
  return text.data();
}

BOOL SetSettingText(UCB* ucb, WORD funcId, LPCWSTR text) {
  return SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), text) != nullptr;
}

}  // namespace storage
#endif
