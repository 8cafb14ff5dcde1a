// What the Other module does outside its pages.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Pseudo setting 1108: 1 while the copies are fewer than the copies of one
// separation-sheet cycle; every other id of the module's range is 0.
int Ucf9_JudgeHook(UCB* ucb, WORD funcId);
// The separation-sheet cycle takes the copies, when there are any.
void CopyCopiestoSepSheetCycleCopies(UCB* ucb);

