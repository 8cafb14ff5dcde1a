// Zero-filled memory of the shared settings code: the global heap in user
// mode, the engine pool (tag 'Dpsm') in kernel mode.
#pragma once

#include "platform/base/wintypes.h"

// A zero-filled block of the given size, or null when memory is exhausted.
PVOID GetMemPtr(SIZE_T bytes);
// Frees a block of GetMemPtr; null is ignored.
void FreeMemPtr(PVOID block);

#include <memory>

// Owns a block of GetMemPtr.
struct MemPtrDeleter {
  void operator()(PVOID block) const { FreeMemPtr(block); }
};
template <class T>
using MemBlock = std::unique_ptr<T, MemPtrDeleter>;
// A new zero-filled block of count objects of T (trivially copyable), or
// an empty holder when memory is exhausted.
template <class T>
MemBlock<T> NewMemBlock(SIZE_T count = 1) {
  return MemBlock<T>(static_cast<T*>(GetMemPtr(count * sizeof(T))));
}
