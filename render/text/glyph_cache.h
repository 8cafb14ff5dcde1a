// The page's glyph cache: which glyph bitmaps the printer has been sent on
// this page, by font id, cache generation and character code, in 1024
// buckets of chains on the PDEV heap. Emptying it (at each page end, at a
// PDEV reset and when glyph memory runs out) counts a new generation, so
// that no later key matches an entry of an earlier one.
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;

struct GlyphEntry {
  ULONG fontId;
  SHORT generation;
  SHORT code;
  GlyphEntry* next;
};

// The bucket of a key: 0 to 1023.
ULONG ulCalcHashID(PDEV* pdev, ULONG fontId, LONG generation, LONG code);
// Appends a new entry to the bucket's chain; null for a bucket of 1024 or
// more or when memory is short.
GlyphEntry* pAddHashTbl(PDEV* pdev, ULONG bucket, ULONG fontId, LONG generation, LONG code);
// TRUE when the bucket holds the key (generation and code compared in 16
// bits); FALSE for a bucket of 1024 or more.
BOOL bChkHashTbl(PDEV* pdev, ULONG bucket, ULONG fontId, LONG generation, LONG code);
// Frees every entry and counts a new generation; TRUE.
BOOL pFreeHashTbl(PDEV* pdev);
