// Transforms from world or notional space to device space.
#pragma once

#include "platform/engine/objects/ddi_types.h"

struct XFORMOBJ {
  ULONG ulReserved;
};
using PXFORMOBJ = XFORMOBJ*;

struct XFORML {
  FLOATL eM11;
  FLOATL eM12;
  FLOATL eM21;
  FLOATL eM22;
  FLOATL eDx;
  FLOATL eDy;
};
using PXFORML = XFORML*;

inline constexpr ULONG GX_IDENTITY = 0;
inline constexpr ULONG GX_OFFSET = 1;
inline constexpr ULONG GX_SCALE = 2;
inline constexpr ULONG GX_GENERAL = 3;

inline constexpr ULONG XF_LTOL = 0;
inline constexpr ULONG XF_INV_LTOL = 1;
inline constexpr ULONG XF_LTOFX = 2;
inline constexpr ULONG XF_INV_FXTOL = 3;

// Copies the matrix (when pxform is given) and returns its complexity;
// DDI_ERROR for a null object.
ULONG XFORMOBJ_iGetXform(XFORMOBJ* pxo, XFORML* pxform);
// Applies the transform (or its inverse) to cPoints POINTL values (the
// result in POINTL, or POINTFIX for XF_LTOFX; the input in POINTFIX for
// XF_INV_FXTOL). x' = x eM11 + y eM21 + eDx, y' = x eM12 + y eM22 + eDy,
// rounded to the nearest unit. FALSE for an unknown mode or a singular
// matrix asked to invert.
BOOL XFORMOBJ_bApplyXform(XFORMOBJ* pxo, ULONG iMode, ULONG cPoints, PVOID pvIn, PVOID pvOut);
