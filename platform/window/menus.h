// Menus: menu objects, menus loaded from templates, and popup menus tracked
// in a modal loop that the script driver answers (a person picking an item
// or dismissing the menu). Every tracked menu is recorded for the tests.
// Internal to platform/window/.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser.h"

namespace plat::window {

// A popup menu as it was shown: its owner, its items' ids and texts (0 and
// empty for separators), and the id picked (0 when dismissed).
struct TrackedMenu {
  HWND owner = nullptr;
  std::vector<UINT> ids;
  std::vector<std::u16string> texts;
  UINT picked = 0;
};

// Picks an item of the innermost menu being tracked on this thread (0
// dismisses it); false with what is wrong when no menu is open or the item
// is not an enabled item of it.
bool AnswerTrackedMenu(UINT id, std::string* error);
// The menus tracked so far, oldest first; taking them clears the record.
std::vector<TrackedMenu> TakeTrackedMenus();

}  // namespace plat::window
