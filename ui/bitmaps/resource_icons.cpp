#include "ui/bitmaps/resource_icons.h"

#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_draw.h"
#include "ui/resource_dll.h"

// LoadIconW hands out the library's shared icon, which lives as long as the
// library and must not be destroyed by its users: nothing is freed here.
BOOL PaintIconFromResDll2(UCB* ucb, HDC dc, int x, int y, UINT id) {
  if (ucb == nullptr || dc == nullptr) return FALSE;
  const HMODULE module = GetResDll(ucb);
  if (module == nullptr) return FALSE;
  const HICON icon = LoadIconW(module, MAKEINTRESOURCEW(static_cast<WORD>(id)));
  return icon != nullptr && DrawIcon(dc, x, y, icon);
}

BOOL LoadIconFromResDll(UCB* ucb, HWND window, UINT id) {
  if (window == nullptr) return FALSE;
  const HDC dc = GetDC(window);
  if (dc == nullptr) return FALSE;
  const BOOL drawn = PaintIconFromResDll2(ucb, dc, 0, 0, id);
  ReleaseDC(window, dc);
  return drawn;
}
