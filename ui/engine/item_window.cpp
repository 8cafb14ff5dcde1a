// The window procedure every item window of a page is subclassed with. The
// feature modules see each message first; then a table of messages says
// what the dialog engine does itself, and everything it leaves goes to the
// control's own procedure.
#include <algorithm>
#include <iterator>

#include "features/custom_modules.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"

namespace {

constexpr WORD kPreviewPictureId = 2039;

// Pictures and decorated scroll bars paint themselves. Siblings above the
// item that only partly cover it keep their pixels (a frame that holds the
// whole item does not count).
bool OnPaint(const ItemMessage& m, LRESULT* result) {
  if (m.icb->kind != kCtlBitmap && m.icb->kind != kCtlHScrollbarArrows) return false;
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(m.hwnd, &ps);
  if (dc == nullptr) return false;
  RECT item{};
  GetWindowRect(m.hwnd, &item);
  for (HWND above = GetWindow(m.hwnd, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    RECT r{};
    if (!IsWindowVisible(above) || !GetWindowRect(above, &r)) continue;
    const bool holdsItem = r.left <= item.left && r.top <= item.top && r.right >= item.right && r.bottom >= item.bottom;
    if (holdsItem) continue;
    ExcludeClipRect(dc, r.left - item.left, r.top - item.top, r.right - item.left, r.bottom - item.top);
  }
  DIALOGSLOTS& slots = DialogSlots(m.ucb);
  slots.hPaintDC = dc;
  if (m.icb->kind == kCtlBitmap) {
    PaintBitmap2(m.ucb, m.tcb, m.icb, nullptr, nullptr);
  } else {
    PaintDecoratedHScrollbar(m.ucb, m.tcb, m.icb);
  }
  slots.hPaintDC = nullptr;
  EndPaint(m.hwnd, &ps);
  *result = 0;
  return true;
}

// A number edit's final parse and alert check; a decorated bar repaints its
// focus look. A repeat button that loses the focus ends its repeat: its
// release would go elsewhere.
bool OnKillFocus(const ItemMessage& m, LRESULT*) {
  if (m.icb->kind == kCtlEditNum) DoDefaultProcessItemMessage(m.ucb, m.tcb, m.icb, m.message, m.wParam, m.lParam);
  if (m.icb->kind == kCtlHScrollbarArrows) InvalidateRect(m.hwnd, nullptr, TRUE);
  if (IsRepeatButton(m.icb)) PostMessageW(m.hwnd, kMsgAutoRepeat, 0, 0);
  return false;
}

// The capture going elsewhere (another window took it, or it was let go
// without a release reaching the button) ends a repeat as a release would.
bool OnCaptureChanged(const ItemMessage& m, LRESULT*) {
  if (IsRepeatButton(m.icb)) PostMessageW(m.hwnd, kMsgAutoRepeat, 0, 0);
  return false;
}

bool OnSetCursor(const ItemMessage& m, LRESULT* result) {
  if (!OwnCursorShown(m.ucb)) return false;
  *result = 1;
  return true;
}

bool OnEraseBackground(const ItemMessage& m, LRESULT* result) {
  const WORD kind = m.icb->kind;
  const bool fills = kind == kCtlPresetListBox || kind == kCtlOwnerListBox ||
                     (kind == kCtlBitmap && (m.icb->itemId == kPreviewPictureId || m.icb->itemId == 0));
  if (!fills) return false;
  const DIALOGSLOTS& slots = DialogSlots(m.ucb);
  HBRUSH brush = nullptr;
  if (IsItemDisabled(m.icb)) {
    brush = slots.hButtonFaceBrush != nullptr ? slots.hButtonFaceBrush : GetSysColorBrush(COLOR_BTNFACE);
  } else if (kind == kCtlOwnerListBox || slots.hWhiteBrush == nullptr) {
    brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  } else {
    brush = slots.hWhiteBrush;
  }
  RECT client{};
  GetClientRect(m.hwnd, &client);
  FillRect(reinterpret_cast<HDC>(m.wParam), &client, brush);
  *result = 1;
  return true;
}

bool OnMouseMove(const ItemMessage& m, LRESULT*) {
  if ((m.wParam & MK_LBUTTON) != 0) ArrowToHand(m.ucb);
  return false;
}

// A right press while the left button is down cancels the left press.
bool OnRightPress(const ItemMessage& m, LRESULT*) {
  if ((m.wParam & MK_LBUTTON) != 0) PostMessageW(m.hwnd, WM_LBUTTONUP, m.wParam & ~MK_LBUTTON, m.lParam);
  return false;
}

bool OnKeyUp(const ItemMessage& m, LRESULT* result) {
  if (m.wParam != VK_SPACE || !IsRepeatButton(m.icb)) return false;
  return OnItemRelease(m, result);
}

struct ItemMessageRow {
  UINT message;
  bool (*handle)(const ItemMessage& m, LRESULT* result);
};

constexpr ItemMessageRow kRows[] = {
    {WM_PAINT, OnPaint},
    {WM_KILLFOCUS, OnKillFocus},
    {WM_CAPTURECHANGED, OnCaptureChanged},
    {WM_SETCURSOR, OnSetCursor},
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_KEYDOWN, OnItemKeyDown},
    {WM_KEYUP, OnKeyUp},
    {WM_CHAR, OnItemChar},
    {WM_PASTE, OnItemPaste},
    {WM_NCHITTEST, OnItemHitTest},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONDOWN, OnItemPress},
    {WM_LBUTTONDBLCLK, OnItemPress},
    {WM_LBUTTONUP, OnItemRelease},
    {WM_RBUTTONDOWN, OnRightPress},
    {kMsgAutoRepeat, OnItemAutoRepeat},
};

}  // namespace

LRESULT KesmItemDefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* icb = reinterpret_cast<ICB*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (icb == nullptr) return 0;
  HWND page = GetParent(hwnd);
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER));
  TCB* tcb = ucb != nullptr ? GetTCBbyHwnd(ucb, page) : nullptr;
  const ItemMessage m{hwnd, message, wParam, lParam, ucb, tcb, icb, page};
  if (ucb == nullptr || tcb == nullptr || ucb->pWork == nullptr) return PassOnItemMessage(m);
  if (KesmCustomProcedure(ucb, tcb, icb, message, wParam, lParam) == 1) return 0;
  const auto row = std::find_if(std::begin(kRows), std::end(kRows),
                                [message](const ItemMessageRow& r) { return r.message == message; });
  LRESULT result = 0;
  if (row != std::end(kRows) && row->handle(m, &result)) return result;
  return PassOnItemMessage(m);
}

// A push button's window does nothing until its item is tied to it.
LRESULT KesmPushButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) == 0) return 0;
  return KesmItemDefWindowProc(hwnd, message, wParam, lParam);
}
