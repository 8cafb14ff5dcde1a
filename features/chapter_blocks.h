// What the rendering side reads of the chapter and colour-profile pages:
// the chapter blocks of a context and the colour-profile file item.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;
struct ICB;
struct SFCB;

// One chapter: the page it starts on (1-30000; 0 marks an unused block),
// the tray it prints from (a value of wdmChapterTray), its kind (0 a sheet
// from the tray, 1 and 2 the kinds that break the job without a tray) and,
// for kind 0, how its sheet prints (a value of wdmChapterPrint). Blocks of
// kinds 1 and 2 hold tray 0 and print 0.
struct CHAPTERBLOCK {
  SHORT page;
  SHORT tray;
  BYTE breakFlag;  // the kind
  BYTE mode;       // the print choice
};
static_assert(sizeof(CHAPTERBLOCK) == 6);

// The most chapters a job may have, whatever the user's "ChapterMax" asks:
// the page list the chapter dialog reads holds 512 numbers with its end
// mark, and every context holds that many blocks and one for the end.
inline constexpr int kChapterMostBlocks = 511;

// The chapters a job may have now: wdmChapterMax (831), no less than 0 and
// no more than kChapterMostBlocks.
int GetChapterCapacity(const UCB* ucb);
// Makes the context's zeroed blocks (kChapterMostBlocks + 1 of them) when
// it has none; false when it has no work area or the memory is short.
BOOL MakeChapterBlockArray(UCB* ucb);

// The index-th chapter block of the context, or null when the index is
// negative, not below the chapters in use (wdmChapterNum) or not below the
// blocks the context holds, when the context has no work area or when the
// blocks cannot be allocated. The first valid request makes the blocks
// (MakeChapterBlockArray).
CHAPTERBLOCK* GetChapterBlockByIndex(UCB* ucb, int index);

// The colour-profile file item (item 2825 of dialog 4011), or null.
ICB* GetIcbForCmmFile(UCB* ucb);
// The setting that holds the chosen colour-profile file: the one the file
// item is bound to, else the profile path setting.
SFCB* GetCmmFileSetting(UCB* ucb);
