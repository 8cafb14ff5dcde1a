// Printer events the spooler sends to the driver (a connection added or
// removed, a printer initialised, a connection's cache refreshed) and the
// driver upgrade. Events run as the spooler itself: the driver steps out of
// the client's security context for the event and back after it.
#include "devicecomm/jobcodes/jc_codes.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "platform/modules/winmodule.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_open.h"
#include "storage/files/driver_file_security.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/sequence/install_files.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/install/sequence/install_status.h"
#include "storage/install/upgrade.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/system_info.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"
#include "ui/entry/printer_events.h"

namespace {

using kesm_entry::ContextHold;
using kesm_entry::PrinterHold;
using kesm_entry::TsModifyHold;

constexpr DWORD kInstallNew = 1;
constexpr DWORD kInstallClient = 2;
constexpr DWORD kCopyForUpgrade = 0x1000;
constexpr DWORD kJobCodeKindOfPrinter = 1;

BOOL PrnEventAddConnection(LPCWSTR name) {
  PrinterHold printer;
  if (!printer.Open(name, {PRINTER_ALL_ACCESS, PRINTER_READ})) return FALSE;
  BOOL result = TRUE;
  TsModifyHold tsModify;
  if (!InitDriverProc(printer.get(), nullptr, kInstallClient)) result = FALSE;
  tsModify.End();
  if (!SetTSInstallStatus(printer.get(), 1, 0)) result = FALSE;
  return result;
}

BOOL PrnEventDeleteConnection(LPCWSTR name) {
  PrinterHold printer;
  if (!printer.Open(name, {PRINTER_ALL_ACCESS, SERVER_ALL_ACCESS, PRINTER_ACCESS_USE})) return FALSE;
  ContextHold context(GetUcb(printer.get(), printer.get(), 0, kesm_entry::kModeSheet));
  if (!context) return TRUE;
  LoadJobCode(context.get());
  const DWORD status = DrvJCDeleteCode(context.get(), kJobCodeKindOfPrinter);
  UnLoadJobCode(context.get());
  return status == 0 ? TRUE : FALSE;
}

BOOL PrnEventInitialize(LPCWSTR name) {
  PrinterHold printer;
  if (!printer.Open(name, {PRINTER_ALL_ACCESS})) return FALSE;
  TsModifyHold tsModify;
  if (IsBatchInstallForCompleteReg(printer.get(), nullptr)) return TRUE;
  if (IsOsLaterWin2000() && IsValidDrvInstIniFileWithoutUCB(printer.get())) return TRUE;
  if (!InitDriverProc(printer.get(), nullptr, kInstallNew)) return FALSE;
  tsModify.End();
  return SetTSInstallStatus(printer.get(), 1, 0) ? TRUE : FALSE;
}

BOOL PrnEventCacheRefresh(LPCWSTR name) {
  PrinterHold printer;
  if (!printer.Open(name, {PRINTER_ALL_ACCESS, SERVER_ALL_ACCESS, PRINTER_ACCESS_USE})) return FALSE;
  if (InstallPerUser(printer.get()) != 1) return FALSE;
  ContextHold context(kesm_entry::OpenInstallContext(printer.get()));
  if (context) {
    CopyFilesForInstall(context.get(), kCopyForUpgrade);
    UpgradeProperties(nullptr, context.get());
    SetDriverFileSecurity(context.get());
  }
  return TRUE;
}

BOOL RunEvent(LPCWSTR name, int event) {
  switch (event) {
    case PRINTER_EVENT_ADD_CONNECTION:
      return PrnEventAddConnection(name);
    case PRINTER_EVENT_DELETE_CONNECTION:
      PrnEventDeleteConnection(name);
      return TRUE;
    case PRINTER_EVENT_INITIALIZE:
      return PrnEventInitialize(name);
    case PRINTER_EVENT_CACHE_REFRESH:
      return PrnEventCacheRefresh(name);
    default:
      return TRUE;
  }
}

bool Handled(int event) {
  return event == PRINTER_EVENT_ADD_CONNECTION || event == PRINTER_EVENT_DELETE_CONNECTION ||
         event == PRINTER_EVENT_INITIALIZE || event == PRINTER_EVENT_CACHE_REFRESH;
}

}  // namespace

HANDLE MyRevertToPrinterSelf() {
  const HMODULE library = LoadLibraryW(u"spoolss.dll");
  if (library == nullptr) return nullptr;
  const auto revert = reinterpret_cast<HANDLE (*)()>(GetProcAddress(library, "RevertToPrinterSelf"));
  const HANDLE token = revert != nullptr ? revert() : nullptr;
  FreeLibrary(library);
  return token;
}

BOOL MyImpersonatePrinterClient(HANDLE token) {
  if (token == nullptr) return FALSE;
  const HMODULE library = LoadLibraryW(u"spoolss.dll");
  if (library == nullptr) return FALSE;
  const auto impersonate =
      reinterpret_cast<BOOL (*)(HANDLE)>(GetProcAddress(library, "ImpersonatePrinterClient"));
  const BOOL result = impersonate != nullptr ? impersonate(token) : FALSE;
  FreeLibrary(library);
  return result;
}

BOOL UpgradePrinterProperties(HANDLE printer, UCB* ucb) { return SetDriverDataToReg(printer, ucb); }

namespace {

// The span of an event run as the spooler: the client is impersonated
// again however the event ends, a failure that leaves it included; a
// spooler thread left as itself would serve the next client's call with
// the spooler's rights.
class AsPrinterSelf {
 public:
  AsPrinterSelf() : token_(MyRevertToPrinterSelf()) {}
  ~AsPrinterSelf() { MyImpersonatePrinterClient(token_); }
  AsPrinterSelf(const AsPrinterSelf&) = delete;
  AsPrinterSelf& operator=(const AsPrinterSelf&) = delete;

 private:
  HANDLE token_;
};

}  // namespace

BOOL _DrvPrinterEvent(LPWSTR name, int event, DWORD /*flags*/, LPARAM /*lParam*/) {
  if (!Handled(event)) return TRUE;
  const AsPrinterSelf self;
  return RunEvent(name, event);
}

BOOL _DrvUpgradePrinter(DWORD level, LPBYTE info) {
  const auto* upgrade = reinterpret_cast<const DRIVER_UPGRADE_INFO_1*>(info);
  PrinterHold printer;
  if (level != 1 || upgrade == nullptr || !printer.Open(upgrade->pPrinterName, {PRINTER_ALL_ACCESS})) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (InstallPerUser(printer.get()) != 1) return FALSE;
  ContextHold context(GetUcb(printer.get(), printer.get(), 0, kesm_entry::kModeSheet));
  return context ? UpgradePrinterProperties(printer.get(), context.get()) : FALSE;
}

KESM_EXPORT BOOL DrvPrinterEvent(LPWSTR printerName, int event, DWORD flags, LPARAM lParam) {
  return kesm_entry::Guarded(FALSE, [&] { return _DrvPrinterEvent(printerName, event, flags, lParam); });
}

KESM_EXPORT BOOL DrvUpgradePrinter(DWORD level, LPBYTE info) {
  return kesm_entry::Guarded(FALSE, [&] { return _DrvUpgradePrinter(level, info); });
}
