// The engine's own raster operations: what a driver hands back to the
// engine to draw on an engine bitmap (a band), and what the engine does with
// a drawing call the driver does not hook. On a device surface without bits
// the engine reads the area back through the driver's DrvCopyBits, draws on
// the copy and writes it back the same way.
#pragma once

#include "platform/engine/objects/brushobj.h"
#include "platform/engine/objects/clipobj.h"
#include "platform/engine/objects/ddi_types.h"
#include "platform/engine/objects/fontobj.h"
#include "platform/engine/objects/pathobj.h"
#include "platform/engine/objects/strobj.h"
#include "platform/engine/objects/surfobj.h"
#include "platform/engine/objects/xformobj.h"
#include "platform/engine/objects/xlateobj.h"

// Raster operation rop4 (low byte: the ternary operation where the mask is
// 1 or there is no mask; high byte: where the mask is 0) over the target
// rectangle, with the source (translated by pxlo), the brush and a 1-bit
// mask. FALSE with ERROR_INVALID_PARAMETER when the operation needs a source
// or brush that is missing, or the target cannot be drawn on.
BOOL EngBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
               RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask, BRUSHOBJ* pbo,
               POINTL* pptlBrush, ROP4 rop4);
// A source copy (rop4 0xCCCC).
BOOL EngCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                 RECTL* prclDest, POINTL* pptlSrc);
// A source copy scaled by nearest neighbour; a destination rectangle with
// left > right (or top > bottom) mirrors. The colour adjustment, halftone
// origin, mask and mode are accepted and not used.
BOOL EngStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                   XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg, RECTL* prclDest,
                   RECTL* prclSrc, POINTL* pptlMask, ULONG iMode);
// The opaque rectangle, the glyph images in the foreground brush, then the
// extra rectangles (up to the first empty one).
BOOL EngTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL* prclExtra,
                RECTL* prclOpaque, BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque, POINTL* pptlOrg,
                MIX mix);
// Fills the path (alternate or winding by flOptions) with the brush in the
// mix's foreground operation.
BOOL EngFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL* pptlBrushOrg,
                 MIX mix, FLONG flOptions);
// Strokes the path: a cosmetic line one pixel wide, a geometric one as wide
// as its width under the transform, both styled by their dash array. Round
// joins and caps are round; miter joins are drawn as bevels.
BOOL EngStrokePath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo,
                   POINTL* pptlBrushOrg, LINEATTRS* plineattrs, MIX mix);
BOOL EngStrokeAndFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo,
                          BRUSHOBJ* pboStroke, LINEATTRS* plineattrs, BRUSHOBJ* pboFill,
                          POINTL* pptlBrushOrg, MIX mixFill, FLONG flOptions);
