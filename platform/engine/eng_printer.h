// The graphics engine's printer services for a printer driver. The engine's
// device handle of a printer (HDEV) is, in this stand-in, the printer handle
// the device was created for, so both kinds of handle name the printer as
// OpenPrinterW returned it.
#pragma once

#include <vector>

#include "platform/base/wintypes.h"

struct HDEV__;
using HDEV = HDEV__*;

// GetPrinterW in the engine's spelling: FALSE with the last error
// ERROR_INSUFFICIENT_BUFFER and *pcbNeeded for a probe or a short buffer.
BOOL EngGetPrinter(HANDLE hPrinter, DWORD dwLevel, LPBYTE pPrinter, DWORD cbBuf,
                   LPDWORD pcbNeeded);
// GetPrinterDataW: ERROR_SUCCESS, ERROR_MORE_DATA, ERROR_FILE_NOT_FOUND...
DWORD EngGetPrinterData(HANDLE hPrinter, LPCWSTR pValueName, LPDWORD pType, LPBYTE pData,
                        DWORD nSize, LPDWORD pcbNeeded);
// Full paths of the printer driver's data file and of the driver itself.
// The strings belong to the engine and stay valid while the device's
// printer handle is open; null (with the last error set) when unknown.
LPWSTR EngGetPrinterDataFileName(HDEV hdev);
LPWSTR EngGetDriverName(HDEV hdev);

// WritePrinter in the engine's spelling: appends to the job started on the
// printer handle (platform/spooler/spooljob.h), with its faults; or, while
// the handle's writes are kept in memory, to that memory.
BOOL EngWritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten);

namespace plat::eng {
// From now on what a driver writes to the printer handle is appended to
// *job instead of the spooler's job file, until called again with null: for
// a host that prints many pages at speed and reads them in memory. The
// vector must outlive the keeping.
void KeepPrinterWritesIn(HANDLE printer, std::vector<BYTE>* job);
}  // namespace plat::eng
