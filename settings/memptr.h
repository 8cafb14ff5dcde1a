// Zero-filled memory blocks of the shared library: the global heap in user
// mode, the engine pool (tag 'Dpsm') in kernel mode.
#pragma once

#include "platform/wintypes.h"

// A zero-filled block of the given size, or null when memory is short.
LPVOID GetMemPtr(DWORD bytes);
// Frees a block from GetMemPtr; null is ignored.
void FreeMemPtr(LPVOID block);
