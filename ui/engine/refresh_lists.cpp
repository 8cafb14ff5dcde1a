// Re-initialising fixed lists of controls on the pages that are open, when
// the data behind them (trays, paper sizes, output bins, presets,
// watermarks, the orientation) changed elsewhere.
#include "jobsettings/validate/priv_validators.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/engine/refresh_internal.h"

namespace {

using refresh::kPresetFirst;

// The item of the pair when its page is open, else null.
ICB* OpenItem(UCB* ucb, const DialogControlPair& pair, TCB** tab) {
  *tab = GetTCBbyTabID(ucb, pair.dialogId);
  if (*tab == nullptr || (*tab)->hWnd == nullptr) return nullptr;
  return GetICBbyItemID(ucb, *tab, pair.controlId);
}

// A preset list whose selection lies past the stored presets (a preset
// deleted meanwhile) selects the first preset instead; "none" stays.
void KeepSelectionInStore(UCB* ucb, const ICB& icb) {
  if (icb.pSFCB == nullptr) return;
  const LONG_PTR selected = GetDevmodeValueBySFCB(ucb, icb.pSFCB);
  if (selected <= kPresetFirst) return;
  if (selected - kPresetFirst >= ReadPresetCount(ucb)) SetDevmodeValueBySFCB(ucb, icb.pSFCB, kPresetFirst);
}

}  // namespace

int UpdateControlOnSomewhere(UCB* ucb, const DialogControlPair* pairs) {
  if (ucb == nullptr || pairs == nullptr) return 0;
  for (; pairs->dialogId != 0; ++pairs) {
    TCB* tab = nullptr;
    if (ICB* icb = OpenItem(ucb, *pairs, &tab); icb != nullptr) InitItem(ucb, tab, icb);
  }
  return pairs->dialogId;
}

void UpdateTrayList(UCB* ucb) { UpdateControlOnSomewhere(ucb, refresh::kTrayList); }

void UpdatePaperSizeList(UCB* ucb) { UpdateControlOnSomewhere(ucb, refresh::kPaperSizeList); }

void UpdateOutbinList(UCB* ucb) { UpdateControlOnSomewhere(ucb, refresh::kOutbinList); }

void UpdateListDependOnOrient(UCB* ucb) { UpdateControlOnSomewhere(ucb, refresh::kOrientList); }

void UpdatePresetList(UCB* ucb) {
  if (ucb == nullptr) return;
  for (int i = 0; i < refresh::kPresetListsWithFallback; ++i) {
    TCB* tab = nullptr;
    ICB* icb = OpenItem(ucb, refresh::kPresetList[i], &tab);
    if (icb == nullptr) continue;
    KeepSelectionInStore(ucb, *icb);
    InitItem(ucb, tab, icb);
  }
  UpdateControlOnSomewhere(ucb, refresh::kPresetList + refresh::kPresetListsWithFallback);
}

// The stamp list is refilled from scratch, and its item initialised even
// while its page is closed.
void UpdateStampList(UCB* ucb) {
  if (ucb == nullptr || _IsValidatedmWM(ucb) == -1) return;
  for (const DialogControlPair* pair = refresh::kStampList; pair->dialogId != 0; ++pair) {
    TCB* tab = GetTCBbyTabID(ucb, pair->dialogId);
    ICB* icb = tab != nullptr ? GetICBbyItemID(ucb, tab, pair->controlId) : nullptr;
    if (icb == nullptr) continue;
    if (icb->hWnd != nullptr) SendMessageW(icb->hWnd, CB_RESETCONTENT, 0, 0);
    InitItem(ucb, tab, icb);
  }
}
