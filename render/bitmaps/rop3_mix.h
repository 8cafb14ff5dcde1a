// The mix code of a ROP3 that reads only pattern and destination, for the
// blts that are fills. The blts share the rest of their drawing set-up with
// every drawing call (render/paths/draw_setup.h).
#pragma once

#include "platform/engine/winddi.h"

// The mix code (1-16) of each ROP3 that uses only pattern and destination;
// 0 for every other ROP3.
BYTE Rop3ToMix(BYTE rop3);
