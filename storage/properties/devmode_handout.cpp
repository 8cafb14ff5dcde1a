#include "storage/properties/devmode_handout.h"

#if !KESM_KERNEL_MODE
#include <cstddef>

#include "devicecomm/jobcodes/job_codes.h"
#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/request/app_request.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/public_validation.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_value.h"
#include "storage/install/preset_refresh.h"
#include "storage/properties/printer_properties.h"

namespace {

constexpr std::size_t kOffFields = offsetof(DEVMODEW, dmFields);
constexpr std::size_t kOffSize = offsetof(DEVMODEW, dmSize);
constexpr std::size_t kOffCollate = offsetof(DEVMODEW, dmCollate);

constexpr WORD kFuncSelectSort = 61;  // kdmFuncSelectSort: the user chose sorting
constexpr SHORT kCollateOn = 1;
constexpr SHORT kCollateOff = 0;
// The mode word of a context opened for document properties without a
// sheet: such a call fills its output even for DM_UPDATE alone.
constexpr DWORD kModeDocumentWithoutSheet = 0x02000000;

// Job-code kinds: those the DEVMODE hands back to the library, those a
// sheet's apply gives to it and takes from it.
constexpr DWORD kJobCodesOfDevmode = 0x9F;
constexpr DWORD kJobCodesGiven = 0x9E;
constexpr DWORD kJobCodesTaken = 0x01;

constexpr DWORD kHandOutModes = DM_UPDATE | DM_COPY;

bool IsPrinterSheet(const SHEETSLOTS& sheet) { return (sheet.wSheetKind & kSheetPrinter) != 0; }

// A DEVMODE's dmFields, when its buffer and its own public part hold them.
bool ReadFields(const DEVMODEW* dm, std::size_t bytes, DWORD* fields) {
  if (dm == nullptr || bytes < kOffFields + sizeof(DWORD)) return false;
  if (LoadLE<WORD>(dm, kOffSize) < kOffFields + sizeof(DWORD)) return false;
  *fields = LoadLE<DWORD>(dm, kOffFields);
  return true;
}

// Whether a DEVMODE's buffer and its own public part reach dmCollate.
bool HoldsCollate(const DEVMODEW* dm, std::size_t bytes) {
  constexpr std::size_t kEnd = kOffCollate + sizeof(SHORT);
  return dm != nullptr && bytes >= kEnd && LoadLE<WORD>(dm, kOffSize) >= kEnd;
}

// An application (not a property sheet) that gave DM_COLLATE in its input
// keeps the collation it chose.
bool CallerKeepsCollate(const UCB* ucb, const SHEETSLOTS& sheet) {
  DWORD fields = 0;
  return ReadFields(sheet.pdmIn, sheet.cbIn, &fields) && (fields & DM_COLLATE) != 0 &&
         GetKDMCallSrc(ucb) != 1;
}

// Sets a DEVMODE's collation from the settings: offered, it follows the
// sort choice; not offered, it is off and unflagged.
void ApplyCollateRule(UCB* ucb, DEVMODEW* dm, std::size_t bytes, bool callerKeeps) {
  if (!HoldsCollate(dm, bytes)) return;
  DWORD fields = LoadLE<DWORD>(dm, kOffFields);
  SHORT collate = kCollateOff;
  if (IsValidateCollate(ucb)) {
    if (callerKeeps) return;
    fields |= DM_COLLATE;
    if (GetDevmodeValueDirectByFuncID(ucb, kFuncSelectSort, nullptr) != 0) collate = kCollateOn;
  } else {
    fields &= ~DM_COLLATE;
  }
  StoreLE<DWORD>(dm, kOffFields, fields);
  StoreLE<SHORT>(dm, kOffCollate, collate);
}

// The document DEVMODE into the caller's output, at the sizes of the
// caller's input when there is one.
bool FillOutput(const DEVMODEW* current, const SHEETSLOTS& sheet) {
  return ConvertDevmodeOut(current, kSizeofKesmDM, sheet.pdmIn, sheet.pdmIn != nullptr ? sheet.cbIn : 0,
                           sheet.pdmOut, sheet.cbOut) == 1;
}

}  // namespace

