// Which settings a kind of transfer carries.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;

// TRUE for the printer-wide settings 10001-10385 that bidi transfers carry:
// every one except those of the special list that keeps logging codes,
// font arrays and some tray papers and media out of them.
BOOL IsAvailableDevmodeValueForBidiSetFile(const SFCB* record);
