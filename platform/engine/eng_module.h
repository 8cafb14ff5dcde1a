// The graphics engine's module services for the kernel-mode build: a file
// mapped whole into memory (a data file or the driver's own image), the
// resources of such an image, and the engine's multiply-divide.
#pragma once

#include "platform/base/wintypes.h"

// Loads the file at the Windows path (which may carry the object-manager
// prefix "\??\") for reading and returns its module handle, or null when
// the file is missing, empty or cannot be read; the engine's last error is
// left alone. The view is a private copy of the file as it was read: a
// write into it stays in this process and never reaches the file (use
// EngLoadModuleForWrite for changes that must), and another process that
// rewrites or truncates the file meanwhile does not change it.
HANDLE EngLoadModule(LPWSTR path);
// Maps the file shared and writable: changes made in the view reach the file
// (at the latest when the module is freed). A file shorter than
// cjSizeOfModule is first extended to that size with zero bytes. Null when
// the file is missing or cannot be opened for writing, or when the mapping
// would be empty.
HANDLE EngLoadModuleForWrite(LPWSTR path, ULONG cjSizeOfModule);
// The address of the module's view, and in *size (when not null) its size in
// bytes; null for a handle that is not loaded.
PVOID EngMapModule(HANDLE module, PULONG size);
// Unmaps the view (writing a writable view back first). A null or unknown
// handle is ignored.
void EngFreeModule(HANDLE module);
// The resource of that numeric type and id in a mapped module image (a
// shared object with a resource table built by tools/kesmrc), with its size
// in *size; null when the module is not loaded, is no such image or lacks
// the resource (*size is then left alone). The data lives in the view and is
// valid until the module is freed.
PVOID EngFindResource(HANDLE module, int name, int type, PULONG size);

// a * b / c with a 64-bit product, rounded to the nearest integer (halves
// away from zero). A result outside the 32-bit range, and a zero divisor,
// give 0x7FFFFFFF when the exact result would be positive or zero, and
// 0x80000000 when it would be negative (the sign of a * b for c = 0).
INT EngMulDiv(INT a, INT b, INT c);
