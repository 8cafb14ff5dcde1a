// What the dialog manager keeps for each dialog it made, in its own table
// by window handle (handles are never reused), so that no window's extra
// bytes can be mistaken for a record. Internal to platform/window/.
#pragma once

#include <memory>

#include "platform/window/winuser_dialogs.h"

namespace plat::window {

struct DialogInfo {
  int baseX = 8;   // average character width of the dialog's font
  int baseY = 16;  // character height of the dialog's font
  int defaultId = IDOK;
  HWND savedFocus = nullptr;  // the control that had the focus when deactivated
  bool ended = false;
  INT_PTR result = 0;
  WORD templateId = 0;  // DialogTemplateId
};

// The record of a window made by the dialog manager; null for any other.
std::shared_ptr<DialogInfo> FindDialogInfo(HWND dialog);
// Makes the record of a new dialog; ForgetDialogInfo drops it when the
// window goes.
std::shared_ptr<DialogInfo> AddDialogInfo(HWND dialog);
void ForgetDialogInfo(HWND dialog);

// Base units for a template's font: the system font's without DS_SETFONT.
void BaseUnitsForFont(WORD pointSize, bool setFont, int* x, int* y);

// The pixels of a length in dialog units.
inline int DialogUnitsToPixels(int units, int base, int divisor) {
  const long long scaled = static_cast<long long>(units) * base;
  return static_cast<int>((scaled >= 0 ? scaled + divisor / 2 : scaled - divisor / 2) / divisor);
}

}  // namespace plat::window
