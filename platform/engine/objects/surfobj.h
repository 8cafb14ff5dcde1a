// Surfaces: engine bitmaps, device surfaces and the services that make,
// associate, lock and erase them.
#pragma once

#include "platform/engine/objects/ddi_types.h"

struct SURFOBJ {
  DHSURF dhsurf;
  HSURF hsurf;
  DHPDEV dhpdev;
  HDEV hdev;
  SIZEL sizlBitmap;
  ULONG cjBits;
  PVOID pvBits;
  PVOID pvScan0;
  LONG lDelta;
  ULONG iUniq;
  ULONG iBitmapFormat;
  USHORT iType;
  USHORT fjBitmap;
};
using PSURFOBJ = SURFOBJ*;

// An engine bitmap of sizl in iFormat. lWidth is the line length in bytes;
// 0 (or one too short for the width) gives the width rounded up to whole
// 32-bit words. Without BMF_TOPDOWN the first line in memory is the bottom
// one (pvScan0 at the last line, lDelta negative). pvBits, when given, is
// used as the bits (the caller keeps it alive); otherwise the engine
// allocates them, zeroed unless BMF_NOZEROINIT. Null with
// ERROR_INVALID_PARAMETER for an empty or huge size or an unknown format.
// A run-length bitmap (BMF_4RLE, BMF_8RLE) has no lines: pvBits is its
// stream, which the caller keeps alive, and lWidth the stream's length in
// bytes (cjBits); it runs from the bottom line up, so BMF_TOPDOWN, a
// missing stream or a length of 0 is refused. Its pvScan0 is the stream
// and lDelta 0; the engine reads it (blts, stretches, copies) but never
// draws on it.
HBITMAP EngCreateBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits);
// A device-managed surface (no bits of its own); null with
// ERROR_INVALID_PARAMETER for an empty size or unknown format.
HSURF EngCreateDeviceSurface(DHSURF dhsurf, SIZEL sizl, ULONG iFormatCompat);
// Ties the surface to a device of the engine (one whose PDEV is enabled) and
// records the drawing calls the driver hooks on it. FALSE with
// ERROR_INVALID_PARAMETER for an unknown surface or device.
BOOL EngAssociateSurface(HSURF hsurf, HDEV hdev, FLONG flHooks);
// Marks the surface as a banding surface: the engine plays each page into it
// band by band.
BOOL EngMarkBandingSurface(HSURF hsurf);
// The surface's object (counted; one EngUnlockSurface per lock); null for an
// unknown handle.
SURFOBJ* EngLockSurface(HSURF hsurf);
void EngUnlockSurface(SURFOBJ* pso);
// FALSE for a handle that is not a live surface.
BOOL EngDeleteSurface(HSURF hsurf);
// Fills the rectangle (clipped to the surface) with the colour index. A
// device surface without bits is left alone and TRUE returned; a
// run-length bitmap cannot be drawn on (FALSE, ERROR_INVALID_PARAMETER).
BOOL EngEraseSurface(SURFOBJ* pso, RECTL* prcl, ULONG iColor);
