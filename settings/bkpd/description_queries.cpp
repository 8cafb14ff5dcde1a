#include "settings/bkpd/description_queries.h"

#include "settings/bkpd/bkpd_access.h"
#include "settings/context/context_block.h"

LPCWSTR BKPDGetUIResDll(UCB* ucb) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) return nullptr;
  return BkpdUiResDllName(reinterpret_cast<PCBKPD>(ucb->pBKPD));
}

const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) {
    return nullptr;
  }
  const auto b = reinterpret_cast<PCBKPD>(ucb->pBKPD);
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->groupId == groupId) {
      return g;
    }
  }
  return nullptr;
}
