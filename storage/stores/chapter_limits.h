// The chapter limits of the cover and chapter page.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Sets settings 831 and 832 from "ChapterMax" and "ChapterTrayMax" of the
// printer's section of the settings INI (0 when missing). Returns 1.
BOOL ReadChapterMaxInfo(UCB* ucb);
// The chapter count the feature modules report, starting from 1.
DWORD ReadChapterInfo(UCB* ucb);
#endif
