// What every drawing call sets up before its shapes: the drawing
// attributes of a mix, the brush record of a BRUSHOBJ, the line attributes
// of a pen and the clip of a CLIPOBJ. The blt and text calls share these.
#pragma once

#include "platform/engine/winddi.h"
#include "render/records/drawing_state.h"

struct PDEV;

// The engine's colour of a pattern brush (no solid colour).
inline constexpr ULONG kNoSolidColor = 0xFFFFFFFF;

// Fills the drawing attributes of a mix: its low byte as the raster
// operation, background mode 1 (transparent) when the background code
// (bits 8-15) is 11, which leaves the page alone, else 2; the third-colour
// flag when strokeAndFill is 1. The colours and drawing kind are 0 for the
// caller to set. Always TRUE.
BOOL SetDrawAttr(PDEV* pdev, MIX mix, DRAWATTR* attributes, ULONG strokeAndFill);

// Sends the colour record of drawing attributes, their red and blue bytes
// exchanged first (in place), as the printer takes red first and the
// engine's colours are not. FALSE when the record could not be sent.
BOOL SendDrawColors(PDEV* pdev, DRAWATTR& attributes);

// The brush record of a brush: for a solid colour the PDEV's default
// brush, filled with that colour on white; for a pattern the engine's
// realization of it, which takes the low 8 bits of the origin (0, 0
// without one). Null for a null brush or a pattern that cannot be
// realized.
BrushRecord* SetBrushObject(PDEV* pdev, SURFOBJ* pso, BRUSHOBJ* pbo, const POINTL* origin);

// The scale of a transform in 1/256 (the mean of its two diagonal terms,
// each made positive), or -1 for the identity (and for none).
LONG GetRatioGeoline(XFORMOBJ* pxo);

// The line attributes of a pen of colour color. A geometric line sets
// *geometric. FALSE when the line cannot be drawn as the printer draws
// lines: a geometric line whose transform has no scale, a styled line
// wider than one pixel, or a style the 32-bit mask cannot hold; for a
// cosmetic line what was filled may still be used.
BOOL SetLineAttrs(PDEV* pdev, const LINEATTRS* attrs, ULONG color, XFORMOBJ* pxo, LineAttributes* line,
                  BOOL* geometric);

// The result of SetClipObject when the clip could not be sent.
inline constexpr LONG_PTR kClipFailed = -1;
// Puts the clip of a drawing call in force: no clip (or a trivial one)
// resets a clip sent before; a rectangle is sent as a clip rectangle, a
// complex region as its outline, each only when the page does not already
// have it. 0 when no clip is in force, kClipFailed when a record could not
// be appended, otherwise (non-zero) the clip record.
LONG_PTR SetClipObject(PDEV* pdev, CLIPOBJ* pco, ULONG unused);
