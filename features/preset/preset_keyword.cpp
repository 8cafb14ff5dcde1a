// A preset list entry's name, comment or set file, read through the key its
// text holds.
#include "features/preset/preset_keyword.h"

#if !KESM_KERNEL_MODE
#include <string>

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_names.h"
#include "settings/tables/dialog_tables.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"

namespace {

// Keys are short ("PresetList15"); a longer entry text is no key.
constexpr LRESULT kKeyChars = 64;

}  // namespace

int GetPresetKeyword(UCB* ucb, const ICB* list, int entry, int kind, LPWSTR text) {
  if (text == nullptr) return 0;
  text[0] = u'\0';
  if (ucb == nullptr || list == nullptr || list->hWnd == nullptr || entry < 0) return 0;
  const LRESULT length = SendMessageW(list->hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length <= 0 || length >= kKeyChars) return 0;
  WCHAR key[kKeyChars] = {};
  SendMessageW(list->hWnd, LB_GETTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(key));
  std::u16string name(key);
  if (kind == kPresetKeywordName) name += u"Name";
  if (kind == kPresetKeywordComment) name += u"Comment";
  return static_cast<int>(KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), name.c_str(), u"", text,
                                                        kPresetKeywordChars, GetIniFilePath(ucb)));
}
#endif
