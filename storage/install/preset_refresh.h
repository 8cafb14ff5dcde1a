// The refresh of a printer's administrator presets after its installed
// options changed.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Re-installs the printer's default presets: mode 0 asks the user first,
// mode 1 without questions, mode 2 only tells the user.
void PresetRefreshForOptionDialog(UCB* ucb, DWORD mode);
