// A fresh start of the window system for the calling thread, for tests:
// its windows destroyed, application classes forgotten, its queue, timers,
// focus, capture and keys cleared (the keys and buttons it holds down and
// its last press too), and the records of boxes, beeps,
// abandoned loops and GDI calls dropped, and the clipboard emptied.
#pragma once

namespace plat::window {

void ResetThreadWindows();

}  // namespace plat::window
