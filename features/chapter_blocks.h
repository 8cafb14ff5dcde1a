// What the rendering side reads of the chapter and colour-profile pages:
// the chapter blocks of a context and the colour-profile file item.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;
struct ICB;

// One chapter: where it starts, the tray it prints from, whether it breaks
// the job there and how its pages print.
struct CHAPTERBLOCK {
  SHORT page;
  SHORT tray;
  BYTE breakFlag;
  BYTE mode;
};
static_assert(sizeof(CHAPTERBLOCK) == 6);

// The index-th chapter block of the context, or null when the index is
// negative, not below the chapters in use (wdmChapterNum) or not below the
// blocks the context holds, when the context has no work area or when the
// blocks cannot be allocated. The first valid request allocates
// wdmChapterMax + 1 zeroed blocks.
CHAPTERBLOCK* GetChapterBlockByIndex(UCB* ucb, int index);

// The colour-profile file item (item 2825 of dialog 4011), or null.
ICB* GetIcbForCmmFile(UCB* ucb);
