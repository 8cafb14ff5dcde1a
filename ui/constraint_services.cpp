// Built with the shared code (user mode only) so that every program that
// runs a description's actions has them.
#include "ui/constraint_services.h"

#if !KESM_KERNEL_MODE

#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/constraints/paper_fitting.h"
#include "settings/values/setting_value.h"

void KesmUiCoreBuiltInFunc(UCB* ucb, WORD id) {
  if (ucb == nullptr) {
    return;
  }
  switch (id) {
    case kBuiltInPaperAreas:
      KesmCoreBuiltInFunc(ucb, id);
      break;
    case kBuiltInSavePreset:
      KesmRequestForUiCore(ucb, kRequestSavePreset);
      break;
    default:
      KesmCustomBuiltInFunc(ucb, id);
      break;
  }
}

// A dialog moves its focus itself, so that its default button follows and
// an edit's text is selected for typing over.
void FocusPageControl(HWND page, WORD controlId) {
  if (page == nullptr) return;
  if (HWND control = GetDlgItem(page, controlId); control != nullptr) {
    SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
}

void SetPageControlText(HWND page, WORD controlId, LPCWSTR text) {
  if (page == nullptr || text == nullptr) return;
  if (HWND control = GetDlgItem(page, controlId); control != nullptr) SetWindowTextW(control, text);
}

#endif
