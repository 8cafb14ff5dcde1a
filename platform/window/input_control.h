// Input as the hardware would give it, for the script driver and tests:
// the cursor moving, mouse buttons going down and up, keys going down and
// up. Each goes through the routing Windows uses: mouse input goes to the
// window with the capture, else to the window WM_NCHITTEST names under the
// cursor (HTTRANSPARENT passes it to the window beneath, HTERROR drops it),
// after WM_SETCURSOR; keys go to the focus window. Routing happens when the
// input is given; the resulting message waits in the input part of the
// thread's queue.
#pragma once

#include "platform/window/winuser.h"

namespace plat::window {

enum class MouseButton { kLeft, kRight, kMiddle };

// Moves the cursor to a screen point (WM_MOUSEMOVE to the window there).
void InjectMouseMove(POINT screen);
// A button goes down or up at a screen point (the cursor moves there first).
void InjectMouseButton(MouseButton button, bool down, POINT screen);
// A key goes down or up. VK_PACKET carries a character without a key.
void InjectKey(UINT virtualKey, bool down, WCHAR packet = 0);

// The key (and whether shift is needed) that types a character on the
// machine's US keyboard; false for a character without a key of its own.
bool KeyOf(WCHAR ch, UINT* virtualKey, bool* shift);

// The system cursor id (IDC_ARROW's 32512, ...) of a cursor handle, or 0.
WORD SystemCursorId(HCURSOR cursor);

}  // namespace plat::window
