// The free paper size module outside its pages: the inch mirrors of the
// job's custom size. In inch mode (inches shown, the custom paper size
// chosen and the input dialog set to the paper size) settings 594 and 595
// keep the length and width as typed in hundredths of an inch, so that a
// size typed in inches survives the rounding of the dots.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

BOOL IsFreeSizeInchMode(const UCB* ucb);
// Re-derives the mirrors from the dots, held to the input dialog's display
// range; a mirror is written only where it changes. Nothing without the
// input dialog or its edits.
void UpdatePaperINCHSize(UCB* ucb);
