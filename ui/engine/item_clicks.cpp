// Presses and releases on items: the hand cursor while the button is down,
// the start and end of a repeat button's auto-repeat, the arrows of a
// decorated scroll bar, and a click on a picture that stands for a choice,
// which steps the choice it drives (or, on the printer picture, picks the
// tray or output tray pointed at).
#include "jobsettings/validate/description_verdict.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_messages.h"
#include "settings/values/setting_value.h"
#include "ui/engine/hit_test.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_functions.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"

namespace {

// A decorated scroll bar's press: one over an arrow that cannot move is
// swallowed; otherwise the bar's handler may put up a feedback window for
// the system's tracking, which goes once the tracking ends.
bool PressDecoratedBar(const ItemMessage& m, LRESULT* result) {
  LONG min = 0;
  LONG max = 0;
  if (!IsItemShownAndEnabled(m.icb) || m.icb->pUiGroup == nullptr ||
      !GetNumericRange(m.ucb, m.icb->pUiGroup, &min, &max)) {
    return false;
  }
  if (DecoratedArrowAtLimit(m.ucb, m.icb, m.hwnd, GET_X_LPARAM(m.lParam))) {
    *result = 0;
    return true;
  }
  ShowPopupMsg(m.ucb, nullptr, m.page, 0, 0);
  TCB scratch = *m.tcb;  // only its window slot is used: it receives the feedback window
  scratch.hWnd = nullptr;
  const IFT* row = FindIFT(m.icb->kind);
  if (row != nullptr && row->PMsg != nullptr) row->PMsg(m.ucb, &scratch, m.icb, WM_LBUTTONDOWN, m.wParam, m.lParam);
  *result = PassOnItemMessage(m);
  if (scratch.hWnd != nullptr && IsWindow(scratch.hWnd)) DestroyWindow(scratch.hWnd);
  return true;
}

// The release point in the item's client coordinates: a key's release
// counts where the cursor stands.
bool ReleasedInside(const ItemMessage& m) {
  POINT at{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (m.message != WM_LBUTTONUP) {
    GetCursorPos(&at);
    ScreenToClient(m.hwnd, &at);
  }
  RECT client{};
  GetClientRect(m.hwnd, &client);
  return PtInRect(&client, at) != FALSE;
}

// The button of a radio group (by item number) that a click moves to: the
// next one shown and enabled after the chosen one, else the first such one
// that is not the chosen one; on the first page that shows the chosen one.
ICB* NextRadioButton(UCB* ucb, WORD groupId, TCB** tab) {
  const LONG_PTR chosen = GetDevmodeValueByGroupID(ucb, groupId, nullptr);
  TL* tl = ucb->pTL;
  for (int t = 0; tl != nullptr && t < tl->count; ++t) {
    TCB& page = tl->pTCB[t];
    ICB* const first = page.pICB;
    ICB* const end = page.pICB + page.itemCount;
    ICB* selected = nullptr;
    for (ICB* b = first; b < end && selected == nullptr; ++b) {
      if (b->groupId == groupId && b->itemId == chosen) selected = b;
    }
    if (selected == nullptr) continue;
    *tab = &page;
    for (ICB* b = selected + 1; b < end; ++b) {
      if (b->groupId == groupId && IsItemShownAndEnabled(b)) return b;
    }
    for (ICB* b = first; b < end; ++b) {
      if (b != selected && b->groupId == groupId && IsItemShownAndEnabled(b)) return b;
    }
    return nullptr;
  }
  return nullptr;
}

// What a click on the item changes: the control it is linked to (by
// control id on any page, else the radio group of that item number), or
// the item itself.
ICB* ChoiceTarget(const ItemMessage& m, TCB** tab) {
  *tab = m.tcb;
  if (m.icb->linkId == 0) return m.icb;
  if (ICB* byId = FindItemOnAnyPage(m.ucb, m.icb->linkId, tab)) return byId;
  return NextRadioButton(m.ucb, m.icb->linkId, tab);
}

// The printer picture: a click on a tray or output area picks that entry of
// its list, through the list's own change.
bool PickPrinterArea(const ItemMessage& m, LRESULT* result) {
  POINT at{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  const PrinterPictureHit hit = HitPrinterPicture(m.ucb, m.tcb, at);
  if (hit.region == nullptr) return false;
  SelectComboBoxByItemData(m.ucb, m.tcb, hit.listId, hit.region->nameId);
  PostMessageW(m.page, WM_PAINT, 0, 0);
  SendMessageW(GetParent(m.page), PSM_CHANGED, reinterpret_cast<WPARAM>(m.page), 0);
  *result = 0;
  return true;
}

bool StepChoice(const ItemMessage& m, LRESULT* result) {
  TCB* tab = nullptr;
  ICB* target = ChoiceTarget(m, &tab);
  if (target == nullptr || !IsItemShownAndEnabled(target)) return false;
  const IFT* row = FindIFT(target->kind);
  if (row == nullptr || row->ChangeData == nullptr) return false;
  if (row->ChangeData(m.ucb, tab, target, m.message, m.wParam, m.lParam) == 0) return false;
  if (target->hWnd != nullptr) SetFocus(target->hWnd);
  PostMessageW(m.page, WM_PAINT, 0, 0);
  *result = 0;
  return true;
}

}  // namespace

bool DecoratedArrowAtLimit(UCB* ucb, const ICB* icb, HWND bar, int clientX) {
  LONG min = 0;
  LONG max = 0;
  if (icb->pUiGroup == nullptr || !GetNumericRange(ucb, icb->pUiGroup, &min, &max)) return false;
  const LONG_PTR value = GetDevmodeValueByICB(ucb, icb);
  const int arrow = CalcScrollButtonWidth();
  RECT client{};
  GetClientRect(bar, &client);
  if (clientX < arrow) return value <= min;
  if (clientX >= client.right - arrow) return value >= max;
  return false;
}

bool OnItemPress(const ItemMessage& m, LRESULT* result) {
  ArrowToHand(m.ucb);
  if (IsRepeatButton(m.icb)) PostMessageW(m.hwnd, kMsgAutoRepeat, m.message, 0);
  if (m.icb->kind == kCtlHScrollbarArrows && m.message != WM_KEYDOWN) return PressDecoratedBar(m, result);
  return false;
}

bool OnItemRelease(const ItemMessage& m, LRESULT* result) {
  PostMessageW(m.hwnd, kMsgAutoRepeat, 0, 0);
  HandToArrow(m.ucb);
  const WORD kind = m.icb->kind;
  if (kind == kCtlMultiListBox) DoDefaultProcessItemMessage(m.ucb, m.tcb, m.icb, m.message, m.wParam, m.lParam);
  if (kind == kCtlHScrollbarArrows && !IsItemShownAndEnabled(m.icb)) {
    *result = 0;
    return true;
  }
  const bool picture = kind == kCtlBitmap || kind == kCtlIcon;
  if (!picture && DialogSlots(m.ucb).hSavedCursor == nullptr) return false;
  if (!ReleasedInside(m)) return false;
  if (m.icb->itemId == kPrinterPictureId && m.message == WM_LBUTTONUP && PickPrinterArea(m, result)) return true;
  return StepChoice(m, result);
}
