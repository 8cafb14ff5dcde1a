// Memory services of the stand-in: the Win32 global heap (user mode) and the
// engine pool (kernel mode). Both keep live-block accounting for tests.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Fixed blocks only: the handle is the address (GMEM_MOVEABLE is accepted
// and gives a fixed block). GlobalAlloc always zero-fills; it fails with
// ERROR_NOT_ENOUGH_MEMORY. GlobalFree returns null on success (and for
// null) and the handle, with ERROR_INVALID_HANDLE, for anything that is not
// a live global block. GlobalLock counts locks; GlobalUnlock returns TRUE
// while the block stays locked, else FALSE with NO_ERROR, or with
// ERROR_NOT_LOCKED when it was not locked.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);

inline constexpr ULONG FL_ZERO_MEMORY = 0x00000001;
inline constexpr ULONG FL_NONPAGED_MEMORY = 0x00000002;

// Engine pool: zeroed only with FL_ZERO_MEMORY (otherwise filled with a
// non-zero pattern); tag is four bytes, kept for accounting. Freeing
// anything that is not a live engine block (a global block, a block freed
// before) frees nothing, sets ERROR_INVALID_PARAMETER and is counted
// (plat::InvalidFrees). Requests above 1 GiB fail.
PVOID EngAllocMem(ULONG flags, ULONG bytes, ULONG tag);
void EngFreeMem(PVOID mem);

namespace plat {
// A pool tag as written in a multi-character constant: PoolTag("Dpsm") is
// the value of 'Dpsm' (first letter in the high byte).
constexpr ULONG PoolTag(const char (&name)[5]) {
  return (static_cast<ULONG>(static_cast<BYTE>(name[0])) << 24) |
         (static_cast<ULONG>(static_cast<BYTE>(name[1])) << 16) |
         (static_cast<ULONG>(static_cast<BYTE>(name[2])) << 8) | static_cast<BYTE>(name[3]);
}
}  // namespace plat

// The local heap: the same blocks as the global heap (as on 32-bit
// Windows, where both reach one heap), so a block is freed by either
// family. LocalFree returns null on success (and for null) and the handle,
// with ERROR_INVALID_HANDLE, for anything that is not a live block.
inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalFree(HLOCAL mem);
