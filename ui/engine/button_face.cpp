// The face of the owner-drawn buttons: a plain, bevelled or picture-cornered
// frame, a caption (text, embossed while the button is disabled, or an
// arrow drawn as a triangle) and the focus frame; and the colour samples of
// the colour pickers.
#include <array>
#include <iterator>

#include "platform/text/wintext.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_draw.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/painting_tables.h"
#include "ui/resource_dll.h"

namespace {

constexpr DWORD kFrameMask = 0xF;
constexpr DWORD kFrameFlat = 1;
constexpr DWORD kFrameBevel = 2;
constexpr DWORD kFrameCorners = 4;

// The corner pictures of the picture frame, by the two bits of each half.
constexpr WORD kLeftCorners[] = {0, 6220, 6221, 6222};   // style bits 0x30
constexpr WORD kRightCorners[] = {0, 6222, 6221, 6220};  // style bits 0xC0

// One bevel ring: the colours of its top-left and bottom-right lines.
struct Ring {
  int topLeft;
  int bottomRight;
};
// Outer ring first.
constexpr Ring kRaised[] = {{COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW}, {COLOR_BTNFACE, COLOR_BTNSHADOW}};
constexpr Ring kPressed[] = {{COLOR_BTNSHADOW, COLOR_BTNFACE}, {COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT}};

constexpr int kCaptionChars = 256;

void Polyline(HDC dc, int colour, std::initializer_list<POINT> points) {
  const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colour));
  const HGDIOBJ old = SelectObject(dc, pen);
  const POINT* p = points.begin();
  MoveToEx(dc, p->x, p->y, nullptr);
  for (++p; p != points.end(); ++p) LineTo(dc, p->x, p->y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// The top-left line runs up the left side from bottom - 2 and along the
// top to right - 2; the bottom-right line along the bottom and up the
// right side to the top. Each line ends one pixel past its last point, as
// lines leave their last pixel.
void DrawRing(HDC dc, const RECT& r, const Ring& ring) {
  Polyline(dc, ring.topLeft, {{r.left, r.bottom - 2}, {r.left, r.top}, {r.right - 1, r.top}});
  Polyline(dc, ring.bottomRight, {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}});
}

void DrawBevel(UCB*, HDC dc, RECT& r, DWORD, BOOL pressed) {
  const Ring* rings = pressed ? kPressed : kRaised;
  DrawRing(dc, r, rings[0]);
  InflateRect(&r, -1, -1);
  DrawRing(dc, r, rings[1]);
}

// Each quarter of the face shows the matching corner of its half's picture,
// anchored at the face's corner.
void DrawCorners(UCB* ucb, HDC dc, RECT& r, DWORD style, BOOL) {
  const WORD left = kLeftCorners[(style >> 4) & 3];
  const WORD right = kRightCorners[(style >> 6) & 3];
  const LONG midX = (r.left + r.right) / 2;
  const LONG midY = (r.top + r.bottom) / 2;
  struct Quarter {
    WORD picture;
    RECT rect;
    POINT anchor;
    DWORD flags;
  };
  const Quarter quarters[] = {
      {left, {r.left, r.top, midX, midY}, {r.left, r.top}, kPaintCopy},
      {left, {r.left, midY, midX, r.bottom}, {r.left, r.bottom}, kPaintCopy | kPaintBottom},
      {right, {midX, r.top, r.right, midY}, {r.right, r.top}, kPaintCopy | kPaintRight},
      {right, {midX, midY, r.right, r.bottom}, {r.right, r.bottom}, kPaintCopy | kPaintRight | kPaintBottom},
  };
  for (const Quarter& q : quarters) {
    if (q.picture == 0) continue;
    PaintBitmapFromResDll2(ucb, dc, &q.rect, q.anchor.x, q.anchor.y, MAKEINTRESOURCEW(q.picture), q.flags);
  }
  InflateRect(&r, -4, -2);
}

struct Frame {
  DWORD style;
  void (*draw)(UCB* ucb, HDC dc, RECT& working, DWORD style, BOOL pressed);
};
constexpr Frame kFrames[] = {
    {kFrameFlat, nullptr},
    {kFrameBevel, DrawBevel},
    {kFrameCorners, DrawCorners},
};

