// A tab control that switches groups of controls inside one dialog: one
// tab per page of its pages record, and only the chosen page's controls
// shown.
#include <array>

#include "platform/window/propsheet/tabctrl.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/tables/class_data.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/resource_dll.h"

namespace {

constexpr int kTitleChars = 256;

const CDTAB* PagesOf(const ICB* icb) { return static_cast<const CDTAB*>(KesmGetClassData(icb, kClassTabPages)); }

}  // namespace

int InitTabControl(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  const CDTAB* pages = PagesOf(icb);
  if (pages == nullptr || pages->pPages == nullptr) return 0;
  // A second fill (the item asked to be filled again) starts afresh.
  SendMessageW(icb->hWnd, TCM_DELETEALLITEMS, 0, 0);
  for (WORD p = 0; p < pages->pageCount; ++p) {
    std::array<WCHAR, kTitleChars> title{};
    LoadStringFromResDll(ucb, pages->pPages[p].titleId, title.data(), kTitleChars, FALSE);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = title.data();
    item.lParam = reinterpret_cast<LPARAM>(ucb);
    SendMessageW(icb->hWnd, TCM_INSERTITEMW, p, reinterpret_cast<LPARAM>(&item));
  }
  ShowTabPage(tcb, icb, 0);
  return 1;
}

// Every control of the other pages is hidden first, so that a control
// listed on two pages stays shown with the chosen one. An index outside
// the pages shows none.
void ShowTabPage(TCB* tcb, ICB* icb, int pageIndex) {
  if (tcb == nullptr || tcb->hWnd == nullptr || icb == nullptr) return;
  const CDTAB* pages = PagesOf(icb);
  if (pages == nullptr || pages->pPages == nullptr) return;
  for (int pass = 0; pass < 2; ++pass) {
    for (int p = 0; p < pages->pageCount; ++p) {
      const bool chosen = p == pageIndex;
      if (chosen != (pass == 1)) continue;
      const TABPAGE& page = pages->pPages[p];
      for (SHORT c = 0; c < page.controlCount && page.pControlIds != nullptr; ++c) {
        const HWND control = GetDlgItem(tcb->hWnd, page.pControlIds[c]);
        if (control != nullptr) ShowWindow(control, chosen ? SW_SHOW : SW_HIDE);
      }
    }
  }
}

// The chosen page is shown, and the page goes on with the notification.
int PMsgTabControl(UCB*, TCB* tcb, ICB* icb, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || icb == nullptr || lParam == 0) return 0;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != TCN_SELCHANGE || header->hwndFrom != icb->hWnd) return 0;
  ShowTabPage(tcb, icb, static_cast<int>(SendMessageW(icb->hWnd, TCM_GETCURSEL, 0, 0)));
  return 0;
}
