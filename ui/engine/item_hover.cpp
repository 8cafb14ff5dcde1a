// The mouse over an item (its WM_NCHITTEST): whether a picture has a choice
// under the cursor (the arrow cursor shows it), where the hover pop-up that
// explains the item would stand, and which static items take the mouse.
#include "jobsettings/validate/description_verdict.h"
#include "settings/bkpd/bkpd_access.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/bitmap_info.h"
#include "ui/engine/hit_test.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"
#include "ui/engine/owner_draw_sizes.h"

namespace {

constexpr WORD kPreviewPictureId = 2039;
constexpr WORD kUnhoveredOwnerListId = 2164;
constexpr int kBelowItem = 4;

bool IsItemWindow(const TCB* tcb, HWND window) {
  for (int i = 0; i < tcb->itemCount; ++i) {
    if (tcb->pICB[i].hWnd == window) return true;
  }
  return false;
}

// Something else answers for the point: a page child that is no item (a
// hint icon) on top of it, or an item later in the table.
bool LeftToOthers(const ItemMessage& m, POINT screen) {
  for (HWND child = GetWindow(m.page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    if (!IsWindowVisible(child) || !GetWindowRect(child, &r) || !PtInRect(&r, screen)) continue;
    if (child != m.hwnd && !IsItemWindow(m.tcb, child)) return true;
    break;
  }
  ICB* const end = m.tcb->pICB + m.tcb->itemCount;
  if (m.icb < m.tcb->pICB || m.icb >= end) return false;  // an item of another page's table
  for (ICB* later = m.icb + 1; later < end; ++later) {
    if (later->kind == kCtlTabControl || later->hWnd == nullptr || IsItemHidden(later)) continue;
    RECT r{};
    if (GetWindowRect(later->hWnd, &r) && PtInRect(&r, screen)) return true;
  }
  return false;
}

// The control a linked picture drives: by control id on any page, else the
// first shown and enabled item of the group with that item number.
const ICB* DrivenItem(UCB* ucb, WORD linkId) {
  if (const ICB* byId = FindItemOnAnyPage(ucb, linkId, nullptr)) return byId;
  TL* tl = ucb->pTL;
  for (int t = 0; tl != nullptr && t < tl->count; ++t) {
    const TCB& tab = tl->pTCB[t];
    for (int i = 0; i < tab.itemCount; ++i) {
      if (tab.pICB[i].groupId == linkId && IsItemShownAndEnabled(&tab.pICB[i])) return &tab.pICB[i];
    }
  }
  return nullptr;
}

// A picture of a choice: whether the point lies in the painted area of an
// option the person may choose.
bool OptionUnder(UCB* ucb, const ICB* icb, POINT client) {
  const UiGroup* group = icb->pUiGroup;
  const UiOption* option = BkpdFirstOption(ucb->pBKPD, group);
  for (; option != nullptr; option = GetNextUiOption(ucb, group, option)) {
    const WORD value = GetOptionIdFromUiGroup(ucb, group, option, nullptr);
    if (value == 0 || GetIcbStatusIsHide(ucb, group, value) || BKPDIsDisableModeUI(group, value, ucb)) continue;
    for (const BITMAPINFOROW* row = GetBitmapInfoList(); row->wBitmapId != 0; ++row) {
      if (row->wBitmapId != value) continue;
      const RECT area{row->sOffsetX, row->sOffsetY, row->sOffsetX + row->wWidth, row->sOffsetY + row->wHeight};
      if (PtInRect(&area, client)) return true;
    }
  }
  return false;
}

struct Hover {
  bool hit = false;
  bool anchored = false;  // the anchor is set: the printer picture's area
  POINT anchor{};
};

Hover TestPicture(const ItemMessage& m, POINT client) {
  Hover hover;
  ICB* icb = m.icb;
  const WORD kind = icb->kind;
  const bool picture = kind == kCtlBitmap || kind == kCtlIcon;
  if (!IsItemShownAndEnabled(icb)) return hover;
  if (!picture && kind != kCtlPresetListBox && !(kind == kCtlOwnerListBox && icb->itemId != kUnhoveredOwnerListId)) {
    return hover;
  }
  hover.hit = !picture;
  if (icb->itemId == kPrinterPictureId) {
    icb->popupId = 0;
    const PrinterPictureHit area = HitPrinterPicture(m.ucb, m.tcb, client);
    if (area.region != nullptr) {
      icb->popupId = area.region->nameId;
      hover.hit = true;
      hover.anchored = true;
      hover.anchor = POINT{area.area.left, area.area.bottom + kBelowItem};
      MapWindowPoints(m.hwnd, m.page, &hover.anchor, 1);
    }
  } else if (picture && icb->pUiGroup != nullptr && icb->linkId != 0 && icb->itemId != kPreviewPictureId) {
    hover.hit = OptionUnder(m.ucb, icb, client);
  }
  if (picture && icb->linkId != 0) {
    const ICB* driven = DrivenItem(m.ucb, icb->linkId);
    if (driven == nullptr || !IsItemShownAndEnabled(driven)) hover.hit = false;
  }
  return hover;
}

// A choice under the cursor shows the arrow cursor; the cursor it replaced
// comes back when the cursor leaves the choice.
void ShowChoiceCursor(UCB* ucb, bool hit) {
  DIALOGSLOTS& slots = DialogSlots(ucb);
  if (hit) {
    if (slots.hArrowCursor != nullptr && !OwnCursorShown(ucb)) slots.hSavedCursor = SetCursor(slots.hArrowCursor);
  } else if (slots.hSavedCursor != nullptr) {
    SetCursor(slots.hSavedCursor);
    slots.hSavedCursor = nullptr;
  }
}

// Where the pop-up stands, in page client coordinates: a preset list's at
// the middle of the cell under the cursor (while it is over the first row),
// the printer picture's below its area, any other below the item.
POINT Anchor(const ItemMessage& m, POINT client, const Hover& hover) {
  if (hover.anchored) return hover.anchor;
  if (m.icb->kind == kCtlPresetListBox) {
    const ODFS* cell = GetODFSbyItemID(m.icb->itemId);
    POINT at = client;
    if (cell != nullptr && cell->width > 0 && cell->height > 0 && client.y < cell->height) {
      at = POINT{client.x / cell->width * cell->width + cell->width / 2, cell->height / 2};
    }
    MapWindowPoints(m.hwnd, m.page, &at, 1);
    return at;
  }
  const RECT item = RectInPage(m.hwnd, m.page);
  return POINT{item.left, item.bottom + kBelowItem};
}

}  // namespace

PrinterPictureHit HitPrinterPicture(UCB* ucb, TCB* tcb, POINT client) {
  PrinterPictureHit hit;
  const DWORD machine = ucb->pDP != nullptr ? ucb->pDP->bMachineID : 0;
  struct Side {
    WORD listId;
    const HitTestRegion* records;
  };
  const Side sides[] = {{kTrayListId, GetHitTestDataInput(machine)}, {kOutputListId, GetHitTestDataOutput(machine)}};
  for (const Side& side : sides) {
    const ICB* list = FindItemOnPage(tcb, side.listId);
    if (list == nullptr || list->hWnd == nullptr || IsItemDisabled(list)) continue;
    hit.region = CheckHitTestData(ucb, &hit.area, client, side.records);
    if (hit.region != nullptr) {
      hit.listId = side.listId;
      return hit;
    }
  }
  return hit;
}

bool OnItemHitTest(const ItemMessage& m, LRESULT* result) {
  const POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  if (LeftToOthers(m, screen)) return false;
  POINT client = screen;
  ScreenToClient(m.hwnd, &client);
  const Hover hover = TestPicture(m, client);
  ShowChoiceCursor(m.ucb, hover.hit);
  const POINT anchor = Anchor(m, client, hover);
  ShowPopupMsg(m.ucb, m.icb, m.page, anchor.x, anchor.y);
  if (!IsWindow(m.hwnd)) return false;
  switch (m.icb->kind) {
    case kCtlText1:
    case kCtlBitmap:
    case kCtlIcon:
    case kCtlText4:
      *result = HTCLIENT;  // statics that must take the mouse
      return true;
    case kCtlHScrollbarArrows:
      if (!DecoratedArrowAtLimit(m.ucb, m.icb, m.hwnd, client.x)) return false;
      *result = HTERROR;
      return true;
    default:
      return false;
  }
}
