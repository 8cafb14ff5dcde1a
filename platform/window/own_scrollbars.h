// A window's own scroll bars as the frame and DefWindowProcW use them.
// Internal to platform/window/.
#pragma once

#include "platform/window/window_object.h"

namespace plat::window {

// What the shown bars take from the client area (right and bottom).
RECT OwnScrollBarInsets(DWORD style);
// With the lock held: HTVSCROLL or HTHSCROLL for a screen point on a shown
// bar, else HTNOWHERE.
LRESULT LockedOwnScrollBarHit(const Window& w, POINT screen);
// Paints the shown bars (and the corner between two) on the window's DC.
void PaintOwnScrollBars(HWND hwnd, HDC windowDc);
// WM_NCLBUTTONDOWN on a bar (hit HTVSCROLL/HTHSCROLL, lParam the screen
// point): takes the capture and tells the window; false for other hits.
bool OwnScrollBarPress(HWND hwnd, WPARAM hit, LPARAM lParam);
// WM_MOUSEMOVE, WM_LBUTTONUP and WM_CAPTURECHANGED while a bar holds the
// mouse; false when none does.
bool OwnScrollBarMouse(HWND hwnd, UINT message, LPARAM lParam);

}  // namespace plat::window
