// A fresh start of the window system for the calling thread, for tests:
// its windows destroyed, application classes forgotten, its queue, timers,
// focus, capture and keys cleared (the keys and buttons it holds down and
// its last press too), and the records of boxes, beeps,
// abandoned loops and GDI calls dropped, and the clipboard emptied.
#pragma once

namespace plat::window {

void ResetThreadWindows();

// Headless runs that never look at pixels (a monkey's thousands of walks):
// while suspended, the queue makes no WM_PAINT and drops the update regions
// that would have made one, so no window is drawn unless a caller paints it
// itself (UpdateWindow, RedrawWindow with RDW_UPDATENOW, PrintWindow).
// Process-wide; off at start.
void SuspendPainting(bool suspended);

}  // namespace plat::window
