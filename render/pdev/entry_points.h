// The engine entry points of the rendering library, reached through the
// function table that DrvEnableDriver hands over (only DrvEnableDriver itself
// is exported). Each is defined with its subject: the PDEV's here, documents
// and pages in document/, drawing in paths/ and bitmaps/, text in text/,
// font queries in fonts/ and escapes in escape/.
#pragma once

#include "platform/engine/winddi.h"

// Driver enable and PDEV.
DHPDEV DrvEnablePDEV(DEVMODEW* pdm, LPWSTR logicalAddress, ULONG patternCount, HSURF* patterns,
                     ULONG gdiInfoSize, GDIINFO* gdiInfo, ULONG devInfoSize, DEVINFO* devInfo, HDEV hdev,
                     LPWSTR deviceName, HANDLE printer);
void DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev);
void DrvDisablePDEV(DHPDEV dhpdev);
BOOL DrvResetPDEV(DHPDEV oldPdev, DHPDEV newPdev);
HSURF DrvEnableSurface(DHPDEV dhpdev);
void DrvDisableSurface(DHPDEV dhpdev);
BOOL DrvStartBanding(SURFOBJ* pso, POINTL* origin);
BOOL DrvNextBand(SURFOBJ* pso, POINTL* origin);

// Documents and pages.
BOOL DrvStartDoc(SURFOBJ* pso, LPWSTR documentName, DWORD jobId);
BOOL DrvEndDoc(SURFOBJ* pso, FLONG flags);
BOOL DrvStartPage(SURFOBJ* pso);
BOOL DrvSendPage(SURFOBJ* pso);

// Drawing, fonts and escapes.
BOOL DrvBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
               RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask, BRUSHOBJ* pbo, POINTL* pptlBrush,
               ROP4 rop4);
BOOL DrvStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
                   COLORADJUSTMENT* pca, POINTL* pptlHTOrg, RECTL* prclDest, RECTL* prclSrc,
                   POINTL* pptlMask, ULONG iMode);
BOOL DrvCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo, RECTL* prclDest,
                 POINTL* pptlSrc);
BOOL DrvStrokePath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo,
                   POINTL* pptlBrushOrg, LINEATTRS* plineattrs, MIX mix);
BOOL DrvFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL* pptlBrushOrg, MIX mix,
                 FLONG flOptions);
BOOL DrvStrokeAndFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pboStroke,
                          LINEATTRS* plineattrs, BRUSHOBJ* pboFill, POINTL* pptlBrushOrg, MIX mixFill,
                          FLONG flOptions);
BOOL DrvRealizeBrush(BRUSHOBJ* pbo, SURFOBJ* psoTarget, SURFOBJ* psoPattern, SURFOBJ* psoMask,
                     XLATEOBJ* pxlo, ULONG iHatch);
ULONG DrvDitherColor(DHPDEV dhpdev, ULONG iMode, ULONG rgb, ULONG* pul);
BOOL DrvTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL* prclExtra,
                RECTL* prclOpaque, BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque, POINTL* pptlOrg, MIX mix);
ULONG DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ* pfo);
PIFIMETRICS DrvQueryFont(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG_PTR* pid);
PVOID DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG iMode, ULONG_PTR* pid);
LONG DrvQueryFontData(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH hg, GLYPHDATA* pgd, PVOID pv,
                      ULONG cjSize);
BOOL DrvQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH* phg, PVOID pvWidths,
                           ULONG cGlyphs);
ULONG DrvEscape(SURFOBJ* pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut);
