#include "render/pdev/function_table.h"

#include "render/pdev/entry_points.h"

namespace {

template <class Fn>
constexpr DRVFN Entry(ULONG index, Fn fn) {
  return DRVFN{index, reinterpret_cast<PFN>(fn)};
}

}  // namespace

// In the order the engine receives them.
const DRVFN gadrvfn[kDriverFunctionCount] = {
    Entry(INDEX_DrvEnablePDEV, DrvEnablePDEV),
    Entry(INDEX_DrvDisablePDEV, DrvDisablePDEV),
    Entry(INDEX_DrvCompletePDEV, DrvCompletePDEV),
    Entry(INDEX_DrvResetPDEV, DrvResetPDEV),
    Entry(INDEX_DrvEnableSurface, DrvEnableSurface),
    Entry(INDEX_DrvDisableSurface, DrvDisableSurface),
    Entry(INDEX_DrvStartPage, DrvStartPage),
    Entry(INDEX_DrvSendPage, DrvSendPage),
    Entry(INDEX_DrvStartDoc, DrvStartDoc),
    Entry(INDEX_DrvEndDoc, DrvEndDoc),
    Entry(INDEX_DrvStartBanding, DrvStartBanding),
    Entry(INDEX_DrvNextBand, DrvNextBand),
    Entry(INDEX_DrvBitBlt, DrvBitBlt),
    Entry(INDEX_DrvStretchBlt, DrvStretchBlt),
    Entry(INDEX_DrvStrokePath, DrvStrokePath),
    Entry(INDEX_DrvFillPath, DrvFillPath),
    Entry(INDEX_DrvStrokeAndFillPath, DrvStrokeAndFillPath),
    Entry(INDEX_DrvRealizeBrush, DrvRealizeBrush),
    Entry(INDEX_DrvEscape, DrvEscape),
    Entry(INDEX_DrvGetGlyphMode, DrvGetGlyphMode),
    Entry(INDEX_DrvDitherColor, DrvDitherColor),
    Entry(INDEX_DrvCopyBits, DrvCopyBits),
    Entry(INDEX_DrvQueryFont, DrvQueryFont),
    Entry(INDEX_DrvQueryFontData, DrvQueryFontData),
    Entry(INDEX_DrvQueryFontTree, DrvQueryFontTree),
    Entry(INDEX_DrvQueryAdvanceWidths, DrvQueryAdvanceWidths),
    Entry(INDEX_DrvTextOut, DrvTextOut),
};
