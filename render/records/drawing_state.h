// The drawing state a page has been sent, kept in the PDEV so that an
// attribute record goes to the display list only when its value changes.
// All of it is cleared at each page start, so the first drawing call of a
// page sends every attribute and font again.
#pragma once

#include "platform/base/wintypes.h"

// A realized brush; the PDEV holds one for every solid-colour brush. No
// pattern data is kept in this form.
struct BrushRecord {
  USHORT kind;        // 0 solid colour, 2 and 3 pattern kinds
  SHORT originX;
  SHORT originY;
  ULONG colors[2];    // first and second colour
  USHORT bitDepth;    // of the pattern
  USHORT patternSize; // pixels square
};

struct DrawingState {
  BOOL rop3Sent;
  BYTE rop3;
  BOOL backgroundModeSent;
  BYTE backgroundMode;
  BOOL brushSent;
  USHORT brushKind;
  POINTL brushOrigin;
  BOOL colorSent;
  SHORT drawKind;
  SHORT colorBackgroundMode;
  SHORT thirdColorFlag;
  ULONG colors[3];     // foreground, background, third
  BOOL lineSent;
  SHORT lineWidth;
  ULONG styleMask;
  USHORT styleUnit;
  BYTE styleShift;
  USHORT cap;
  USHORT join;
  ULONG miterLimit;
  USHORT fontDefined;  // a font was defined on this page
  ULONG fontId;        // the engine's id of the font defined last
};
