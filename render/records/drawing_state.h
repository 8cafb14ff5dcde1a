// The drawing attributes the drawing calls hand to the record layer, and the
// drawing state a page has been sent, kept in the PDEV so that an attribute
// record goes to the display list only when what it would say differs from
// the last record of its kind on the page. All of the state is cleared at
// each page start, so the first drawing call of a page sends every
// attribute and font again; a new PDEV starts with none of it.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

// A realized brush; the PDEV holds one for every solid-colour brush. A
// pattern brush (kind 2 or 3) carries its pattern right after the record:
// patternSize rows of patternSize pixels, bitDepth bits each (1 or 24),
// rows packed without padding, as the brush-definition record sends them.
struct BrushRecord {
  USHORT kind;  // 0 solid colour, 2 and 3 pattern kinds
  SHORT originX;
  SHORT originY;
  ULONG colors[2];     // first colour (set bits), second colour (clear bits)
  USHORT bitDepth;     // of the pattern
  USHORT patternSize;  // pixels square
};
static_assert(offsetof(BrushRecord, colors) == 8 && offsetof(BrushRecord, bitDepth) == 16);
static_assert(sizeof(BrushRecord) == 20);

// The pattern of a pattern brush, right after its record.
inline const BYTE* BrushPattern(const BrushRecord* brush) { return reinterpret_cast<const BYTE*>(brush + 1); }

// How a drawing call's colours are to be applied.
struct DRAWATTR {
  USHORT mix;            // the foreground raster operation, 1-16
  SHORT backgroundMode;  // 1 transparent, 2 opaque
  ULONG backgroundColor;
  ULONG foregroundColor;
  ULONG thirdColor;      // the pen of a stroke-and-fill
  SHORT thirdColorFlag;  // non-zero: the third colour is in use
  SHORT drawKind;        // 0 fill, 1 stroke, 2 text, 3 stroke and fill
};
static_assert(offsetof(DRAWATTR, backgroundColor) == 4 && offsetof(DRAWATTR, thirdColorFlag) == 16);
static_assert(sizeof(DRAWATTR) == 20);

// The attributes of a line as the printer draws it.
struct LineAttributes {
  USHORT styleUnit;  // device pixels per bit of the style mask
  USHORT join;       // 0 round, 1 bevel, 2 miter
  USHORT cap;        // 0 round, 1 butt, 2 square
  SHORT width;       // device pixels
  BYTE styleShift;   // position in the pattern at the line start, in 32nds
  ULONG miterLimit;  // times 256
  ULONG styleMask;   // 32 pattern bits, a set bit draws, bit 31 first
  ULONG color;       // the pen's solid colour
};
static_assert(offsetof(LineAttributes, miterLimit) == 12 && offsetof(LineAttributes, color) == 20);
static_assert(sizeof(LineAttributes) == 24);

// Line attributes as the line records carry them.
struct SentLine {
  USHORT width;
  ULONG styleMask;
  BYTE styleUnit;
  BYTE styleShift;
  BYTE cap;   // 0, 1 or 2
  BYTE join;  // 0, 1 or 2
  ULONG miterLimit;
};

// What the page has been sent. Each value is kept as its record carries it
// (a ROP3 after its mapping, a cap or join after its clamping, a colour in
// 24 bits), so that equal values mean equal records.
struct DrawingState {
  BOOL rop3Sent;
  BYTE rop3;
  BOOL backgroundModeSent;
  BYTE backgroundMode;
  BOOL brushSent;
  USHORT brushKind;
  POINTL brushOrigin;
  BOOL colorSent;
  BYTE colorFlags;  // the colour record's flags byte: text, opaque, third colour
  ULONG colors[3];  // foreground, background, third
  BOOL lineSent;
  SentLine line;
  USHORT fontDefined;  // a font was defined on this page
  ULONG fontId;        // the engine's id of the font defined last
};
