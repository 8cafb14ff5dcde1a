// The non-client area as DefWindowProcW paints it on WM_NCPAINT and
// WM_NCACTIVATE, in the flat classic look: the dialog or sizing frame
// raised, a plain border black, the caption bar in the active or inactive
// caption colour with the window's text and, with a system menu, a close
// box; then the client edge sunken. The layers lie as FrameInsets measures
// them; the window's own scroll bars lie inside the client edge.
#include <algorithm>
#include <string>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_draw.h"
#include "platform/window/own_scrollbars.h"
#include "platform/window/window_internal.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

struct FrameLook {
  DWORD style = 0;
  DWORD exStyle = 0;
  std::u16string text;
  SIZE size{};
};

bool Look(HWND hwnd, FrameLook* look) {
  return ReadWindow(hwnd, [&](const Window& w) {
    *look = FrameLook{w.style, w.exStyle, w.text, SIZE{w.rect.right - w.rect.left, w.rect.bottom - w.rect.top}};
  });
}

// The outer frame: raised, filled up to its width with the face colour;
// a plain border is one black line.
void PaintOuterFrame(HDC dc, const FrameLook& look, RECT& r) {
  int width = 0;
  if ((look.style & WS_THICKFRAME) != 0) {
    width = GetSystemMetrics(SM_CXFRAME);
  } else if ((look.style & WS_DLGFRAME) != 0 || (look.exStyle & WS_EX_DLGMODALFRAME) != 0) {
    width = GetSystemMetrics(SM_CXDLGFRAME);
  } else if ((look.style & WS_BORDER) != 0) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
    return;
  }
  if (width == 0) return;
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  for (int i = 2; i < width; ++i) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    InflateRect(&r, -1, -1);
  }
}

// The close box's cross: two strokes two pixels thick.
void DrawCross(HDC dc, const RECT& box) {
  const LONG size = std::min(box.right - box.left, box.bottom - box.top) - 8;
  const LONG left = box.left + (box.right - box.left - size) / 2;
  const LONG top = box.top + (box.bottom - box.top - size) / 2;
  HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
  for (LONG i = 0; i < size; ++i) {
    const RECT down{left + i, top + i, left + i + 2, top + i + 1};
    const RECT up{left + size - 2 - i, top + i, left + size - i, top + i + 1};
    FillRect(dc, &down, ink);
    FillRect(dc, &up, ink);
  }
}

// The caption bar: the last line of its height is the face colour.
void PaintCaption(HDC dc, const FrameLook& look, bool active, RECT& r) {
  if ((look.style & WS_CAPTION) != WS_CAPTION) return;
  const int height = GetSystemMetrics((look.exStyle & WS_EX_TOOLWINDOW) != 0 ? SM_CYSMCAPTION : SM_CYCAPTION);
  RECT bar{r.left, r.top, r.right, r.top + height - 1};
  FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  const RECT line{r.left, bar.bottom, r.right, r.top + height};
  FillRect(dc, &line, GetSysColorBrush(COLOR_3DFACE));
  RECT textRect{bar.left + 3, bar.top, bar.right - 2, bar.bottom};
  if ((look.style & WS_SYSMENU) != 0) {
    const LONG side = height - 5;
    RECT box{bar.right - 2 - side, bar.top + 2, bar.right - 2, bar.top + 2 + side};
    textRect.right = box.left - 2;
    DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    DrawCross(dc, box);
  }
  if (!look.text.empty()) {
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(look.text.c_str()), static_cast<int>(look.text.size()), &textRect,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
  }
  r.top += height;
}

void PaintClientEdge(HDC dc, const FrameLook& look, RECT& r) {
  if ((look.exStyle & WS_EX_CLIENTEDGE) != 0) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if ((look.exStyle & WS_EX_STATICEDGE) != 0) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

}  // namespace

void PaintNonClient(HWND hwnd, bool active) {
  FrameLook look;
  if (!Look(hwnd, &look)) return;
  constexpr DWORD kFramed = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL;
  constexpr DWORD kFramedEx = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
  if ((look.style & kFramed) == 0 && (look.exStyle & kFramedEx) == 0) return;  // nothing outside the client area
  HDC dc = GetWindowDC(hwnd);
  if (dc == nullptr) return;
  RECT r{0, 0, look.size.cx, look.size.cy};
  PaintOuterFrame(dc, look, r);
  PaintCaption(dc, look, active, r);
  PaintClientEdge(dc, look, r);
  PaintOwnScrollBars(hwnd, dc);
  ReleaseDC(hwnd, dc);
}

}  // namespace plat::window
