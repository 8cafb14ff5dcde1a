// The preset an entry of a preset list names.
#if !KESM_KERNEL_MODE
#include "features/preset/preset_keyword.h"

#include <string>
#include <vector>

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"

namespace {

constexpr const WCHAR* kSuffixes[] = {u"", u"Name", u"Comment"};

// The entry's text, the preset's key; empty when the list has no such entry
// or its text would not be a key.
std::u16string KeyOf(const ICB* list, int entry) {
  if (list == nullptr || list->hWnd == nullptr || entry < 0) return {};
  const LRESULT length = SendMessageW(list->hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length <= 0 || length >= static_cast<LRESULT>(kPresetKeywordChars)) return {};
  std::vector<WCHAR> key(static_cast<std::size_t>(length) + 1, 0);
  if (SendMessageW(list->hWnd, LB_GETTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(key.data())) < 0) {
    return {};
  }
  return std::u16string(key.data());
}

}  // namespace

int GetPresetKeyword(UCB* ucb, const ICB* list, int entry, int kind, LPWSTR text) {
  if (text == nullptr) return 0;
  text[0] = 0;
  const std::u16string key = KeyOf(list, entry);
  LPCWSTR ini = ucb != nullptr ? GetIniFilePath(ucb) : nullptr;
  if (key.empty() || ini == nullptr || ini[0] == 0) return 0;
  const std::u16string full = key + (kind == kPresetKeywordName || kind == kPresetKeywordComment ? kSuffixes[kind] : u"");
  return static_cast<int>(
      KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), full.c_str(), u"", text, kPresetKeywordChars, ini));
}
#endif
