// The spooler library "spoolss.dll" as a printer driver meets it while the
// spooler calls it on behalf of a client: a driver may step out of the
// client's security context for work the spooler itself must do, and back.
// A built-in module: drivers load it by name and take these exports with
// GetProcAddress.
#pragma once

#include "platform/base/wintypes.h"

// The calling thread stops impersonating its client. Returns a handle of the
// client's token, to be given to ImpersonatePrinterClient; null with
// ERROR_NO_TOKEN when the thread impersonates nobody.
HANDLE RevertToPrinterSelf();
// The thread impersonates the client of the token again and the handle is
// closed. FALSE with ERROR_INVALID_HANDLE for a handle that is no token.
BOOL ImpersonatePrinterClient(HANDLE hToken);
