// The pieces the parts of the item window procedure share: passing a
// message on to the control's own procedure, the item's painted states, the
// cursors of a press and the look-ups of items by control id.
#include "platform/window/winuser_styles.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window_internal.h"

namespace {

constexpr WORD kDisabledMask = 0x000C;
constexpr WORD kDisabled = 0x0004;

}  // namespace

LRESULT PassOnItemMessage(const ItemMessage& m) {
  const auto saved = reinterpret_cast<WNDPROC>(m.icb->pfnSavedWndProc);
  return saved != nullptr ? CallWindowProcW(saved, m.hwnd, m.message, m.wParam, m.lParam)
                          : DefWindowProcW(m.hwnd, m.message, m.wParam, m.lParam);
}

bool IsItemHidden(const ICB* icb) { return (icb->status & kIcbHiddenMask) == kIcbHidden; }
bool IsItemDisabled(const ICB* icb) { return (icb->status & kDisabledMask) == kDisabled; }
bool IsItemShownAndEnabled(const ICB* icb) { return !IsItemHidden(icb) && !IsItemDisabled(icb); }

DIALOGSLOTS& DialogSlots(UCB* ucb) { return ucb->pWork->dialog; }

void ArrowToHand(UCB* ucb) {
  const DIALOGSLOTS& slots = DialogSlots(ucb);
  if (slots.hArrowCursor != nullptr && GetCursor() == slots.hArrowCursor) SetCursor(slots.hHandCursor);
}

void HandToArrow(UCB* ucb) {
  const DIALOGSLOTS& slots = DialogSlots(ucb);
  if (slots.hHandCursor != nullptr && GetCursor() == slots.hHandCursor) SetCursor(slots.hArrowCursor);
}

bool OwnCursorShown(UCB* ucb) {
  const DIALOGSLOTS& slots = DialogSlots(ucb);
  HCURSOR shown = GetCursor();
  return shown != nullptr && (shown == slots.hArrowCursor || shown == slots.hHandCursor);
}

ICB* FindItemOnPage(TCB* tcb, WORD controlId) {
  for (int i = 0; tcb != nullptr && i < tcb->itemCount; ++i) {
    if (tcb->pICB[i].itemId == controlId) return &tcb->pICB[i];
  }
  return nullptr;
}

ICB* FindItemOnAnyPage(UCB* ucb, WORD controlId, TCB** tab) {
  TL* tl = ucb->pTL;
  for (int t = 0; tl != nullptr && t < tl->count; ++t) {
    if (ICB* icb = FindItemOnPage(&tl->pTCB[t], controlId)) {
      if (tab != nullptr) *tab = &tl->pTCB[t];
      return icb;
    }
  }
  return nullptr;
}

RECT RectInPage(HWND window, HWND page) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
