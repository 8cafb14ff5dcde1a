#include "ui/engine/item_dispatch.h"

#include <cstring>

#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/item_functions.h"

namespace {

constexpr INT_PTR kModuleHandled = 1;
constexpr WORD kPresetList = 2001;
constexpr WORD kScrollBarWithArrows = 84;

bool IsHidden(const ICB* icb) { return (icb->status & kIcbHiddenMask) == kIcbHidden; }

// Messages whose handling does not call for a repaint of the page.
bool KeepsThePage(UINT message) {
  return message == WM_DRAWITEM || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORSCROLLBAR;
}

void RepaintPage(const TCB* tcb) {
  if (tcb != nullptr && tcb->hWnd != nullptr) PostMessageW(tcb->hWnd, WM_PAINT, 0, 0);
}

void Subclass(ICB* icb, WNDPROC proc) {
  if (icb->hWnd == nullptr || icb->pfnSavedWndProc != nullptr) return;
  SetWindowLongPtrW(icb->hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icb));
  icb->pfnSavedWndProc =
      reinterpret_cast<void*>(SetWindowLongPtrW(icb->hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

}  // namespace

const IFT* FindIFT(WORD kind) {
  for (const IFT& row : fgIFT) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

int InitItem(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb == nullptr) return 0;
  if (KesmCustomProcedure(ucb, tcb, icb, WM_INITDIALOG, 0, 0) == kModuleHandled) return 0;
  const IFT* row = FindIFT(icb->kind);
  if (row == nullptr) return 0;
  if (row->WindowProc != nullptr) Subclass(icb, row->WindowProc);
  return row->Init != nullptr ? row->Init(ucb, tcb, icb) : 0;
}

void PaintItem(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb == nullptr) return;
  if (KesmCustomProcedure(ucb, tcb, icb, WM_PAINT, 0, 0) == kModuleHandled) return;
  const IFT* row = FindIFT(icb->kind);
  if (row != nullptr && row->Paint != nullptr) row->Paint(ucb, tcb, icb);
}

int DoDefaultProcessItemCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  const IFT* row = icb != nullptr ? FindIFT(icb->kind) : nullptr;
  return row != nullptr && row->PCmd != nullptr ? row->PCmd(ucb, tcb, icb, wParam, lParam) : 0;
}

int ProcessItemCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  auto result = static_cast<int>(KesmCustomProcedure(ucb, tcb, icb, WM_COMMAND, wParam, lParam));
  if (result == 0 && LOWORD(wParam) == icb->itemId) result = DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  if (result != 0) RepaintPage(tcb);
  return result;
}

int DoDefaultProcessItemMessage(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr) return 0;
  // The arrows of that scroll bar are the item window procedure's.
  if (icb->kind == kScrollBarWithArrows && message == WM_LBUTTONDOWN) return 0;
  const IFT* row = FindIFT(icb->kind);
  return row != nullptr && row->PMsg != nullptr ? row->PMsg(ucb, tcb, icb, message, wParam, lParam) : 0;
}

int ProcessItemMessage(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (icb == nullptr || IsHidden(icb)) return 0;
  if (message == WM_RBUTTONDOWN && icb->itemId == kPresetList) return 0;
  auto result = static_cast<int>(KesmCustomProcedure(ucb, tcb, icb, message, wParam, lParam));
  if (result == 0) result = DoDefaultProcessItemMessage(ucb, tcb, icb, message, wParam, lParam);
  if (result != 0 && !KeepsThePage(message)) RepaintPage(tcb);
  return result;
}

const void* KesmGetClassData(const ICB* icb, WORD classType) {
  if (icb == nullptr || icb->pClassData == nullptr) return nullptr;
  WORD type = 0;
  std::memcpy(&type, icb->pClassData, sizeof type);
  return type == classType ? icb->pClassData : nullptr;
}

void SelectComboBoxByItemData(UCB* ucb, TCB* tcb, WORD controlId, LPARAM itemData) {
  ICB* icb = GetICBbyItemID(ucb, tcb, controlId);
  if (icb == nullptr || icb->hWnd == nullptr) return;
  const auto count = static_cast<int>(SendMessageW(icb->hWnd, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageW(icb->hWnd, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) != itemData) continue;
    SendMessageW(icb->hWnd, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    DoDefaultProcessItemCommand(ucb, tcb, icb, static_cast<WPARAM>(CBN_SELCHANGE) << 16, 0);
    return;
  }
}
