// The description cache is not built yet: a context opens without a compiled
// description, and the operations that need one answer as for a missing
// description.
#include "settings/context/context_description.h"

#include "settings/context/context_block.h"

BOOL OpenContextDescription(UCB* ucb) {
  ucb->pBKPD = nullptr;
  return TRUE;
}

void EndContextDescription(UCB* /*ucb*/) {}
