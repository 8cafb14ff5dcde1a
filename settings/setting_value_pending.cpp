#include "settings/setting_value_pending.h"

#include "platform/winresource.h"
#include "settings/bkpd_access.h"

namespace access_pending {

int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL /*replace*/) {
  if (buffer == nullptr || cch <= 0) {
    return 0;
  }
  buffer[0] = 0;
  if (ucb == nullptr || ucb->hResDll == nullptr) {
    return 0;
  }
  return LoadStringW(ucb->hResDll, id, buffer, cch);
}

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) {
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

BOOL GetFreeSizeRangebyIcb(const UCB*, const ICB*, LONG*, LONG*) { return FALSE; }

}  // namespace access_pending
