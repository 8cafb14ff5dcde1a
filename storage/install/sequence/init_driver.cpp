// The install of a printer and the follow-up of its rename.
#include "storage/install/sequence/install_sequence.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <cstring>
#include <string>

#include "devicecomm/bidi/bidi_ini_file.h"
#include "devicecomm/jobcodes/jc_stored_codes.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/devmode/devmode_defaults.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "settings/values/setting_value.h"
#include "storage/files/driver_file_security.h"
#include "storage/files/dummy_dir.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/bidi_install.h"
#include "storage/install/default_rst.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/expand_files.h"
#include "storage/install/ini_install.h"
#include "storage/install/kesm_inst.h"
#include "storage/install/sequence/data_directories.h"
#include "storage/install/sequence/install_files.h"
#include "storage/install/sequence/install_status.h"
#include "storage/install/sequence/sequence_common.h"
#include "storage/pack/pack_common.h"
#include "storage/properties/printer_fonts.h"
#include "storage/properties/printer_properties.h"
#include "storage/stores/store_ini.h"
#include "storage/system/driver_reg_values.h"
#include "storage/system/machine_registry.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"

namespace {

constexpr WORD kFuncCustomDirectory = 1134;  // wdmCustomFunc1
constexpr WORD kFuncHiddenDirectory = 454;   // kdmHidden2Func7
constexpr DWORD kJobCodeClearOnClient = 158;
constexpr DWORD kJobCodeClearInDevmode = 159;
constexpr DWORD kBidiSectionChars = 30720;
constexpr int kPropertiesPrinterBlock = 2;
constexpr DWORD kPropertiesForceWrite = 4;

DWORD OpenFlags(DWORD type) {
  const DWORD kind = type == kInstallInitialise ? 3 : 1;
  return kind | (type == kInstallConversion ? 0x700 : kOpenNoLock | kOpenNoAdminCheck);
}

// A data directory of the machine's own (not the default place) is in
// force for this install type.
bool HasOwnDataDirectory(HANDLE printer, DWORD type) {
  std::array<WCHAR, 1025> folder{};
  if (type == kInstallClient) {
    return GetKESMDirFromDrvReg(printer, u"_KESMDirectoryClient", folder.data(), MAX_PATH) == 1;
  }
  return type == kInstallFirst && GetKESMDirFromReg(u"_KESMDirectory", folder.data(), 2050) && folder[0] != 0;
}

void CopyDefaultDevmode(UCB* ucb, DEVMODEW* out) {
  InitDefaultDevmodeExt(ucb);
  const DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr) return;
  std::memcpy(out, dm, static_cast<std::size_t>(sizeofKesmDM()));
}

}  // namespace

