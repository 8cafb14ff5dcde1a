// The path of the printer driver's data file (the description text).
#include <cstring>

#include "settings/kpd/kpd_compile.h"
#include "settings/system/memptr.h"

#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#else
#include "platform/spooler/winspool.h"
#endif

namespace {

LPWSTR CopyWide(LPCWSTR text) {
  if (text == nullptr) {
    return nullptr;
  }
  SIZE_T length = 0;
  while (text[length] != 0) {
    ++length;
  }
  auto* copy = static_cast<LPWSTR>(GetMemPtr((length + 1) * sizeof(WCHAR)));
  if (copy != nullptr) {
    std::memcpy(copy, text, length * sizeof(WCHAR));
  }
  return copy;
}

}  // namespace

LPWSTR GetDataFileName(HANDLE printer) {
#if KESM_KERNEL_MODE
  // The engine's device handle of a printer is its printer handle.
  return CopyWide(EngGetPrinterDataFileName(reinterpret_cast<HDEV>(printer)));
#else
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_2W)) {
    return nullptr;
  }
  auto* info = static_cast<LPBYTE>(GetMemPtr(needed));
  if (info == nullptr) {
    return nullptr;
  }
  LPWSTR path = nullptr;
  if (GetPrinterDriverW(printer, nullptr, 2, info, needed, &needed)) {
    path = CopyWide(reinterpret_cast<const DRIVER_INFO_2W*>(info)->pDataFile);
  }
  FreeMemPtr(info);
  return path;
#endif
}
