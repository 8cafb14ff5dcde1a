// What the print-quality module does outside its pages.
#pragma once

#include <array>

#include "platform/base/wintypes.h"

struct UCB;

// Colour matching for all objects, then for text, line art and image, and
// the flag bit that marks each as kept (CMMRETURN).
inline constexpr std::array<WORD, 4> kColorMatchingSettings = {133, 798, 799, 800};
inline constexpr std::array<BYTE, 4> kColorMatchingKeptFlags = {1, 2, 4, 8};

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

#if !KESM_KERNEL_MODE
// Built-ins 100-110: the colour items of the quality pages bound to the
// settings of all objects or of the object kind being adjusted. 1 when
// the id is one of them.
int QualityColourItemsBuiltIn(UCB* ucb, WORD id);
#endif
