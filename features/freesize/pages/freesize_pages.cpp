// The free paper size module on its three dialogs: the display unit
// dialog (1013), whose OK carries the job's custom size between the dots
// and the inch mirrors; the list of named user sizes (1017), whose work
// fields always hold the entry being edited and are stored back at every
// change; and the input dialog of the job's custom size (1041), where a
// tray or orientation change narrows the mirrors to the new range.
#include <array>
#include <vector>

#include "features/freesize/freesize_ids.h"
#include "features/freesize/freesize_module.h"
#include "features/freesize/freesize_range.h"
#include "features/module_table/module_entries.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "storage/stores/freesize_store.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kDialogUnit = 1013;
constexpr WORD kFuncLastDspUnit = 953;  // the unit last confirmed on the unit dialog

constexpr WORD kEntryList = 2364;
constexpr WORD kEntryTray = 2217;
constexpr WORD kDefaultButton = 2227;
constexpr std::array<WORD, 7> kEntryEdits = {2220, 2224, 2365, 2392, 2394, 2398, 2400};
constexpr std::array<WORD, 6> kEntrySpins = {2221, 2225, 2393, 2395, 2399, 2401};
// The input dialog's controls that change the range of its sizes.
constexpr std::array<WORD, 4> kRangeControls = {2697, 2701, 2702, 2704};
// The list's first fill goes through the engine's list command as its
// first selection change.
constexpr WPARAM kListFilled = 0x10000;

template <std::size_t N>
bool Among(const std::array<WORD, N>& items, WORD id) {
  for (WORD item : items) {
    if (item == id) return true;
  }
  return false;
}

LONG_PTR Value(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

bool IsFreeSizeMillimetreMode(const UCB* ucb) {
  return Value(ucb, kFuncDspUnit) == 0 && Value(ucb, kFuncPaperSize) == kPaperFreeSize &&
         Value(ucb, kFuncInputFreeSizeType) == 1;
}

// A command of this control (the engine offers every command to every item).
bool CommandOf(const ICB* icb, WPARAM wParam) { return icb != nullptr && LOWORD(wParam) == icb->itemId; }

// ---- the display unit dialog ----

// A dimension of the job's custom paper: its dots and its inch mirror.
struct Dimension {
  WORD dots, mirror;
  int lengthFlag;
};
constexpr Dimension kDimensions[] = {{kFuncPaperFreeSizeLength, kFuncPaperInchLength, 1},
                                     {kFuncPaperFreeSizeWidth, kFuncPaperInchWidth, 0}};

// The unit has just become inches: each mirror from its dots, a default
// size exactly, any other through the millimetres it showed until now.
void MirrorsFromDots(UCB* ucb) {
  for (const Dimension& d : kDimensions) {
    const auto dots = static_cast<LONG>(Value(ucb, d.dots));
    LONG mirror = 0;
    if (IsDefaultValueOfDotSize(ucb, dots, d.lengthFlag)) {
      mirror = ConvertDevmodeValueToSize(ucb, 0, dots);
    } else {
      mirror = ConvertMMtoINCH(static_cast<LONG>(CmnFromDot(kUnitMmOf01, static_cast<DWORD>(dots), kInternalDpi)));
    }
    SetDevmodeValueDirectByFuncID(ucb, d.mirror, mirror);
  }
}

// The unit has just become millimetres: the dots of a size other than the
// default follow the inches it showed.
void DotsFromMirrors(UCB* ucb) {
  for (const Dimension& d : kDimensions) {
    if (IsDefaultValueOfDotSize(ucb, static_cast<LONG>(Value(ucb, d.dots)), d.lengthFlag)) continue;
    const LONG millimetres = ConvertINCHtoMM(static_cast<LONG>(Value(ucb, d.mirror)));
    SetDevmodeValueDirectByFuncID(ucb, d.dots, ConvertSizeToDevmodeValue(ucb, 0, millimetres));
  }
}

INT_PTR UnitDialog(UCB* ucb, const ICB* icb, UINT message, WPARAM wParam) {
  if (message != WM_COMMAND || icb != nullptr || LOWORD(wParam) != IDOK) return 0;
  const LONG_PTR unit = Value(ucb, kFuncDspUnit);
  if (Value(ucb, kFuncLastDspUnit) == unit) return 0;
  SetDevmodeValueDirectByFuncID(ucb, kFuncLastDspUnit, unit);
  if (IsFreeSizeInchMode(ucb)) {
    MirrorsFromDots(ucb);
  } else if (IsFreeSizeMillimetreMode(ucb)) {
    DotsFromMirrors(ucb);
  }
  return 0;  // the engine closes the dialog
}

// ---- both size dialogs ----

// Return on a number edit: the focus goes to OK first, and what that
// queued (the edit's change, an alert) runs before OK is pressed.
INT_PTR TakeTypedValueFirst(const TCB* tcb, const ICB* icb, LPARAM lParam) {
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  if (icb == nullptr || icb->kind != kCtlEditNum || key == nullptr || key->message != WM_KEYDOWN ||
      key->wParam != VK_RETURN || tcb->hWnd == nullptr) {
    return 0;
  }
  if (HWND ok = GetDlgItem(tcb->hWnd, IDOK)) SetFocus(ok);
  MSG queued{};
  while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
    if (queued.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(queued.wParam));
      break;
    }
    TranslateMessage(&queued);
    DispatchMessageW(&queued);
  }
  return 0;  // the dialog presses its default button as usual
}

