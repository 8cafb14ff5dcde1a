// Memory services of the stand-in: the Win32 global heap (user mode) and the
// engine pool (kernel mode). Both keep live-block accounting for tests.
#pragma once

#include "platform/wintypes.h"

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Fixed blocks only: the handle is the address. GlobalFree returns null on
// success and the handle on failure. GlobalAlloc always zero-fills.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);

inline constexpr ULONG FL_ZERO_MEMORY = 0x00000001;
inline constexpr ULONG FL_NONPAGED_MEMORY = 0x00000002;

// Engine pool: zeroed only with FL_ZERO_MEMORY; tag is four bytes, kept for
// accounting.
PVOID EngAllocMem(ULONG flags, ULONG bytes, ULONG tag);
void EngFreeMem(PVOID mem);
