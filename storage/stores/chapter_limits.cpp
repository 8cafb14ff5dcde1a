#include "storage/stores/chapter_limits.h"

#include "features/chapter_blocks.h"
#include "features/custom_modules.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/property_codec.h"
#include "settings/context/context_names.h"

namespace {

constexpr WORD kFuncChapterMax = 831;
constexpr WORD kFuncChapterTrayMax = 832;

// The limit under its own key ("ChapterMax", "ChapterTrayMax") of the
// printer's section; 0 when missing or not a number of the setting's width.
void ReadLimit(UCB* ucb, WORD id) {
  SFCB* record = GetSFCBbyFuncID(ucb, id);
  if (record == nullptr) return;
  SetDevmodeValueDirect(ucb, record, 0);
  LPCWSTR ini = GetIniFilePath(ucb);
  if (storage::IsAbsoluteIniPath(ini)) storage::ReadIniSetting(ucb, record, ini, nullptr, nullptr);
}

}  // namespace

BOOL ReadChapterMaxInfo(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  ReadLimit(ucb, kFuncChapterMax);
  // More chapters than the blocks a context holds are not offered.
  const LONG_PTR asked = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterMax, nullptr);
  if (asked > kChapterMostBlocks) SetDevmodeValueDirectByFuncID(ucb, kFuncChapterMax, kChapterMostBlocks);
  ReadLimit(ucb, kFuncChapterTrayMax);
  return TRUE;
}

DWORD ReadChapterInfo(UCB* ucb) {
  DWORD count = 1;
  KesmCustomFunction(ucb, kModuleChapterCount, &count);
  return count;
}
