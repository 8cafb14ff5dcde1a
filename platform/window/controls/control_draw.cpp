// The flat classic look's shared pieces, drawn with GDI in the system's
// colours.
#include "platform/window/controls/control_draw.h"

#include <algorithm>

#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

void FillPixels(HDC dc, LONG left, LONG top, LONG right, LONG bottom, HBRUSH brush) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, brush);
}

// A solid triangle of rows (or columns) one pixel shorter at each end than
// the last, its base across the middle of r.
void DrawTriangle(HDC dc, const RECT& r, ArrowDirection direction, HBRUSH brush) {
  const LONG width = r.right - r.left, height = r.bottom - r.top;
  const bool vertical = direction == ArrowDirection::kUp || direction == ArrowDirection::kDown;
  const LONG across = std::max<LONG>(1, (std::min(width, height) / 2) | 1);  // odd, so that it has a tip
  const LONG depth = across / 2 + 1;
  const LONG cx = r.left + width / 2, cy = r.top + height / 2;
  for (LONG i = 0; i < depth; ++i) {
    const LONG half = across / 2 - i;
    // Rows from the base to the tip.
    const bool towardsStart = direction == ArrowDirection::kUp || direction == ArrowDirection::kLeft;
    const LONG at = towardsStart ? (vertical ? cy + depth / 2 - i : cx + depth / 2 - i)
                                 : (vertical ? cy - depth / 2 + i : cx - depth / 2 + i);
    if (vertical) {
      FillPixels(dc, cx - half, at, cx + half + 1, at + 1, brush);
    } else {
      FillPixels(dc, at, cy - half, at + 1, cy + half + 1, brush);
    }
  }
}

}  // namespace

void DrawArrowButton(HDC dc, RECT r, ArrowDirection direction, bool pressed, bool disabled) {
  RECT inner = r;
  DrawEdge(dc, &inner, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  if (pressed) OffsetRect(&inner, 1, 1);
  DrawTriangle(dc, inner, direction, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
}

void DrawCheckBox(HDC dc, RECT box, LRESULT check, bool disabled) {
  RECT inner = box;
  DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &inner, GetSysColorBrush(disabled ? COLOR_3DFACE : COLOR_WINDOW));
  if (check != BST_CHECKED && check != BST_INDETERMINATE) return;
  HBRUSH mark = GetSysColorBrush(disabled || check == BST_INDETERMINATE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  // The mark: a short stroke down to the right, then a long one up, each
  // three pixels thick, centred in the box.
  constexpr LONG kTops[] = {2, 3, 4, 3, 2, 1, 0};
  const LONG left = inner.left + (inner.right - inner.left - 7) / 2;
  const LONG top = inner.top + (inner.bottom - inner.top - 7) / 2;
  for (LONG k = 0; k < 7; ++k) FillPixels(dc, left + k, top + kTops[k], left + k + 1, top + kTops[k] + 3, mark);
}

void DrawRadioCircle(HDC dc, RECT box, bool checked, bool disabled) {
  HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
  HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(disabled ? COLOR_3DFACE : COLOR_WINDOW));
  Ellipse(dc, box.left, box.top, box.right, box.bottom);
  DeleteObject(SelectObject(dc, GetStockObject(NULL_PEN)));
  if (checked) {
    const LONG cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    SelectObject(dc, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    Ellipse(dc, cx - 2, cy - 2, cx + 3, cy + 3);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

void DrawControlText(HDC dc, const std::u16string& text, RECT r, UINT format, bool disabled) {
  if (text.empty()) return;
  const COLORREF old = disabled ? SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT)) : GetTextColor(dc);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &r, format);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, old);
}

}  // namespace plat::window
