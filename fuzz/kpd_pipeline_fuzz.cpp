// The whole road of a description: arbitrary text is compiled, packed and
// loaded from a buffer of exactly the block's size, as a cache file is read
// back; a printer context then takes the description's defaults for its
// settings and every description query is asked of every group, every
// judge is evaluated, and every hide, disable and alert answer, alert
// action and transact is run. Nothing may crash, stay allocated, be freed
// wrongly, or be left on the judge stack.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/kpd/kpd_compile.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"

namespace {

// The packed description in a buffer of exactly its size; null when the
// text does not compile.
std::unique_ptr<uint8_t[]> CompileAndPack(const uint8_t* data, size_t size, DWORD* blockSize) {
  KpdCompileReport report{};
  WorkBKPD* work = WorkBKPD_CreateFromText(data, static_cast<DWORD>(size), &report);
  if (work == nullptr) return nullptr;
  std::unique_ptr<uint8_t[]> block;
  if (BKPDGetWriteSize(work, blockSize)) {
    std::vector<BYTE> packed(*blockSize);
    if (!PackPpdData(packed.data(), *blockSize, work)) std::abort();
    block = fuzz::ExactCopy(packed.data(), packed.size());
  }
  WorkBKPD_Free(work);
  return block;
}

void TakeDefaults(UCB* ucb, PCBKPD b) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    SetDevmodeValueByFuncIDFromBKPD(ucb, g->funcId, BKPDGetGroupDefaultByFuncID(g->funcId, ucb));
  }
}

void AskQueries(UCB* ucb, PCBKPD b) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    (void)_GetUiGroupAddrByFuncID(g->funcId, ucb);
    (void)BKPDGetUiGroupAddr(g->groupId, ucb);
    (void)BKPDGetGroupTypeByFuncID(g->funcId, ucb);
    (void)_BKPDGetGroupTypeByFuncID(g->funcId, ucb);
    WORD defaultIndex = 0;
    (void)BKPDGetGroupOptionsByFuncID(g->funcId, ucb, &defaultIndex);
    (void)BKPDGetUiOptionCountByFuncID(g->funcId, ucb);
    (void)_GetUiOptionCount(b, g);
    MMPAPERSIZE size{};
    (void)_GetmmPaperArea(ucb, &size, g->funcId);
    const ExclusiveRecord* record = _GetExclusiveAddr(g->groupId, ucb);
    for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
      (void)_GetOptionAddr(record, o->value, ucb);
      RECT area{};
      POINT pair{};
      (void)GetPaperAreaForSrcPaper(ucb, &area, &pair, o->value);
      (void)GetPaperAreaForOutPaper(ucb, &area, &pair, o->value);
    }
  }
  for (int i = -1; i <= 8; ++i) (void)BKPDGetUiGroupAddrBySFCBIndex(ucb, i);
  (void)BKPDGetUIResDll(ucb);
  DWORD count = 0;
  FreeMemPtr(BKPDGetDeviceFont(ucb, &count));
  FreeMemPtr(BKPDGetOptionFont(ucb, &count));
  FreeMemPtr(BKPDGetFontTable(ucb, &count));
}

void Judge(DWORD taggedJudge, UCB* ucb) {
  (void)_IsJudgement(BkpdJudge(ucb->pBKPD, taggedJudge), ucb);
  if (ucb->pWork->wJudgeStackCount != 0) std::abort();
}

void EvaluateJudges(UCB* ucb, PCBKPD b) {
  for (const ExclusiveRecord* r = BkpdFirstExclusive(b); r != nullptr; r = BkpdNext(b, r)) {
    Judge(r->hideJudge, ucb);
    Judge(r->disableJudge, ucb);
    for (const ExclusiveItem* i = BkpdItemList(b, r->itemList); i != nullptr; i = BkpdNext(b, i)) {
      Judge(i->hideJudge, ucb);
      Judge(i->disableJudge, ucb);
    }
    for (const ExclusiveAlert* a = BkpdAlertList(b, r->alertList); a != nullptr; a = BkpdNext(b, a)) {
      Judge(a->judge, ucb);
    }
  }
  for (DWORD which = 0; which < kBkpdCommandGroupCount; ++which) {
    if (const BKPDCOMMANDGROUP* g = BkpdCommandGroup(b, static_cast<BkpdCommandGroupIndex>(which))) {
      Judge(g->judge, ucb);
    }
  }
}

// The answers of every group and option, then its alerts' actions and its
// transact, which change the settings the next group is judged on.
void RunGroups(UCB* ucb, PCBKPD b) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    (void)BKPDIsHideModeUI(g, 0, ucb);
    (void)BKPDIsDisableModeUI(g, 0, ucb);
    for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
      (void)BKPDIsHideModeUI(g, o->value, ucb);
      (void)BKPDIsDisableModeUI(g, o->value, ucb);
    }
    if (const WORD alert = BKPDIsAlertModeUI(g, ucb); alert != 0) {
      for (WORD answer = 1; answer <= 7; ++answer) BKPDSetAlertActionUI(g, alert, answer, ucb);
    }
    (void)BKPDSetActionUI(g, ucb);
    (void)BKPDSetAction(g->groupId, 0, ucb);
    if (ucb->pWork->wJudgeStackCount != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) {
    return 0;
  }
  fuzz::PlatformBalance balance;
  plat::SetAnsiCodePage(1252);
  const auto text = fuzz::ExactCopy(data, size);
  DWORD blockSize = 0;
  const auto block = CompileAndPack(text.get(), size, &blockSize);
  if (block == nullptr) {
    return 0;
  }
  PCBKPD b = UnpackPpdData(block.get(), blockSize);
  if (b == nullptr) {
    std::abort();  // the packer wrote what the loader refuses
  }
  kesm_test::HandContext context;
  UCB* ucb = context.ucb();
  if (BKPDInit(ucb) != 0) std::abort();
  ucb->pBKPD = b;
  TakeDefaults(ucb, b);
  AskQueries(ucb, b);
  EvaluateJudges(ucb, b);
  RunGroups(ucb, b);
  BKPDEnd(ucb);
  return 0;
}
