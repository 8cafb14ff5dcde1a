// The saved state DCB2: a copy of the current DCB that owns its own copies
// of the DCB's arrays, so the two never share a block.
#include "settings/context/context_dcb2.h"

#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/context/context_internal.h"

namespace {

DCB* SavedState(UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->pDCB2 : nullptr;
}

}  // namespace

bool TakeSavedState(UCB* ucb) {
  DCB* saved = SavedState(ucb);
  if (saved == nullptr || ucb->pDCB == nullptr) return false;
  return CopyDcbImage(saved, ucb->pDCB);
}

BOOL GetDCB2(UCB* ucb) {
  if (SavedState(ucb) == nullptr || ucb->pDCB == nullptr) return FALSE;
  TakeSavedState(ucb);  // an array that cannot be copied is saved empty
  return TRUE;
}

BOOL FreeDCB2(UCB* ucb) {
  DCB* saved = SavedState(ucb);
  if (saved == nullptr) return FALSE;
  FreeDcbArrays(saved);
  return TRUE;
}
