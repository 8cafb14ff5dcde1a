#include "storage/system/printer_info.h"

#include <algorithm>
#include <atomic>
#include <cstring>

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
// The block's size goes to *bytes when asked for.
template <class Query>
LPVOID QueryBlock(Query query, DWORD* bytes = nullptr) {
  DWORD needed = 0;
  if (query(nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
    return nullptr;
  }
  auto* block = static_cast<LPBYTE>(GetMemPtr(needed));
  if (block == nullptr) return nullptr;
  const DWORD size = needed;
  if (!query(block, size, &needed)) {
    FreeMemPtr(block);
    return nullptr;
  }
  if (bytes != nullptr) *bytes = size;
  return block;
}

LPVOID QueryPrinterInfo(HANDLE printer, DWORD level, DWORD* bytes) {
  return QueryBlock(
      [&](LPBYTE block, DWORD size, LPDWORD needed) {
#if KESM_KERNEL_MODE
        return EngGetPrinter(printer, level, block, size, needed);
#else
        return GetPrinterW(printer, level, block, size, needed);
#endif
      },
      bytes);
}

// The bytes of an information block that belong to its DEVMODE: up to the
// first other member the block places behind it, or to the block's end.
std::size_t DevmodeExtent(const PRINTER_INFO_2W& info, const BYTE* block, std::size_t blockBytes) {
  const BYTE* dm = reinterpret_cast<const BYTE*>(info.pDevMode);
  const BYTE* end = block + blockBytes;
  if (dm < block + sizeof info || dm >= end) return 0;
  const void* const members[] = {info.pServerName,     info.pPrinterName, info.pShareName,
                                 info.pPortName,       info.pDriverName,  info.pComment,
                                 info.pLocation,       info.pSepFile,     info.pPrintProcessor,
                                 info.pDatatype,       info.pParameters,  info.pSecurityDescriptor};
  for (const void* member : members) {
    const BYTE* at = static_cast<const BYTE*>(member);
    if (at > dm && at < end) end = at;
  }
  return static_cast<std::size_t>(end - dm);
}

HANDLE PrinterOf(UCB* ucb) { return ucb != nullptr ? ucb->hPrinter : nullptr; }

}  // namespace

LPVOID GetPrinterInfo(HANDLE printer, DWORD level) { return QueryPrinterInfo(printer, level, nullptr); }

namespace storage {

std::size_t CopyStoredDevmode(HANDLE printer, LPVOID buffer, std::size_t size) {
  DWORD blockBytes = 0;
  auto* block = static_cast<const BYTE*>(QueryPrinterInfo(printer, 2, &blockBytes));
  if (block == nullptr) return 0;
  std::size_t extent = 0;
  if (blockBytes >= sizeof(PRINTER_INFO_2W)) {
    PRINTER_INFO_2W info;
    std::memcpy(&info, block, sizeof info);
    extent = DevmodeExtent(info, block, blockBytes);
    if (extent != 0 && buffer != nullptr) std::memcpy(buffer, info.pDevMode, std::min(extent, size));
  }
  FreeMemPtr(const_cast<BYTE*>(block));
  return extent;
}

}  // namespace storage

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
