// One item of a page brought in line with the settings: re-initialised
// when a request or a changed state asks for it, left alone when nothing it
// shows has changed, else judged again (hidden, disabled), shown or hidden,
// enabled or disabled with its hint icon, and painted.
#include <span>

#include "jobsettings/validate/description_verdict.h"
#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh_internal.h"
#include "ui/engine/table_correction.h"

namespace refresh {
namespace {

constexpr WORD kDisabledMask = 0x000C;
constexpr int kDisabledShift = 2;
constexpr DWORD kPaintWhenHidden = 0x80000000;

// Kinds that the refresh treats in a way of their own.
enum KindTrait : WORD {
  kArrowsFollow = 0x1,      // a scroll bar's arrows are enabled and disabled with it
  kEraseWhenToggled = 0x2,  // redrawn from the background when enabled or disabled
  kRedrawWithAll = 0x4,     // redrawn when any setting but the copies was written
  kPaintWhileEnabled = 0x8, // not painted while disabled
};
struct KindRow {
  WORD kind;
  WORD traits;
};
constexpr KindRow kKindRows[] = {
    {kCtlSpin, kArrowsFollow | kPaintWhileEnabled},
    {kCtlOwnerListBox, kEraseWhenToggled},
    {kCtlPresetListBox, kEraseWhenToggled | kRedrawWithAll},
};

bool Has(const ICB& icb, WORD trait) {
  for (const KindRow& row : kKindRows) {
    if (row.kind == icb.kind) return (row.traits & trait) != 0;
  }
  return false;
}

// The item's class data as words: type 1 names six settings from its fourth
// word, type 8 fourteen from its second.
constexpr std::size_t kSampleFirst = 3;
constexpr std::size_t kSampleCount = 6;
constexpr std::size_t kWatermarkFirst = 1;
constexpr std::size_t kWatermarkCount = 14;

// The copy-guard pattern (its function select 521 is not part of it), and
// the free-size settings the free-size dialogs show.
constexpr WORD kCopyGuardPattern[] = {512, 513, 514, 515, 516, 517, 518, 519, 520,
                                      522, 523, 524, 525, 526, 527, 528, 529};
constexpr WORD kFreeSizeSettings[] = {755, 756, 342, 343, 346, 347};

bool Changed(const SFCB* sfcb) { return sfcb != nullptr && (sfcb->flags & kSfcbChangedMask) != 0; }

bool AnyChanged(const UCB* ucb, std::span<const WORD> ids) {
  for (WORD id : ids) {
    if (id != 0 && Changed(GetSFCBbyFuncID(ucb, id))) return true;
  }
  return false;
}

bool IsOn(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr) != 0; }

std::span<const WORD> ClassWords(const ICB& icb, WORD type, std::size_t first, std::size_t count) {
  const auto* words = static_cast<const WORD*>(KesmGetClassData(&icb, type));
  return words != nullptr ? std::span<const WORD>(words + first, count) : std::span<const WORD>();
}

// What else an item shows besides its own setting.
bool DependencyChanged(const Pass& pass, const ICB& icb) {
  const UCB* ucb = pass.ucb;
  if (AnyChanged(ucb, ClassWords(icb, kClassSample, kSampleFirst, kSampleCount))) return true;
  if (KesmGetClassData(&icb, kClassWatermark) != nullptr) {
    if (Changed(GetSFCBbyFuncID(ucb, kFuncWatermarkOn))) return true;
    if (IsOn(ucb, kFuncWatermarkOn) &&
        AnyChanged(ucb, ClassWords(icb, kClassWatermark, kWatermarkFirst, kWatermarkCount))) {
      return true;
    }
  }
  if (IsOn(ucb, kFuncCopyGuardOn) && AnyChanged(ucb, kCopyGuardPattern)) return true;
  if (icb.pSFCB != nullptr) {
    const WORD switchId = SwitchOfSetting(icb.pSFCB->funcId);
    if (switchId != 0 && Changed(GetSFCBbyFuncID(ucb, switchId))) return true;
  }
  const WORD dialog = pass.tcb->tabId;
  return (dialog == kDialogFreeSizeList || dialog == kDialogFreeSizeInput) && AnyChanged(ucb, kFreeSizeSettings);
}

// The public scale never comes back in from a DEVMODE: validation gives it
// the default 100 whatever the sheet hands out (the driver scales by its
// own scale settings).
constexpr WORD kFuncPublicScale = 11;

// A control whose value validation would not keep is disabled, so that OK
// never hands out what validation changes: the public scale, and a kind
// of finishing while its function is off.
bool ValueCannotBeKept(const Pass& pass, const ICB& icb) {
  if (icb.pSFCB == nullptr) return false;
  const WORD funcId = icb.pSFCB->funcId;
  return funcId == kFuncPublicScale || IsSwitchedOff(pass.ucb, funcId) != FALSE;
}

// The window's own visibility, whatever its page's.
bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsListKind(WORD kind) { return kind >= kCtlListBox && kind <= kCtlMultiListBox; }

// Whether the item is looked at in this refresh; re-initialises it first
// when a request or a changed state asks for that.
bool NeedsWork(Pass& pass, ICB& icb) {
  const DWORD requested = icb.flags & kSfcbRequestMask & GetRequestCode(pass.ucb);
  if (requested != 0) {
    InitItem(pass.ucb, pass.tcb, &icb);
    ResetRequestCode(pass.ucb, requested);
    return true;
  }
  if (IsDisableDevmodeChanged(pass.ucb, pass.tcb, &icb) || IsHideDevmodeChanged(pass.ucb, &icb)) {
    if (IsListKind(icb.kind) && (icb.flags & kIcbNeverRefill) == 0) InitItem(pass.ucb, pass.tcb, &icb);
    return true;
  }
  if (pass.full || Changed(icb.pSFCB) || DependencyChanged(pass, icb)) return true;
  return icb.itemId == kControlAlwaysUpdated || GetUpdateRect(icb.hWnd, nullptr, FALSE);
}

bool Listed(const TABPAGE& page, WORD controlId) {
  if (page.pControlIds == nullptr) return false;
  for (SHORT i = 0; i < page.controlCount; ++i) {
    if (page.pControlIds[i] == controlId) return true;
  }
  return false;
}

// Listed under a page of the tab control that is not shown, and not under
// the one that is.
bool UnderHiddenTabPage(const Pass& pass, WORD controlId) {
  if (pass.tabPages == nullptr || pass.tabPages->pPages == nullptr) return false;
  bool elsewhere = false;
  for (int p = 0; p < pass.tabPages->pageCount; ++p) {
    if (!Listed(pass.tabPages->pPages[p], controlId)) continue;
    if (p == pass.selectedTab) return false;
    elsewhere = true;
  }
  return elsewhere;
}

// A dialog that is also a page of a sheet carries the buttons that close
// it as a dialog. On the page they would close nothing (the sheet's own OK
// and Cancel accept and cancel it), so there they are not shown.
bool ClosingButtonOnASheetPage(const Pass& pass, const ICB& icb) {
  if (icb.itemId != IDOK && icb.itemId != IDCANCEL) return false;
  return pass.tcb->hWnd != nullptr && (GetWindowLongW(pass.tcb->hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

WORD JudgeHidden(const Pass& pass, const ICB& icb) {
  BOOL hidden = icb.pUiGroup != nullptr ? GetIcbStatusIsHide(pass.ucb, icb.pUiGroup, icb.itemId) : FALSE;
  if (!hidden && UnderHiddenTabPage(pass, icb.itemId)) hidden = TRUE;
  if (!hidden && ClosingButtonOnASheetPage(pass, icb)) hidden = TRUE;
  return hidden ? kIcbHidden : 0;
}

bool HintsAllowed(const UCB* ucb) {
  const LONG_PTR os = GetDevmodeValueDirectByFuncID(ucb, kFuncOsKind, nullptr);
  return !(GetDevmodeValueDirectByFuncID(ucb, kFuncCallSource, nullptr) == 1 &&
           GetDevmodeValueDirectByFuncID(ucb, kFuncNoPermission, nullptr) == 1 && (os == 1 || os == 2));
}

void ApplyEnabled(Pass& pass, ICB& icb, bool disabled) {
  const bool enabled = IsWindowEnabled(icb.hWnd) != FALSE;
  if (enabled == disabled && !(disabled && icb.itemId == kControlNeverDisabled)) {
    EnableWindow(icb.hWnd, disabled ? FALSE : TRUE);
    if (Has(icb, kArrowsFollow)) EnableScrollBar(icb.hWnd, SB_CTL, disabled ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    if (Has(icb, kEraseWhenToggled)) InvalidateRect(icb.hWnd, nullptr, TRUE);
  }
  const bool visible = (icb.status & kIcbHiddenMask) == 0;
  if (visible && disabled && icb.hintId != 0 && !HintsAllowed(pass.ucb)) icb.hintId = 0;  // for good
  SyncHintWindow(pass, icb, visible && disabled && icb.hintId != 0);
}

void ApplyVisible(const ICB& icb) {
  const bool hidden = (icb.status & kIcbHiddenMask) != 0;
  if (Shown(icb.hWnd) == hidden) ShowWindow(icb.hWnd, hidden ? SW_HIDE : SW_SHOW);
}

}  // namespace

void RefreshItem(Pass& pass, ICB& icb) {
  if (icb.hWnd == nullptr) icb.hWnd = GetDlgItem(pass.tcb->hWnd, icb.itemId);
  if (icb.hWnd == nullptr) return;
  if ((pass.full || pass.redrawAll) && Has(icb, kRedrawWithAll) && Shown(icb.hWnd)) {
    InvalidateRect(icb.hWnd, nullptr, FALSE);
  }
  if (!NeedsWork(pass, icb)) return;
  const WORD hidden = JudgeHidden(pass, icb);
  // The disabled state a hidden item was given is no judge's: shown again,
  // an item without a UI group (whose state is the one it keeps) starts
  // enabled.
  if (hidden == 0 && (icb.status & kIcbHiddenMask) != 0) icb.status &= static_cast<WORD>(~kDisabledMask);
  DWORD disabled = hidden != 0 ? 1 : GetIcbStatusIsDisable(pass.ucb, pass.tcb, &icb) & 0x3;
  // The status keeps the judge's answer, so that a changed judge is still
  // told apart; the window follows what can be kept too.
  icb.status = static_cast<WORD>((icb.status & ~(kIcbHiddenMask | kDisabledMask)) | hidden |
                                 (disabled << kDisabledShift));
  if (disabled == 0 && ValueCannotBeKept(pass, icb)) disabled = 1;
  ApplyEnabled(pass, icb, disabled != 0);
  ApplyVisible(icb);
  if (hidden == 0 || (icb.flags & kPaintWhenHidden) != 0) {
    if (!Has(icb, kPaintWhileEnabled) || disabled != 1) PaintItem(pass.ucb, pass.tcb, &icb);
  }
}

}  // namespace refresh