void DrawFrame(UCB* ucb, HDC dc, RECT& working, DWORD style, BOOL pressed) {
  for (const Frame& frame : kFrames) {
    if (frame.style == (style & kFrameMask) && frame.draw != nullptr) frame.draw(ucb, dc, working, style, pressed);
  }
}

// The caption the owner caption slot names: its string, nothing for a
// button without caption, "..." when none was chosen.
void CaptionOf(const UCB* ucb, WCHAR (&caption)[kCaptionChars + 1]) {
  caption[0] = u'\0';
  const WORD id = ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dialog.wOwnerCaptionId : 0;
  if (id == kNoOwnerCaption) return;
  if (id == 0) {
    lstrcpynW(caption, u"...", kCaptionChars + 1);
    return;
  }
  LoadStringFromResDll(ucb, id, caption, kCaptionChars + 1, FALSE);
}

// "<" points left, ">" right: a triangle in a square as wide as the text
// rectangle, filled in the menu text colour and outlined in the colour the
// caller's text had.
void DrawArrow(HDC dc, const RECT& r, bool left, BOOL focus, COLORREF outline) {
  const LONG x0 = r.left + (focus ? 1 : 0);
  const LONG x1 = r.right - 1;
  const LONG side = x1 - x0;
  const LONG y0 = (r.top + r.bottom - side) / 2;
  const LONG y1 = y0 + side;
  const LONG mid = (y0 + y1) / 2;
  const std::array<POINT, 3> points = left ? std::array<POINT, 3>{{{x0, mid}, {x1, y0}, {x1, y1}}}
                                           : std::array<POINT, 3>{{{x1, mid}, {x0, y0}, {x0, y1}}};
  const HPEN pen = CreatePen(PS_SOLID, 1, outline);
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_MENUTEXT));
  Polygon(dc, points.data(), static_cast<int>(points.size()));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

// The caption centred in the working rectangle; its width in pixels.
int DrawCaption(UCB* ucb, HWND button, HDC dc, const RECT& working, BOOL focus, COLORREF entryText) {
  WCHAR caption[kCaptionChars + 1];
  CaptionOf(ucb, caption);
  if (caption[0] == u'\0') return 0;
  if (const LRESULT font = SendMessageW(button, WM_GETFONT, 0, 0)) SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  SetBkMode(dc, TRANSPARENT);
  constexpr UINT kFormat = DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER;
  RECT measured = working;
  DrawTextW(dc, caption, -1, &measured, kFormat | DT_CALCRECT);
  const LONG height = measured.bottom - measured.top;
  RECT text{working.left, working.top + (working.bottom - working.top - height) / 2, working.right, 0};
  text.bottom = text.top + height;
  const bool arrow = (caption[0] == u'<' || caption[0] == u'>') && caption[1] == u'\0';
  if (arrow) {
    DrawArrow(dc, text, caption[0] == u'<', focus, entryText);
  } else if (!IsWindowEnabled(button)) {
    RECT raised = text;
    OffsetRect(&raised, 1, 1);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, caption, -1, &raised, kFormat);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, caption, -1, &text, kFormat);
  } else {
    DrawTextW(dc, caption, -1, &text, kFormat);
  }
  return measured.right - measured.left;
}

}  // namespace

int Draw3DButton(UCB* ucb, HWND button, HDC dc, const RECT* rect, DWORD style, BOOL pressed, BOOL focus) {
  if (dc == nullptr || rect == nullptr) return 0;
  const int saved = SaveDC(dc);
  const COLORREF entryText = GetTextColor(dc);
  SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
  Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
  RECT working = *rect;
  if (focus) InflateRect(&working, -1, -1);
  DrawFrame(ucb, dc, working, style, pressed);
  const int width = button != nullptr ? DrawCaption(ucb, button, dc, working, focus, entryText) : 0;
  if (focus) {
    RECT frame = working;
    InflateRect(&frame, -2, -2);
    DrawFocusRect(dc, &frame);
  }
  RestoreDC(dc, saved);
  return width;
}

void DrawColorRect(HDC dc, const RECT* rect, COLORREF colour) {
  if (dc == nullptr || rect == nullptr) return;
  const HPEN pen = CreatePen(PS_SOLID, 1, colour);
  const HBRUSH brush = CreateSolidBrush(colour);
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}
