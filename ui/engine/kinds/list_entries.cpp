// The entries of the list and combo kinds: which options a control offers,
// which entry stands for a value, and the refusal of a disabled option.
#include <iterator>
#include <vector>

#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/kinds/list_kinds.h"
#include "ui/resource_dll.h"

namespace lists {
namespace {

constexpr ListClass kListBox{0, LB_RESETCONTENT, LB_ADDSTRING, LB_SETITEMDATA, LB_GETITEMDATA, LB_GETCOUNT,
                             LB_SETCURSEL, LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN, true};
constexpr ListClass kComboBox{0, CB_RESETCONTENT, CB_ADDSTRING, CB_SETITEMDATA, CB_GETITEMDATA, CB_GETCOUNT,
                              CB_SETCURSEL, CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, true};

constexpr ListClass With(ListClass messages, WORD kind, bool optionText) {
  messages.kind = kind;
  messages.optionText = optionText;
  return messages;
}

// The owner-drawn lists draw their entries from the option itself; the
// preset list's entry text is the preset's key, its option's string.
constexpr ListClass kClasses[] = {
    With(kListBox, kCtlListBox, true),          With(kComboBox, kCtlComboBox, true),
    With(kListBox, kCtlOwnerListBox, false),    With(kComboBox, kCtlOwnerComboBox, true),
    With(kListBox, kCtlMultiListBox, false),    With(kListBox, kCtlPresetListBox, true),
};

constexpr WORD kDisabledMask = 0x000C;

LRESULT Send(const ICB* icb, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(icb->hWnd, message, wParam, lParam);
}

// An option is offered unless its hide judge holds.
bool Hidden(UCB* ucb, const UiGroup* group, WORD option, const ExclusiveItem* items) {
  return items != nullptr && BKPDIsHideModeUI(group, option, ucb);
}

// A list labels some values once for each way the page turns, while the
// description's options, and so the entries, carry one label each: the
// entry whose option stands for the stored value shows it.
LRESULT EntryOfStoredValue(const UCB* ucb, const ICB* icb) {
  const SFCB* sfcb = icb->pSFCB;
  if (sfcb->valueList == nullptr) return -1;
  const LONG_PTR stored = GetDevmodeValueDirect(ucb, sfcb);
  const LRESULT count = Send(icb, ListClassOf(icb->kind)->getCount);
  for (LRESULT i = 0; i < count; ++i) {
    const WORD option = OptionOfEntry(icb, i);
    if (option != 0 && option != stored && ConvertResIDToDevmodeValue(ucb, sfcb, option) == stored) return i;
  }
  return -1;
}

}  // namespace

const ListClass* ListClassOf(WORD kind) {
  for (const ListClass& row : kClasses) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

void FillFromGroup(UCB* ucb, ICB* icb, int limit) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (ucb == nullptr || cls == nullptr || icb->hWnd == nullptr) return;
  Send(icb, cls->reset);
  const UiGroup* group = icb->pUiGroup;
  if (group == nullptr || ucb->pBKPD == nullptr) return;
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, group); option != nullptr;
       option = GetNextUiOption(ucb, group, option)) {
    if (Send(icb, cls->getCount) >= limit) return;
    const ExclusiveItem* items = nullptr;
    const WORD id = GetOptionIdFromUiGroup(ucb, group, option, &items);
    if (id == 0) return;
    if (Hidden(ucb, group, id, items)) continue;
    const std::u16string text = cls->optionText ? ResourceText(ucb, id) : std::u16string();
    const LRESULT entry = Send(icb, cls->add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (entry < 0) continue;
    Send(icb, cls->setItemData, static_cast<WPARAM>(entry), id);
  }
}

WORD OptionOfEntry(const ICB* icb, LRESULT entry) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (cls == nullptr || icb->hWnd == nullptr || entry < 0) return 0;
  const LRESULT data = Send(icb, cls->getItemData, static_cast<WPARAM>(entry));
  return data == LB_ERR ? 0 : LOWORD(static_cast<DWORD_PTR>(data));
}

