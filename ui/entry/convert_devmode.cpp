// DEVMODE conversion for the spooler, and the install work that its two
// occasions trigger: the request for the driver's default DEVMODE installs
// a new printer, a conversion finishes a pending driver install or upgrades
// the stored settings.
#include <algorithm>
#include <cstring>
#include <vector>

#include "devicecomm/jobcodes/jc_upkeep.h"
#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_defaults.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/spooler/winspool.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/tables/driver_params.h"
#include "settings/values/setting_value.h"
#include "storage/files/driver_file_security.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/sequence/install_files.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/install/sequence/install_status.h"
#include "storage/install/upgrade.h"
#include "storage/properties/printer_properties.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/printer_info.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"

namespace {

using kesm_entry::ContextHold;
using kesm_entry::PrinterHold;
using kesm_entry::TsModifyHold;

constexpr DWORD kConverted = 1;
constexpr DWORD kNotConverted = 2;
// Install types and statuses.
constexpr DWORD kInstallFirst = 0;
constexpr DWORD kInstallNew = 1;
constexpr DWORD kInstallFromDrvInst = 5;
constexpr DWORD kStatusNew = 1;
constexpr DWORD kStatusUpdated = 2;
constexpr DWORD kStatusDrvInst = 3;
constexpr DWORD kFirstInstallStamped = 2;
constexpr DWORD kCopyForUpgrade = 0x1000;
constexpr WORD kCustomFunc1 = 1134;  // wdmCustomFunc1
constexpr DWORD kPropertyFlags = 0x80000004;
constexpr DWORD kUpgradeValidation = 0x4000008;
constexpr int kSameMinorUpgrade = 1;
constexpr int kMajorUpgrade = 2;
constexpr WORD kPublicBytes = 220;
// The private header through its version, and the machine id after it.
constexpr std::size_t kUpgradeHeaderBytes = KDM_OFFSET(kdmMachineID) + 1;
constexpr std::size_t kOffDriverType = KDM_OFFSET(kdmDriverType);
static_assert(kOffDwVersion + sizeof(DWORD) <= kUpgradeHeaderBytes);

DEVMODEW* ContextDevmode(UCB* ucb) { return reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode); }

bool OpenForInstall(PrinterHold& printer, LPCWSTR name) {
  return printer.Open(name, {kesm_entry::IsClientDriverByPrinterName(name) ? PRINTER_READ : PRINTER_ALL_ACCESS});
}

void ResetCustomFunction(HANDLE printer, UCB* ucb) {
  SetDevmodeValueDirectByFuncID(ucb, kCustomFunc1, BKPDGetGroupDefaultByFuncID(kCustomFunc1, ucb));
  SetProperties(printer, ucb, 2, kPropertyFlags);
}

BOOL DriverDefault(LPCWSTR name, DEVMODEW* out) {
  PrinterHold printer;
  if (!OpenForInstall(printer, name)) return FALSE;
  TsModifyHold tsModify;
  if (IsBatchInstallForCompleteReg(printer.get(), nullptr) && IsGetDefaultDevmodeFromRegNTWithoutUCB(printer.get())) {
    ContextHold context(kesm_entry::OpenInstallContext(printer.get()));
    if (!context || context.get()->pDCB == nullptr) return FALSE;
    InitDefaultDevmode(context.get());
    if (out != nullptr) std::memcpy(out, ContextDevmode(context.get()), kSizeofKesmDM);
    return TRUE;
  }
  if (!InitDriverProc(printer.get(), out, kInstallFirst)) return FALSE;
  tsModify.End();
  return SetTSInstallStatus(printer.get(), 1, kFirstInstallStamped) ? TRUE : FALSE;
}

// The stored settings brought to this driver version, the output DEVMODE
// with them.
void Upgrade(HANDLE printer, UCB* ucb, const DEVMODEW* in, DEVMODEW* out, std::size_t outBytes) {
  if (out != nullptr) ConvertDevmode2(out, outBytes, ContextDevmode(ucb), kSizeofKesmDM);
  CopyFilesForInstall(ucb, kCopyForUpgrade);
  ResetCustomFunction(printer, ucb);
  UpgradeDevmode(in, ucb);
  ValidateDevmode(ucb, nullptr, kUpgradeValidation);
  UpgradeProperties(printer, ucb);
  if (out != nullptr) ConvertDevmode2(ContextDevmode(ucb), kSizeofKesmDM, out, outBytes);
  CopyInstIni2IniForInstall(printer, 0, TRUE, ucb);
  SetDriverFileSecurity(ucb);
}

