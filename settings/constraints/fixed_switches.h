// Build-time switches of the settings model: which group controls the
// dialog engine handles itself, whether chapter trays show their number,
// and whether a manual-tray paper is corrected.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Switch 0: a paper stored for the manual tray (kind 1) is stored as 0.
// Switch 1: the chapter settings show a mark instead of the tray number.
inline constexpr int kFuncFlagCount = 2;
extern const BYTE gbFuncFlags[kFuncFlagCount];
// Group-control switches for indexes 1-8 (entry 0 unused).
inline constexpr int kGroupCtlFlagCount = 9;
extern const BYTE gbGroupCtlFlags[kGroupCtlFlagCount];

// The switch of an index 1-8; 0 for any other index.
BOOL IsGroupCtlFlags(int index);
// The chapter-tray switch.
BOOL IsNotViewChapterAttributeTrayNum();
// Stores the value into the setting (as stored, not as shown); with the
// manual-tray switch on, a value for tray kind 1 is stored as 0. The
// store's result.
BOOL CorrectManualTrayPaperEx(DWORD kind, WORD funcId, LONG_PTR value, UCB* ucb);
