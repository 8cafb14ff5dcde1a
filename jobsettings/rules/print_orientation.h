// The print-orientation flag of the device rules: whether the printed
// sheet is turned against the paper's orientation.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The N-up types that lay pages out across the sheet, turning it.
inline constexpr LONG_PTR kNupTurningFirst = 1;
inline constexpr LONG_PTR kNupTurningLast = 18;

// With N-up on and an N-up type of 1-18, or duplex on with a booklet
// duplex type (17 or more): 1 in portrait, else 0. Otherwise 0 in portrait
// and 1 in landscape.
DWORD GetPrintOrientation(const UCB* ucb);
