// Brushes: a solid colour, or a pattern the driver realizes on demand.
#pragma once

#include "platform/engine/objects/ddi_types.h"

struct BRUSHOBJ {
  ULONG iSolidColor;  // the colour index, or 0xFFFFFFFF for a pattern
  PVOID pvRbrush;     // the driver's realization, once made
  FLONG flColorType;
};
using PBRUSHOBJ = BRUSHOBJ*;

// Hatch styles of DrvRealizeBrush.
inline constexpr ULONG HS_HORIZONTAL = 0;
inline constexpr ULONG HS_VERTICAL = 1;
inline constexpr ULONG HS_FDIAGONAL = 2;
inline constexpr ULONG HS_BDIAGONAL = 3;
inline constexpr ULONG HS_CROSS = 4;
inline constexpr ULONG HS_DIAGCROSS = 5;
inline constexpr ULONG HS_DDI_MAX = 6;
inline constexpr ULONG RB_DITHERCOLOR = 0x80000000u;

// Memory for the driver's realization, owned by the brush and freed with
// it; it becomes pvRbrush. Null when the size is 0 or memory is short.
PVOID BRUSHOBJ_pvAllocRbrush(BRUSHOBJ* pbo, ULONG cj);
// The driver's realization, realized now through DrvRealizeBrush when there
// is none yet; null for a solid brush or when the driver fails.
PVOID BRUSHOBJ_pvGetRbrush(BRUSHOBJ* pbo);
// The brush's colour as RGB (red in the low byte); 0xFFFFFFFF for a
// pattern.
ULONG BRUSHOBJ_ulGetBrushColor(BRUSHOBJ* pbo);
