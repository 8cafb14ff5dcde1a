// A click on a picture that stands for a choice steps the item's setting to
// the next option that may be offered, wrapping at the end of the list.
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_handlers.h"

namespace {

// An option is offered unless its value is 0 or its hide judge holds.
bool Offered(UCB* ucb, const UiGroup* group, const UiOption* option, WORD* value) {
  const ExclusiveItem* items = nullptr;
  *value = GetOptionIdFromUiGroup(ucb, group, option, &items);
  return *value != 0 && !(items != nullptr && BKPDIsHideModeUI(group, *value, ucb));
}

}  // namespace

int ChangeDataNext(UCB* ucb, TCB*, ICB* icb, UINT, WPARAM, LPARAM) {
  if (ucb == nullptr || icb == nullptr || icb->pUiGroup == nullptr) return 0;
  const UiGroup* group = icb->pUiGroup;
  const LONG_PTR current = GetDevmodeValueBySFCB(ucb, icb->pSFCB);
  const UiOption* first = BkpdFirstOption(ucb->pBKPD, group);
  const UiOption* at = first;
  while (at != nullptr && GetOptionIdFromUiGroup(ucb, group, at, nullptr) != current) {
    at = GetNextUiOption(ucb, group, at);
  }
  if (at == nullptr) return 0;
  // From the option after the current one round to the current one itself.
  const UiOption* option = at;
  do {
    option = GetNextUiOption(ucb, group, option);
    if (option == nullptr) option = first;
    WORD value = 0;
    if (Offered(ucb, group, option, &value)) {
      SetDevmodeValueBySFCB(ucb, icb->pSFCB, value);
      return 1;
    }
  } while (option != at);
  return 0;
}
