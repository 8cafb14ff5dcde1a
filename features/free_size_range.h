// The free paper size page's answer to the range a size control may show:
// the custom paper range of the tray and orientation the page has chosen.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct UCB;

// The tray's free-size range in dots for the width and length controls of
// the free-size dialogs; FALSE for other dialogs or controls.
BOOL GetFreeSizeRangebyIcb(const UCB* ucb, const ICB* icb, LONG* max, LONG* min);
