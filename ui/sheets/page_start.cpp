// How a page starts: the page procedure that prepares the sheet's buttons
// and hides the page until it is laid out, the initialisation that binds
// and fills the page's items, and the layout that fits the page's
// controls into its place before anything is shown.
#include <algorithm>
#include <cstdlib>

#include "platform/runtime/winmath.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

constexpr WORD kNewPresetText = 372;
constexpr WORD kOverwriteText = 373;
constexpr int kButtonTextChars = 256;
// Room kept free at the right and bottom of a page.
constexpr int kLayoutMargin = 3;

RECT RectIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void SetButtonText(UCB* ucb, HWND button, WORD stringId) {
  WCHAR text[kButtonTextChars] = {};
  LoadStringFromResDll(ucb, stringId, text, kButtonTextChars, FALSE);
  SetWindowTextW(button, text);
}

// A second button of OK's kind, size, procedure and font, at `place`.
void AddNewPresetButton(UCB* ucb, HWND sheet, HWND ok, const RECT& place) {
  const auto style = static_cast<DWORD>(GetWindowLongW(ok, GWL_STYLE)) & ~BS_DEFPUSHBUTTON;
  const auto exStyle = static_cast<DWORD>(GetWindowLongW(ok, GWL_EXSTYLE));
  HWND button = CreateWindowExW(exStyle, u"BUTTON", u"", style, place.left, place.top, place.right - place.left,
                                place.bottom - place.top, sheet,
                                reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(kCmdSaveNewPreset)),
                                GetResDll(ucb), nullptr);
  if (button == nullptr) return;
  SetButtonText(ucb, button, kNewPresetText);
  SetWindowLongPtrW(button, GWLP_WNDPROC, GetWindowLongPtrW(ok, GWLP_WNDPROC));
  SetWindowLongPtrW(button, GWLP_USERDATA, GetWindowLongPtrW(ok, GWLP_USERDATA));
  SendMessageW(button, WM_SETFONT, static_cast<WPARAM>(SendMessageW(ok, WM_GETFONT, 0, 0)), TRUE);
}

// OK grows to the left by a third of its width; a new button stands to its
// left at the gap that parts Cancel from OK.
RECT WidenOk(HWND sheet, HWND ok) {
  RECT r = RectIn(sheet, ok);
  const LONG width = (r.right - r.left) * 4 / 3;
  r.left = r.right - width;
  MoveWindow(ok, r.left, r.top, width, r.bottom - r.top, TRUE);
  LONG gap = 0;
  if (HWND cancel = GetDlgItem(sheet, IDCANCEL)) {
    const RECT c = RectIn(sheet, cancel);
    gap = std::max(c.left - r.right, r.left - c.right);
  }
  return RECT{r.left - gap - width, r.top, r.left - gap, r.bottom};
}

void PrepareOkButtons(UCB* ucb, HWND page) {
  const DWORD request = GetRequestCode(ucb);
  HWND sheet = GetParent(page);
  HWND ok = sheet != nullptr ? GetDlgItem(sheet, IDOK) : nullptr;
  if ((request & (kRequestNewPresetButton | kRequestOverwriteButton)) == 0 || ok == nullptr) return;
  const RECT second = WidenOk(sheet, ok);
  if ((request & kRequestNewPresetButton) != 0 && (request & kRequestOverwriteButton) != 0) {
    AddNewPresetButton(ucb, sheet, ok, second);
    ResetRequestCode(ucb, kRequestNewPresetButton);
  }
  if ((GetRequestCode(ucb) & kRequestNewPresetButton) != 0) {
    SetButtonText(ucb, ok, kNewPresetText);
    SetWindowLongPtrW(ok, GWLP_ID, kCmdSaveNewPreset);
    ResetRequestCode(ucb, kRequestNewPresetButton);
  } else if ((GetRequestCode(ucb) & kRequestOverwriteButton) != 0) {
    SetButtonText(ucb, ok, kOverwriteText);
    SetWindowLongPtrW(ok, GWLP_ID, kCmdOverwritePreset);
    ResetRequestCode(ucb, kRequestOverwriteButton);
  }
  KesmRequestForUiCore(ucb, kRequestSaveBeforeOk);
  CheckCurrentWindowProc(ucb, sheet);
}

template <class Each>
void ForEachChild(HWND parent, Each each) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    each(child);
  }
}

bool IsItemWindow(const TCB* tcb, HWND window) {
  for (int i = 0; tcb != nullptr && i < tcb->itemCount; ++i) {
    if (tcb->pICB[i].hWnd == window) return true;
  }
  return false;
}

// Children that reach past the page are pulled in, each direction by its
// own ratio.
void FitChildren(HWND page) {
  RECT client{};
  GetClientRect(page, &client);
  const LONG width = client.right - kLayoutMargin;
  const LONG height = client.bottom - kLayoutMargin;
  LONG right = width;
  LONG bottom = height;
  ForEachChild(page, [&](HWND child) {
    const RECT r = RectIn(page, child);
    right = std::max(right, r.right);
    bottom = std::max(bottom, r.bottom);
  });
  if (right <= width && bottom <= height) return;
  ForEachChild(page, [&](HWND child) {
    const RECT r = RectIn(page, child);
    const int left = MulDiv(r.left, width, right);
    const int top = MulDiv(r.top, height, bottom);
    MoveWindow(child, left, top, MulDiv(r.right, width, right) - left, MulDiv(r.bottom, height, bottom) - top, TRUE);
  });
}

}  // namespace

INT_PTR CALLBACK PropertySheetProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return DialogProc(page, message, wParam, lParam);
  const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* ucb = description != nullptr ? reinterpret_cast<UCB*>(description->lParam) : nullptr;
  if (ucb != nullptr) {
    ucb->wCurrentDialog = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(description->pszTemplate));
    if (ucb->pWork != nullptr) PrepareOkButtons(ucb, page);
  }
  ForEachChild(page, [](HWND child) { ShowWindow(child, SW_HIDE); });
  return DialogProc(page, message, wParam, reinterpret_cast<LPARAM>(ucb));
}

void CheckLayout(UCB* ucb, HWND page) {
  if (ucb == nullptr || ucb->pWork == nullptr || page == nullptr) return;
  TCB* tcb = GetTCBbyHwnd(ucb, page);
  FitChildren(page);
  ForEachChild(page, [&](HWND child) {
    if (!IsItemWindow(tcb, child)) ShowWindow(child, SW_SHOWNA);
  });
  EnableWindow(page, TRUE);
  ucb->pWork->dialog.fLayoutPending = 0;
  ResetEntryChanged(ucb);
  RefreshDialog(ucb, tcb, 1);
}

namespace kesm_page {

INT_PTR InitPage(UCB* ucb, TCB* tcb, HWND page) {
  if (ucb == nullptr || tcb == nullptr) return kHandled;
  ucb->pWork->dialog.fLayoutPending = 1;
  EnableWindow(page, FALSE);
  LPWSTR caption = ucb->pWork->szScratch;
  GetWindowTextW(page, caption, kScratchChars);
  if (caption[0] == 0) SetWindowTextW(page, ucb->pWork->szPrinterName);
  CheckICB(ucb, nullptr);
  CheckCurrentWindowProc(ucb, page);
  for (int i = 0; i < tcb->itemCount; ++i) {
    ICB& icb = tcb->pICB[i];
    icb.hWnd = GetDlgItem(page, icb.itemId);
    icb.pfnSavedWndProc = nullptr;
    InitItem(ucb, tcb, &icb);
  }
  PostMessageW(page, kMsgLayoutPage, 0, 0);
  return kHandled;
}

}  // namespace kesm_page
