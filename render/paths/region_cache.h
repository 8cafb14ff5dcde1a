// The clip-region cache: the clip the printer was sent last, so that
// drawing calls under the same clip send it once. One entry per PDEV, on
// its heap, from DrvEnablePDEV to DrvDisablePDEV. The record it holds lies
// in the display list it was sent in, so it serves only that list: once
// the list has been written out and started again (each page, each
// document's first page, a flush in mid-page) the clip goes again. It is
// also invalidated at every page boundary. Through both, the kind of clip
// sent stays known so that it can still be reset.
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;

// Kinds of clip in force.
inline constexpr ULONG kClipKindNone = 0;
inline constexpr ULONG kClipKindRect = 1;
inline constexpr ULONG kClipKindComplex = 3;

struct RegionCache {
  BOOL valid;
  ULONG uniq;     // the clip object's id
  BYTE* record;   // the clip record sent; compared, never read
  ULONG list;     // the display list it lies in (the stream's emptied count)
  ULONG kind;
  RECTL bounds;   // of a rectangle clip
};

// The PDEV's cache, invalid; null when the heap is exhausted.
RegionCache* create_rgncache(PDEV* pdev);
// Marks the cache invalid (the kind of clip sent stays).
void flush_rgncache(PDEV* pdev);
// The record cached for a clip of this kind and id (and, for a rectangle,
// these bounds) in the display list being filled, or null.
BYTE* query_rgncache(PDEV* pdev, ULONG kind, ULONG uniq, const RECTL* bounds);
// Remembers the clip just sent, and marks the cache valid.
void cache_rgncache(PDEV* pdev, ULONG kind, ULONG uniq, BYTE* record, const RECTL* bounds);
// Frees the cache.
void destroy_rgncache(PDEV* pdev);
