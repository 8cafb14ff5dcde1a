// The printer handle table.
#include "platform/spooler/spoolhandle.h"

#include "platform/base/handle_table.h"
#include "platform/base/winerror.h"

namespace plat::spool {
namespace {

using PrinterHandles = HandleTable<std::shared_ptr<PrinterHandle>>;

PrinterHandles& Table() {
  // Far from kernel handles, so a mix-up fails; lives until process exit.
  static PrinterHandles* table = new PrinterHandles(0x40000000);
  return *table;
}

}  // namespace

HANDLE NewPrinterHandle(std::shared_ptr<PrinterHandle> printer) {
  return Table().Add(std::move(printer));
}

std::shared_ptr<PrinterHandle> FindSpoolHandle(HANDLE handle) {
  auto printer = Table().Find(handle);
  if (!printer) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return *printer;
}

std::shared_ptr<PrinterHandle> FindPrinterHandle(HANDLE handle) {
  auto printer = FindSpoolHandle(handle);
  if (printer && printer->server) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return printer;
}

bool ClosePrinterHandle(HANDLE handle) { return Table().Remove(handle).has_value(); }

}  // namespace plat::spool
