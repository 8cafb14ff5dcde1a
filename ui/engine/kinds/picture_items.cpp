// Picture and icon items show the pictures of their group's options: a
// choice without a driven control its current option, otherwise every
// option that is offered, the later ones drawn over the first.
#include "ui/engine/kinds/picture_items.h"

#include <algorithm>
#include <iterator>

#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/bitmaps/resource_icons.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kinds/kind_options.h"

namespace {

// The pictures after the first are drawn over it.
constexpr DWORD kPaintOver = 0x1;

bool Lists(const WORD* list, WORD id) {
  for (; *list != 0; ++list) {
    if (*list == id) return true;
  }
  return false;
}

// The preview box over a page picture; none for any other picture.
bool PreviewBox(WORD id, SIZE* box) {
  if (Lists(port, id)) {
    *box = kPortraitPreview;
  } else if (Lists(land, id)) {
    *box = kLandscapePreview;
  } else {
    return false;
  }
  return true;
}

// A watermark preview shows the page picture on white paper.
void PaintWhite(UCB* ucb, HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return;
  const HDC dc = GetKesmDC(ucb, window);
  if (dc == nullptr) return;
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseKesmDC(ucb, window, dc);
}

void OfferPreview(UCB* ucb, ICB* icb, WORD id, SIZE box, HDC dc, const RECT* rect) {
  CustomPreviewPaint preview{icb, box.cx, box.cy, dc, rect, FindBitmapInfo(id)};
  KesmCustomFunction(ucb, kCustomPreviewPaint, &preview);
}

}  // namespace

void PaintBitmap(UCB*, TCB*, ICB* icb) {
  if (icb != nullptr && icb->hWnd != nullptr) InvalidateRect(icb->hWnd, nullptr, TRUE);
}

void PaintBitmap2(UCB* ucb, TCB*, ICB* icb, HDC dc, const RECT* rect) {
  if (ucb == nullptr || ucb->pWork == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  const std::vector<WORD> shown = PicturedOptions(ucb, icb);
  if (shown.empty()) return;
  RECT area{};
  if (rect != nullptr) {
    area = *rect;
  } else if (!GetClientRect(icb->hWnd, &area)) {
    return;
  }
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  const HDC pending = slots.hPaintDC;
  if (dc != nullptr) slots.hPaintDC = dc;
  if (dc == nullptr && KesmGetClassData(icb, kClassWatermark) != nullptr) PaintWhite(ucb, icb->hWnd);
  // A colour sample is painted at the picture's own size, colour adjusted,
  // and stretched over the item when it is released.
  const DWORD base = KesmGetClassData(icb, kClassSample) != nullptr ? kPaintOwnSize : 0;
  HoldPaintBitmap(ucb);
  bool first = true;
  bool previewed = false;
  for (const WORD id : shown) {
    const BOOL painted = PaintBitmapFromResDll(ucb, icb->hWnd, rect, id, first ? base : kPaintOver);
    first = false;
    SIZE box{};
    if (painted && !previewed && PreviewBox(id, &box)) {
      previewed = true;
      OfferPreview(ucb, icb, id, box, dc, &area);
    }
  }
  ReleasePaintBitmap(ucb, icb->hWnd, &area);
  slots.hPaintDC = pending;
}

void PaintIcon(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  // The control draws its background first, so that an icon's transparent
  // parts do not show the icon drawn before.
  InvalidateRect(icb->hWnd, nullptr, TRUE);
  UpdateWindow(icb->hWnd);
  // A choice has one icon: its first option shown.
  const bool choice = icb->pUiGroup != nullptr && (icb->pUiGroup->type & 0xFF) == kUiPickOne;
  for (const WORD id : PicturedOptions(ucb, icb)) {
    LoadIconFromResDll(ucb, icb->hWnd, id);
    if (choice) break;
  }
}
