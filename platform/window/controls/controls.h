// The procedures of the control classes the window core carries itself:
// the push button and the static text that message boxes are made of. Each
// class is a message table in its own file. Internal to platform/window/.
#pragma once

#include "platform/window/winuser.h"

namespace plat::window {

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Extra window bytes of the button class (its state word).
inline constexpr int kButtonExtra = static_cast<int>(sizeof(LONG_PTR));

}  // namespace plat::window
