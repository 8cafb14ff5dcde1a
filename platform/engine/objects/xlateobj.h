// Colour translation between a source and a destination palette.
#pragma once

#include "platform/engine/objects/ddi_types.h"

struct XLATEOBJ {
  ULONG iUniq;
  FLONG flXlate;
  USHORT iSrcType;
  USHORT iDstType;
  ULONG cEntries;
  ULONG* pulXlate;
};
using PXLATEOBJ = XLATEOBJ*;

inline constexpr FLONG XO_TRIVIAL = 0x00000001;
inline constexpr FLONG XO_TABLE = 0x00000002;
inline constexpr FLONG XO_TO_MONO = 0x00000004;
inline constexpr ULONG XO_SRCPALETTE = 1;
inline constexpr ULONG XO_DESTPALETTE = 2;
inline constexpr ULONG XO_DESTDCPALETTE = 3;
inline constexpr ULONG XO_SRCBITFIELDS = 4;
inline constexpr ULONG XO_DESTBITFIELDS = 5;

// The destination index of a source index; a null translation keeps it.
ULONG XLATEOBJ_iXlate(XLATEOBJ* pxlo, ULONG iColor);
// The translation table of an indexed source, or null.
ULONG* XLATEOBJ_piVector(XLATEOBJ* pxlo);
// Copies up to cPal RGB entries (red in the low byte) of the source or
// destination palette into pPal, or with a null pPal returns the entry
// count; 0 for a palette that is not indexed.
ULONG XLATEOBJ_cGetPalette(XLATEOBJ* pxlo, ULONG iPal, ULONG cPal, ULONG* pPal);
