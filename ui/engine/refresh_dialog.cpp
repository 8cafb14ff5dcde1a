// Bringing a page in line with the settings after a change, an activation,
// a repaint or an accepted dialog: a hand change drops the selected user
// preset, every item is judged and shown again where something it shows
// changed, and the settings' changed marks are cleared.
#include <algorithm>
#include <iterator>
#include <span>

#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/engine/refresh_internal.h"

namespace refresh {
namespace {

constexpr WORD kMarkRedraw = 1;  // the mark of a write; the refresh redraws what depends on it

WORD Mark(const SFCB& sfcb) { return sfcb.flags & kSfcbChangedMask; }

std::span<SFCB> Settings(UCB* ucb) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr || ucb->pSFL->count <= 0) return {};
  return {ucb->pSFL->pSFCB, static_cast<std::size_t>(ucb->pSFL->count)};
}

void MarkEverySetting(UCB* ucb) {
  for (SFCB& sfcb : Settings(ucb)) sfcb.flags = static_cast<WORD>((sfcb.flags & ~kSfcbChangedMask) | kMarkRedraw);
}

// Whether a setting was changed that a person may not change without
// leaving the chosen preset: any but its name and comment, the view mode,
// the log code and the chapter being edited.
bool HandChanged(UCB* ucb) {
  const ICB* comment = GetICBbyItemID(ucb, nullptr, kControlPresetComment);
  const WORD kept[] = {comment != nullptr && comment->pSFCB != nullptr ? comment->pSFCB->funcId : WORD{0},
                       kFuncPresetName, kFuncUiModeChange, kFuncLogCode, kFuncChapterNum};
  for (const SFCB& sfcb : Settings(ucb)) {
    if (Mark(sfcb) != 0 && std::find(std::begin(kept), std::end(kept), sfcb.funcId) == std::end(kept)) return true;
  }
  return false;
}

// The option page opened on its own (not from a page of this context)
// leaves the preset alone.
bool OptionPageOnItsOwn(const UCB* ucb, const TCB& tcb) {
  return tcb.tabId == kDialogOption && GetTCBbyHwnd(ucb, GetParent(tcb.hWnd)) == nullptr;
}

void DropHandChangedPreset(UCB* ucb, const TCB& tcb) {
  if (tcb.tabId == kDialogMaintenance || tcb.tabId == kDialogSavePreset || OptionPageOnItsOwn(ucb, tcb)) return;
  SFCB* presetNo = GetSFCBbyFuncID(ucb, kFuncPresetNo);
  if (presetNo == nullptr || Mark(*presetNo) != 0) return;
  const LONG_PTR index = GetDevmodeValueBySFCB(ucb, presetNo) - kPresetFirst;
  if (index < 0 || index > kPresetLastIndex) return;
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncPresentUiMode, nullptr) != 0 || !HandChanged(ucb)) return;
  SetDevmodeValueBySFCB(ucb, presetNo, kPresetNone);
  UpdatePresetList(ucb);
  ReadPresetByID(ucb, -1);  // no name, no comment
}

// Whether a write since the last refresh calls for redrawing the preset
// lists: a change of the copies alone does not.
bool TakeRedrawAll(UCB* ucb) {
  const bool written = ucb->pWork->fChanged != 0;
  ucb->pWork->fChanged = 0;
  if (!written) return false;
  for (const SFCB& sfcb : Settings(ucb)) {
    if (sfcb.funcId != kFuncCopies && Mark(sfcb) == kMarkRedraw) return true;
  }
  return false;
}

// The page's tab control: the first item of that kind, when it carries its
// pages.
void FindTabPages(Pass& pass) {
  for (int i = 0; i < pass.tcb->itemCount; ++i) {
    const ICB& icb = pass.tcb->pICB[i];
    if (icb.kind != kCtlTabControl) continue;
    pass.tabPages = static_cast<const CDTAB*>(KesmGetClassData(&icb, kClassTabPages));
    HWND tab = icb.hWnd != nullptr ? icb.hWnd : GetDlgItem(pass.tcb->hWnd, icb.itemId);
    if (pass.tabPages != nullptr && tab != nullptr) {
      pass.selectedTab = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    }
    return;
  }
}

// Set for the span of one refresh; a refresh asked for meanwhile (by a
// repaint or a message sent below) is dropped.
class Guard {
 public:
  explicit Guard(DIALOGSLOTS& slots) : slots_(slots) { slots_.fRefreshing = 1; }
  ~Guard() { slots_.fRefreshing = 0; }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  DIALOGSLOTS& slots_;
};

}  // namespace
}  // namespace refresh

void RefreshDialog(UCB* ucb, TCB* tcb, int full) {
  using namespace refresh;
  if (ucb == nullptr || tcb == nullptr || ucb->pWork == nullptr) return;
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  if (slots.fLayoutPending != 0 || slots.fRefreshing != 0) return;
  const Guard guard(slots);
  HWND focus = GetFocus();
  DropHandChangedPreset(ucb, *tcb);
  Pass pass{ucb, tcb, full != 0, TakeRedrawAll(ucb), nullptr, -1};
  if (const SFCB* orientation = GetSFCBbyFuncID(ucb, kFuncOrientation); orientation != nullptr && Mark(*orientation)) {
    UpdateListDependOnOrient(ucb);
  }
  if (pass.full) MarkEverySetting(ucb);
  if (tcb->hWnd != nullptr && tcb->pICB != nullptr) {
    FindTabPages(pass);
    for (int i = 0; i < tcb->itemCount; ++i) RefreshItem(pass, tcb->pICB[i]);
  }
  ResetEntryChanged(ucb);
  InvalidateHintWindows(*tcb);
  MoveFocusOffDisabled(focus);
}
