// What the machine keeps of message boxes and beeps, for tests: every box
// shown (owner, text, caption, style, the answer) and every MessageBeep.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser.h"

namespace plat::window {

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string caption;
  UINT type = 0;
  HWND window = nullptr;  // the box's window while it is shown
  int result = 0;         // the pressed button's id; 0 while shown or abandoned
};

// The boxes shown so far, oldest first, and the beeps (their types).
std::vector<MessageBoxRecord> MessageBoxes();
std::vector<UINT> MessageBeeps();
// The boxes shown now, innermost last.
std::vector<MessageBoxRecord> OpenMessageBoxes();
void ClearMessageBoxRecords();

// The id of the static control that holds a box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

}  // namespace plat::window
