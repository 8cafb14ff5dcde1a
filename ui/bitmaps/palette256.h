// The one 256-colour palette through which pictures are painted on a
// palette-based display.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"

// With a null DC: 1 when the display is palette-based, else 0 (asked once).
// With a DC on a palette display: index >= 0 stores the colour at that index
// (0-255) and answers 1; index < 0 selects and realizes the palette in the
// DC and answers the palette it held. On a true-colour display every call
// with a DC answers 0 and changes nothing.
LONG_PTR MakePalette256(HDC dc, int index, COLORREF colour);

// The palette's bookkeeping, for the display kind given: what MakePalette256
// does once it knows the display.
LONG_PTR MakePalette256On(bool paletteDisplay, HDC dc, int index, COLORREF colour);
