// The multi list: each entry stands for an on/off setting, named by the
// entry's place in the item's id list, and shows it as a check mark; a
// click or the space bar turns the chosen entry's setting over.
#include <iterator>

#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kinds/list_kinds.h"

namespace {

constexpr WORD kCheckOff = 7001;
constexpr WORD kCheckOffGreyed = 7002;
constexpr WORD kCheckOn = 7003;
constexpr WORD kCheckOnGreyed = 7004;

// The id list of a multi list holds one setting per entry, and no more.
constexpr LRESULT kIdsPerList = static_cast<LRESULT>(std::size(IDC_HIDDEN_FUNC_aTID));

// The setting of an entry, 0 for none (an entry past the id list, or one
// the list does not hold).
WORD SettingOfEntry(const ICB* icb, LRESULT entry) {
  const auto* ids = static_cast<const WORD*>(icb->pClassData);
  if (ids == nullptr || icb->hWnd == nullptr || entry < 0 || entry >= kIdsPerList) return 0;
  if (entry >= SendMessageW(icb->hWnd, LB_GETCOUNT, 0, 0)) return 0;
  return ids[entry];
}

bool SettingOn(const UCB* ucb, WORD funcId) { return funcId != 0 && GetDevmodeValueByFuncID(ucb, funcId, nullptr) != 0; }

int Colour(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM lParam) {
  return lists::AnswerListColour(ucb, tcb, icb, lParam, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))) ? 1 : 0;
}

int Draw(UCB* ucb, TCB*, ICB* icb, WPARAM, LPARAM lParam) {
  const DRAWITEMSTRUCT* item = lists::DrawItemFor(icb, lParam);
  if (item == nullptr || !lists::DrawsEntry(*item) || item->itemData == 0 || item->hDC == nullptr) return 0;
  const WORD option = LOWORD(static_cast<DWORD>(item->itemData));
  const bool on = SettingOn(ucb, SettingOfEntry(icb, static_cast<LRESULT>(item->itemID)));
  const bool greyed = lists::ItemDisabled(icb) || lists::OptionDisabled(ucb, icb, option);
  const WORD check = greyed ? (on ? kCheckOnGreyed : kCheckOffGreyed) : (on ? kCheckOn : kCheckOff);
  const lists::DcColours saved =
      lists::PrepareEntry(item->hDC, item->rcItem, static_cast<COLORREF>(GetSysColor(greyed ? COLOR_BTNFACE : COLOR_WINDOW)),
                          static_cast<COLORREF>(GetSysColor(greyed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
  const std::u16string text = lists::ResourceText(ucb, option);
  SIZE extent{};
  KesmGetTextExtentPoint(item->hDC, text.empty() ? nullptr : text.c_str(), &extent);
  RECT textRect = item->rcItem;
  textRect.left += 2 * extent.cy;
  lists::DrawEntryText(item->hDC, textRect, text, 0);
  lists::DrawPictureAtLeft(ucb, item->hDC, item->rcItem, check);
  lists::RestoreColours(item->hDC, saved);
  lists::DrawEntryFocus(*item);
  return 1;
}

// The chosen entry is the one that holds the focus frame. Default handling
// goes on either way.
int TurnOver(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!lists::ItemDisabled(icb) && icb->hWnd != nullptr) {
    const WORD funcId = SettingOfEntry(icb, SendMessageW(icb->hWnd, LB_GETCARETINDEX, 0, 0));
    if (funcId != 0) {
      SetDevmodeValueByFuncID(ucb, funcId, SettingOn(ucb, funcId) ? 0 : 1);
      InvalidateRect(icb->hWnd, nullptr, FALSE);
    }
  }
  const HWND page = tcb != nullptr ? tcb->hWnd : nullptr;
  if (page != nullptr) SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  return 0;
}

int Released(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM) { return TurnOver(ucb, tcb, icb); }
int Typed(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  return wParam == static_cast<WPARAM>(u' ') ? TurnOver(ucb, tcb, icb) : 0;
}

constexpr lists::ItemMessageRow kRows[] = {
    {WM_CTLCOLORLISTBOX, Colour},
    {WM_DRAWITEM, Draw},
    {WM_LBUTTONUP, Released},
    {WM_CHAR, Typed},
};

}  // namespace

int PMsgMultiListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  return lists::DispatchItemMessage(kRows, ucb, tcb, icb, message, wParam, lParam);
}
