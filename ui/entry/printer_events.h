// Printer events and the driver upgrade, and the spooler calls that let an
// event run in the spooler's own security context.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The client's token after the thread stopped impersonating it (spooler
// library's RevertToPrinterSelf); null when the library or its export is
// missing or the thread impersonated nobody.
HANDLE MyRevertToPrinterSelf();
// Impersonates the token's client again; nothing for a null token.
BOOL MyImpersonatePrinterClient(HANDLE token);
// Records the driver's data in the printer's data (driver upgrade).
BOOL UpgradePrinterProperties(HANDLE printer, UCB* ucb);