// ---- the list of named sizes ----

int& Current(UCB* ucb) { return ucb->pWork->iFreeSizeCurrent; }

bool IsEntry(const UCB* ucb, LRESULT index) { return index >= 0 && index < ReadFreesizeCount(ucb); }

HWND ListOf(UCB* ucb, TCB* tcb) {
  const ICB* list = GetICBbyItemID(ucb, tcb, kEntryList);
  return list != nullptr ? list->hWnd : nullptr;
}

void MakeCurrent(UCB* ucb, int index) {
  Current(ucb) = index;
  MoveFreesizeInfoToUiTemp(ucb, index);
}

// After a change of the work fields: the current entry selected again,
// the change stored into it and its line drawn anew. Until the list is
// built (the controls before it fill themselves first) the work fields
// belong to no entry and nothing is stored.
void StoreIntoCurrent(UCB* ucb, TCB* tcb) {
  HWND list = ListOf(ucb, tcb);
  if (list == nullptr || SendMessageW(list, LB_GETCOUNT, 0, 0) != ReadFreesizeCount(ucb)) return;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(Current(ucb)), 0);
  MoveFreesizeInfoFromUiTemp(ucb, Current(ucb));
  InvalidateRect(list, nullptr, TRUE);
}

// One line per entry; the list is refilled only when it does not hold
// one line per entry already, so a second initialisation adds none.
INT_PTR FillList(UCB* ucb, TCB* tcb, ICB* icb) {
  HWND list = icb->hWnd;
  if (list == nullptr) return 0;
  const int count = ReadFreesizeCount(ucb);
  if (SendMessageW(list, LB_GETCOUNT, 0, 0) != count) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
      const UINT id = kStringFreeSizeFirst + static_cast<UINT>(i);
      std::array<WCHAR, 256> text{};
      LoadStringFromResDll(ucb, id, text.data(), static_cast<int>(text.size()), TRUE);
      const LRESULT line = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.data()));
      if (line >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(line), id);
    }
  }
  MakeCurrent(ucb, 0);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  DoDefaultProcessItemCommand(ucb, tcb, icb, kListFilled, 0);
  return 1;
}

INT_PTR ListCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  HWND list = icb->hWnd;
  switch (HIWORD(wParam)) {
    case LBN_SELCHANGE: {
      DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
      MoveFreesizeInfoFromUiTemp(ucb, Current(ucb));
      const LRESULT selected = list != nullptr ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
      if (!IsEntry(ucb, selected)) return 1;
      MakeCurrent(ucb, static_cast<int>(selected));
      DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
      RefreshDialog(ucb, tcb, 0);
      return 1;
    }
    case LBN_SETFOCUS:
      if (list != nullptr) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(Current(ucb)), 0);
      SendMessageW(tcb->hWnd, WM_LBUTTONDOWN, 0, 0);
      SendMessageW(tcb->hWnd, WM_LBUTTONUP, 0, 0);
      return 1;
    case LBN_KILLFOCUS:
      return 1;
    default:
      return 0;
  }
}

