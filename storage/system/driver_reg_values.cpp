#include "storage/system/driver_reg_values.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "storage/files/text_out.h"
#include "storage/system/printer_data.h"
#include "storage/system/printer_info.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_printer.h"
#else
#include "platform/spooler/winspool.h"
#include "platform/text/wintext.h"
#include "storage/ini/profile.h"
#include "storage/system/system_info.h"
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

BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return storage::ReadPrinterDataString(ucb->hPrinter, u"HelpFileName", buffer, size, 2 * MAX_PATH);
}

BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB*) {
  return storage::ReadPrinterDataString(printer, u"PrinterName", buffer, MAX_PATH + 1, 522);
}

#if !KESM_KERNEL_MODE
namespace {

constexpr const WCHAR* kDriversKey = u"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\";
constexpr DWORD kDriverIniNameChars = 26;

// Reads a REG_SZ value of the spooler's key of the driver in the given
// version folder into buffer (bytes bytes); the value need not hold its
// terminator.
BOOL ReadDriverKeyValue(LPCWSTR version, LPCWSTR driverName, LPCWSTR value, LPWSTR buffer, DWORD bytes) {
  if (driverName == nullptr || driverName[0] == 0 || buffer == nullptr || bytes < sizeof(WCHAR)) return FALSE;
  WCHAR path[512] = {};
  if (wnsprintfW(path, 512, u"%s%s\\%s", kDriversKey, version, driverName) < 0) return FALSE;
  HKEY key = nullptr;
  if (RegOpenKeyW(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) return FALSE;
  WCHAR text[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof(text) - sizeof(WCHAR);
  const LSTATUS status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ || text[0] == 0) return FALSE;
  return storage::CopyOut(buffer, bytes / sizeof(WCHAR), text) != 0;
}

LPCWSTR RunningVersion() { return IsOsLaterWin2000() ? u"Version-3" : u"Version-2"; }

// Writes text as a REG_SZ printer-data value with its terminator.
BOOL WriteText(HANDLE printer, LPCWSTR name, std::u16string_view text, UCB* ucb) {
  const std::u16string value(text);
  return SetStrDataToReg(printer, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)), name, ucb);
}

// A value of the driver key into the work area's scratch text, then into
// printer data.
BOOL RecordDriverKeyValue(UCB* ucb, LPCWSTR value, LPCWSTR name) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  LPWSTR scratch = ucb->pWork->szScratch;
  scratch[0] = 0;
  const BOOL found = value == std::u16string_view(u"Help File")
                         ? GetHelpFileNameFromReg(GetRealDriverName(ucb), scratch, kScratchChars, ucb)
                         : GetFrontDriverFileNameFromReg(nullptr, scratch, kScratchChars * sizeof(WCHAR), ucb);
  return found && WriteText(ucb->hPrinter, name, scratch, ucb);
}

using InfoBlock = std::unique_ptr<PRINTER_INFO_2W, decltype(&FreeMemPtr)>;
InfoBlock PrinterInfo2(HANDLE printer) {
  return InfoBlock(static_cast<PRINTER_INFO_2W*>(GetPrinterInfo(printer, 2)), &FreeMemPtr);
}

}  // namespace

BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB*) {
  if (driverName == nullptr || buffer == nullptr || size == 0) return FALSE;
  for (LPCWSTR version : {RunningVersion(), u"Version-2"}) {
    if (ReadDriverKeyValue(version, driverName, u"Help File", buffer, size * sizeof(WCHAR))) return TRUE;
  }
  return FALSE;
}

BOOL GetFrontDriverFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD bytes, UCB* ucb) {
  if (driverName == nullptr && ucb != nullptr) driverName = GetRealDriverName(ucb);
  return ReadDriverKeyValue(RunningVersion(), driverName, u"Driver", buffer, bytes);
}

BOOL SetFrontDriverDLLFileNameToReg(UCB* ucb) { return RecordDriverKeyValue(ucb, u"Driver", u"DriverGRFileName"); }

BOOL SetHelpFileNameToReg(UCB* ucb) { return RecordDriverKeyValue(ucb, u"Help File", u"HelpFileName"); }

BOOL SetDriversFileNameToReg(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  LPCWSTR iniPath = GetDriverIniFilePath(ucb);
  if (iniPath == nullptr || iniPath[0] == 0) return FALSE;
  WCHAR name[kDriverIniNameChars + 1] = {};
  KM_UM_GetPrivateProfileString(u"DriversFileName", u"DriverEDFileName", u"", name, kDriverIniNameChars + 1,
                                iniPath);
  return name[0] != 0 && WriteText(ucb->hPrinter, u"DriverEDFileName", name, ucb);
}

BOOL SetDriverDataToReg(HANDLE printer, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const DP& model = ucb->pDP != nullptr ? *ucb->pDP : fgDP;
  BOOL written = TRUE;
  for (const auto& [name, text] : {std::pair{u"SPLUserModePrinterDriver", model.pszCompanionDll},
                                   std::pair{u"DriverIniFileName", model.pszIniFileName}}) {
    if (text != nullptr && text[0] != 0 && !WriteText(printer, name, text, ucb)) written = FALSE;
  }
  SetFrontDriverDLLFileNameToReg(ucb);
  SetDriversFileNameToReg(ucb);
  return written;
}

BOOL SetPrinterNameToReg(HANDLE printer) {
  const InfoBlock info = PrinterInfo2(printer);
  return info != nullptr && info->pPrinterName != nullptr &&
         WriteText(printer, u"PrinterName", info->pPrinterName, nullptr);
}

BOOL SetDriverNameToReg(HANDLE printer) {
  const InfoBlock info = PrinterInfo2(printer);
  return info != nullptr && info->pDriverName != nullptr &&
         WriteText(printer, u"DriverName", info->pDriverName, nullptr);
}

BOOL SetPrinterPermissionToReg(HANDLE printer, LPCVOID data, DWORD bytes) {
  if (data == nullptr || bytes == 0) return FALSE;
  DWORD permission = 0;
  std::memcpy(&permission, data, bytes < sizeof permission ? bytes : sizeof permission);
  return SetDataToRegEx(printer, &permission, sizeof permission, REG_DWORD, u"Permission", nullptr);
}

BOOL IsGetDefaultDevmodeFromRegNTWithoutUCB(HANDLE printer) {
  const InfoBlock info = PrinterInfo2(printer);
  return info != nullptr && info->pDevMode != nullptr;
}
#endif

BOOL GetHelpFileNameFromReg2WithoutUCB(LPWSTR buffer, DWORD bytes, HANDLE printer) {
  return storage::ReadPrinterDataString(printer, u"HelpFileName", buffer, bytes / sizeof(WCHAR), 2 * MAX_PATH);
}
