// Names a printer context answers: the printer's name and the driver name
// used as the INI section of driver-wide entries. Each lives in a field of
// the context's work area; callers never free the result.
#pragma once

#include "platform/wintypes.h"

struct UCB;

// The printer name held in the work area (writable: set-file code swaps it
// with a section name for the span of one call); null without a work area.
LPWSTR GetPrinterName(UCB* ucb);
// The driver name that names the INI section of driver-wide entries: the
// two-letter language code of the driver's files, held in the work area;
// null without a work area.
LPWSTR GetDriverName(UCB* ucb);
// Copies the printer's name (level-2 printer information) into destination
// when it is shorter than size characters; otherwise the destination is left
// as it was. Returns the destination (null for a null destination).
LPWSTR GetPrinterNameWithoutUCB(HANDLE printer, LPWSTR destination, DWORD size);
