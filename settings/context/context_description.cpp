// A context's compiled description and judge stack. A context whose
// description cannot be had, or whose judge stack cannot be allocated, is
// not opened: every later question about its settings would find nothing to
// ask.
#include "settings/context/context_description.h"

#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_block.h"

BOOL OpenContextDescription(UCB* ucb) {
  ucb->pBKPD = BKPDCreate(ucb);
  return ucb->pBKPD != nullptr && BKPDInit(ucb) == 0 ? TRUE : FALSE;
}

void EndContextDescription(UCB* ucb) {
  BKPDEnd(ucb);
  ucb->pBKPD = nullptr;
}
