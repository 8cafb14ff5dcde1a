// A whole file mapped read-only. User mode maps it through the file-mapping
// services; the kernel-mode build loads it as an engine module.
#pragma once

#include "platform/base/wintypes.h"

// Opens the file (it must exist) for reading with read sharing and maps all
// of it. *base receives what UNMAPFILE releases (the view, or in kernel mode
// the module), *view the first byte and, when size is not null, *size the
// file's size. FALSE when the file cannot be opened, sized or mapped (an
// empty file cannot be mapped) or is 4 GB or larger.
BOOL MAPFILE(LPCWSTR fileName, PVOID* base, const BYTE** view, DWORD* size);
// Releases a mapping of MAPFILE; null is ignored.
void UNMAPFILE(PVOID base);
