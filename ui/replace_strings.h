// Live replacements of resource strings: current values spliced into the
// fixed texts of the resource DLL (tray names after a tray label, a free
// size's name and dimensions, the display unit, the allowed free-size
// range). User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// How a string is completed.
enum class ReplaceKind : DWORD {
  kNone = 0,
  kTrayName = 1,     // ":" and the tray name held by the parameter setting
  kFreeSize = 2,     // a free size's name and dimensions, then the unit
  kUnit = 3,         // the display unit's own string
  kProfileName = 4,  // a colour profile's name from the feature modules
  kRangeFormat = 5,  // a format given the allowed free-size range
};

// One row of the string table: which string, with which parameter, is
// completed how.
struct RESID2FUNCID {
  DWORD id;
  SHORT parameter;
  ReplaceKind kind;
};

// The rows, ended by id 0.
extern const RESID2FUNCID stResId2FuncId[];

// The row of a string id, or null.
const RESID2FUNCID* FindResId2FuncId(UINT id);

// Completes the text of string id in place, within limit characters
// (terminator included): the text is cut there, never written past. A
// string without a row is left as loaded. Returns the length of the text.
int UserCallbackReplaceString(UCB* ucb, UINT id, LPWSTR text, int limit);
