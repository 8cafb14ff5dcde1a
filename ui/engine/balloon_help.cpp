// The hint icon beside a disabled item that has an explanation: a small
// picture the mouse and the keyboard can reach; a click (or the space bar)
// shows the explanation in a message box. Everything else is the static
// control's own.
#include <algorithm>
#include <iterator>

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "ui/alerts/alert_message.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"

namespace {

constexpr UINT kHintPictureId = 7006;

struct Hint {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UCB* ucb;
  const ICB* icb;  // the disabled item the hint explains
  HWND page;
};

LRESULT StaticProcedure(const Hint& h) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  if (!GetClassInfoExW(nullptr, u"STATIC", &cls) || cls.lpfnWndProc == nullptr) {
    return DefWindowProcW(h.hwnd, h.message, h.wParam, h.lParam);
  }
  return CallWindowProcW(cls.lpfnWndProc, h.hwnd, h.message, h.wParam, h.lParam);
}

bool OnPaint(const Hint& h, LRESULT* result) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(h.hwnd, &ps);
  PaintBitmapFromResDll(h.ucb, h.hwnd, nullptr, kHintPictureId, kPaintCopy);
  if (dc != nullptr && GetFocus() == h.hwnd) {
    RECT client{};
    GetClientRect(h.hwnd, &client);
    DrawFocusRect(dc, &client);
  }
  EndPaint(h.hwnd, &ps);
  *result = 0;
  return true;
}

// The focus look comes and goes with the focus: the icon is drawn again.
bool OnFocus(const Hint& h, LRESULT*) {
  const RECT inPage = RectInPage(h.hwnd, h.page);
  InvalidateRect(h.page, &inPage, TRUE);
  InvalidateRect(h.hwnd, nullptr, TRUE);
  return false;
}

// The mouse over the icon: the arrow cursor, and the icon keeps the mouse
// until it leaves.
bool OnHitTest(const Hint& h, LRESULT* result) {
  RECT r{};
  GetWindowRect(h.hwnd, &r);
  if (!PtInRect(&r, POINT{GET_X_LPARAM(h.lParam), GET_Y_LPARAM(h.lParam)})) return false;
  DIALOGSLOTS& slots = DialogSlots(h.ucb);
  if (slots.hArrowCursor != nullptr && !OwnCursorShown(h.ucb)) slots.hSavedCursor = SetCursor(slots.hArrowCursor);
  SetCapture(h.hwnd);
  *result = HTCLIENT;
  return true;
}

// The arrow and hand cursors stay while they are shown, as over items:
// the static's own answer would put its class cursor back at once.
bool OnSetCursor(const Hint& h, LRESULT* result) {
  if (!OwnCursorShown(h.ucb)) return false;
  *result = 1;
  return true;
}

bool OnNcPaint(const Hint&, LRESULT* result) {
  *result = 0;
  return true;
}

bool OnMouseMove(const Hint& h, LRESULT* result) {
  RECT client{};
  GetClientRect(h.hwnd, &client);
  if (PtInRect(&client, POINT{GET_X_LPARAM(h.lParam), GET_Y_LPARAM(h.lParam)})) {
    *result = 1;
    return true;
  }
  if (GetCapture() == h.hwnd) ReleaseCapture();
  *result = 0;
  return true;
}

bool OnPress(const Hint& h, LRESULT* result) {
  ArrowToHand(h.ucb);
  *result = 0;
  return true;
}

// The release shows the explanation; the icon lets the mouse go first, so
// that the box takes the person's clicks.
bool OnRelease(const Hint& h, LRESULT* result) {
  if (h.message == WM_KEYUP && h.wParam != VK_SPACE) return false;
  HandToArrow(h.ucb);
  if (GetCapture() == h.hwnd) ReleaseCapture();
  if (h.icb->hintId != 0) ShowAlertMessage(h.ucb, h.icb->hWnd, h.icb->hintId, MB_ICONINFORMATION, MB_OK);
  *result = 0;
  return true;
}

struct HintRow {
  UINT message;
  bool (*handle)(const Hint& h, LRESULT* result);
};

constexpr HintRow kRows[] = {
    {WM_PAINT, OnPaint},         {WM_SETFOCUS, OnFocus},         {WM_KILLFOCUS, OnFocus},
    {WM_NCHITTEST, OnHitTest},   {WM_SETCURSOR, OnSetCursor},    {WM_NCPAINT, OnNcPaint},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONDOWN, OnPress},   {WM_LBUTTONUP, OnRelease},      {WM_KEYUP, OnRelease},
};

}  // namespace

LRESULT BalloonHelpWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* icb = reinterpret_cast<const ICB*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  HWND page = GetParent(hwnd);
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER));
  const Hint h{hwnd, message, wParam, lParam, ucb, icb, page};
  if (icb == nullptr || ucb == nullptr || ucb->pWork == nullptr) return StaticProcedure(h);
  const auto row =
      std::find_if(std::begin(kRows), std::end(kRows), [message](const HintRow& r) { return r.message == message; });
  LRESULT result = 0;
  if (row != std::end(kRows) && row->handle(h, &result)) return result;
  return StaticProcedure(h);
}
