// The procedures of the control classes the window core carries itself:
// the standard controls (button, static, edit, ...). Each
// class is a message table in its own file. Internal to platform/window/.
#pragma once

#include "platform/window/winuser.h"

namespace plat::window {

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// A point of a scroll bar's client area whose click asks for `code`
// (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN); false when the bar has
// no such part now (no room beside the thumb) or for another code.
bool ScrollBarPointFor(HWND bar, WORD code, POINT* client);
// Where to take a scroll bar's thumb and where to let it go so that it
// tells `position` (client points); false when the thumb cannot move or
// no pixel gives that position.
bool ScrollBarThumbPoints(HWND bar, int position, POINT* grab, POINT* drop);
// What a combo box's selection field adds around one item's height.
inline constexpr int kComboFieldExtra = 6;
// Extra window bytes of the button class (its state word).
inline constexpr int kButtonExtra = static_cast<int>(sizeof(LONG_PTR));
// Extra window bytes of the edit class (its record) and of the static class
// (its image handle).
inline constexpr int kEditExtra = static_cast<int>(sizeof(LONG_PTR));
// List boxes, combo boxes and scroll bars keep a pointer to their record.
inline constexpr int kRecordExtra = static_cast<int>(sizeof(LONG_PTR));
// The static class keeps its image and, after it, the bitmap it loaded
// itself from its template.
inline constexpr int kStaticExtra = static_cast<int>(2 * sizeof(LONG_PTR));

}  // namespace plat::window
