#include "features/preset/preset_list.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "features/preset/preset_keyword.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_names.h"
#include "settings/tables/dialog_tables.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/preset_store.h"

namespace {

// Keys are short ("PresetList15"); a longer entry text is no key.
constexpr LRESULT kKeyChars = 64;
constexpr const WCHAR* kSuffixes[] = {u"", u"Name", u"Comment"};

std::u16string EntryKey(const ICB* list, int entry) {
  if (list == nullptr || list->hWnd == nullptr || entry < 0) return {};
  const LRESULT length = SendMessageW(list->hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length <= 0 || length >= kKeyChars) return {};
  std::array<WCHAR, kKeyChars> key{};
  SendMessageW(list->hWnd, LB_GETTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(key.data()));
  return key.data();
}

BOOL Write(UCB* ucb, const std::u16string& key, LPCWSTR value) {
  return KM_UM_WritePrivateProfileString(GetPresetSectionName(ucb), key.c_str(), value, GetIniFilePath(ucb));
}

BOOL Done(UCB* ucb, BOOL result) {
  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  return result;
}

}  // namespace

BOOL KesmIni_Exchange(UCB* ucb, LPCWSTR section, LPCWSTR keyA, LPCWSTR keyB) {
  if (ucb == nullptr || section == nullptr || keyA == nullptr || keyB == nullptr) return FALSE;
  std::array<WCHAR, kPresetKeywordChars> a{};
  std::array<WCHAR, kPresetKeywordChars> b{};
  LPCWSTR ini = GetIniFilePath(ucb);
  KM_UM_GetPrivateProfileString(section, keyA, u"", a.data(), kPresetKeywordChars, ini);
  KM_UM_GetPrivateProfileString(section, keyB, u"", b.data(), kPresetKeywordChars, ini);
  const BOOL first = KM_UM_WritePrivateProfileString(section, keyA, b.data(), ini);
  const BOOL second = KM_UM_WritePrivateProfileString(section, keyB, a.data(), ini);
  return Done(ucb, first && second ? TRUE : FALSE);
}

BOOL ReplacePresetData(UCB* ucb, const ICB* list, int i, int j) {
  if (ucb == nullptr) return FALSE;
  const std::u16string a = EntryKey(list, i);
  const std::u16string b = EntryKey(list, j);
  if (a.empty() || b.empty()) return FALSE;
  BOOL all = TRUE;
  for (const WCHAR* suffix : kSuffixes) {
    if (!KesmIni_Exchange(ucb, GetPresetSectionName(ucb), (a + suffix).c_str(), (b + suffix).c_str())) all = FALSE;
  }
  return Done(ucb, all);
}

BOOL SetNameAndComment(UCB* ucb, const ICB* list, int entry, LPCWSTR name, LPCWSTR comment) {
  if (ucb == nullptr) return FALSE;
  const std::u16string key = EntryKey(list, entry);
  if (key.empty()) return FALSE;
  const BOOL named = Write(ucb, key + kSuffixes[1], name != nullptr ? name : u"");
  const BOOL commented = Write(ucb, key + kSuffixes[2], comment != nullptr ? comment : u"");
  return Done(ucb, named && commented ? TRUE : FALSE);
}

BOOL DeletePresetData(UCB* ucb, const ICB* list, int entry) {
  if (ucb == nullptr) return FALSE;
  const std::u16string key = EntryKey(list, entry);
  const int count = ReadPresetCount(ucb);
  if (key.empty() || count <= 0) return FALSE;
  BOOL all = TRUE;
  for (const WCHAR* suffix : kSuffixes) {
    if (!Write(ucb, key + suffix, u"")) all = FALSE;
  }
  const std::string number = std::to_string(count - 1);
  const std::u16string left(number.begin(), number.end());
  if (!Write(ucb, u"Count", left.c_str())) all = FALSE;
  return Done(ucb, all);
}
#endif
