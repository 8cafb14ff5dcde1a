// The drawing state a blt sets before its records: the brush record of a
// BRUSHOBJ, the drawing attributes of a mix, and the clip of a CLIPOBJ
// (sent once and remembered for the page while it stays the same).
#pragma once

#include "platform/engine/winddi.h"
#include "render/records/drawing_state.h"

struct PDEV;

// The mix code (1-16) of each ROP3 that uses only pattern and destination;
// 0 for every other ROP3.
BYTE Rop3ToMix(BYTE rop3);

// Null for a null brush. A solid brush fills the PDEV's default brush
// record (kind 0, first colour the brush's colour, second 0xFFFFFF); a
// pattern brush gives the engine's realization with the low 8 bits of the
// origin stored in it, or null when it cannot be had.
BrushRecord* SetBrushObject(PDEV* pdev, SURFOBJ* pso, BRUSHOBJ* pbo, POINTL* pptlBrush);
// Mix code = the mix's low byte; background mode 1 (transparent) when bits
// 8-15 of the mix are 11, else 2; the third-colour flag when strokeAndFill
// is 1. Always TRUE.
BOOL SetDrawAttr(PDEV* pdev, ULONG mix, DRAWATTR* attributes, ULONG strokeAndFill);

// Sends the clip in force for the next drawing: a reset-clip record when
// there is none (only when a clip was set before), a clip-rectangle record
// for a rectangle, a clip path for a region. A clip the page already holds
// is not sent again. 0 when no clip is in force, the clip record otherwise,
// or -1 when a record could not be appended.
LONG_PTR SetClipObject(PDEV* pdev, CLIPOBJ* pco, ULONG unused);
