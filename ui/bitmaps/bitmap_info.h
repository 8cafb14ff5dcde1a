// Where the pictures of the pages are painted: per picture id an offset,
// alignment flags and the picture's size, in a table ended by a zero id.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/wintypes.h"

// One row; the layout is kept as the pages' code has always read it.
struct BITMAPINFOROW {
  WORD wBitmapId;         // 0 ends the table
  WORD wOverlayBitmapId;  // 0 in every row
  SHORT sOffsetX;
  SHORT sOffsetY;
  DWORD dwFlags;          // the alignment flags of a paint (kPaint*)
  WORD wWidth;
  WORD wHeight;
  DWORD dwColourMode;     // 0 in every row
  DWORD dwColour;         // 0 in every row
};
static_assert(sizeof(BITMAPINFOROW) == 24);
static_assert(offsetof(BITMAPINFOROW, dwFlags) == 8 && offsetof(BITMAPINFOROW, wWidth) == 12 &&
              offsetof(BITMAPINFOROW, dwColourMode) == 16 && offsetof(BITMAPINFOROW, dwColour) == 20);

// The table, ended by a zero id.
const BITMAPINFOROW* GetBitmapInfoList();
// The first row of the id; null when the table has none.
const BITMAPINFOROW* FindBitmapInfo(UINT id);
