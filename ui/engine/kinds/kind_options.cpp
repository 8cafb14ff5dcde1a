#include "ui/engine/kinds/kind_options.h"

#include <algorithm>

#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

std::vector<WORD> VisibleOptions(UCB* ucb, const ICB* icb) {
  std::vector<WORD> shown;
  if (ucb == nullptr || icb == nullptr || icb->pUiGroup == nullptr) return shown;
  const UiGroup* group = icb->pUiGroup;
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, group); option != nullptr;
       option = GetNextUiOption(ucb, group, option)) {
    const ExclusiveItem* items = nullptr;
    const WORD value = GetOptionIdFromUiGroup(ucb, group, option, &items);
    if (value == 0) break;
    if (items != nullptr && BKPDIsHideModeUI(group, value, ucb)) continue;
    shown.push_back(value);
  }
  return shown;
}

std::vector<WORD> PicturedOptions(UCB* ucb, const ICB* icb) {
  std::vector<WORD> shown = VisibleOptions(ucb, icb);
  if (shown.empty() || icb->linkId != 0 || (icb->pUiGroup->type & 0xFF) != kUiPickOne) return shown;
  const LONG_PTR current = GetDevmodeValueByICB(ucb, icb);
  std::erase_if(shown, [current](WORD value) { return value != current; });
  return shown;
}
