// The printer handle table.
#include "platform/spoolhandle.h"

#include <unordered_map>

#include "platform/winerror.h"

namespace plat::spool {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<ULONG_PTR, std::shared_ptr<PrinterHandle>> printers;
  ULONG_PTR next = 0x40000000;  // far from kernel handles, so a mix-up fails
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // lives until process exit
  return *table;
}

}  // namespace

HANDLE NewPrinterHandle(std::shared_ptr<PrinterHandle> printer) {
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  const ULONG_PTR value = t.next;
  t.next += 4;
  t.printers.emplace(value, std::move(printer));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<PrinterHandle> FindPrinterHandle(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  auto it = t.printers.find(reinterpret_cast<ULONG_PTR>(handle));
  if (it == t.printers.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second;
}

bool ClosePrinterHandle(HANDLE handle) {
  std::shared_ptr<PrinterHandle> closing;  // released outside the lock
  HandleTable& t = Table();
  std::lock_guard guard(t.lock);
  auto it = t.printers.find(reinterpret_cast<ULONG_PTR>(handle));
  if (it == t.printers.end()) return false;
  closing = std::move(it->second);
  t.printers.erase(it);
  return true;
}

}  // namespace plat::spool
