#include "features/chapter_blocks.h"

#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncChapterMax = 831;
constexpr WORD kFuncChapterNum = 833;
constexpr WORD kTabColorProfile = 4011;
constexpr WORD kItemCmmFile = 2825;

}  // namespace

CHAPTERBLOCK* GetChapterBlockByIndex(UCB* ucb, int index) {
  if (ucb == nullptr || ucb->pWork == nullptr || index < 0) return nullptr;
  const auto used = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, nullptr));
  if (index >= used) return nullptr;
  WORKAREA& work = *ucb->pWork;
  if (work.pChapterBlocks == nullptr) {
    const auto most = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterMax, nullptr));
    if (most < 0) return nullptr;
    const auto capacity = static_cast<WORD>(most + 1);
    work.pChapterBlocks = static_cast<BYTE*>(GetMemPtr(SIZE_T{capacity} * sizeof(CHAPTERBLOCK)));
    if (work.pChapterBlocks == nullptr) return nullptr;
    work.wChapterCapacity = capacity;
  }
  if (index >= work.wChapterCapacity) return nullptr;
  return reinterpret_cast<CHAPTERBLOCK*>(work.pChapterBlocks) + index;
}

ICB* GetIcbForCmmFile(UCB* ucb) {
  TCB* tab = GetTCBbyTabID(ucb, kTabColorProfile);
  return tab != nullptr ? GetICBbyItemID(ucb, tab, kItemCmmFile) : nullptr;
}
