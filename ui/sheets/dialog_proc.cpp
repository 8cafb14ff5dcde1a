// The one dialog procedure of every page and driver dialog. A message goes
// first to the feature modules, then to the engine's row for it, and what
// no row takes is offered to the page's items in table order.
#include <algorithm>
#include <iterator>

#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_help.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/owner_draw_sizes.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/engine/table_correction.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

using kesm_page::HidePopup;
using kesm_page::kHandled;
using kesm_page::kNotHandled;

// One message as the rows see it.
struct Call {
  UCB* ucb;
  TCB* tcb;
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

bool HasPage(const Call& c) { return c.tcb != nullptr && c.tcb->hWnd != nullptr; }

// Fixed item sizes answer WM_MEASUREITEM before any context is known.
bool MeasureFixedItem(UINT controlId, LPARAM lParam) {
  if (KesmCustomProcedure(nullptr, nullptr, nullptr, WM_MEASUREITEM, controlId, lParam) == kHandled) return true;
  const ODFS* row = GetODFSbyItemID(static_cast<WORD>(controlId));
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (row == nullptr || measure == nullptr) return false;
  if (row->width > 0) measure->itemWidth = static_cast<UINT>(row->width);
  if (row->height > 0) measure->itemHeight = static_cast<UINT>(row->height);
  return true;
}

INT_PTR OnPaint(Call& c) {
  if (!HasPage(c)) return kNotHandled;
  if (IsDevmodeChanged(c.ucb) != 0) {
    RefreshDialog(c.ucb, c.tcb, 0);
    return kNotHandled;
  }
  PAINTSTRUCT paint{};
  BeginPaint(c.window, &paint);
  if (!IsRectEmpty(&paint.rcPaint)) RefreshDialog(c.ucb, c.tcb, 0);
  EndPaint(c.window, &paint);
  return kNotHandled;
}

INT_PTR OnEraseBackground(Call& c) {
  HidePopup(c.ucb, c.window);
  if (HasPage(c)) RefreshDialog(c.ucb, c.tcb, 0);
  return kNotHandled;
}

INT_PTR OnHelp(Call& c) {
  HidePopup(c.ucb, c.window);
  const auto* info = reinterpret_cast<const HELPINFO*>(c.lParam);
  if (info != nullptr) ShowItemHelp(c.window, static_cast<HWND>(info->hItemHandle), c.message);
  return kHandled;
}

POINT ScreenPointOf(HWND window, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &p);
  return p;
}

INT_PTR OnContextMenu(Call& c) {
  HidePopup(c.ucb, c.window);
  const auto target = reinterpret_cast<HWND>(c.wParam);
  if (target != c.window) {
    ShowItemHelp(c.window, target, c.message);
    return kHandled;
  }
  const ICB* icb = KesmFindItem(c.tcb, GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
  if (icb != nullptr && (icb->flags & kIcbHiddenFunction) == 0) ShowItemHelp(c.window, icb->hWnd, c.message);
  return kHandled;
}

INT_PTR OnNothing(Call&) { return kNotHandled; }

INT_PTR OnInitDialog(Call& c) { return kesm_page::InitPage(c.ucb, c.tcb, c.window); }

INT_PTR OnNotify(Call& c) {
  HidePopup(c.ucb, c.window);
  const auto* header = reinterpret_cast<const NMHDR*>(c.lParam);
  if (c.tcb != nullptr && header != nullptr) {
    if (kesm_page::OnNotify(c.ucb, c.tcb, c.window, header, c.lParam) == kHandled) return kHandled;
  }
  return kesm_page::OfferToItems(c.ucb, c.tcb, c.message, c.wParam, c.lParam);
}

INT_PTR OnCommand(Call& c) {
  HidePopup(c.ucb, c.window);
  return kesm_page::OnCommand(c.ucb, c.tcb, c.window, c.wParam, c.lParam);
}

INT_PTR OnTimer(Call& c) {
  if (c.ucb != nullptr) ShowPopupOnHoverTimer(c.ucb, c.window);
  return kNotHandled;
}

// The item that holds the mouse, else the one under it.
ICB* MouseItem(const Call& c) {
  if (HWND capture = GetCapture()) {
    if (ICB* held = GetICBbyHwnd(c.ucb, c.tcb, capture)) return held;
  }
  const POINT p = ScreenPointOf(c.window, c.lParam);
  return KesmFindItem(c.tcb, p.x, p.y);
}

INT_PTR OnMouse(Call& c) {
  if (c.tcb == nullptr) return kNotHandled;
  ICB* icb = MouseItem(c);
  if (icb != nullptr) {
    if (ProcessItemMessage(c.ucb, c.tcb, icb, c.message, c.wParam, c.lParam) == 1) return kNotHandled;
    if (icb->itemId == c.ucb->pWork->dialog.wPopupOwnerId) return kNotHandled;
  }
  if (c.message == WM_MOUSEMOVE) HidePopup(c.ucb, c.window);
  return kNotHandled;
}

// Ctrl+Shift and a right double-click open the hidden functions of an
// item that has them.
INT_PTR OnRightDoubleClick(Call& c) {
  constexpr WPARAM both = MK_CONTROL | MK_SHIFT;
  if (c.tcb == nullptr || (c.wParam & both) != both) return kNotHandled;
  const POINT p = ScreenPointOf(c.window, c.lParam);
  ICB* icb = KesmFindItem(c.tcb, p.x, p.y);
  if (icb == nullptr || (icb->flags & kIcbHiddenFunction) == 0) return kNotHandled;
  CustomItemEvent event{c.tcb, icb};
  KesmCustomFunction(c.ucb, kCustomHiddenFunction, &event);
  return kNotHandled;
}

INT_PTR OnQueuedAlert(Call& c) {
  if (c.tcb != nullptr) ShowQueuedAlert(c.ucb, c.tcb, c.wParam, c.lParam);
  return kNotHandled;
}

INT_PTR OnLayout(Call& c) {
  CheckLayout(c.ucb, c.window);
  return kNotHandled;
}

INT_PTR OfferRest(Call& c) {
  if (kesm_page::OfferToItems(c.ucb, c.tcb, c.message, c.wParam, c.lParam) == 0) return kNotHandled;
  if (c.message == WM_CTLCOLORSCROLLBAR || c.message == WM_CTLCOLORLISTBOX) {
    return GetWindowLongPtrW(c.window, DWLP_MSGRESULT);
  }
  return kHandled;
}

struct Row {
  UINT message;
  INT_PTR (*handle)(Call&);
};

constexpr Row kRows[] = {
    {WM_PAINT, OnPaint},
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_NOTIFY, OnNotify},
    {WM_HELP, OnHelp},
    {WM_CONTEXTMENU, OnContextMenu},
    {WM_NCPAINT, OnNothing},
    {WM_INITDIALOG, OnInitDialog},
    {WM_COMMAND, OnCommand},
    {WM_TIMER, OnTimer},
    {WM_MOUSEMOVE, OnMouse},
    {WM_LBUTTONUP, OnMouse},
    {WM_RBUTTONUP, OnMouse},
    {WM_LBUTTONDBLCLK, OnNothing},
    {WM_RBUTTONDBLCLK, OnRightDoubleClick},
    {kMsgQueuedAlert, OnQueuedAlert},
    {kMsgLayoutPage, OnLayout},
};

