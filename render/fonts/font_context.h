// The device fonts of a PDEV. The library's image carries one font-metrics
// resource (type 258, ids 1-4) per device font and three glyph sets (type
// 260); a PDEV that offers device fonts keeps copies of the four metrics
// resources and, once the engine asks, the glyph sets in a font context on
// its heap.
#pragma once

#include "platform/engine/winddi.h"

struct PDEV;

inline constexpr int kFontMetricsResource = 258;
inline constexpr int kGlyphSetResource = 260;
inline constexpr ULONG kDeviceFontCount = 4;
// Where a metrics resource keeps its symbol-set string's offset.
inline constexpr ULONG kSymbolSetOffsetAt = 572;

// A symbol set the device fonts may name, and the glyph set it uses.
struct GlyphSetRow {
  const char* symbolSet;  // ASCII
  ULONG charSet;
  FD_GLYPHSET* glyphSet;  // loaded on demand
};
inline constexpr int kStockGlyphsetRows = 6;  // five and the all-zero end row
extern const GlyphSetRow StockGlyphset[kStockGlyphsetRows];
// The metrics resources' ids, in font order.
extern const ULONG srchtbl[kDeviceFontCount];

struct DeviceFontEntry {
  ULONG glyphSetRow;  // 0 to 3
  BYTE* metrics;      // the resource's copy
  ULONG metricsSize;
};

struct FONTCONTEXT {
  ULONG count;
  HANDLE module;
  GlyphSetRow rows[kStockGlyphsetRows];
  DeviceFontEntry fonts[kDeviceFontCount];
};

// The font context of the module's resources, with the number of device
// fonts in *count: 4, or 0 with a null result when a resource is missing or
// damaged or memory is short.
FONTCONTEXT* fnt_init(PDEV* pdev, HANDLE module, ULONG* count);
// Frees every glyph set once, the metrics copies and the context; null does
// nothing.
void fnt_term(PDEV* pdev, FONTCONTEXT* context);
// The metrics resource of device font iFace (1 to the count); null for a
// null context or a face out of range.
BYTE* fnt_getntfm(FONTCONTEXT* context, ULONG iFace);
// The IFIMETRICS inside a metrics resource.
IFIMETRICS* fnt_getifi(BYTE* resource);
// The StockGlyphset row of a metrics resource's symbol set: the first of
// rows 0-3 whose name equals it, else 2.
ULONG fnt_getglyphid(const BYTE* resource);
// A heap copy of glyph set resource id with its run pointers made; null
// when it is missing, damaged or memory is short.
FD_GLYPHSET* fnt_loadglyphset(PDEV* pdev, HANDLE module, ULONG id);
// The glyph set of device font iFace, loaded once per row (rows 0 and 1
// share the Shift-JIS set); null for a face out of range or a failed load.
FD_GLYPHSET* fnt_buildglyphset(PDEV* pdev, FONTCONTEXT* context, ULONG iFace);
// The advance of a glyph in font units: the average width for the
// half-width codes (below 256, 0x8640 and 0x85xx), else the maximum
// increment.
LONG fnt_getcharwidth(const BYTE* resource, HGLYPH hg);
