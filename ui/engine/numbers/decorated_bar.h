// The look of a decorated horizontal scroll bar (kind 84): a minus button
// at the left, a plus button at the right, a raised thumb, and the shaft
// filled or showing the bar's picture; and the pressed arrow shown while
// the mouse holds one. Internal to ui/engine/numbers/.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace numbers {

// A press at x (the bar's client coordinates) on an arrow of the bar shows
// a pressed copy of that arrow over it, in a pop-up owned by the page, and
// answers the pop-up; a press elsewhere answers null.
HWND ShowPressedArrow(UCB* ucb, const ICB* icb, int x);

}  // namespace numbers
