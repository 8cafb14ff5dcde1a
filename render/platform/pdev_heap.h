// The private heap of a PDEV: a chain of engine-pool blocks that is freed in
// one step when the PDEV goes away. The heap is a head word that points at
// the block allocated last; every block starts with a link to the block
// allocated before it, followed by the caller's bytes. Blocks are not
// zeroed.
#pragma once

#include "platform/base/wintypes.h"

// The pool tag of the heap's head and blocks: the bytes 'D' 'p' 's' 'h', as
// a memory dump shows them.
inline constexpr ULONG kPdevHeapTag = 'D' | ('p' << 8) | ('s' << 16) | (static_cast<ULONG>('h') << 24);

// A new, empty heap; null when memory is short.
HANDLE HEAPCREATE();
// size bytes linked at the head of the heap, aligned for any fundamental
// type; null for a null heap or when memory is short.
PVOID HEAPALLOC(HANDLE heap, SIZE_T size);
// Unlinks and frees the block whose caller bytes start at block; a pointer
// that is not a block of the heap (and null) is ignored.
void HEAPFREE(HANDLE heap, PVOID block);
// Frees every block of the heap, then the heap itself; null is ignored.
void HEAPDESTROY(HANDLE heap);
