// The helpers every standard control uses.
#include "platform/window/controls/control_common.h"

#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_draw.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {

std::u16string WindowTextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::vector<WCHAR> buffer(static_cast<std::size_t>(length) + 1);
  const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), static_cast<std::size_t>(got));
}

void SendDrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT action, UINT state, RECT item, ULONG_PTR data) {
  HDC own = dc != nullptr ? nullptr : GetDC(control);
  DRAWITEMSTRUCT dis{type, static_cast<UINT>(GetDlgCtrlID(control)), itemId, action, state, control,
                     dc != nullptr ? dc : own, item, data};
  SendMessageW(GetParent(control), WM_DRAWITEM, static_cast<WPARAM>(dis.CtlID), reinterpret_cast<LPARAM>(&dis));
  if (own != nullptr) ReleaseDC(control, own);
}

HBRUSH ControlBrush(HWND control, HDC dc, UINT ctlColorMessage) {
  const LRESULT brush = SendMessageW(GetParent(control), ctlColorMessage, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(control));
  return brush != 0 ? reinterpret_cast<HBRUSH>(brush) : GetSysColorBrush(COLOR_3DFACE);
}

void PaintFlat(HWND control, HDC dc, UINT ctlColorMessage, UINT format) {
  RECT client{};
  GetClientRect(control, &client);
  FillRect(dc, &client, ControlBrush(control, dc, ctlColorMessage));
  DrawControlText(dc, WindowTextOf(control), client, format, IsWindowEnabled(control) == FALSE);
}

}  // namespace plat::window
