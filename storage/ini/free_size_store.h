// The free-size store's part in the paper-size queries: which of its slots a
// free paper code uses, and loading a slot into the context's free-size
// settings (753 width and 754 length, in 1200-dpi dots).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Slots of the store and the paper codes after them.
inline constexpr int kFreeSizeSlotCount = 12;

// The slot of a free paper code; kFreeSizeSlotCount for a code that has
// none.
int GetFreeSizePaperNum(WORD paperValue, const UCB* ucb);
// Copies the unregistered custom size (codes 256 and 448) into the slot.
void GetFreeSizeInfoNoRegist(UCB* ucb, WORD paperValue, int slot);
// Loads the stored free size of the slot into settings 753 and 754; FALSE
// when nothing was loaded.
BOOL ReadFreesizeByID(UCB* ucb, int slot);
