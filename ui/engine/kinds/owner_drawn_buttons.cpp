// Owner-drawn push and custom buttons: a three-dimensional face with the
// caption, and the pictures of the group's options on it. A custom button
// (caption record) draws its caption at the left beside its picture and may
// underline it; a disabled one draws it embossed in grey.
#include <array>

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kinds/kind_options.h"
#include "ui/engine/painting_helpers.h"

namespace {

constexpr DWORD kBevelled = 2;        // Draw3DButton's two bevel rings
constexpr int kCaptionMargin = 8;     // a custom caption's margin at the top, right and bottom
constexpr int kPictureGap = 4;        // between a picture and the caption beside it
constexpr DWORD kOverFace = 0x1;      // option pictures are drawn over the face
constexpr int kCaptionChars = 256;

bool Drawn(UINT action) { return (action & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)) != 0; }

void Caption(HDC dc, RECT text, LPCWSTR caption, bool underline, bool disabled) {
  constexpr UINT kFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
  const COLORREF ink = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  if (disabled) {
    RECT raised = text;
    OffsetRect(&raised, 1, 1);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, caption, -1, &raised, kFormat);
  }
  SetTextColor(dc, ink);
  DrawTextW(dc, caption, -1, &text, kFormat);
  if (!underline) return;
  RECT extent = text;
  DrawTextW(dc, caption, -1, &extent, kFormat | DT_CALCRECT);
  const HPEN pen = CreatePen(PS_SOLID, 1, ink);
  const HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, extent.left, extent.bottom, nullptr);
  LineTo(dc, extent.right, extent.bottom);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// The face and caption of a custom button; the pictures go at the left.
void DrawCustom(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& dis, const CDBTN& data, bool pressed, bool focus) {
  RECT face = dis.rcItem;
  Draw3DButton(ucb, nullptr, dis.hDC, &face, kBevelled, pressed, focus);
  const int height = face.bottom - face.top;
  std::array<WCHAR, kCaptionChars> caption{};
  GetWindowTextW(icb->hWnd, caption.data(), kCaptionChars);
  const HGDIOBJ oldFont = SelectObject(dis.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(icb->hWnd, WM_GETFONT, 0, 0)));
  const int oldMode = SetBkMode(dis.hDC, TRANSPARENT);
  const COLORREF oldInk = GetTextColor(dis.hDC);
  const RECT text{face.left + height, face.top + kCaptionMargin, face.right - kCaptionMargin,
                  face.bottom - kCaptionMargin};
  Caption(dis.hDC, text, caption.data(), data.underline != 0, (dis.itemState & ODS_DISABLED) != 0);
  SetTextColor(dis.hDC, oldInk);
  SetBkMode(dis.hDC, oldMode);
  SelectObject(dis.hDC, oldFont);
  for (const WORD id : VisibleOptions(ucb, icb)) {
    PaintBitmapFromResDll2(ucb, dis.hDC, &face, face.left + height / 2, face.top + height / 2,
                           MAKEINTRESOURCEW(id), kPaintCentreX | kPaintCentreY | kOverFace);
  }
}

// An owner-drawn push button: the face with its owner caption, the
// pictures centred, or just left of a caption.
void DrawPush(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& dis, bool pressed, bool focus) {
  RECT face = dis.rcItem;
  SetOwnerCtrlStringResourceID(ucb, icb);
  const int captionWidth = Draw3DButton(ucb, icb->hWnd, dis.hDC, &face, kBevelled, pressed, focus);
  ClearOwnerCtrlStringResourceID(ucb);
  const int centreX = (face.left + face.right) / 2;
  const int centreY = (face.top + face.bottom) / 2;
  const int x = captionWidth > 0 ? centreX - captionWidth / 2 - kPictureGap : centreX;
  const DWORD flags = (captionWidth > 0 ? kPaintRight : kPaintCentreX) | kPaintCentreY | kOverFace;
  for (const WORD id : VisibleOptions(ucb, icb)) {
    PaintBitmapFromResDll2(ucb, dis.hDC, &face, x, centreY, MAKEINTRESOURCEW(id), flags);
  }
}

}  // namespace

int PMsgPushButton(UCB* ucb, TCB*, ICB* icb, UINT message, WPARAM, LPARAM lParam) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr || lParam == 0) return 0;
  if (message == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    RECT client{};
    if (!GetClientRect(icb->hWnd, &client)) return 0;
    mis->itemWidth = static_cast<UINT>(client.right - client.left);
    mis->itemHeight = static_cast<UINT>(client.bottom - client.top);
    return 1;
  }
  if (message != WM_DRAWITEM) return 0;
  const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!Drawn(dis.itemAction)) return 0;
  // A focus change comes as ODA_FOCUS both when the button gains and when
  // it loses the focus: the state says which.
  const bool focus = (dis.itemState & ODS_FOCUS) != 0;
  const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
  if (const auto* data = static_cast<const CDBTN*>(KesmGetClassData(icb, kClassButton))) {
    DrawCustom(ucb, icb, dis, *data, pressed, focus);
  } else {
    DrawPush(ucb, icb, dis, pressed, focus);
  }
  return 1;
}
