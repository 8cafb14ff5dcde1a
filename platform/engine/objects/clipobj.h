// Clip regions: complexity, bounds, rectangle enumeration and outline.
#pragma once

#include "platform/engine/objects/ddi_types.h"
#include "platform/engine/objects/pathobj.h"

struct CLIPOBJ {
  ULONG iUniq;  // the same for calls with the same region; 0 for a one-off
  RECTL rclBounds;
  BYTE iDComplexity;
  BYTE iFComplexity;
  BYTE iMode;
  BYTE fjOptions;
};
using PCLIPOBJ = CLIPOBJ*;

inline constexpr BYTE DC_TRIVIAL = 0;  // nothing needs clipping
inline constexpr BYTE DC_RECT = 1;     // clip to rclBounds
inline constexpr BYTE DC_COMPLEX = 3;  // enumerate the rectangles
inline constexpr BYTE FC_RECT = 1;
inline constexpr BYTE FC_RECT4 = 2;
inline constexpr BYTE FC_COMPLEX = 3;
inline constexpr BYTE TC_RECTANGLES = 0;
inline constexpr BYTE TC_PATHOBJ = 2;
inline constexpr BYTE OC_BANK_CLIP = 1;

inline constexpr ULONG CT_RECTANGLES = 0;
inline constexpr ULONG CD_RIGHTDOWN = 0;
inline constexpr ULONG CD_LEFTDOWN = 1;
inline constexpr ULONG CD_RIGHTUP = 2;
inline constexpr ULONG CD_LEFTUP = 3;
inline constexpr ULONG CD_ANY = 4;

struct ENUMRECTS {
  ULONG c;
  RECTL arcl[1];
};

// Starts an enumeration of the region's rectangles in the given direction
// (bAll FALSE: only the parts inside rclBounds). Returns the number of
// rectangles, or 0xFFFFFFFF when cLimit is not 0 and they are more.
ULONG CLIPOBJ_cEnumStart(CLIPOBJ* pco, BOOL bAll, ULONG iType, ULONG iDirection, ULONG cLimit);
// Fills the ENUMRECTS of cj bytes with the next rectangles; TRUE while more
// follow.
BOOL CLIPOBJ_bEnum(CLIPOBJ* pco, ULONG cj, ULONG* pv);
// The region's outline as a new path (one closed subpath per rectangle,
// for winding fill); the caller frees it with EngDeletePath. Null for a
// trivial clip.
PATHOBJ* CLIPOBJ_ppoGetPath(CLIPOBJ* pco);
