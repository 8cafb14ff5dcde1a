#include "ui/entry/document_properties.h"

#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/compstui/compstui_host.h"
#include "platform/modules/winmodule.h"
#include "settings/context/context_block.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/properties/devmode_handout.h"
#include "storage/system/printer_info.h"
#include "storage/system/system_info.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"
#include "ui/sheets/sheet_protocol.h"

namespace {

using kesm_entry::ContextHold;

// Validation mode of the merge without UI: the caller's DEVMODE is merged
// as the document properties of an application.
constexpr DWORD kMergeFlags = 0x22000008;
constexpr DWORD kHandOutModes = DM_UPDATE | DM_COPY;
// What the old document-properties call reports for a shown sheet.
constexpr LONG kIdOk = 1;
constexpr LONG kIdCancel = 2;

// The run-time flags of a merge without UI.
void SetCallFlags(UCB* ucb, DWORD fMode) {
  if (IsOsLaterWin2000()) {
    SetKDMCallSrcProperty(ucb);
    SetKDMOSKind2000(ucb);
  } else {
    SetKDMCallSrc(ucb, (fMode & DM_USER_DEFAULT) != 0 ? 1 : 0);
    SetKDMOSKindNT(ucb);
  }
  SetKDMNoPermission(ucb, (fMode & DM_NOPERMISSION) != 0 ? 1 : 0);
  SetKDMServerClientMode(ucb, IsClientDriver(ucb) ? 1 : 0);
}

LONG MergeAndHandOut(DOCUMENTPROPERTYHEADER* header) {
  ContextHold context(kesm_entry::OpenDescribedContext(header->hPrinter, kesm_entry::kModeNoUi));
  UCB* ucb = context.get();
  if (ucb == nullptr) return -1;
  kesm_entry::EnsureOwnDevmode(ucb);
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  sheet.pdmIn = header->pdmIn;
  sheet.cbIn = kesm_entry::StatedDevmodeBytes(header->pdmIn);
  sheet.pdmOut = header->pdmOut;
  sheet.cbOut = header->cbOut;
  sheet.fMode = header->fMode;
  RefreshIniFile(ucb);
  SetCallFlags(ucb, header->fMode);
  const kesm_entry::MachineFlags machine = kesm_entry::NoteMachineFlags(ucb);
  if ((header->fMode & DM_MODIFY) != 0 && header->pdmIn != nullptr) {
    if (!ValidateDevmode(ucb, header->pdmIn, header->fMode | kMergeFlags)) return -1;
    kesm_entry::RestoreMachineFlags(ucb, machine);
  }
  if ((header->fMode & kHandOutModes) != 0) SetDefaultDevmodeToOut3(ucb);
  return 1;
}

}  // namespace

LONG SimpleDocumentProperties(DOCUMENTPROPERTYHEADER* header) {
  header->cbOut = static_cast<DWORD>(kSizeofKesmDM);
  if (header->fMode == 0 || header->pdmOut == nullptr) return kSizeofKesmDM;
  return MergeAndHandOut(header);
}

LONG CallCompstui(HWND window, PFNPROPSHEETUI callback, LPARAM lParam, LONG* result) {
  const HMODULE library = LoadLibraryA("compstui.dll");
  if (library == nullptr) return -1;
  // The host is called through its own type: a call through a pointer of
  // another type (its result word is unsigned) is undefined.
  using CommonPropertySheetUI = decltype(&CommonPropertySheetUIW);
  const auto sheet = reinterpret_cast<CommonPropertySheetUI>(GetProcAddress(library, "CommonPropertySheetUIW"));
  // A host that reports no result leaves the caller's word as it was.
  DWORD word = result != nullptr ? static_cast<DWORD>(*result) : 0;
  const LONG answer = sheet != nullptr ? sheet(window, callback, lParam, result != nullptr ? &word : nullptr) : -1;
  if (result != nullptr) *result = static_cast<LONG>(word);
  // The caller learns why the sheet could not be had.
  const DWORD error = GetLastError();
  FreeLibrary(library);
  if (answer == -1) SetLastError(error);
  return answer;
}

LONG PsDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out, DEVMODEW* in,
                          DWORD fMode) {
  DOCUMENTPROPERTYHEADER header{sizeof(DOCUMENTPROPERTYHEADER), 0, printer, deviceName, in, out, 0, fMode};
  if ((fMode & DM_PROMPT) == 0) return SimpleDocumentProperties(&header);
  // A sheet that never reports its result leaves the call failed.
  LONG result = -1;
  CallCompstui(window, DrvDocumentPropertySheets, reinterpret_cast<LPARAM>(&header), &result);
  return result;
}

LONG _DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info != nullptr ? info->lParamInit : lParam);
  if (header == nullptr || header->cbSize < sizeof(DOCUMENTPROPERTYHEADER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (info != nullptr) {
    // A sheet that ends releases its context whatever the per-user set-up
    // answers now.
    if (InstallPerUser(header->hPrinter) != 1 && info->Reason != PROPSHEETUI_REASON_DESTROY) return -1;
    return DocumentSheetReason(info, lParam, header);
  }
  if (header->fMode != 0 && header->pdmOut != nullptr && InstallPerUser(header->hPrinter) != 1) return -1;
  return SimpleDocumentProperties(header);
}

LONG _DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out, DEVMODEW* in,
                            DWORD fMode) {
  if (fMode == 0 || out == nullptr) return kSizeofKesmDM;
  InstallPerUser(printer);
  const LONG r = PsDocumentProperties(window, printer, deviceName, out, in, fMode);
  if (r > 0) return kIdOk;
  return r == 0 ? kIdCancel : r;
}

LONG _DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out,
                                    DEVMODEW* in) {
  if (out == nullptr) return kSizeofKesmDM;
  InstallPerUser(printer);
  return PsDocumentProperties(window, printer, deviceName, out, in, DM_ADVANCED | DM_PROMPT | DM_COPY) > 0 ? 1 : 0;
}

KESM_EXPORT LONG DrvDocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  return kesm_entry::Guarded(-1L, [&] { return _DrvDocumentPropertySheets(info, lParam); });
}

KESM_EXPORT LONG DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out,
                                       DEVMODEW* in, DWORD fMode) {
  return kesm_entry::Guarded(-1L, [&] { return _DrvDocumentProperties(window, printer, deviceName, out, in, fMode); });
}

KESM_EXPORT LONG DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out,
                                               DEVMODEW* in) {
  return kesm_entry::Guarded(0L, [&] { return _DrvAdvancedDocumentProperties(window, printer, deviceName, out, in); });
}
