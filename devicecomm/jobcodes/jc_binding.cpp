#include "devicecomm/jobcodes/jc_binding.h"

#if !KESM_KERNEL_MODE
#include <span>

#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/path_builders.h"

namespace {

// The interface versions asked for, newest first.
constexpr WORD kVersions[] = {kJCVersion258, kJCVersion257};

DWORD LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

LPCWSTR PrinterName(UCB* ucb) {
  LPCWSTR name = GetPrinterName(ucb);
  return name != nullptr ? name : u"";
}

// Takes the first version the library hands an interface out for. Only an
// answer of 0 hands one out, so nothing is left to give back on a refusal.
DWORD TakeInterface(JCBINDING& record, std::span<const WORD> versions) {
  DWORD status = kJCNoInterface;
  for (WORD version : versions) {
    const JCINTERFACE* iface = nullptr;
    record.wVersion = version;
    status = record.pfnGetInterface(version, &iface);
    if (status == kJCSuccess && iface != nullptr) {
      record.pInterface = iface;
      return kJCSuccess;
    }
  }
  return status != kJCSuccess ? status : kJCNoInterface;
}

}  // namespace

DWORD DrvJCBind(JCBINDING& record, std::span<const WORD> versions) {
  if (record.hModule != nullptr && record.pInterface != nullptr) return kJCSuccess;
  if (record.hModule == nullptr) {
    record = JCBINDING{};
    WCHAR path[MAX_PATH];
    if (AddSystemDirToFileName(path, MAX_PATH, kJCLibraryFileName) == nullptr) return ERROR_PATH_NOT_FOUND;
    record.hModule = LoadLibraryW(path);
    if (record.hModule == nullptr) return LastErrorOr(ERROR_MOD_NOT_FOUND);
  }
  record.pfnGetInterface = reinterpret_cast<PFNJCGETINTERFACE>(GetProcAddress(record.hModule, kJCGetInterfaceName));
  record.pfnDisposeInterface =
      reinterpret_cast<PFNJCDISPOSEINTERFACE>(GetProcAddress(record.hModule, kJCDisposeInterfaceName));
  DWORD status = kJCSuccess;
  if (record.pfnGetInterface == nullptr || record.pfnDisposeInterface == nullptr) {
    status = ERROR_PROC_NOT_FOUND;
  } else {
    status = TakeInterface(record, versions);
  }
  if (status != kJCSuccess) DrvJCUnbind(record);
  return status;
}

void DrvJCUnbind(JCBINDING& record) {
  if (record.pfnGetInterface != nullptr && record.pfnDisposeInterface != nullptr && record.pInterface != nullptr) {
    record.pfnDisposeInterface(record.pInterface);
  }
  if (record.hModule != nullptr) FreeLibrary(record.hModule);
  // The job-code handle belonged to the library that is gone.
  record = JCBINDING{};
}

JCBINDING* DrvJCRecord(UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? &ucb->pWork->jobCodes : nullptr;
}

const JCINTERFACE* DrvJCInterface(UCB* ucb) {
  const JCBINDING* record = DrvJCRecord(ucb);
  return record != nullptr && record->hModule != nullptr ? record->pInterface : nullptr;
}

DWORD DrvJCHandle(UCB* ucb) {
  const JCBINDING* record = DrvJCRecord(ucb);
  return DrvJCInterface(ucb) != nullptr ? record->dwJobCode : 0;
}

DWORD DrvJCLoadDll(UCB* ucb) {
  JCBINDING* record = DrvJCRecord(ucb);
  if (record == nullptr) return ERROR_INVALID_PARAMETER;
  if (DrvJCInterface(ucb) != nullptr) return kJCSuccess;
  return DrvJCBind(*record, kVersions);
}

DWORD DrvJCTerminate(UCB* ucb) {
  if (JCBINDING* record = DrvJCRecord(ucb)) DrvJCUnbind(*record);
  return kJCSuccess;
}

DWORD DrvJCOpenJobCode(UCB* ucb) {
  const JCINTERFACE* iface = DrvJCInterface(ucb);
  if (iface == nullptr) return kJCNoInterface;
  JCBINDING* record = DrvJCRecord(ucb);
  if (record->dwJobCode != 0) return kJCSuccess;
  DWORD handle = 0;
  const DWORD status = iface->OpenJobCode(PrinterName(ucb), &handle);
  if (status == kJCSuccess) record->dwJobCode = handle;
  return status;
}

DWORD DrvJCCloseJobCode(UCB* ucb) {
  const DWORD handle = DrvJCHandle(ucb);
  if (handle == 0) return kJCSuccess;
  const DWORD status = DrvJCInterface(ucb)->CloseJobCode(handle);
  DrvJCRecord(ucb)->dwJobCode = 0;
  return status;
}

DWORD DrvJCRegisterPrinter(UCB* ucb) {
  const JCINTERFACE* iface = DrvJCInterface(ucb);
  return iface != nullptr ? iface->RegisterPrinter(PrinterName(ucb)) : kJCNoInterface;
}

DWORD DrvJCUnregisterPrinter(UCB* ucb) {
  const JCINTERFACE* iface = DrvJCInterface(ucb);
  return iface != nullptr ? iface->UnregisterPrinter(PrinterName(ucb)) : kJCNoInterface;
}
#endif
