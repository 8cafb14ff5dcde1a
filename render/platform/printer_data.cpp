#include "render/platform/printer_data.h"

#include "settings/context/context_block.h"
#include "storage/system/driver_reg_values.h"

namespace {
constexpr DWORD kDriverNameBytes = 64;
}  // namespace

BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb) {
  if (buffer != nullptr) {
    return storage::ReadPrinterDataString(printer, u"DriverName", buffer, kDriverNameChars,
                                          kDriverNameBytes);
  }
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return FALSE;
  }
  return storage::ReadPrinterDataString(printer, u"DriverName", ucb->pWork->szDriverName, MAX_PATH,
                                        kDriverNameBytes);
}

BOOL MyEngSetPrinterData(HANDLE, LPCWSTR, DWORD, const BYTE*, DWORD) { return FALSE; }
