// Engine semaphores: despite the name, locks for exclusive access that the
// owning thread may acquire again (each acquisition needs one release).
#pragma once

#include "platform/base/wintypes.h"

struct HSEMAPHORE__;
using HSEMAPHORE = HSEMAPHORE__*;

// A new, free semaphore; null when memory is short.
HSEMAPHORE EngCreateSemaphore();
// Waits, without time-out, until the calling thread owns the semaphore.
void EngAcquireSemaphore(HSEMAPHORE semaphore);
// Gives up one acquisition; a thread that does not own it changes nothing.
void EngReleaseSemaphore(HSEMAPHORE semaphore);
// Frees the semaphore; it must not be owned.
void EngDeleteSemaphore(HSEMAPHORE semaphore);
