// A real page of the context for the dialog engine's tests, until the page
// life of the engine exists: one of the generated dialogs of the resource
// DLL, shown as a child of a plain frame window, its items bound to their
// settings and UI groups as the page life binds them, subclassed and filled
// through InitItem, and the page's messages routed to the items as the
// engine's dialog procedure routes them (the page's initialisation to the
// feature modules' chain, commands and notifications to the
// items in table order, the hover timer, the queued alert of a number edit,
// a refresh after a handled change, the fixed sizes of owner-drawn items).
// Tests then drive it through the script driver like a person.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "platform/window/commctrl.h"
#include "features/custom_modules.h"
#include "features/module_table/pages/page_rows.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "tests/ui/ui_machine.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/owner_draw_sizes.h"
#include "ui/engine/refresh.h"
#include "ui/engine/table_correction.h"
#include "ui/resource_dll.h"

namespace ui_test {

// Binds every item of the context to its setting and UI group once, after
// the run-time correction of the tables, as the page life does the first
// time a page of the context opens.
inline void BindPageItems(UCB* ucb) {
  TL* tl = ucb->pTL;
  for (int t = 0; t < tl->count; ++t) {
    const TCB& tab = tl->pTCB[t];
    for (int i = 0; i < tab.itemCount; ++i) {
      if (tab.pICB[i].pUiGroup != nullptr) return;  // bound before
    }
  }
  CorrectKpd(ucb);
  for (int t = 0; t < tl->count; ++t) {
    TCB& tab = tl->pTCB[t];
    for (int i = 0; i < tab.itemCount; ++i) {
      ICB& icb = tab.pICB[i];
      icb.pSFCB = GetSFCBbyGroupID(ucb, icb.groupId);
      icb.pUiGroup = ucb->pBKPD != nullptr ? BKPDGetUiGroupAddr(icb.groupId, ucb) : nullptr;
      if (icb.kindItemId == 0) icb.kindItemId = icb.itemId;
    }
  }
}

// The cursors and brushes of the context's dialogs, made once, as the page
// life makes them when it binds the items.
inline void PrepareDialogSlots(UCB* ucb) {
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  if (slots.hArrowCursor != nullptr) return;
  HMODULE module = GetResDll(ucb);
  slots.hArrowCursor = LoadCursorW(module, MAKEINTRESOURCEW(kArrowCursorId));
  slots.hHandCursor = LoadCursorW(module, MAKEINTRESOURCEW(kHandCursorId));
  slots.crButtonFace = GetSysColor(COLOR_BTNFACE);
  slots.hButtonFaceBrush = GetSysColorBrush(COLOR_BTNFACE);
  slots.hWhiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

// The page's procedure: the routing of the engine's dialog procedure that
// the items' handlers rely on.
inline INT_PTR CALLBACK PageHostProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  // Owner-drawn controls ask their item sizes while they are made, before
  // the page is bound: the fixed sizes of the table answer.
  if (message == WM_MEASUREITEM && lParam != 0) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (const ODFS* size = GetODFSbyItemID(static_cast<WORD>(measure->CtlID))) {
      if (size->width > 0) measure->itemWidth = static_cast<UINT>(size->width);
      if (size->height > 0) measure->itemHeight = static_cast<UINT>(size->height);
      return TRUE;
    }
  }
  if (message == WM_INITDIALOG) {
    auto* ucb = reinterpret_cast<UCB*>(lParam);
    SetWindowLongPtrW(page, DWLP_USER, lParam);
    TCB* tcb = GetTCBbyTabID(ucb, ucb->wCurrentDialog);
    if (tcb == nullptr) return TRUE;
    tcb->hWnd = page;
    BindPageItems(ucb);
    PrepareDialogSlots(ucb);
    // The modules' chain sees the page's own initialisation first.
    KesmCustomProcedure(ucb, tcb, nullptr, message, wParam, lParam);
    for (int i = 0; i < tcb->itemCount; ++i) {
      ICB& icb = tcb->pICB[i];
      icb.hWnd = GetDlgItem(page, icb.itemId);
      icb.pfnSavedWndProc = nullptr;
      InitItem(ucb, tcb, &icb);
    }
    RefreshDialog(ucb, tcb, 1);
    return TRUE;
  }
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER));
  TCB* tcb = ucb != nullptr ? GetTCBbyHwnd(ucb, page) : nullptr;
  if (tcb == nullptr) return FALSE;
  switch (message) {
    case WM_TIMER:
      ShowPopupOnHoverTimer(ucb, page);
      return TRUE;
    case kMsgQueuedAlert:
      ShowQueuedAlert(ucb, tcb, wParam, lParam);
      return TRUE;
    case WM_COMMAND:
      ShowPopupMsg(ucb, nullptr, page, 0, 0);
      for (int i = 0; i < tcb->itemCount; ++i) {
        ICB& icb = tcb->pICB[i];
        if (icb.hWnd != nullptr && ProcessItemCommand(ucb, tcb, &icb, wParam, lParam) == 1) break;
      }
      RefreshDialog(ucb, tcb, 0);
      return TRUE;
    case WM_PAINT:
      if (IsDevmodeChanged(ucb)) RefreshDialog(ucb, tcb, 0);
      return FALSE;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      if (message == WM_NOTIFY) ShowPopupMsg(ucb, nullptr, page, 0, 0);
      for (int i = 0; i < tcb->itemCount; ++i) {
        ICB& icb = tcb->pICB[i];
        const bool byId = message == WM_DRAWITEM || message == WM_MEASUREITEM;
        if (icb.hWnd == nullptr && message != WM_MEASUREITEM) continue;
        if (byId && icb.itemId != wParam) continue;
        if (ProcessItemMessage(ucb, tcb, &icb, message, wParam, lParam) == 1) {
          if (message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORSCROLLBAR) {
            return GetWindowLongPtrW(page, DWLP_MSGRESULT);
          }
          return TRUE;
        }
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// A page made from its template as a property sheet makes it: a dialog
// that is also a sub-dialog has a popup template, whose page is a child
// control of its parent all the same.
inline HWND CreatePage(HMODULE module, WORD dialogId, HWND parent, DLGPROC proc, LPARAM param) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
  const void* locked = resource != nullptr ? LockResource(LoadResource(module, resource)) : nullptr;
  if (locked == nullptr) return nullptr;
  std::vector<BYTE> copy(static_cast<const BYTE*>(locked),
                         static_cast<const BYTE*>(locked) + SizeofResource(module, resource));
  WORD head[2] = {};
  if (copy.size() < 16) return nullptr;
  std::memcpy(head, copy.data(), sizeof head);
  // The style of an extended template follows its version, help id and
  // extended style; a classic template begins with it.
  const std::size_t at = head[0] == kDialogExVersion && head[1] == kDialogExSignature ? 12 : 0;
  DWORD style = 0;
  std::memcpy(&style, copy.data() + at, sizeof style);
  // A page template is taken as it is.
  constexpr DWORD kRemoved = WS_POPUP | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME;
  if ((style & WS_POPUP) != 0) style = (style & ~kRemoved) | WS_CHILD | DS_CONTROL;
  std::memcpy(copy.data() + at, &style, sizeof style);
  return CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), parent, proc, param);
}

