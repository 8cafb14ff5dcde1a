#include "storage/system/printer_info.h"

#include <atomic>

#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#endif

namespace {

// Client-driver answer of the process: 0 unknown, 1 client, 2 not.
std::atomic<DWORD> gClientDriver{0};

// Runs a spooler query twice: once for the size, once into a block of it.
template <class Query>
LPVOID QueryBlock(Query query) {
  DWORD needed = 0;
  if (query(nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
    return nullptr;
  }
  auto* block = static_cast<LPBYTE>(GetMemPtr(needed));
  if (block == nullptr) return nullptr;
  if (!query(block, needed, &needed)) {
    FreeMemPtr(block);
    return nullptr;
  }
  return block;
}

HANDLE PrinterOf(UCB* ucb) { return ucb != nullptr ? ucb->hPrinter : nullptr; }

}  // namespace

LPVOID GetPrinterInfo(HANDLE printer, DWORD level) {
  return QueryBlock([&](LPBYTE block, DWORD size, LPDWORD needed) {
#if KESM_KERNEL_MODE
    return EngGetPrinter(printer, level, block, size, needed);
#else
    return GetPrinterW(printer, level, block, size, needed);
#endif
  });
}

#if !KESM_KERNEL_MODE
LPVOID GetPrinterDriverInfo(HANDLE printer, DWORD level) {
  return QueryBlock([&](LPBYTE block, DWORD size, LPDWORD needed) {
    return GetPrinterDriverW(printer, nullptr, level, block, size, needed);
  });
}
#endif

BOOL IsPrinterAttrEnable(DWORD attributes, UCB* ucb) {
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(PrinterOf(ucb), 2));
  if (info == nullptr) return FALSE;
  const BOOL enabled = (info->Attributes & attributes) != 0;
  FreeMemPtr(info);
  return enabled;
}

BOOL IsAttrBidiEnable(UCB* ucb) { return IsPrinterAttrEnable(PRINTER_ATTRIBUTE_ENABLE_BIDI, ucb); }

BOOL IsServerNameEnable2(HANDLE printer) {
  if (gClientDriver.load() == 0) {
    auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2));
    if (info == nullptr) return FALSE;
    DWORD unknown = 0;
    gClientDriver.compare_exchange_strong(unknown, info->pServerName != nullptr ? 1 : 2);
    FreeMemPtr(info);
  }
  return gClientDriver.load() == 1;
}

void ForgetClientDriverAnswer() { gClientDriver.store(0); }

BOOL IsClientDriver2(HANDLE printer) { return IsServerNameEnable2(printer); }
BOOL IsServerDriver2(HANDLE printer) { return !IsServerNameEnable2(printer); }
BOOL IsServerNameEnable(UCB* ucb) { return IsServerNameEnable2(PrinterOf(ucb)); }
BOOL IsClientDriver(UCB* ucb) { return IsServerNameEnable2(PrinterOf(ucb)); }

#if !KESM_KERNEL_MODE
BOOL IsAdminChange(HANDLE printer, LPDWORD value) {
  if (value == nullptr) return FALSE;
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = GetPrinterDataW(printer, u"AdminChange", &type,
                                       reinterpret_cast<LPBYTE>(value), sizeof(DWORD), &needed);
  return status == ERROR_SUCCESS && *value != 0;
}
#endif
