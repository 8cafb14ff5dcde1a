// The procedures of the control classes the window core carries itself:
// the standard controls (button, static, edit, ...). Each
// class is a message table in its own file. Internal to platform/window/.
#pragma once

#include "platform/window/winuser.h"

namespace plat::window {

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Extra window bytes of the button class (its state word).
inline constexpr int kButtonExtra = static_cast<int>(sizeof(LONG_PTR));
// Extra window bytes of the edit class (its record) and of the static class
// (its image handle).
inline constexpr int kEditExtra = static_cast<int>(sizeof(LONG_PTR));
inline constexpr int kStaticExtra = static_cast<int>(sizeof(LONG_PTR));

}  // namespace plat::window
