// Zero-filled memory of the shared settings code: the global heap in user
// mode, the engine pool (tag 'Dpsm') in kernel mode.
#pragma once

#include "platform/base/wintypes.h"

// A zero-filled block of the given size, or null when memory is exhausted.
PVOID GetMemPtr(SIZE_T bytes);
// Frees a block of GetMemPtr; null is ignored.
void FreeMemPtr(PVOID block);
