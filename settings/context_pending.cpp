// Minimal forms: the driver name as the spooler reports it; no language code
// (the field stays empty); a DCB with no defaults in it; paths as the work
// area holds them.
#include "settings/context_pending.h"

#include "platform/wintext.h"
#include "platform/winspool.h"
#include "jobsettings/devmode_header.h"
#include "settings/context_block.h"
#include "settings/context_names.h"
#include "settings/memptr.h"
#include "storage/printer_info.h"

LPWSTR GetRealDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return nullptr;
  LPWSTR field = ucb->pWork->szDriverName;
  if (field[0] != u'\0') return field;
  auto* info = static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(ucb->hPrinter, 2));
  LPCWSTR name = info != nullptr ? info->pDriverName : nullptr;
  if (name == nullptr || name[0] == u'\0') name = ucb->pDP != nullptr ? ucb->pDP->pszFallbackDriverName : u"";
  lstrcpynW(field, name, MAX_PATH);
  FreeMemPtr(info);
  return field;
}

LPWSTR SetDriverName(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return nullptr;
  return ucb->pWork->szDriverLanguage;
}

LPWSTR GetPresetSectionName(UCB* ucb) { return GetPrinterName(ucb); }

DCB* DevCBCreate(UCB* ucb, int /*type*/) {
  if (ucb == nullptr) return nullptr;
  auto* dcb = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (dcb != nullptr) DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb->devmode));
  return dcb;
}

#if KESM_KERNEL_MODE
LPWSTR GetInstallDirectory(UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->szInstallDirectory : nullptr;
}

LPWSTR GetIniFilePath(UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->szIniFilePath : nullptr;
}
#endif
