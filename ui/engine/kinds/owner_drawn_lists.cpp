// The owner-drawn combo box and list box draw their entries: the option's
// text, or its picture, on the colours of its state, a disabled option
// greyed beside the list's hint mark.
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/item_window.h"
#include "ui/engine/kinds/list_kinds.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/table_correction.h"

namespace {

using lists::DrawItemFor;
using lists::ItemMessageRow;

bool HasEntry(const DRAWITEMSTRUCT& item) { return item.itemID != static_cast<UINT>(-1); }
WORD OptionOf(const DRAWITEMSTRUCT& item) { return LOWORD(static_cast<DWORD>(item.itemData)); }

// A dropped list's selected entry explains itself in the hover pop-up,
// which stands at the control's right edge, below the control by the
// entry's top.
void ShowDroppedEntryPopup(UCB* ucb, const TCB* tcb, ICB* icb, const DRAWITEMSTRUCT& item) {
  if ((item.itemState & ODS_SELECTED) == 0 || (item.itemState & ODS_COMBOBOXEDIT) != 0) return;
  if (tcb == nullptr || tcb->hWnd == nullptr || SendMessageW(icb->hWnd, CB_GETDROPPEDSTATE, 0, 0) == 0) return;
  RECT control{};
  GetWindowRect(icb->hWnd, &control);
  POINT corner{control.right, control.bottom};
  ScreenToClient(tcb->hWnd, &corner);
  ShowPopupMsgMain(ucb, icb, tcb->hWnd, corner.x, corner.y + item.rcItem.top, static_cast<int>(item.itemID));
}

// The text of an entry, or its option's text for an entry that carries
// none (the owner-drawn lists are filled with empty texts).
std::u16string TextOf(const UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item) {
  std::u16string text = lists::EntryText(icb, static_cast<LRESULT>(item.itemID));
  return text.empty() ? lists::ResourceText(ucb, OptionOf(item)) : text;
}

// A disabled option of a list with a hint mark is drawn greyed beside it.
bool DrewDisabledOption(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item, const std::u16string& text) {
  return lists::OptionDisabled(ucb, icb, OptionOf(item)) &&
         lists::DrawDisabledOption(ucb, icb, item.hDC, item.rcItem, text);
}

// The option's picture of the related resources replaces its text.
void DrawComboOption(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item) {
  const std::u16string text = lists::EntryText(icb, static_cast<LRESULT>(item.itemID));
  if (DrewDisabledOption(ucb, icb, item, text)) return;
  if (const WORD picture = GetBmpFromRRTable(icb, OptionOf(item)); picture != 0) {
    lists::DrawPictureAtLeft(ucb, item.hDC, item.rcItem, picture);
    return;
  }
  lists::DrawEntryText(item.hDC, item.rcItem, text);
}

// A picture list shows the option's own picture, the option id naming it;
// an option without a picture shows its text, so no entry is left blank.
void DrawListOption(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT& item) {
  if ((icb->flags & kIcbPictureList) != 0 && lists::DrawPictureCentred(ucb, item.hDC, item.rcItem, OptionOf(item))) {
    return;
  }
  const std::u16string text = TextOf(ucb, icb, item);
  if (DrewDisabledOption(ucb, icb, item, text)) return;
  lists::DrawEntryText(item.hDC, item.rcItem, text);
}

// The entry on the colours of its state, then the focus frame.
template <void (*Body)(UCB*, const TCB*, ICB*, const DRAWITEMSTRUCT&)>
void DrawOnEntryColours(UCB* ucb, const TCB* tcb, ICB* icb, const DRAWITEMSTRUCT& item) {
  const lists::DcColours saved = lists::PrepareEntry(item.hDC, item.rcItem, lists::EntryBackground(icb, item.itemState),
                                                     lists::EntryTextColour(icb, item.itemState));
  Body(ucb, tcb, icb, item);
  lists::RestoreColours(item.hDC, saved);
  lists::DrawEntryFocus(item);
}

void ComboBody(UCB* ucb, const TCB* tcb, ICB* icb, const DRAWITEMSTRUCT& item) {
  if (!HasEntry(item)) return;
  ShowDroppedEntryPopup(ucb, tcb, icb, item);
  DrawComboOption(ucb, icb, item);
}

void ListBody(UCB* ucb, const TCB*, ICB* icb, const DRAWITEMSTRUCT& item) { DrawListOption(ucb, icb, item); }

int DrawComboEntry(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM lParam) {
  const DRAWITEMSTRUCT* item = DrawItemFor(icb, lParam);
  if (item == nullptr || !lists::DrawsEntry(*item) || item->hDC == nullptr) return 0;
  DrawOnEntryColours<ComboBody>(ucb, tcb, icb, *item);
  return 1;
}

int DrawListEntry(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM lParam) {
  const DRAWITEMSTRUCT* item = DrawItemFor(icb, lParam);
  if (item == nullptr || !lists::DrawsEntry(*item) || item->itemData == 0 || item->hDC == nullptr) return 0;
  DrawOnEntryColours<ListBody>(ucb, tcb, icb, *item);
  return 1;
}

constexpr ItemMessageRow kComboRows[] = {
    {WM_DRAWITEM, DrawComboEntry},
};
constexpr ItemMessageRow kListRows[] = {
    {WM_CTLCOLORLISTBOX, lists::AnswerOwnerListColour},
    {WM_DRAWITEM, DrawListEntry},
};

}  // namespace

int lists::AnswerOwnerListColour(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM lParam) {
  if (icb == nullptr || (icb->kind != kCtlOwnerListBox && icb->kind != kCtlPresetListBox)) return 0;
  auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (icb->kind == kCtlPresetListBox && ucb != nullptr && ucb->pWork != nullptr &&
      ucb->pWork->dialog.hWhiteBrush != nullptr) {
    white = ucb->pWork->dialog.hWhiteBrush;
  }
  return AnswerListColour(ucb, tcb, icb, lParam, white) ? 1 : 0;
}

int PMsgOwnerComboBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  return lists::DispatchItemMessage(kComboRows, ucb, tcb, icb, message, wParam, lParam);
}

int PMsgOwnerListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  return lists::DispatchItemMessage(kListRows, ucb, tcb, icb, message, wParam, lParam);
}
