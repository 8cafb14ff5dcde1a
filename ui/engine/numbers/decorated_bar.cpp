#include "ui/engine/numbers/decorated_bar.h"

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "settings/tables/class_data.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/bitmaps/palette256.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace {

// Draw3DButton's style of a bevelled face.
constexpr DWORD kBevel = 2;
// The minus bar is this thick and this far in from the button's sides; the
// plus bar as far in from its top and bottom.
constexpr int kBarThickness = 2;
constexpr int kBarInset = 4;

void Fill(HDC dc, const RECT& r, int colour) { FillRect(dc, &r, GetSysColorBrush(colour)); }

// A button face with a minus sign, and for the right button a plus.
void DrawSignButton(UCB* ucb, HDC dc, const RECT& r, bool plus, bool pressed) {
  Draw3DButton(ucb, nullptr, dc, &r, kBevel, pressed ? TRUE : FALSE, FALSE);
  const int midY = (r.top + r.bottom) / 2;
  Fill(dc, RECT{r.left + kBarInset, midY - kBarThickness / 2, r.right - kBarInset, midY + kBarThickness / 2},
       COLOR_MENUTEXT);
  if (!plus) return;
  const int midX = (r.left + r.right) / 2;
  Fill(dc, RECT{midX - kBarThickness / 2, r.top + kBarInset, midX + kBarThickness / 2, r.bottom - kBarInset},
       COLOR_MENUTEXT);
}

struct BarLayout {
  RECT left;
  RECT right;
  RECT shaft;
  RECT thumb;
};

BarLayout LayoutOf(const RECT& client, const SCROLLINFO& info) {
  const int w = CalcScrollButtonWidth();
  BarLayout l{};
  l.left = RECT{client.left, client.top, client.left + w, client.bottom};
  l.right = RECT{client.right - w, client.top, client.right, client.bottom};
  l.shaft = RECT{l.left.right, client.top, l.right.left, client.bottom};
  const long long travel = client.right - client.left - 3 * w;
  const long long offset = travel * (info.nPos - info.nMin) / (info.nMax - info.nMin);
  const int x = client.left + w + static_cast<int>(offset);
  l.thumb = RECT{x, client.top, x + w, client.bottom};
  return l;
}

// The bar's picture at its own size from the shaft's top left, unless the
// display uses a palette; false when there is none to show.
bool PaintShaftPicture(UCB* ucb, HDC dc, const ICB* icb, const RECT& shaft) {
  const auto* data = static_cast<const CDSBI*>(KesmGetClassData(icb, kClassScroll));
  if (data == nullptr || data->bitmapId == 0 || MakePalette256(nullptr, 0, 0) != 0) return false;
  return PaintBitmapFromResDll2(ucb, dc, &shaft, shaft.left, shaft.top, MAKEINTRESOURCEW(data->bitmapId),
                                kPaintCopy) != FALSE;
}

}  // namespace

int CalcScrollButtonWidth() { return GetSystemMetrics(SM_CXHSCROLL); }

void PaintDecoratedHScrollbar(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
  SendMessageW(icb->hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
  if (info.nMax == info.nMin) return;
  HDC dc = GetKesmDC(ucb, icb->hWnd);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(icb->hWnd, &client);
  const BarLayout l = LayoutOf(client, info);
  if (!PaintShaftPicture(ucb, dc, icb, l.shaft)) {
    // A light track, so that the shaft stands out from the page as a
    // scroll bar's does.
    const COLORREF track = GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT before{l.shaft.left, l.shaft.top, l.thumb.left, l.shaft.bottom};
    const RECT after{l.thumb.right, l.shaft.top, l.shaft.right, l.shaft.bottom};
    if (before.right > before.left) DrawColorRect(dc, &before, track);
    if (after.right > after.left) DrawColorRect(dc, &after, track);
  }
  DrawSignButton(ucb, dc, l.left, false, false);
  DrawSignButton(ucb, dc, l.right, true, false);
  Draw3DButton(ucb, nullptr, dc, &l.thumb, kBevel, FALSE, GetFocus() == icb->hWnd ? TRUE : FALSE);
  ReleaseKesmDC(ucb, icb->hWnd, dc);
}

namespace numbers {

HWND ShowPressedArrow(UCB* ucb, const ICB* icb, int x) {
  RECT client{};
  GetClientRect(icb->hWnd, &client);
  const int w = CalcScrollButtonWidth();
  const bool left = x < client.left + w;
  const bool right = x >= client.right - w;
  if (!left && !right) return nullptr;
  POINT origin{left ? client.left : client.right - w, client.top};
  ClientToScreen(icb->hWnd, &origin);
  const int height = client.bottom - client.top;
  HWND arrow = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, origin.x, origin.y, w, height, GetParent(icb->hWnd),
                               nullptr, GetResDll(ucb), nullptr);
  if (arrow == nullptr) return nullptr;
  ShowWindow(arrow, SW_SHOWNOACTIVATE);
  UpdateWindow(arrow);
  if (HDC dc = GetDC(arrow)) {
    DrawSignButton(ucb, dc, RECT{0, 0, w, height}, right, true);
    ReleaseDC(arrow, dc);
  }
  return arrow;
}

}  // namespace numbers
