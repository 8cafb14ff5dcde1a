// The look of owner-drawn list and combo entries: their fill and text
// colours, their text, the pictures beside or instead of it, the focus
// frame, and the brush a list's background takes.
#include "platform/window/winuser.h"
#include "platform/window/winuser_draw.h"
#include "platform/window/winuser_styles.h"
#include "platform/modules/winresource.h"
#include "settings/context/context_block.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/kinds/list_kinds.h"

namespace lists {
namespace {

COLORREF Sys(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

bool DrawPicture(UCB* ucb, HDC dc, const RECT& rect, int x, int y, WORD pictureId, DWORD placement) {
  if (pictureId == 0) return false;
  return PaintBitmapFromResDll2(ucb, dc, &rect, x, y, MAKEINTRESOURCEW(pictureId), kPaintCopy | placement) != FALSE;
}

}  // namespace

COLORREF EntryBackground(const ICB* icb, UINT state) {
  if (ItemDisabled(icb)) return Sys(COLOR_BTNFACE);
  return (state & ODS_SELECTED) != 0 ? Sys(COLOR_HIGHLIGHT) : Sys(COLOR_WINDOW);
}

COLORREF EntryTextColour(const ICB* icb, UINT state) {
  if (ItemDisabled(icb)) return Sys(COLOR_GRAYTEXT);
  return (state & ODS_SELECTED) != 0 ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(COLOR_WINDOWTEXT);
}

DcColours PrepareEntry(HDC dc, const RECT& rect, COLORREF back, COLORREF text) {
  if (const HBRUSH brush = CreateSolidBrush(back)) {
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
  return DcColours{SetTextColor(dc, text), SetBkColor(dc, back)};
}

void RestoreColours(HDC dc, DcColours saved) {
  SetTextColor(dc, saved.text);
  SetBkColor(dc, saved.back);
}

void DrawEntryText(HDC dc, const RECT& rect, const std::u16string& text, int inset) {
  if (text.empty()) return;
  const auto length = static_cast<int>(text.size());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
  const int y = rect.top + (rect.bottom - rect.top - extent.cy) / 2;
  ExtTextOutW(dc, rect.left + inset, y, ETO_CLIPPED | ETO_OPAQUE, &rect, text.c_str(), static_cast<UINT>(length),
              nullptr);
}

void DrawPictureAtLeft(UCB* ucb, HDC dc, const RECT& rect, WORD pictureId) {
  DrawPicture(ucb, dc, rect, rect.left, (rect.top + rect.bottom) / 2, pictureId, kPaintCentreY);
}

bool DrawPictureCentred(UCB* ucb, HDC dc, const RECT& rect, WORD pictureId) {
  return DrawPicture(ucb, dc, rect, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, pictureId,
              kPaintCentreX | kPaintCentreY);
}

bool DrawDisabledOption(UCB* ucb, const ICB* icb, HDC dc, const RECT& rect, const std::u16string& text) {
  const CDSPL* data = ListDataOf(icb);
  if (data == nullptr || data->hintFlag == 0 || data->disabledBitmapId == 0) return false;
  SetTextColor(dc, Sys(COLOR_GRAYTEXT));
  RECT shifted = rect;
  shifted.left += rect.bottom - rect.top;
  DrawEntryText(dc, shifted, text);
  DrawPictureAtLeft(ucb, dc, rect, static_cast<WORD>(data->disabledBitmapId));
  return true;
}

void DrawEntryFocus(const DRAWITEMSTRUCT& item) {
  if ((item.itemAction & ODA_FOCUS) != 0 || (item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

const DRAWITEMSTRUCT* DrawItemFor(const ICB* icb, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  return item != nullptr && icb != nullptr && item->CtlID == icb->itemId ? item : nullptr;
}

bool AnswerListColour(UCB* ucb, const TCB* tcb, const ICB* icb, LPARAM control, HBRUSH enabled) {
  if (icb == nullptr || icb->hWnd == nullptr || reinterpret_cast<HWND>(control) != icb->hWnd) return false;
  HBRUSH brush = enabled;
  if (ItemDisabled(icb)) {
    brush = ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->dialog.hButtonFaceBrush : nullptr;
    if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  }
  const HWND page = tcb != nullptr && tcb->hWnd != nullptr ? tcb->hWnd : GetParent(icb->hWnd);
  SetWindowLongPtrW(page, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(brush));
  return true;
}

}  // namespace lists
