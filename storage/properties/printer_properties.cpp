// The property reader is not written yet: until it is, no printer property
// is read, so a context keeps the values its DCB was built with and holds no
// font arrays. Freeing the arrays works on whatever a DCB holds.
#include "storage/properties/printer_properties.h"

#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"

BOOL GetReg(UCB* /*ucb*/) { return TRUE; }

BOOL FreeReg(UCB* ucb) {
  if (ucb != nullptr) FreeDcbArrays(ucb->pDCB);
  return TRUE;
}

BOOL GetDevmodeValueFromRegUseSetKey(HANDLE /*printer*/, UCB* /*ucb*/, SFCB* /*record*/) {
  return FALSE;  // nothing read
}
