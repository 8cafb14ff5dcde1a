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
// control's text drawn in it with the given DT_ format (grey when the
// control is disabled).
void PaintFlat(HWND control, HDC dc, UINT ctlColorMessage, UINT format);

// A control's record in its first extra bytes: made at WM_NCCREATE, freed
// by FreeRecord at WM_NCDESTROY.
template <class T>
T* RecordOf(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, 0));
}

template <class T>
LRESULT FreeRecord(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  delete RecordOf<T>(hwnd);
  SetWindowLongPtrW(hwnd, 0, 0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A message row whose handler works on the control's record; `none`
// answers when the record is gone.
template <class T, LRESULT (*Handler)(HWND, T&, WPARAM, LPARAM), LRESULT none>
LRESULT WithRecord(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  T* record = RecordOf<T>(hwnd);
  return record != nullptr ? Handler(hwnd, *record, wParam, lParam) : none;
}

}  // namespace plat::window
