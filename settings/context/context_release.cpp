// Freeing a printer context and everything it owns. Every owned pointer is
// either null or the context's own, so this also frees a context whose
// build stopped part way.
#include "features/custom_modules.h"
#include "settings/constraints/active_value_memo.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_description.h"
#include "settings/context/context_internal.h"
#include "settings/system/memptr.h"
#include "storage/properties/printer_properties.h"
#if !KESM_KERNEL_MODE
#include "devicecomm/jobcodes/job_codes.h"
#include "ui/resource_dll.h"
#endif

namespace {

void FreeSettingList(UCB* ucb) {
  if (ucb->pSFL == nullptr) return;
  FreeMemPtr(ucb->pSFL->pSFCB);
  FreeMemPtr(ucb->pSFL);
  ucb->pSFL = nullptr;
}

#if !KESM_KERNEL_MODE
void FreeTabList(UCB* ucb) {
  TL* list = ucb->pTL;
  if (list == nullptr) return;
  if (list->pTCB != nullptr) {
    for (int i = 0; i < list->count; ++i) FreeMemPtr(list->pTCB[i].pICB);
    FreeMemPtr(list->pTCB);
  }
  FreeMemPtr(list);
  ucb->pTL = nullptr;
}
#endif

void FreeWorkArea(UCB* ucb) {
  WORKAREA* work = ucb->pWork;
  if (work == nullptr) return;
  for (BYTE*& entry : work->apUndoRing) {
    FreeDcbArrays(reinterpret_cast<DCB*>(entry));
    FreeMemPtr(entry);
    entry = nullptr;
  }
  FreeMemPtr(work->pSavedFontTable);
  work->pSavedFontTable = nullptr;
  work->cSavedFontTable = 0;
  FreeMemPtr(work->pChapterBlocks);
  work->pChapterBlocks = nullptr;
  work->wChapterCapacity = 0;
  KesmTermCustom(ucb);
  FreeActiveValueMemo(ucb);
  FreeDcbArrays(work->pForeignDefaults);
  FreeMemPtr(work->pForeignDefaults);
  work->pForeignDefaults = nullptr;
  FreeMemPtr(work);
  ucb->pWork = nullptr;
}

}  // namespace

void DestroyUcb(UCB* ucb) {
  if (ucb == nullptr) return;
  if (ucb->pWork != nullptr) {
    FreeDCB2(ucb);
    FreeMemPtr(ucb->pWork->pDCB2);
    ucb->pWork->pDCB2 = nullptr;
  }
  // The DCB's arrays go with it whatever the release word says.
  FreeReg(ucb);
#if !KESM_KERNEL_MODE
  FreeResDll(ucb);
  // A job-code library still bound (a load without its unload) goes too.
  UnLoadJobCode(ucb);
#endif
  EndContextDescription(ucb);
  FreeSettingList(ucb);
#if !KESM_KERNEL_MODE
  FreeTabList(ucb);
#endif
  FreeMemPtr(ucb->pDP);
  ucb->pDP = nullptr;
  FreeMemPtr(ucb->pDCB);
  ucb->pDCB = nullptr;
  FreeWorkArea(ucb);
  FreeMemPtr(ucb);
  CountUcb(-1);
}
