// The colour adjustment a user sets for the pictures of the pages
// (brightness, contrast, saturation and red, green and blue shifts, each
// 0-100 with 50 neutral), applied to one colour at a time.
#pragma once

#include <array>

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"

struct UCB;

// The six values in order: brightness, contrast, saturation, red, green,
// blue.
using ColourAdjustment = std::array<int, 6>;
inline constexpr ColourAdjustment kNeutralAdjustment = {50, 50, 50, 50, 50, 50};

// The colour adjusted by the six values; grey gives the luminance in all
// three channels (the shifts are then not applied).
COLORREF AdjustColorBy(const ColourAdjustment& adjustment, COLORREF colour, BOOL grey);
// The same with the context's settings 138-143, which run from -50 to 50
// (0 neutral; a missing one counts as neutral).
COLORREF AdjustColor(UCB* ucb, COLORREF colour, BOOL grey);
