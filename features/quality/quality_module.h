// What the print-quality module does outside its pages.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The quality module's pseudo settings for the judges: 996 the selected
// profile is one of the defaults (also when none is selected), 997 the
// profile list is full, 998 the profile file item names a valid file.
int Ucf2_JudgeHook(UCB* ucb, WORD funcId);
// Keeps the colour-matching value of the current adjust mode and object
// kind in the context, to be given back when a dialog is cancelled.
void SaveCMMtoWork(UCB* ucb, int index);
// A colour-matching value that names a profile no longer in the list takes
// the installed quality set's value.
void CorrectedColorMatchingMode(UCB* ucb);
