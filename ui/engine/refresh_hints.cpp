// The hint icon beside a disabled item that has an explanation, and the
// focus that must not stay on a control the refresh disabled.
#include <algorithm>
#include <functional>

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh_internal.h"
#include "ui/resource_dll.h"

namespace refresh {
namespace {

constexpr DWORD kHintStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | SS_BITMAP;
constexpr int kHintSize = 20;
constexpr int kFocusPasses = 2;

const ICB* ItemOf(HWND window) { return reinterpret_cast<const ICB*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// A hint icon carries its item in its user data, as the item's own window
// does; it is told apart by its control id.
bool IsHintOf(HWND window, const ICB& icb) {
  return window != icb.hWnd && ItemOf(window) == &icb && GetDlgCtrlID(window) != icb.itemId;
}

bool OfPage(const TCB& tcb, const ICB* icb) {
  if (icb == nullptr || tcb.pICB == nullptr) return false;
  const std::less<const ICB*> before;
  return !before(icb, tcb.pICB) && before(icb, tcb.pICB + tcb.itemCount);
}

void Gather(HintIndex& index, const TCB& tcb) {
  index.gathered = true;
  for (HWND child = GetWindow(tcb.hWnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const ICB* icb = ItemOf(child);
    if (OfPage(tcb, icb)) index.windows[icb].push_back(child);
  }
}

// The first child of the page that is the item's hint icon. (A child
// destroyed since the gathering has no user data any more: handles are
// never reused.)
HWND FindHint(Pass& pass, const ICB& icb) {
  if (!pass.hints.gathered) Gather(pass.hints, *pass.tcb);
  const auto it = pass.hints.windows.find(&icb);
  if (it == pass.hints.windows.end()) return nullptr;
  for (HWND child : it->second) {
    if (GetParent(child) == pass.tcb->hWnd && IsHintOf(child, icb)) return child;
  }
  return nullptr;
}

// Left of the item by its own width; level with the item's top, or with its
// bottom for an item no taller than the icon; never beyond the page's
// client origin.
POINT HintPlace(HWND page, HWND item) {
  RECT r{};
  GetWindowRect(item, &r);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
  const int top = r.bottom - r.top > kHintSize ? r.top : r.bottom - kHintSize;
  return {std::max<LONG>(r.left - kHintSize, 0), std::max(top, 0)};
}

HWND MakeHint(UCB* ucb, HWND page, ICB& icb) {
  const POINT at = HintPlace(page, icb.hWnd);
  HWND hint = CreateWindowExW(0, u"STATIC", u"", kHintStyle, at.x, at.y, kHintSize, kHintSize, page, nullptr,
                              GetResDll(ucb), nullptr);
  if (hint == nullptr) return nullptr;  // the item goes without its hint
  // Right after the item in z-order: the next tab stop after it.
  SetWindowPos(hint, icb.hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowLongPtrW(hint, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&icb));
  SetWindowLongPtrW(hint, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BalloonHelpWindowProc));
  return hint;
}

bool TakesFocus(HWND window) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  return (style & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP)) == (WS_VISIBLE | WS_TABSTOP);
}

}  // namespace

void SyncHintWindow(Pass& pass, ICB& icb, bool wanted) {
  const TCB& tcb = *pass.tcb;
  if (tcb.hWnd == nullptr || icb.hWnd == nullptr) return;
  HWND present = FindHint(pass, icb);
  if (wanted && present == nullptr) {
    if (HWND made = MakeHint(pass.ucb, tcb.hWnd, icb)) pass.hints.windows[&icb].push_back(made);
  }
  if (!wanted && present != nullptr) DestroyWindow(present);
}

void InvalidateHintWindows(const TCB& tcb) {
  if (tcb.hWnd == nullptr) return;
  for (HWND child = GetWindow(tcb.hWnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const ICB* icb = ItemOf(child);
    if (OfPage(tcb, icb) && child != icb->hWnd) InvalidateRect(child, nullptr, TRUE);
  }
}

void MoveFocusOffDisabled(HWND remembered) {
  if (remembered == nullptr || !IsWindow(remembered) || IsWindowEnabled(remembered)) return;
  HWND from = GetWindow(remembered, GW_HWNDNEXT);
  for (int pass = 0; pass < kFocusPasses; ++pass) {
    for (HWND w = from; w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == remembered) return;  // round once: nothing takes the focus
      if (TakesFocus(w)) {
        SetFocus(w);
        return;
      }
    }
    from = GetWindow(remembered, GW_HWNDFIRST);
  }
}

}  // namespace refresh
