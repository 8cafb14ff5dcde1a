// Constant tables of the device capabilities.
#pragma once

#include "platform/engine/objects/devcaps.h"
#include "render/pdev/pdev_internal.h"

inline constexpr int kCharsetPairs = 14;
extern const CharsetPair kCharsetTable[kCharsetPairs];

// Halftone defaults: flags, the fallback pattern size, device pels and the
// device's colour information.
struct HalftoneInfo {
  ULONG flags;
  ULONG fallbackPatternSize;
  ULONG devicePelsDpi;
  COLORINFO colorInfo;
};
extern const HalftoneInfo DefDevHTInfo;
// Dither cell width and height by halftone pattern size 0-15.
inline constexpr int kHalftonePatternSizes = 16;
extern const USHORT cxHTPatSize[kHalftonePatternSizes];
extern const USHORT cyHTPatSize[kHalftonePatternSizes];
// The two colours of the 1-bit palette: black, white.
extern const ULONG aulPal2Colors[2];