// One page of the context on the screen, closed with the host.
class PageHost {
 public:
  PageHost() = default;
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;
  ~PageHost() { Close(); }

  // Shows dialog `dialogId` of the context's resource DLL as its page;
  // false when the DLL or the template is missing.
  bool Open(UCB* ucb, WORD dialogId) {
    Close();
    ucb_ = ucb;
    InitCommonControls();
    frame_ = CreateWindowExW(0, u"STATIC", u"Page host", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 760, 560,
                             nullptr, nullptr, nullptr, nullptr);
    if (frame_ == nullptr) return false;
    HMODULE module = GetResDll(ucb);
    if (module == nullptr) return false;
    ucb->wCurrentDialog = dialogId;
    page_ = CreatePage(module, dialogId, frame_, PageHostProc, reinterpret_cast<LPARAM>(ucb));
    if (page_ == nullptr) return false;
    FitFrameToPage();
    ShowWindow(page_, SW_SHOW);
    UpdateWindow(page_);
    return true;
  }
  void Close() {
    if (page_ != nullptr) {
      if (TCB* t = tcb()) {
        t->hWnd = nullptr;
        for (int i = 0; i < t->itemCount; ++i) t->pICB[i].hWnd = nullptr;
      }
      DestroyWindow(page_);
    }
    if (frame_ != nullptr) DestroyWindow(frame_);
    page_ = frame_ = nullptr;
  }

  HWND page() const { return page_; }
  HWND frame() const { return frame_; }
  TCB* tcb() const { return ucb_ != nullptr && page_ != nullptr ? GetTCBbyHwnd(ucb_, page_) : nullptr; }
  // The page's item of that control id, or null.
  ICB* item(WORD controlId) const {
    TCB* t = tcb();
    for (int i = 0; t != nullptr && i < t->itemCount; ++i) {
      if (t->pICB[i].itemId == controlId) return &t->pICB[i];
    }
    return nullptr;
  }
  HWND control(WORD controlId) const { return page_ != nullptr ? GetDlgItem(page_, controlId) : nullptr; }

 private:
  // The frame grows to show the whole page, so that every item is on the
  // screen where a person can point at it.
  void FitFrameToPage() {
    RECT outer{};
    RECT inner{};
    RECT page{};
    GetWindowRect(frame_, &outer);
    GetClientRect(frame_, &inner);
    GetWindowRect(page_, &page);
    const int width = (outer.right - outer.left) - inner.right + (page.right - page.left);
    const int height = (outer.bottom - outer.top) - inner.bottom + (page.bottom - page.top);
    SetWindowPos(frame_, nullptr, 0, 0, std::max<int>(width, outer.right - outer.left),
                 std::max<int>(height, outer.bottom - outer.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  UCB* ucb_ = nullptr;
  HWND frame_ = nullptr;
  HWND page_ = nullptr;
};

// The W2 printer with one context open and its resource DLL in place.
class PageMachine : public UiMachine {
 protected:
  // The context gets the pages of the feature modules, as in the loaded
  // library.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(UiMachine::SetUp());
    RegisterFeaturePages();
    ucb_ = GetUcb(printer_, printer_, 0, 0x80000000);
    ASSERT_NE(ucb_, nullptr);
  }
  void TearDown() override {
    host_.Close();
    if (ucb_ != nullptr) FreeUcb2(ucb_, 1);
    ucb_ = nullptr;
    UnregisterFeaturePages();
    UiMachine::TearDown();
  }

  UCB* ucb_ = nullptr;
  PageHost host_;
};

}  // namespace ui_test
