// The DCB of a printer context: its DEVMODE with the driver's defaults.
#pragma once

#include "platform/base/wintypes.h"

struct DCB;
struct UCB;

// A new zero-filled DCB for the context, its DEVMODE's block offsets
// written; null for a null context or when memory is short.
DCB* DevCBCreate(UCB* ucb, int type);
