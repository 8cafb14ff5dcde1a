// The bidi fallback INI as a file the device-status code owns.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Creates the bidi INI, or resets its DACL, so that every user may write it.
BOOL CreateFullControlBidiFile(UCB* ucb);
