// What the spooler tells about a printer and its driver: information blocks,
// the printer's attributes, whether the driver is a client of a print server
// and the "AdminChange" mark.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

struct UCB;

// A zero-filled block holding the spooler's information of that level, or
// null; the caller frees it with FreeMemPtr. Driver information is that of
// the current environment. The kernel-mode build asks the graphics engine
// for the printer information and has no driver information.
LPVOID GetPrinterInfo(HANDLE printer, DWORD level);
#if !KESM_KERNEL_MODE
LPVOID GetPrinterDriverInfo(HANDLE printer, DWORD level);
#endif

namespace storage {

// Copies the printer's stored default DEVMODE, as its level-2 information
// holds it, into buffer (at most size bytes). Returns the number of bytes
// the information holds for it, whatever its header claims: up to the first
// other member placed behind it, or to the block's end. 0 when the printer
// has no default DEVMODE or its information cannot be read.
std::size_t CopyStoredDevmode(HANDLE printer, LPVOID buffer, std::size_t size);

}  // namespace storage

// TRUE when the Attributes of the context's printer carry any of the bits;
// FALSE when the printer information cannot be read.
BOOL IsPrinterAttrEnable(DWORD attributes, UCB* ucb);
// The same for PRINTER_ATTRIBUTE_ENABLE_BIDI.
BOOL IsAttrBidiEnable(UCB* ucb);

// TRUE when the driver runs as a client of a print server (the printer
// information names a server). The first printer whose information can be
// read decides the answer for the whole process; a failed read answers
// FALSE and decides nothing.
BOOL IsServerNameEnable2(HANDLE printer);
// Forgets the process's answer, so the next question asks the spooler again.
// For tests, whose processes see printers of both kinds.
void ForgetClientDriverAnswer();
BOOL IsClientDriver2(HANDLE printer);
BOOL IsServerDriver2(HANDLE printer);  // the negation
// The same for the context's printer.
BOOL IsServerNameEnable(UCB* ucb);
BOOL IsClientDriver(UCB* ucb);

#if !KESM_KERNEL_MODE
// TRUE when the printer-data value "AdminChange" was read (4 bytes into
// *value) and is not 0.
BOOL IsAdminChange(HANDLE printer, LPDWORD value);
#endif