// The context and page of a message; WM_INITDIALOG brings the context and
// makes this window the page of the tab being started.
Call Prepare(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Call c{nullptr, nullptr, window, message, wParam, lParam};
  if (message != WM_INITDIALOG) {
    c.ucb = kesm_page::ContextOf(window);
    c.tcb = c.ucb != nullptr ? GetTCBbyHwnd(c.ucb, window) : nullptr;
    return c;
  }
  c.ucb = reinterpret_cast<UCB*>(lParam);
  SetWindowLongPtrW(window, DWLP_USER, lParam);
  if (c.ucb == nullptr || c.ucb->pWork == nullptr) return c;
  c.tcb = GetTCBbyTabID(c.ucb, c.ucb->wCurrentDialog);
  if (c.tcb != nullptr) c.tcb->hWnd = window;
  WORD& start = c.ucb->pWork->dialog.wStartPageId;
  if (start == 0) start = c.ucb->wCurrentDialog;
  CheckICB(c.ucb, nullptr);
  return c;
}

INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MEASUREITEM && MeasureFixedItem(static_cast<UINT>(wParam), lParam)) return kHandled;
  Call c = Prepare(window, message, wParam, lParam);
  if (c.ucb != nullptr && c.ucb->pWork == nullptr) c.ucb = nullptr;
  if (KesmCustomProcedure(c.ucb, c.tcb, nullptr, message, wParam, lParam) == kHandled) {
    if (c.tcb != nullptr) RefreshDialog(c.ucb, c.tcb, 0);
    return message == WM_PAINT ? kNotHandled : kHandled;
  }
  const auto row = std::find_if(std::begin(kRows), std::end(kRows), [&](const Row& r) { return r.message == message; });
  return row != std::end(kRows) ? row->handle(c) : OfferRest(c);
}

}  // namespace

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A handler that runs out of memory loses its message, never the sheet.
  try {
    return Dispatch(window, message, wParam, lParam);
  } catch (...) {
    return kNotHandled;
  }
}

namespace kesm_page {

int OfferToItems(UCB* ucb, TCB* tcb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ucb == nullptr || tcb == nullptr) return 0;
  const bool byId = message == WM_MEASUREITEM || message == WM_DRAWITEM;
  for (int i = 0; i < tcb->itemCount; ++i) {
    ICB& icb = tcb->pICB[i];
    if (icb.hWnd == nullptr && message != WM_MEASUREITEM) continue;
    if (byId && icb.itemId != wParam) continue;
    if (ProcessItemMessage(ucb, tcb, &icb, message, wParam, lParam) == 1) return 1;
  }
  return 0;
}

}  // namespace kesm_page
