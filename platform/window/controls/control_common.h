// What the standard controls share: their style, their text, telling the
// parent (WM_COMMAND with the control's id and a notification code), asking
// the parent for owner drawing, and the flat classic look they paint with.
// Internal to platform/window/.
#pragma once

#include <string>

#include "platform/window/winuser_controls.h"

namespace plat::window {

inline DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

inline void Notify(HWND control, WORD code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
               reinterpret_cast<LPARAM>(control));
}

std::u16string WindowTextOf(HWND hwnd);

// Sends WM_DRAWITEM to the control's parent for one item, on a DC of the
// control (the caller's, or one it gets and releases).
void SendDrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT action, UINT state, RECT item, ULONG_PTR data);

// The brush the parent chooses for the control (WM_CTLCOLOR*), or the
// system's face colour when it leaves the choice.
HBRUSH ControlBrush(HWND control, HDC dc, UINT ctlColorMessage);

// The flat look: the client area filled with the parent's brush and the
// control's text drawn in it with the given DT_ format.
void PaintFlat(HWND control, HDC dc, UINT ctlColorMessage, UINT format);

}  // namespace plat::window
