// Telling the rendering library which settings INI the printing user's
// configuration library uses: the rendering library has no user profile of
// its own to find it by. Sent on the application's printer DC at the start
// of each document and page.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/printer_dc.h"

// The escape that carries the path, and the bytes it always sends: a
// buffer of MAX_PATH wide characters with the terminated path at its start.
inline constexpr int kEscapeIniFilePath = 121;
inline constexpr int kIniPathEscapeBytes = MAX_PATH * sizeof(WCHAR);

#if !KESM_KERNEL_MODE
// Sends the printer's settings INI path (the per-user one when INI access
// is per user, else the shared one). 0, and nothing sent, when the path
// cannot be built; non-zero otherwise, whatever the rendering library
// answers.
BOOL EscapeIniFilePathWithoutUCB(HANDLE printer, HDC dc);
#endif
