// The hook of the open dialog that looks for a colour-profile file: it
// refuses a file without this maker's profile header and leaves names with
// wildcards to the dialog, which lists what they match. Configuration
// library only.
#pragma once

#include "platform/base/wintypes.h"

UINT_PTR CALLBACK FileHookProcRef(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
