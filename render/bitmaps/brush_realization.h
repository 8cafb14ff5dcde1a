// Brushes realized for the printer: every hatch and pattern brush becomes a
// 32 x 32 brush record, two colours at 1 bit a pixel or 24 bits a pixel,
// with its pattern right after the record (render/records/drawing_state.h).
#pragma once

#include "platform/engine/winddi.h"

struct PDEV;

inline constexpr LONG kBrushPixels = 32;               // the realization is this many pixels square
inline constexpr ULONG kTwoColorPatternBytes = 128;    // 32 rows of 4 bytes
inline constexpr ULONG kColorPatternBytes = 3072;      // 32 rows of 96 bytes
inline constexpr USHORT kBrushTwoColors = 2;
inline constexpr USHORT kBrushColors = 3;

// The six hatch styles as 8 x 8 one-bit patterns, a byte a row (the most
// significant bit leftmost), top row first.
inline constexpr int kHatchStyles = 6;
extern const BYTE PredefineHatchedBrush[kHatchStyles][8];

// TRUE when an 8 x 8 pattern of 24 bits a pixel, read as one packed run of
// 64 pixels of 3 bytes (byte0 << 16 | byte1 << 8 | byte2), holds at most
// two values: colors[0] the first pixel's, colors[1] the second distinct
// one (0 when there is none). FALSE for any format but BMF_24BPP.
BOOL check_two_colors(const BYTE* pixels, ULONG format, ULONG colors[2]);

// A pattern that is not 8 x 8, scaled by the engine to a square tile (4, 8,
// 16 or 32 pixels by its width) of 24 bits a pixel through the translation,
// and repeated over 32 rows of 96 bytes into out. FALSE for an 8 x 8 pattern
// or when the tile cannot be had or drawn.
BOOL Create32ColorPattern(PDEV* pdev, SURFOBJ* pattern, XLATEOBJ* pxlo, BYTE* out);
