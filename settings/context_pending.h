// Stand-in for a service that later work provides: the building of a DCB
// with its defaults. It keeps the signature of the real service; this file
// goes away when that lands.
#pragma once

#include "platform/wintypes.h"

struct DCB;
struct UCB;

// A new zero-filled DCB for the context, its DEVMODE's block offsets
// written; null when memory is short.
DCB* DevCBCreate(UCB* ucb, int type);
