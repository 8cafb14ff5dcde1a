// The chapter limits of the cover and chapter page, and the chapter count
// the feature modules keep.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The feature modules' event that reads the chapter information once per
// context; its record is the DWORD result, preset to 1.
inline constexpr DWORD kModuleChapterCount = 12;

// Sets settings 831 and 832 from "ChapterMax" and "ChapterTrayMax" of the
// printer's section of the settings INI (0 when missing); a ChapterMax
// above the blocks a context holds (kChapterMostBlocks) is taken as that
// most. Returns 1.
BOOL ReadChapterMaxInfo(UCB* ucb);
// The chapter count the feature modules report, starting from 1.
DWORD ReadChapterInfo(UCB* ucb);
