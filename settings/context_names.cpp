// Minimal form: the context's names are read from the work area as the
// context builder left them.
#include "settings/context_names.h"

#include "platform/winspool.h"
#include "platform/wintext.h"
#include "settings/context_block.h"
#include "settings/memptr.h"
#include "storage/printer_info.h"

LPWSTR GetPrinterName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return nullptr;
  return ucb->pWork->szPrinterName;
}

LPWSTR GetDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return nullptr;
  return ucb->pWork->szDriverLanguage;
}

LPWSTR GetPrinterNameWithoutUCB(HANDLE printer, LPWSTR destination, DWORD size) {
  if (destination == nullptr) return nullptr;
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2));
  if (info != nullptr && info->pPrinterName != nullptr &&
      static_cast<DWORD>(lstrlenW(info->pPrinterName)) < size) {
    lstrcpyW(destination, info->pPrinterName);
  }
  FreeMemPtr(info);
  return destination;
}
