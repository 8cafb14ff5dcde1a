// Built with the shared code (user mode only) so that every program that
// runs a description's actions has them.
#include "ui/constraint_services.h"

#if !KESM_KERNEL_MODE

#include "features/custom_modules.h"
#include "settings/values/setting_value.h"

void KesmUiCoreBuiltInFunc(UCB* ucb, WORD id) {
  if (ucb == nullptr) {
    return;
  }
  switch (id) {
    case kBuiltInPaperAreas:
      // The context keeps no paper areas yet (the paper-area computation
      // that would store them is not part of the driver so far): nothing to
      // recompute.
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
// dialog engine records, so there is no control to focus.
void FocusPageControl(HWND /*page*/, WORD /*controlId*/) {}

#endif
