#include "ui/entry/entry_scope.h"

#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_defaults.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "settings/system/memptr.h"
#include "storage/properties/printer_properties.h"
#include "storage/system/machine_registry.h"
#include "storage/system/printer_info.h"
#include "ui/ts_modify.h"

namespace kesm_entry {

void ContextHold::Release() {
  if (ucb_ != nullptr) FreeUcb(ucb_);
  ucb_ = nullptr;
}

PrinterHold::~PrinterHold() {
  if (printer_ != nullptr) ClosePrinter(printer_);
}

bool PrinterHold::Open(LPCWSTR name, std::initializer_list<DWORD> rights) {
  if (name == nullptr || printer_ != nullptr) return printer_ != nullptr;
  for (DWORD access : rights) {
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (OpenPrinterW(name, &printer_, &defaults)) return true;
    printer_ = nullptr;
  }
  return false;
}

TsModifyHold::TsModifyHold() { UCBTSModify = 1; }

void TsModifyHold::End() { UCBTSModify = 0; }

UCB* OpenDescribedContext(HANDLE printer, DWORD mode) {
  UCB* ucb = GetUcb(printer, printer, 0, mode);
  if (ucb != nullptr && ucb->pBKPD == nullptr) {
    FreeUcb(ucb);
    return nullptr;
  }
  return ucb;
}

BOOL IsClientDriverByPrinterName(LPCWSTR name) {
  if (name == nullptr) return FALSE;
  PrinterHold printer;
  if (!printer.Open(name, {PRINTER_READ})) return FALSE;
  return IsClientDriver2(printer.get()) ? TRUE : FALSE;
}

UCB* OpenInstallContext(HANDLE printer) { return GetUcb2(printer, printer, 0, kOpenInstall, kModeSheet); }

namespace {

void RebuildDefaults(UCB* ucb) {
  InitDefaultDevmode(ucb);
  FreeReg(ucb);
  GetReg(ucb);
}

}  // namespace

void EnsureOwnDevmode(UCB* ucb) {
  const auto* dm = reinterpret_cast<const DEVMODEW*>(ucb->pDCB->devmode);
  if (StatedDevmodeBytes(dm) == static_cast<DWORD>(kSizeofKesmDM) && IsMyValidDevmode(dm, 0)) return;
  // A description that names no driver type of this model gives DEVMODEs
  // that are never the driver's own, so every call on such a printer lands
  // here. The defaults come out the same each time for one context: they
  // are built once and copied back after.
  if (ucb->pWork == nullptr) {
    RebuildDefaults(ucb);
    return;
  }
  DCB*& kept = ucb->pWork->pForeignDefaults;
  if (kept != nullptr && CopyDcbImage(ucb->pDCB, kept)) return;
  RebuildDefaults(ucb);
  if (kept == nullptr) kept = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (kept != nullptr && !CopyDcbImage(kept, ucb->pDCB)) {
    FreeDcbArrays(kept);
    FreeMemPtr(kept);
    kept = nullptr;
  }
}

MachineFlags NoteMachineFlags(UCB* ucb) {
  constexpr DWORD kPxApplicationKind = 2;
  MachineFlags flags{};
  flags.pxInstalled = IsInstalledTalvoAppl(kPxApplicationKind, ucb) ? 1 : 0;
  SetKDMPXInstalled(ucb, flags.pxInstalled);
  UserCodeDLLDependOnMachine(ucb);
  flags.userCodeGet = GetKDMUserCodeGet(ucb);
  return flags;
}

void RestoreMachineFlags(UCB* ucb, const MachineFlags& flags) {
  const DWORD codes = flags.userCodeGet == 1 ? 1 : 0;
  SetKDMPXInstalled(ucb, flags.pxInstalled);
  SetKDMUserCodeGet(ucb, codes);
  SetKDMUserCodeDLL(ucb, codes);
}

}  // namespace kesm_entry
