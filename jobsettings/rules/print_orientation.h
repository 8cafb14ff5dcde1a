// The print-orientation flag of the device rules: whether the printed
// sheet is turned against the paper's orientation.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// With N-up on and an N-up type of 1-18, or duplex on with a booklet
// duplex type (17 or more): 1 in portrait, else 0. Otherwise 0 in portrait
// and 1 in landscape.
DWORD GetPrintOrientation(const UCB* ucb);
