// The printer property sheet: the printer-wide settings. INIT asks the
// device for its state and prepares a context for the printer's pages;
// DESTROY writes what the user accepted into printer data and releases the
// context.
#include "devicecomm/bidi/bidi_ini_file.h"
#include "devicecomm/bidi/bidi_query.h"
#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "settings/context/context_block.h"
#include "storage/install/kesm_inst.h"
#include "storage/install/preset_refresh.h"
#include "storage/properties/devmode_handout.h"
#include "storage/setfiles/set_file.h"
#include "storage/system/machine_registry.h"
#include "storage/system/system_info.h"
#include "ui/entry/entry_scope.h"
#include "ui/sheets/sheet_internal.h"
#include "ui/sheets/sheet_protocol.h"

namespace {

using kesm_entry::ContextHold;
using kesm_sheet::SheetContext;

constexpr LONG kFailed = -1;
constexpr DWORD kValidatePrinterSheet = 0x0400000A;
constexpr DWORD kPresetRefreshPrinterOpen = 2;
constexpr DWORD kPresetRefreshPrinterAccepted = 1;
constexpr DWORD kSetFilePrinterInfo = 8;

void SetCallFlags(UCB* ucb, const DEVICEPROPERTYHEADER* header) {
  SetKDMCallSrcProperty(ucb);
  SetKDMPropertyTypePrinter(ucb);
  SetKDMNoPermission(ucb, (header->Flags & DPS_NOPERMISSION) != 0 ? 1 : 0);
}

void KeepSheet(UCB* ucb, const PROPSHEETUI_INFO* info, const DEVICEPROPERTYHEADER* header) {
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  sheet.dwPermission = (header->Flags & DPS_NOPERMISSION) == 0 ? 1 : 0;
  kesm_sheet::KeepHost(ucb, info, kSheetPrinter);
}

LONG Init(PROPSHEETUI_INFO* info, DEVICEPROPERTYHEADER* header) {
  ContextHold context(kesm_sheet::OpenSheetContext(header->hPrinter));
  UCB* ucb = context.get();
  if (ucb == nullptr) return kFailed;
  GetBidiDataStart(ucb, nullptr);
  kesm_sheet::NoteOsKind(ucb);
  SetCallFlags(ucb, header);
  kesm_entry::NoteMachineFlags(ucb);
  if (GetKDMNoPermission(ucb) == 0 && GetKDMBiDirect(ucb) == 0) {
    PresetRefreshForOptionDialog(ucb, kPresetRefreshPrinterOpen);
  }
  if (!ValidateDevmode(ucb, nullptr, kValidatePrinterSheet)) return kFailed;
  // The user-code edit shows the code jobs are given, not the default
  // DEVMODE's.
  LoadUserCodeForSheet(ucb);
  info->UserData = reinterpret_cast<ULONG_PTR>(context.Keep());
  SetLocalePrimaryID(ucb);
  SetCallFlags(ucb, header);
  KeepSheet(ucb, info, header);
  AddTabGroup(ucb, kPrinterTabs);
  return 1;
}

void WriteAccepted(PROPSHEETUI_INFO* info, UCB* ucb) {
  // Before the printer data is written: a code a server imposes goes with it.
  KeepUserCodeFromSheet(ucb);
  SetPrinterPropertyToOutNT(ucb);
  if (IsDrvCustomSetup(ucb)) {
    WriteSetFilePrnInfoToRSB(ucb);
    WriteSetFilePrnInfo(nullptr, kSetFilePrinterInfo, ucb);
  }
  PresetRefreshForOptionDialog(ucb, kPresetRefreshPrinterAccepted);
  // What the device reported is in printer data now; the fallback copy goes.
  if (IsBidiWritableReg(ucb)) DeleteBidiPrinterDataToIni(ucb);
  kesm_sheet::ReportAccepted(info, ucb);
}

LONG Destroy(PROPSHEETUI_INFO* info) {
  UCB* ucb = SheetContext(info);
  if (ucb == nullptr) return kFailed;
  if (ucb->pWork->dialog.fOk == 1) {
    WriteAccepted(info, ucb);
  } else {
    info->Result = CPSUI_CANCEL;
  }
  kesm_sheet::EndSheetContext(info);
  return 1;
}

}  // namespace

LONG DeviceSheetReason(PROPSHEETUI_INFO* info, LPARAM lParam, DEVICEPROPERTYHEADER* header) {
  return kesm_sheet::ServeReason(
      info, lParam, header->pszPrinterName, [&] { return Init(info, header); }, [&] { return Destroy(info); });
}
