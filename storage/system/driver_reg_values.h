// Facts about the installed driver kept in the registry: the help file named
// in the spooler's driver key, and the names recorded in the printer's
// printer data.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// The driver's "Help File" value from the spooler's driver key (version 3,
// then version 2); non-zero when found. size in characters.
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB* ucb);
#endif
// The printer-data value "HelpFileName" of the context's printer; 1 when
// read, 0 for a null buffer, a zero size or a failed read. size in
// characters.
BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb);
// The printer-data value "PrinterName" (at most 522 bytes) into buffer,
// which holds 261 characters; 1 when read.
BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);

namespace storage {

// Reads the REG_SZ printer-data value name, at most maxBytes bytes of it,
// into buffer (size characters); FALSE when it is missing, empty, of another
// type or does not fit.
BOOL ReadPrinterDataString(HANDLE printer, LPCWSTR name, LPWSTR buffer, DWORD size, DWORD maxBytes);

}  // namespace storage
