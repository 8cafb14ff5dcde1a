// The rendering library's read of a stored free size: the entry's values
// straight from the settings INI, key by key, through the kernel-mode INI
// reader (the user-mode store reads the entry as a set-file section).
#if KESM_KERNEL_MODE
#include <array>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/properties/property_codec.h"
#include "storage/stores/freesize_store.h"

namespace {

// The settings an entry's keys name, and those a source free size fills.
constexpr std::array<WORD, 5> kEntryIds = {752, 753, 754, 755, 756};
constexpr std::array<WORD, 5> kSourceIds = {757, 758, 759, 760, 761};

std::u16string EntrySection(UCB* ucb, int n) {
  std::u16string section = u"FreeSize";
  section += static_cast<char16_t>(u'0' + n);
  const LPCWSTR language = GetLanguageStrFromKDM(ucb);
  if (language != nullptr) section += language;
  return section;
}

void Empty(UCB* ucb, SFCB* record) {
  if (SettingKindIsString(SettingKindOf(record->descriptor))) {
    SetDevmodeStringBySFCB(ucb, record, u"");
  } else {
    SetDevmodeValueDirect(ucb, record, 0);
  }
}

}  // namespace

BOOL ReadFreesizeEntryKM(UCB* ucb, int n, bool source) {
  if (ucb == nullptr || n < 0 || n >= kFreeSizeEntries) return FALSE;
  const LPCWSTR ini = GetIniFilePath(ucb);
  if (ini == nullptr || ini[0] == 0) return FALSE;
  const std::u16string section = EntrySection(ucb, n);
  const std::array<WORD, 5>& targets = source ? kSourceIds : kEntryIds;
  for (std::size_t i = 0; i < kEntryIds.size(); ++i) {
    const SFCB* keyRecord = GetSFCBbyFuncID(ucb, kEntryIds[i]);
    SFCB* target = GetSFCBbyFuncID(ucb, targets[i]);
    if (keyRecord == nullptr || keyRecord->name == nullptr || target == nullptr) continue;
    Empty(ucb, target);
    storage::RecordOverride keep(target);
    target->iniSection = section.c_str();
    target->iniKey = keyRecord->name;
    storage::ReadIniSetting(ucb, target, ini, nullptr, nullptr);
  }
  return TRUE;
}
#endif
