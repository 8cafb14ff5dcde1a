// Bitmaps sent to the printer as image records (0x20), and the helpers the
// drawing calls share to make engine bitmaps of their own.
#pragma once

#include "platform/engine/winddi.h"

struct PDEV;

// Bytes a line of a bitmap of the engine format takes: width times 1, 4, 8,
// 16, 24 or 32 bits for formats 1 to 6 (1 bit for any other), rounded up to
// whole bytes and then to a multiple of 4. 0 for a width that is negative or
// whose line would not fit in a LONG.
LONG GetBmpDelta(ULONG format, LONG width);
// The ROP3 index of a ternary raster-operation code: 0x00CC0020 gives 0xCC.
BYTE Def2Rop3(ULONG rop);

// A top-down engine bitmap of width x height in the format, not zeroed,
// associated with the PDEV's engine device and locked; null (and *bitmap
// cleared) when any step fails.
SURFOBJ* CreateBitmapSURFOBJ(PDEV* pdev, HBITMAP* bitmap, LONG width, LONG height, ULONG format);
// Unlocks and deletes what CreateBitmapSURFOBJ made; null is ignored.
void DeleteBitmapSURFOBJ(SURFOBJ* pso, HBITMAP bitmap);

// Queue the image record(s) of a transfer; TRUE when they went to the
// display list. The source is an engine bitmap; a null translation is the
// identity.
BOOL DlBitBlt(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, POINTL* pptlBrush, RECTL* prclTrg, POINTL* pptlSrc,
              SURFOBJ* psoMask, POINTL* pptlMask, ROP4 rop4);
BOOL DlStretchBlt(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                  RECTL* prclDest, RECTL* prclSrc);
BOOL DlCopyBits(PDEV* pdev, XLATEOBJ* pxlo, SURFOBJ* psoSrc, POINTL* pptlSrc, RECTL* prclDest);

// The clip-rectangle record (0x10, kind 5, 24 bytes) holding the rectangle;
// null when the display list cannot take it.
BYTE* DlClipRect(PDEV* pdev, const RECTL* rectangle);

// A 24-bit source cropped unscaled into one image record: the area of the
// destination's size from pptlSrc. Null when the source is not 24 bits a
// pixel, does not hold that area, or the record cannot be had.
BYTE* ForcibleStretchBlt(PDEV* pdev, SURFOBJ* psoSrc, POINTL* pptlSrc, RECTL* prclDest);
// The source rectangle of a 24- or 8-bit source sent unscaled (the printer
// scales it to the destination), line by line from the display list: for
// when no intermediate bitmap can be had. grey non-zero: the translation
// is the identity grey ramp and no palette goes. The record, or null; a
// record whose lines could not all be had is withdrawn whole.
BYTE* ForcibleStretchBltDirect(PDEV* pdev, SURFOBJ* psoSrc, RECTL* prclSrc, RECTL* prclDest, XLATEOBJ* pxlo,
                               BOOL grey);