BOOL SetDefaultDevmodeToOut(UCB* ucb, DWORD kind) {
  SetValidatePrivateDMEx(GetDocumentDevmode(ucb), ucb, kind);
  return SetDefaultDevmodeToOut2(ucb);
}

BOOL SetDefaultDevmodeToOut2000(UCB* ucb) {
  // A description may give a paper's size without its printable area; the
  // length and width then follow the orientation here as validation turns
  // them, so that what the sheet hands out is what validation keeps.
  if (ucb != nullptr) RefillDescribedPaper(GetDocumentDevmode(ucb), ucb);
  return SetDefaultDevmodeToOut(ucb, kDeriveSheetResult);
}

BOOL SetDefaultDevmodeToOut2(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  const BOOL handedOut = SetDefaultDevmodeToOut3(ucb);
  const BOOL stored = SetDocumentProperties(ucb->hPrinter, ucb);
  return handedOut && stored;
}

BOOL SetDefaultDevmodeToOut3(UCB* ucb) {
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current == nullptr || ucb->pWork == nullptr) return FALSE;
  const SHEETSLOTS& sheet = ucb->pWork->sheet;
  if ((sheet.fMode & kHandOutModes) == 0) return TRUE;
  if (sheet.fMode & DM_COPY) {
    if (IsSupportJobCodeDLL()) SetWEXA_API(ucb);
    ClearDevmodeJobCodeDependOnMachine(ucb, kJobCodesOfDevmode);
  }
  if ((sheet.fMode & DM_COPY) || (ucb->pWork->dwMode & kModeDocumentWithoutSheet)) {
    if (sheet.pdmOut == nullptr) return TRUE;
    if (!FillOutput(current, sheet)) return FALSE;
    ApplyCollateRule(ucb, sheet.pdmOut, sheet.cbOut, CallerKeepsCollate(ucb, sheet));
    return TRUE;
  }
  const bool filled = sheet.pdmOut == nullptr || FillOutput(current, sheet);
  ApplyCollateRule(ucb, current, kSizeofKesmDM, false);
  return filled;
}

BOOL SetPrinterPropertyToOutNT(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  SetValidatePrivateDMEx(GetDocumentDevmode(ucb), ucb, kDeriveSheetResult);
  return SetPrinterProperties(ucb->hPrinter, ucb);
}

BOOL SetDefaultDevmodeToOut2000Apply(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  if (IsPrinterSheet(ucb->pWork->sheet)) {
    PresetRefreshForOptionDialog(ucb, 1);
    return SetPrinterPropertyToOutNT(ucb);
  }
  LoadJobCodeDLLDependOnMachine(ucb);
  SetJobCodeDLLExDependOnMachine(ucb, kJobCodesGiven);
  GetJobCodeDLLExDependOnMachine(ucb, kJobCodesTaken);
  UnLoadJobCodeDLLDependOnMachine(ucb);
  return SetDefaultDevmodeToOut(ucb, kDeriveSheetApply);
}

BOOL ModifyDefaultDevmode2000(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  const DWORD presentUIMode = GetKDMPresentUIMode(ucb);
  sheet.fApplied = 1;
  const BOOL applied = SetDefaultDevmodeToOut2000Apply(ucb);
  FreeDCB2(ucb);
  GetDCB2(ucb);
  JobCodeDLLDependOnMachine(ucb, kJobCodesOfDevmode);
  SetKDMPresentUIMode(ucb, presentUIMode);
  const bool report =
      IsPrinterSheet(sheet) || ((sheet.wSheetKind & kSheetDocument) != 0 && (sheet.fMode & kHandOutModes) != 0);
  if (sheet.pfnComPropSheet != nullptr && report) {
    sheet.pfnComPropSheet(sheet.hComPropSheet, CPSFUNC_SET_RESULT, 0, CPSUI_OK);
  }
  return applied;
}
#endif
