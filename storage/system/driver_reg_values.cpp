#include "storage/system/driver_reg_values.h"

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "settings/context/context_block.h"
#include "storage/files/text_out.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#else
#include "platform/spooler/winspool.h"
#include "platform/text/wintext.h"
#endif

namespace storage {

BOOL ReadPrinterDataString(HANDLE printer, LPCWSTR name, LPWSTR buffer, DWORD size, DWORD maxBytes) {
  if (buffer == nullptr || size == 0) {
    return FALSE;
  }
  WCHAR value[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD bytes = maxBytes < sizeof(value) - sizeof(WCHAR) ? maxBytes : sizeof(value) - sizeof(WCHAR);
#if KESM_KERNEL_MODE
  const DWORD status = EngGetPrinterData(printer, name, &type, reinterpret_cast<LPBYTE>(value), bytes, &needed);
#else
  const DWORD status = GetPrinterDataW(printer, name, &type, reinterpret_cast<LPBYTE>(value), bytes, &needed);
#endif
  if (status != ERROR_SUCCESS || type != REG_SZ || value[0] == 0) {
    return FALSE;
  }
  return CopyOut(buffer, size, value) != 0;
}

}  // namespace storage

#if !KESM_KERNEL_MODE
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB*) {
  if (driverName == nullptr || buffer == nullptr || size == 0) return FALSE;
  for (LPCWSTR version : {u"Version-3", u"Version-2"}) {
    WCHAR path[512] = {};
    if (wnsprintfW(path, 512, u"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\"
                              u"Windows NT x86\\Drivers\\%s\\%s",
                   version, driverName) < 0) {
      return FALSE;
    }
    HKEY key = nullptr;
    if (RegOpenKeyW(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) continue;
    WCHAR value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(value) - sizeof(WCHAR);
    const LSTATUS status =
        RegQueryValueExW(key, u"Help File", nullptr, &type, reinterpret_cast<LPBYTE>(value), &bytes);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && type == REG_SZ && value[0] != 0) {
      return storage::CopyOut(buffer, size, value) != 0;
    }
  }
  return FALSE;
}
#endif

BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return storage::ReadPrinterDataString(ucb->hPrinter, u"HelpFileName", buffer, size, 2 * MAX_PATH);
}

BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB*) {
  return storage::ReadPrinterDataString(printer, u"PrinterName", buffer, MAX_PATH + 1, 522);
}
