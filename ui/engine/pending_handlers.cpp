// The kinds' handlers whose controls come with later work: each answers as
// an empty slot of the item function table does (0, nothing shown), and the
// window procedures leave every message to the control's own procedure. A
// handler moves out of this file when its control's behaviour is built.
#include "platform/window/winuser_styles.h"
#include "ui/engine/item_handlers.h"

#define KESM_PENDING_CHANGE(name) \
  int name(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM) { return 0; }
#define KESM_PENDING_INIT(name) \
  int name(UCB*, TCB*, ICB*) { return 0; }
#define KESM_PENDING_PAINT(name) \
  void name(UCB*, TCB*, ICB*) {}
#define KESM_PENDING_PCMD(name) \
  int name(UCB*, TCB*, ICB*, WPARAM, LPARAM) { return 0; }
#define KESM_PENDING_PMSG(name) \
  int name(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM) { return 0; }

KESM_PENDING_CHANGE(ChangeDataCheckBox)
KESM_PENDING_CHANGE(ChangeDataRadioList)

KESM_PENDING_INIT(InitPushButton)
KESM_PENDING_INIT(InitCustomButton)
KESM_PENDING_INIT(InitListBox)
KESM_PENDING_INIT(InitComboBox)
KESM_PENDING_INIT(InitOwnerListBox)
KESM_PENDING_INIT(InitPresetListBox)
KESM_PENDING_INIT(InitTabControl)
KESM_PENDING_INIT(InitTreeView)

KESM_PENDING_PAINT(PaintText)
KESM_PENDING_PAINT(PaintBitmap)
KESM_PENDING_PAINT(PaintIcon)
KESM_PENDING_PAINT(PaintCheckBox)
KESM_PENDING_PAINT(PaintRadioList)
KESM_PENDING_PAINT(PaintListBox)
KESM_PENDING_PAINT(PaintComboBox)
KESM_PENDING_PAINT(PaintOwnerComboBox)

KESM_PENDING_PCMD(PCmdPushButton)
KESM_PENDING_PCMD(PCmdCheckBox)
KESM_PENDING_PCMD(PCmdRadioList)
KESM_PENDING_PCMD(PCmdListBox)
KESM_PENDING_PCMD(PCmdComboBox)
KESM_PENDING_PCMD(PCmdPresetListBox)

KESM_PENDING_PMSG(PMsgPushButton)
KESM_PENDING_PMSG(PMsgOwnerListBox)
KESM_PENDING_PMSG(PMsgOwnerComboBox)
KESM_PENDING_PMSG(PMsgMultiListBox)
KESM_PENDING_PMSG(PMsgPresetListBox)
KESM_PENDING_PMSG(PMsgTabControl)
KESM_PENDING_PMSG(PMsgTreeView)

void PaintBitmap2(UCB*, TCB*, ICB*, HDC, const RECT*) {}
void RelatedPushButton(UCB*, TCB*, ICB*) {}
void ShowTabPage(TCB*, ICB*, int) {}

namespace {

// The control's own procedure, saved in its item when it was subclassed.
LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* icb = reinterpret_cast<const ICB*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const auto saved = icb != nullptr ? reinterpret_cast<WNDPROC>(icb->pfnSavedWndProc) : nullptr;
  return saved != nullptr ? CallWindowProcW(saved, hwnd, message, wParam, lParam)
                          : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT KesmItemDefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return PassOn(hwnd, message, wParam, lParam);
}

LRESULT KesmPushButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return PassOn(hwnd, message, wParam, lParam);
}
