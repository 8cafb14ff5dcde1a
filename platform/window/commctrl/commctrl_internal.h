// What the common controls share inside the window system: their window
// procedures (one file each) and telling the parent through WM_NOTIFY.
// Internal to platform/window/.
#pragma once

#include <string>

#include "platform/window/commctrl.h"

namespace plat::window {

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TreeViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TrackbarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the record's header (the control, its id, the code) and sends it to
// the control's parent as WM_NOTIFY; the parent's answer.
template <class T>
LRESULT SendNotify(HWND control, UINT code, T* record) {
  NMHDR* hdr = &record->hdr;
  hdr->hwndFrom = control;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  hdr->code = code;
  return SendMessageW(GetParent(control), WM_NOTIFY, static_cast<WPARAM>(hdr->idFrom), reinterpret_cast<LPARAM>(hdr));
}

// A notification that carries only its header (NM_SETFOCUS, ...).
inline LRESULT SendNotifyCode(HWND control, UINT code) {
  struct {
    NMHDR hdr;
  } record{};
  return SendNotify(control, code, &record);
}

// The modifier keys held now as LVKF_ flags.
UINT HeldKeyFlags();

// A caller's text; none for a null pointer or LPSTR_TEXTCALLBACKW (-1),
// which asks the parent for the text when shown (these controls keep no
// text then).
std::u16string TextFrom(LPCWSTR text);
// Copies at most max - 1 characters and a terminator into a caller's
// buffer; the count copied (0 without a buffer).
int CopyText(const std::u16string& text, LPWSTR out, int max);
// The width of a text in the control's DC.
int TextWidthIn(HWND control, const std::u16string& text);
// WM_SETFOCUS and WM_KILLFOCUS: repaint, then NM_SETFOCUS or NM_KILLFOCUS.
LRESULT FocusChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plat::window
