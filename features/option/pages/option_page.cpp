// The installable-options page: which message of page 1011 goes to which
// half. The tray list is the module's own from its first message on, so the
// dialog engine never fills or subclasses it.
#include "features/option/pages/option_page.h"

#include "features/module_table/module_entries.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"

namespace {

using namespace option_page;

constexpr int kTextChars = 256;

int OnItemInit(UCB* ucb, TCB* tcb, ICB* icb) { return icb->itemId == kTrayList ? InitTrayList(ucb, tcb, icb) : 0; }

int OnItemCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != icb->itemId) return 0;
  switch (icb->itemId) {
    case kPaperChoice:
    case kMediaChoice:
    case kLockChoice:
      return OnTrayChoice(ucb, tcb, icb, wParam, lParam);
    case kOrientationUpright:
    case kOrientationTurned:
      return OnOrientationClick(ucb, tcb, icb, wParam, lParam);
    case kRebuildButton:
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
      MarkChanged(tcb);
      RepaintOptionList(ucb, tcb);
      RebuildTrayList(ucb, tcb);
      RefreshDialog(ucb, tcb, 0);
      return 1;
    default:
      return 0;
  }
}

int OnItemDraw(UCB* ucb, TCB* tcb, ICB* icb, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item == nullptr || item->CtlID != icb->itemId || item->hDC == nullptr) return 0;
  if (icb->itemId == kOptionList) return DrawOptionLine(ucb, icb, *item);
  if (icb->itemId == kTrayList) return DrawTrayLine(ucb, tcb, icb, *item);
  return 0;
}

// A click switches the line it selected: the button goes up on that line.
// A release that ends a drag of the list's scroll bar is no click.
bool ReleasedOnSelectedLine(const ICB* icb, LPARAM lParam) {
  if (icb->hWnd == nullptr) return false;
  const LRESULT selected = SendMessageW(icb->hWnd, LB_GETCURSEL, 0, 0);
  RECT line{};
  if (selected < 0 || SendMessageW(icb->hWnd, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                                   reinterpret_cast<LPARAM>(&line)) == LB_ERR) {
    return false;
  }
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&line, at) != FALSE;
}

bool IsOrientationButton(const ICB* icb) {
  return icb->itemId == kOrientationUpright || icb->itemId == kOrientationTurned;
}

// The orientation pair is bound to no setting, so the engine's paint would
// clear both checks: the module answers every paint of the pair. What the
// button's own window has to paint, the button paints.
int PaintOrientationButton(UCB* ucb, TCB* tcb, const ICB* icb) {
  if (icb->itemId == kOrientationUpright) OnOrientationPaint(ucb, tcb);
  const auto own = reinterpret_cast<WNDPROC>(icb->pfnSavedWndProc);
  if (icb->hWnd != nullptr && own != nullptr && GetUpdateRect(icb->hWnd, nullptr, FALSE)) {
    CallWindowProcW(own, icb->hWnd, WM_PAINT, 0, 0);
  }
  return 1;
}

// A message routed to one of the page's items.
int OnItem(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnItemInit(ucb, tcb, icb);
    case WM_COMMAND:
      return OnItemCommand(ucb, tcb, icb, wParam, lParam);
    case WM_DRAWITEM:
      return OnItemDraw(ucb, tcb, icb, lParam);
    case WM_PAINT:
      return IsOrientationButton(icb) ? PaintOrientationButton(ucb, tcb, icb) : 0;
    case WM_LBUTTONUP:
      if (icb->itemId == kOptionList && ReleasedOnSelectedLine(icb, lParam)) SwitchSelectedOption(ucb, tcb, icb);
      return 0;
    case WM_CHAR:
      if (icb->itemId == kOptionList && wParam == static_cast<WPARAM>(u' ')) SwitchSelectedOption(ucb, tcb, icb);
      return 0;
    default:
      return 0;
  }
}

// A message of the page itself.
int OnPage(UCB* ucb, TCB* tcb, UINT message, LPARAM lParam) {
  // Once every item has started: the option list is filled, and the
  // orientation pair, which starts after the tray list, shows its tray.
  if (message == kMsgLayoutPage) {
    FillOptionList(ucb, tcb);
    LoadChoices(ucb, tcb);
    return 0;
  }
  if (message != WM_NOTIFY) return 0;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr || header->idFrom != kTrayList || header->code != LVN_ITEMCHANGED) return 0;
  return OnTraySelected(ucb, tcb, *reinterpret_cast<const NMLISTVIEW*>(lParam));
}

}  // namespace

std::u16string option_page::ResourceString(const UCB* ucb, UINT id) {
  WCHAR text[kTextChars] = {};
  LoadStringFromResDll(ucb, id, text, kTextChars, FALSE);
  return text;
}

void option_page::MarkChanged(const TCB* tcb) {
  if (tcb == nullptr || tcb->hWnd == nullptr) return;
  SendMessageW(GetParent(tcb->hWnd), PSM_CHANGED, reinterpret_cast<WPARAM>(tcb->hWnd), 0);
}

INT_PTR UCF_Option(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (ucb == nullptr || ucb->pWork == nullptr || tcb == nullptr || tcb->hWnd == nullptr) return 0;
  if (icb != nullptr) return OnItem(ucb, tcb, icb, message, wParam, lParam);
  return OnPage(ucb, tcb, message, lParam);
}

INT_PTR OptionProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (tcb == nullptr || tcb->tabId != kPage) return 0;
  // A handler that runs out of memory loses its message, never the page.
  try {
    return UCF_Option(ucb, tcb, icb, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
