// The name checks of the preset module: which preset of the list carries a
// name, and whether two presets share one. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The index of the preset named exactly `name` (case counts): `preferred`
// when that preset has the name, else the first that has it, else -1.
int CheckPresetName(UCB* ucb, LPCWSTR name, int preferred);
// With index -1: the later preset of the first pair that shares a name.
// Otherwise the name in the dialog's name edit 2145 is held against every
// other preset: on a match the index when it is above 0, else the match.
// -1 when no name is shared.
int CheckPresetName2WithoutMsg(UCB* ucb, HWND dialog, int index);
// The same; a shared name is also posted to the dialog as message 0x8004
// with the index found.
int CheckPresetName2(UCB* ucb, HWND dialog, int index);

inline constexpr UINT kMsgPresetNameShared = 0x8004;
#endif
