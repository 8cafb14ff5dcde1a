// Built with the shared code (user mode only) so that every program that
// runs a description's actions has them.
#include "ui/constraint_services.h"

#if !KESM_KERNEL_MODE

#include "features/custom_modules.h"
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

// The stand-in has no window manager: pages exist only as handles the
// dialog engine records, so there is no control to focus or to write to.
void FocusPageControl(HWND /*page*/, WORD /*controlId*/) {}
void SetPageControlText(HWND /*page*/, WORD /*controlId*/, LPCWSTR /*text*/) {}

#endif