// The upgrade a caller's DEVMODE asks for, decided by the version its
// private header states. An earlier version's private part may be shorter
// than this version's; it still starts with the header and the machine id,
// which are all that is read of it, from a whole image of this layout made
// of the bytes the DEVMODE holds. A driver type past its end is not
// compared. A DEVMODE without this driver's header is no upgrade.
int UpgradeKind(const DEVMODEW* in) {
  if (in == nullptr) return IsUpgrade(in);
  const std::size_t bytes = kesm_entry::StatedDevmodeBytes(in);
  if (in->dmSize != kPublicBytes || bytes < kUpgradeHeaderBytes) return 0;
  std::vector<BYTE> image(kSizeofKesmDM, 0);
  std::memcpy(image.data(), in, std::min<std::size_t>(bytes, kSizeofKesmDM));
  auto* whole = reinterpret_cast<DEVMODEW*>(image.data());
  if (bytes <= kOffDriverType) image[kOffDriverType] = static_cast<BYTE>(fgDP.cDriverType);
  return IsMyValidDevmodeForUpgrade(whole, 0) ? IsUpgrade(whole) : 0;
}

BOOL AfterConversion(LPCWSTR name, const DEVMODEW* in, DEVMODEW* out, std::size_t outBytes) {
  const int upgrade = UpgradeKind(in);
  PrinterHold printer;
  if (!OpenForInstall(printer, name)) return FALSE;
  TsModifyHold tsModify;
  ContextHold context(kesm_entry::OpenInstallContext(printer.get()));
  UCB* ucb = context.get();
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  UpgradeJobCodeDLL(ucb);
  DWORD status = kStatusUpdated;
  if (IsAvailableDrvInstIniFileWithoutUCB(name) || IsAvailableDrvIniFileWithoutUCB(name, printer.get())) {
    if (!InitDriverProc(printer.get(), out, kInstallFromDrvInst)) return FALSE;
    status = kStatusDrvInst;
  } else if (upgrade == kSameMinorUpgrade) {
    Upgrade(printer.get(), ucb, in, out, outBytes);
  } else if (upgrade == kMajorUpgrade) {
    if (!InitDriverProc(printer.get(), out, kInstallNew)) return FALSE;
    if (out != nullptr) {
      InitDefaultDevmode(ucb);
      ConvertDevmode2(ContextDevmode(ucb), kSizeofKesmDM, out, outBytes);
    }
    status = kStatusNew;
  } else {
    CopyFilesForInstall(ucb, kCopyForUpgrade);
    CopyInstIni2IniForInstall(printer.get(), 0, TRUE, ucb);
    ResetCustomFunction(printer.get(), ucb);
    SetDriverFileSecurity(ucb);
  }
  tsModify.End();
  return SetTSInstallStatus(printer.get(), status, 0) ? TRUE : FALSE;
}

}  // namespace

BOOL _DrvConvertDevMode(LPWSTR name, DEVMODEW* in, DEVMODEW* out, LONG* size, DWORD mode) {
  if (size != nullptr && *size < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD bytes = size != nullptr ? static_cast<DWORD>(*size) : 0;
  const int r = CommonDrvConvertDevmode(name, in, kesm_entry::StatedDevmodeBytes(in), out,
                                        size != nullptr ? &bytes : nullptr, mode);
  if (size != nullptr) *size = static_cast<LONG>(std::min<DWORD>(bytes, 0x7FFFFFFF));
  if (r == static_cast<int>(kNotConverted) && mode == CDM_DRIVER_DEFAULT) return DriverDefault(name, out);
  if (r == static_cast<int>(kConverted) && mode == CDM_CONVERT) return AfterConversion(name, in, out, bytes);
  return r == static_cast<int>(kConverted) ? TRUE : FALSE;
}

KESM_EXPORT BOOL DrvConvertDevMode(LPWSTR printerName, DEVMODEW* in, DEVMODEW* out, LONG* size, DWORD mode) {
  return kesm_entry::Guarded(FALSE, [&] { return _DrvConvertDevMode(printerName, in, out, size, mode); });
}
