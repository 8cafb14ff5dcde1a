// The feature modules seen from the settings model: set up and torn down
// with each printer context, and offered numbered events.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Called once when a context is built, after its work area exists.
void KesmInitCustom(UCB* ucb);
// Called once when a context is freed, before its work area goes.
void KesmTermCustom(UCB* ucb);
// Offers the event to the modules in table order until one handles it; the
// answer comes back in the parameter record, whose out fields the caller
// presets. Codes 1 and 2 are never offered.
void KesmCustomFunction(UCB* ucb, DWORD code, void* parameter);
// Offers a built-in function id to the modules in table order until one
// runs it; ids no module knows do nothing.
void KesmCustomBuiltInFunc(UCB* ucb, WORD id);

inline constexpr WORD kUcfJudgeHookFirstId = 964;
inline constexpr WORD kUcfJudgeHookLastId = 1123;

// The value of a feature-module pseudo setting for a judge: ids 996-1011
// belong to the quality module, 1108-1123 to the Other module; every other
// id, and every id while no module answers it, gives 0.
DWORD Ucf_JudgeHook(UCB* ucb, WORD funcId);
