// The document property sheet: the job settings of an application's
// document or of the printer's defaults. INIT merges the caller's DEVMODE
// into a context prepared for the sheet and adds its pages; DESTROY hands
// the accepted settings out (or, after Cancel, the default trays the
// device reported) and releases the context.
#include "devicecomm/bidi/bidi_def_trays.h"
#include "devicecomm/bidi/bidi_query.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "jobsettings/devmode/devmode_layout.h"
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
constexpr DWORD kValidateDocumentSheet = 0x02000000;
constexpr DWORD kHandOutModes = DM_UPDATE | DM_COPY;
// The job codes handed to the job-code library when the sheet is accepted,
// and those taken back from it.
constexpr DWORD kJobCodesGiven = 158;
constexpr DWORD kJobCodesTaken = 1;
constexpr DWORD kPresetRefreshDocument = 0;
constexpr DWORD kSetFilePrinterInfo = 8;
constexpr WORD kCallSrcProperty = 1;

void SetCallFlags(UCB* ucb, DWORD fMode) {
  SetKDMCallSrc(ucb, (fMode & DM_USER_DEFAULT) != 0 ? kCallSrcProperty : 0);
  kesm_sheet::NoteOsKind(ucb);
  SetKDMPropertyTypeDocument(ucb);
  SetKDMNoPermission(ucb, (fMode & DM_NOPERMISSION) != 0 ? 1 : 0);
}

void KeepSheet(UCB* ucb, const PROPSHEETUI_INFO* info, const DOCUMENTPROPERTYHEADER* header, DCB* snapshot) {
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  sheet.pdmIn = header->pdmIn;
  sheet.cbIn = kesm_entry::StatedDevmodeBytes(header->pdmIn);
  sheet.pdmOut = header->pdmOut;
  // The caller was told the driver's size; a header that names no buffer
  // size holds that much.
  sheet.cbOut = header->cbOut != 0 ? header->cbOut : static_cast<DWORD>(kSizeofKesmDM);
  sheet.fMode = header->fMode;
  sheet.pDefTraySnapshot = snapshot;
  kesm_sheet::KeepHost(ucb, info, kSheetDocument);
}

LONG Init(PROPSHEETUI_INFO* info, DOCUMENTPROPERTYHEADER* header) {
  ContextHold context(kesm_sheet::OpenSheetContext(header->hPrinter));
  UCB* ucb = context.get();
  if (ucb == nullptr) return kFailed;
  GetBidiDataIfNeed(ucb, nullptr);
  const bool trays = kesm_sheet::DefaultTraysPending(ucb);
  DCB* snapshot = nullptr;
  if (trays) {
    SetDefTraysToOriginalInputTray(ucb);
    snapshot = kesm_sheet::NewSnapshot();
    if (snapshot == nullptr) return kFailed;
  }
  SetCallFlags(ucb, header->fMode);
  const kesm_entry::MachineFlags machine = kesm_entry::NoteMachineFlags(ucb);
  if (GetKDMCallSrc(ucb) == kCallSrcProperty && GetKDMNoPermission(ucb) == 0) {
    PresetRefreshForOptionDialog(ucb, kPresetRefreshDocument);
  }
  if (!ValidateDevmode(ucb, header->pdmIn, header->fMode | kValidateDocumentSheet)) {
    kesm_sheet::FreeSnapshot(snapshot);
    return kFailed;
  }
  kesm_entry::RestoreMachineFlags(ucb, machine);
  info->UserData = reinterpret_cast<ULONG_PTR>(context.Keep());
  SetLocalePrimaryID(ucb);
  if (trays) {
    SetDefTraysToOriginalInputTray(ucb);
    kesm_sheet::TakeSnapshot(ucb, snapshot);
  }
  KeepSheet(ucb, info, header, snapshot);
  AddTabGroup(ucb, kDocumentTabs);
  return 1;
}

void HandOutAccepted(PROPSHEETUI_INFO* info, UCB* ucb, bool trays) {
  LoadJobCodeDLLDependOnMachine(ucb);
  SetJobCodeDLLExDependOnMachine(ucb, kJobCodesGiven);
  GetJobCodeDLLExDependOnMachine(ucb, kJobCodesTaken);
  UnLoadJobCodeDLLDependOnMachine(ucb);
  if ((ucb->pWork->sheet.fMode & kHandOutModes) != 0) SetDefaultDevmodeToOut2000(ucb);
  if (trays) SetBidiFlagDefTrays(ucb);
  if (IsDrvCustomSetup(ucb)) {
    WriteSetFilePrnInfoToRSB(ucb);
    WriteSetFilePrnInfo(nullptr, kSetFilePrinterInfo, ucb);
  }
  kesm_sheet::ReportAccepted(info, ucb);
}

// Cancel still hands out the default trays the device reported, in the
// settings as they were when the sheet opened.
void HandOutCancelled(PROPSHEETUI_INFO* info, UCB* ucb, bool trays) {
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  if (sheet.fApplied != 0 && IsOsLaterWin2000()) {
    if (trays) SetBidiFlagDefTrays(ucb);
    kesm_sheet::ReportAccepted(info, ucb);
    return;
  }
  if (!trays) {
    info->Result = CPSUI_CANCEL;
    return;
  }
  if (sheet.pDefTraySnapshot != nullptr) {
    kesm_sheet::RestoreSnapshot(ucb, sheet.pDefTraySnapshot);
    sheet.pDefTraySnapshot = nullptr;
    SetDefaultDevmodeToOut2000(ucb);
  }
  SetBidiFlagDefTrays(ucb);
  kesm_sheet::ReportAccepted(info, ucb);
}

LONG Destroy(PROPSHEETUI_INFO* info) {
  UCB* ucb = SheetContext(info);
  if (ucb == nullptr) return kFailed;
  const bool trays = kesm_sheet::DefaultTraysPending(ucb);
  if (ucb->pWork->dialog.fOk == 1) {
    HandOutAccepted(info, ucb, trays);
  } else {
    HandOutCancelled(info, ucb, trays);
  }
  kesm_sheet::EndSheetContext(info);
  return 1;
}

}  // namespace

LONG DocumentSheetReason(PROPSHEETUI_INFO* info, LPARAM lParam, DOCUMENTPROPERTYHEADER* header) {
  return kesm_sheet::ServeReason(
      info, lParam, header->pszPrinterName, [&] { return Init(info, header); }, [&] { return Destroy(info); });
}
