// Stand-ins for services that later work provides: the preset section name
// and the building of a DCB with its defaults. Each keeps the signature of
// the real service; this file goes away when those land.
#pragma once

#include "platform/wintypes.h"

struct DCB;
struct UCB;

// The printer's section of the per-user INI.
LPWSTR GetPresetSectionName(UCB* ucb);
// A new zero-filled DCB for the context, its DEVMODE's block offsets
// written; null when memory is short.
DCB* DevCBCreate(UCB* ucb, int type);