BOOL InitDriverProc(HANDLE printer, DEVMODEW* devmode, DWORD type) {
  UCB* ucb = GetUcb2(printer, printer, 0, OpenFlags(type), 0);
  if (ucb == nullptr) return FALSE;
  if (type == kInstallConversion) type = kInstallFirst;
  const std::u16string name = sequence::Text(GetPrinterName(ucb));

  InstallKitForKesmDirectory(printer, name.c_str(), ucb);
  BatchInstallForKesmDirectory(printer, name.c_str());
  BatchInstallForSpoolDirectory(GetDrvInstIniFilePath(ucb), name.c_str(), ucb);
  const bool laterSystem = IsOsLaterWin2000() != FALSE;
  if (laterSystem) KM_UM_CreateDummySystemDirectory(ucb);

  SetDevmodeValueDirectByFuncID(ucb, kFuncCustomDirectory, BKPDGetGroupDefaultByFuncID(kFuncCustomDirectory, ucb));
  SetProperties(printer, ucb, kPropertiesPrinterBlock, kPropertiesForceWrite);
  if (laterSystem &&
      (IsKesmCustomOrderFunc(ucb, kFuncCustomDirectory) != 0 ||
       GetDevmodeValueDirectByFuncID(ucb, kFuncHiddenDirectory, nullptr) != 0) &&
      HasOwnDataDirectory(printer, type)) {
    DeleteSysDrvDummySystemDirectory(printer);
  }

  bool drvInst = IsAvailableDrvInstIniFileWithoutUCB(name.c_str()) != FALSE;
  ExpandDriverFiles(ucb);
  if (type != kInstallClient) SetHelpFileNameToReg(ucb);
  KesmInstProcForInstall(nullptr, ucb);
  CopyInstIni2IniForInstall(printer, 0, FALSE, ucb);
  if (type != kInstallClient) {
    SetPrinterNameToReg(printer);
    SetDriverNameToReg(printer);
    SetFontTableDefault(printer, ucb);
  }
  DeleteBidiPrinterDataToIni(ucb);

  bool jobCodesLoaded = false;
  if (CopyFilesForInstall(ucb, 0)) {
    InitJobCodeDLLDependOnMachine(ucb);
    if (type == kInstallClient) {
      LoadJobCode(ucb);
      ClearJobCode(ucb, kJobCodeClearOnClient);
      UnLoadJobCode(ucb);
    }
    if (drvInst) {
      LoadJobCodeDLLDependOnMachine(ucb);
      jobCodesLoaded = true;
    }
    const bool copied = CopyFilesForDrvInst(ucb) != FALSE;
    if (!copied || !GetDefaultRstForDrvInst(0, ucb)) {
      GetDefaultRstForInstall(0, type, ucb);
      drvInst = false;
    }
    UserCodeForInstallDependOnMachine(ucb);
    IniFileProcForInstall(ucb, kIniProcInstall, nullptr);
    if (drvInst) storage::WriteStoreText(name.c_str(), kKeyPackInstallDone, u"1", storage::SettingsIniOf(ucb));
    if (type != kInstallClient) BidiForInstall(ucb);
  }
  if (jobCodesLoaded) UnLoadJobCodeDLLDependOnMachine(ucb);
  IniFileProcForValidate(ucb);

  if (type != kInstallClient) {
    UserCodeDLLDependOnMachine(ucb);
    ClearDevmodeJobCode(ucb, kJobCodeClearInDevmode);
    SetPrinterProperties(printer, ucb);
    SetDriverDataToReg(printer, ucb);
  }
  DriverLogProc(type != kInstallClient, ucb);
  if (type == kInstallFirst && devmode != nullptr) CopyDefaultDevmode(ucb, devmode);
  SetDriverFileSecurity(ucb);
  FreeUcb2(ucb, 1);
  return TRUE;
}

BOOL RefreshIniFile(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || IsClientDriver(ucb)) return FALSE;
  const std::u16string name = sequence::Text(GetPrinterName(ucb));
  std::array<WCHAR, MAX_PATH + 1> recorded{};
  const bool known = GetPrinterNameFromReg(ucb->hPrinter, recorded.data(), ucb) != FALSE;
  if (name.empty() || (known && storage::SameTextIgnoringCase(recorded.data(), name))) return FALSE;
  {
    const sequence::SharedIniScope shared(ucb);
    IniFileProcForInstall(ucb, kIniProcInstall, nullptr);
    if (known) {
      // The old name's bidi data stays where it is; the new name gets a copy.
      const std::u16string bidi = storage::JoinPath(storage::SharedDirectory(ucb->hPrinter), u"kesmbid.ini");
      pack::CopySection(recorded.data(), bidi.c_str(), name.c_str(), bidi.c_str(), kBidiSectionChars);
    }
    GetDefaultRstForInstall(16, static_cast<DWORD>(-1), ucb);
    IniFileProcForValidate(ucb);
    RefreshKesmInstFile(name.c_str(), ucb);
  }
  if (!SetTSInstallStatus(ucb->hPrinter, kInstallInitialise, kStatusTargetShared)) return FALSE;
  SetPrinterNameToReg(ucb->hPrinter);
  SetDriverNameToReg(ucb->hPrinter);
  return TRUE;
}
#endif
