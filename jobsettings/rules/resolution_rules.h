// Whether a job above 600 dpi may stay at its resolution: the device takes
// such a page only while neither side of the source and destination paper,
// after scaling or poster enlargement, exceeds its 30708-dot limit.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Mode 1 takes the resolutions from the private settings, mode 0 from the
// public fields; both first refresh the resolution and paper-area settings
// of the context (the only writes of a device rule). 1 when the resolution
// may stay.
BOOL IsNotDownResolution(UCB* ucb, int mode);
// Neither side of the destination paper reaches 30709 dots.
BOOL Border_DstCheck(UCB* ucb);
// Poster N-up types: 0x8000 + n enlarges the page n times (0x8001 doubles
// its shorter side).
inline constexpr DWORD kPosterBase = 0x8000;

// Neither side of the source paper, scaled or enlarged for a poster,
// exceeds 30708 dots.
BOOL Border_SrcCheck(UCB* ucb);