// A line of the entry list: the current entry highlighted, a disabled
// list greyed.
INT_PTR DrawEntry(UCB* ucb, const ICB* icb, LPARAM lParam) {
  auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (draw == nullptr) return 0;
  if ((draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0 && draw->itemData != 0) {
    const bool disabled = (icb->status & 0x000C) != 0;
    const bool current = draw->itemData == static_cast<ULONG_PTR>(Current(ucb)) + kStringFreeSizeFirst;
    const ROWCOLOURS colours = OwnerRowColours(disabled, current);
    FillRect(draw->hDC, &draw->rcItem, GetSysColorBrush(colours.back));
    std::array<WCHAR, 256> text{};
    LoadStringFromResDll(ucb, static_cast<UINT>(draw->itemData), text.data(), static_cast<int>(text.size()), TRUE);
    const COLORREF oldText = SetTextColor(draw->hDC, GetSysColor(colours.fore));
    const int oldMode = SetBkMode(draw->hDC, TRANSPARENT);
    RECT r = draw->rcItem;
    DrawTextW(draw->hDC, text.data(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(draw->hDC, oldMode);
    SetTextColor(draw->hDC, oldText);
  }
  if ((draw->itemAction & ODA_FOCUS) != 0 || (draw->itemState & ODS_FOCUS) != 0) {
    DrawFocusRect(draw->hDC, &draw->rcItem);
  }
  return 1;
}

// Every entry back to the driver's defaults, each through the button's
// own handling; then the first entry.
INT_PTR DefaultAll(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  SetDefaultFreesizeInfoAll(ucb);
  const int count = ReadFreesizeCount(ucb);
  for (int i = 0; i < count; ++i) {
    MoveFreesizeInfoToUiTemp(ucb, i);
    DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
    Current(ucb) = i;
    MoveFreesizeInfoFromUiTemp(ucb, i);
  }
  HWND list = ListOf(ucb, tcb);
  if (list != nullptr) SendMessageW(list, LB_SETCURSEL, 0, 0);
  MakeCurrent(ucb, 0);
  if (list != nullptr) InvalidateRect(list, nullptr, TRUE);
  RefreshDialog(ucb, tcb, 0);
  return 1;
}

INT_PTR ListDialogCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  const WORD id = icb->itemId;
  const WORD code = HIWORD(wParam);
  if (id == kEntryTray) {
    HWND list = ListOf(ucb, tcb);
    const LRESULT selected = list != nullptr ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (IsEntry(ucb, selected)) MoveFreesizeInfoFromUiTemp(ucb, static_cast<int>(selected));
    return 0;  // the engine takes the choice
  }
  if (id == kEntryList) return ListCommand(ucb, tcb, icb, wParam, lParam);
  if (id == kDefaultButton) return DefaultAll(ucb, tcb, icb, wParam, lParam);
  if (Among(kEntryEdits, id) && (code == EN_KILLFOCUS || code == EN_CHANGE)) {
    DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
    StoreIntoCurrent(ucb, tcb);
    return 1;
  }
  return 0;
}

INT_PTR UCF_FreeSize(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  switch (message) {
    case WM_GETDLGCODE:
      return TakeTypedValueFirst(tcb, icb, lParam);
    case WM_INITDIALOG:
      return icb->itemId == kEntryList ? FillList(ucb, tcb, icb) : 0;
    case WM_COMMAND:
      return CommandOf(icb, wParam) ? ListDialogCommand(ucb, tcb, icb, wParam, lParam) : 0;
    case WM_DRAWITEM:
      return icb->itemId == kEntryList ? DrawEntry(ucb, icb, lParam) : 0;
    case WM_VSCROLL:
      if (!Among(kEntrySpins, icb->itemId) || reinterpret_cast<HWND>(lParam) != icb->hWnd) return 0;
      DoDefaultProcessItemMessage(ucb, tcb, icb, message, wParam, lParam);
      StoreIntoCurrent(ucb, tcb);
      return 1;
    default:
      return 0;
  }
}

// ---- the input dialog ----

INT_PTR UCF_FreeSize2(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  if (message == WM_GETDLGCODE) return TakeTypedValueFirst(tcb, icb, lParam);
  if (message != WM_COMMAND || !CommandOf(icb, wParam) || !Among(kRangeControls, icb->itemId)) return 0;
  if (!IsFreeSizeInchMode(ucb)) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  UpdatePaperINCHSize(ucb);
  return 1;
}

}  // namespace

INT_PTR FreesizeProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (ucb == nullptr || tcb == nullptr || ucb->pWork == nullptr) return 0;
  switch (tcb->tabId) {
    case kDialogUnit: return UnitDialog(ucb, icb, message, wParam);
    case kDialogFreeSizeList: return UCF_FreeSize(ucb, tcb, icb, message, wParam, lParam);
    case kDialogFreeSizeInput: return UCF_FreeSize2(ucb, tcb, icb, message, wParam, lParam);
    default: return 0;
  }
}