LRESULT EntryOfValue(const ICB* icb, LONG_PTR value) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (cls == nullptr || icb->hWnd == nullptr) return -1;
  const LRESULT count = Send(icb, cls->getCount);
  for (LRESULT i = 0; i < count; ++i) {
    if (OptionOfEntry(icb, i) == value) return i;
  }
  return -1;
}

LRESULT SelectedEntry(const ICB* icb) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (cls == nullptr || icb->hWnd == nullptr) return -1;
  const LRESULT selected = Send(icb, cls->getCurSel);
  return selected < 0 ? -1 : selected;
}

void ShowCurrentValue(UCB* ucb, ICB* icb, bool clearWithoutEntry) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (ucb == nullptr || cls == nullptr || icb->pSFCB == nullptr || icb->hWnd == nullptr) return;
  LRESULT entry = EntryOfValue(icb, GetDevmodeValueBySFCB(ucb, icb->pSFCB));
  if (entry < 0) entry = EntryOfStoredValue(ucb, icb);
  if (entry < 0) {
    if (clearWithoutEntry) Send(icb, cls->setCurSel, static_cast<WPARAM>(-1));
    return;
  }
  if (SelectedEntry(icb) != entry) Send(icb, cls->setCurSel, static_cast<WPARAM>(entry));
}

std::u16string EntryText(const ICB* icb, LRESULT entry) {
  const ListClass* cls = icb != nullptr ? ListClassOf(icb->kind) : nullptr;
  if (cls == nullptr || icb->hWnd == nullptr || entry < 0) return {};
  // The control copies without a size: the length is asked first.
  const LRESULT length = Send(icb, cls->getTextLength, static_cast<WPARAM>(entry));
  if (length <= 0 || length >= kScratchChars) return {};
  std::vector<WCHAR> text(static_cast<std::size_t>(length) + 1, 0);
  if (Send(icb, cls->getText, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text.data())) < 0) return {};
  return std::u16string(text.data());
}

std::u16string ResourceText(const UCB* ucb, UINT id) {
  std::vector<WCHAR> text(kScratchChars, 0);
  LoadStringFromResDll(ucb, id, text.data(), kScratchChars, FALSE);
  return std::u16string(text.data());
}

const CDSPL* ListDataOf(const ICB* icb) { return static_cast<const CDSPL*>(KesmGetClassData(icb, kClassList)); }

// The judge's state, or a window the refresh disabled for a value that
// cannot be kept.
bool ItemDisabled(const ICB* icb) {
  if (icb == nullptr) return false;
  return (icb->status & kDisabledMask) != 0 || (icb->hWnd != nullptr && IsWindowEnabled(icb->hWnd) == FALSE);
}

bool OptionDisabled(UCB* ucb, const ICB* icb, WORD option) {
  return ucb != nullptr && icb != nullptr && icb->pUiGroup != nullptr &&
         BKPDIsDisableModeUI(icb->pUiGroup, option, ucb) != FALSE;
}

bool RefuseDisabledOption(UCB* ucb, ICB* icb, WORD option) {
  const CDSPL* data = ListDataOf(icb);
  if (data == nullptr || data->hintFlag == 0 || icb->hintId == 0 || !OptionDisabled(ucb, icb, option)) return false;
  WCHAR* text = ucb->pWork != nullptr ? ucb->pWork->szScratch : nullptr;
  if (text != nullptr) {
    LoadStringFromResDll(ucb, icb->hintId, text, kScratchChars, FALSE);
    MessageBoxW(icb->hWnd, text, u"Information", MB_ICONINFORMATION);
  }
  ShowCurrentValue(ucb, icb, true);
  return true;
}

int DispatchItemMessage(std::span<const ItemMessageRow> rows, UCB* ucb, TCB* tcb, ICB* icb, UINT message,
                        WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  for (const ItemMessageRow& row : rows) {
    if (row.message == message) return row.handler(ucb, tcb, icb, wParam, lParam);
  }
  return 0;
}

}  // namespace lists
