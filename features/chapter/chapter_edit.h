// What the chapter dialog does to the chapter blocks, apart from its
// controls: the pages a user types ("1,3-5"), their merge into the blocks
// with the chosen kind, tray and print choice, and the deletions. Each
// refusal is the id of the message that explains it.
#pragma once

#include <array>
#include <string_view>

#include "features/chapter_blocks.h"
#include "platform/base/wintypes.h"

struct UCB;

// The messages of the chapter dialog.
inline constexpr UINT kChapterMsgDeleteOne = 10064;
inline constexpr UINT kChapterMsgTooMany = 10065;
inline constexpr UINT kChapterMsgTooManyTrays = 10066;
inline constexpr UINT kChapterMsgBadCharacter = 10067;
inline constexpr UINT kChapterMsgPrintClash = 10068;
inline constexpr UINT kChapterMsgBadPage = 10073;
inline constexpr UINT kChapterMsgUsesSource = 10074;
inline constexpr UINT kChapterMsgDeleteAll = 12001;

inline constexpr int kChapterPageSlots = 512;  // page numbers with their end mark
inline constexpr int kChapterFirstPage = 1;
inline constexpr int kChapterLastPage = 30000;

// The pages a text names, ascending, each once, then zeros.
struct ChapterPages {
  std::array<int, kChapterPageSlots> page{};
  int count = 0;
};

// Reads the page text: single pages and ranges (a reversed range is turned
// round) separated by ",", a trailing "," allowed. The pages of the ranges
// may not be more than capacity. 0, or the message of the refusal (a
// character other than a digit, "," or "-"; a malformed range or number or
// a page outside 1-30000; too many pages); a refused text gives no pages.
UINT GetChapterPageRange(std::u16string_view text, int capacity, ChapterPages& pages);

// The chapter a merge gives each new page.
struct ChapterChoice {
  BYTE kind;
  SHORT tray;
  BYTE print;
};

// Merges the pages into the used blocks of the context: a page that has a
// block gets the new choice in its place. Checks the distinct trays of the
// plain chapters against wdmChapterTrayMax and that no tray prints its
// chapters both ways. 0 with the used count and the distinct trays set, or
// the message of the refusal with the blocks as they were.
UINT SetChapterData(UCB* ucb, const ChapterPages& pages, const ChapterChoice& choice);

// Removes the used block at index, moving the later ones down; the used
// count before is kept in *before. False when index is no used block.
bool DeleteChapterData(UCB* ucb, int index, int* before);
// Empties every block; the used count before is kept in *before.
void DeleteAllChapterData(UCB* ucb, int* before);
