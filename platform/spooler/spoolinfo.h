// What the spooler's entry points and the engine's printer services share.
// Internal to the platform library.
#pragma once

#include <string>
#include <string_view>

#include "platform/spooler/spoolhandle.h"
#include "platform/spooler/spoolstore.h"
#include "platform/base/wintypes.h"

namespace plat::spool {

// GetPrinterW and GetPrinterDriverW with their error code as the result.
DWORD GetPrinterInfo(HANDLE hPrinter, DWORD level, LPBYTE buffer, DWORD cbBuf, LPDWORD cbNeeded);
DWORD GetDriverInfo(HANDLE hPrinter, const char16_t* environment, DWORD level, LPBYTE buffer,
                    DWORD cbBuf, LPDWORD cbNeeded);

// The driver record of an open printer in an environment.
DWORD PrinterDriver(const PrinterHandle& printer, const Environment& env, DriverRecord& driver);

// The full path of a driver file (C:\...\spool\drivers\w32x86\3\name);
// empty for an empty name.
std::u16string DriverFilePath(const Environment& env, std::u16string_view file);

// Sets the thread's last error from a failing code; TRUE for ERROR_SUCCESS.
BOOL Report(DWORD rc);

}  // namespace plat::spool
