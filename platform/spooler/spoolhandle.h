// Printer handles: their own table, apart from kernel objects, since they
// are closed with ClosePrinter. The engine's device handle of a printer is
// the same value. Internal to the platform library.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/base/wintypes.h"

namespace plat::spool {

struct PrinterHandle {
  // A handle on the local print server (opened with a null name) names no
  // printer: printerName is empty and access holds SERVER_ACCESS_* rights.
  bool server = false;
  std::u16string printerName;  // the spelling stored in the printer table
  DWORD access = 0;            // rights granted at open
  // Paths the engine hands out; they live as long as the handle.
  std::mutex engineLock;
  std::u16string engineDataFile;
  std::u16string engineDriverPath;
  // The print job started on this handle (StartDocPrinterW), 0 when none.
  DWORD jobId = 0;
};

HANDLE NewPrinterHandle(std::shared_ptr<PrinterHandle> printer);
// The printer or print server behind a handle, or null (last error
// ERROR_INVALID_HANDLE).
std::shared_ptr<PrinterHandle> FindSpoolHandle(HANDLE handle);
// The same for calls that need a printer: a server handle gives null too.
std::shared_ptr<PrinterHandle> FindPrinterHandle(HANDLE handle);
bool ClosePrinterHandle(HANDLE handle);

}  // namespace plat::spool
