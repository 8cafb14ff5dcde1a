// What both property sheets do alike: open and prepare their context, keep
// and restore the copy of the settings that holds the device's default
// trays, add their pages, name the sheet, and hand the result on.
#include "devicecomm/bidi/bidi_def_trays.h"
#include "devicecomm/bidi/bidi_ini_file.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/window/commctrl.h"
#include "platform/window/propsheet/prsht.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_arrays.h"
#include "jobsettings/devmode/devmode_defaults.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_open.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/files/file_helpers.h"
#include "storage/files/path_builders.h"
#include "storage/install/kesm_inst.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/properties/printer_properties.h"
#include "storage/ini/profile.h"
#include "storage/system/system_info.h"
#include "ui/entry/dll_entry.h"
#include "ui/entry/entry_scope.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"
#include "ui/sheets/sheet_internal.h"
#include "ui/sheets/sheet_protocol.h"

namespace {

constexpr const WCHAR* kInstallIni = u"kesmins.ini";
constexpr const WCHAR* kKeyInstallDone = u"KesmInstDone";
constexpr const WCHAR* kKeyDisplayLanguage = u"DispLang";
constexpr int kInstallValuesTaken = 1;
constexpr int kInstallValuesWaiting = 0;
constexpr WORD kFuncLanguageId = 169;  // kdmLanguageID
constexpr WORD kSheetIconId = 64082;
constexpr WORD kSheetFlags = PSUIHDRF_PROPTITLE | PSUIHDRF_NOAPPLYNOW;
constexpr LONG kFailed = -1;

// The install INI names, per printer, a display language already taken
// over, or values a set-up program left to be taken now.
void TakeInstallIni(UCB* ucb) {
  WCHAR path[MAX_PATH] = {};
  if (AddSystemDirToFileNameEx2(path, MAX_PATH, kInstallIni, ucb) == nullptr || path[0] == 0) return;
  if (!_IsFileExist(path)) return;
  LPCWSTR printer = ucb->pWork->szPrinterName;
  const auto done = static_cast<BYTE>(KM_UM_GetPrivateProfileInt(printer, kKeyInstallDone, -1, path));
  if (done == kInstallValuesTaken) {
    const auto language = static_cast<BYTE>(KM_UM_GetPrivateProfileInt(printer, kKeyDisplayLanguage, 0, path));
    SetDevmodeValueDirectByFuncID(ucb, kFuncLanguageId, language);
  } else if (done == kInstallValuesWaiting) {
    KesmInstProcForInstall(printer, ucb);
  }
}

bool IsClientMode(const UCB* ucb) { return GetKDMServerClientMode(ucb) == 1; }

// Whether the device has answered: the fallback INI's flag while it keeps
// one (and this is no client of a server's printer), else printer data's.
bool BidiKnown(UCB* ucb) {
  if (!IsClientMode(ucb) && IsBidiFlagDataRead(ucb)) return GetBidiFlagDataFromFile(ucb) != FALSE;
  return IsBidiDoneOperationBefore(ucb->hPrinter, ucb) != FALSE;
}

void ForgetPageWindows(UCB* ucb) {
  TL* tabs = ucb->pTL;
  for (int t = 0; tabs != nullptr && t < tabs->count; ++t) {
    TCB& tab = tabs->pTCB[t];
    tab.hWnd = nullptr;
    for (int i = 0; i < tab.itemCount; ++i) tab.pICB[i].hWnd = nullptr;
  }
}

}  // namespace

namespace kesm_sheet {

UCB* OpenSheetContext(HANDLE printer) {
  UCB* ucb = kesm_entry::OpenDescribedContext(printer, kesm_entry::kModeSheet);
  if (ucb == nullptr) return nullptr;
  kesm_entry::EnsureOwnDevmode(ucb);
  RefreshIniFile(ucb);
  TakeInstallIni(ucb);
  SetKDMTSE(ucb, IsTSE(printer) ? 1 : 0);
  SetKDMAdmin(ucb, KesmIsAdmin(ucb) ? 1 : 0);
  if (!IsClientMode(ucb) && GetBidiFlagDataFromFile(ucb)) GetBidiPrinterDataFromIni(ucb);
  return ucb;
}

void KeepHost(UCB* ucb, const PROPSHEETUI_INFO* info, WORD sheetKind) {
  SHEETSLOTS& sheet = ucb->pWork->sheet;
  sheet.pfnComPropSheet = info->pfnComPropSheet;
  sheet.hComPropSheet = info->hComPropSheet;
  sheet.fApplied = 0;
  sheet.wSheetKind = sheetKind;
  ucb->pWork->dialog.wStartPageId = 0;
}

void NoteOsKind(UCB* ucb) {
  if (IsOsLaterWin2000()) {
    SetKDMOSKind2000(ucb);
  } else {
    SetKDMOSKindNT(ucb);
  }
}

bool DefaultTraysPending(UCB* ucb) { return !GetBidiFlagDefTrays(ucb) && BidiKnown(ucb); }

DCB* NewSnapshot() { return static_cast<DCB*>(GetMemPtr(sizeof(DCB))); }

void TakeSnapshot(UCB* ucb, DCB* snapshot) {
  if (snapshot != nullptr && ucb->pDCB != nullptr) CopyDcbImage(snapshot, ucb->pDCB);
}

void RestoreSnapshot(UCB* ucb, DCB* snapshot) {
  if (snapshot != nullptr && ucb->pDCB != nullptr) CopyDcbImage(ucb->pDCB, snapshot);
  FreeSnapshot(snapshot);
}

void FreeSnapshot(DCB* snapshot) {
  if (snapshot == nullptr) return;
  FreeDcbArrays(snapshot);
  FreeMemPtr(snapshot);
}

void EndSheetContext(PROPSHEETUI_INFO* info) {
  UCB* ucb = SheetContext(info);
  info->UserData = 0;
  if (ucb == nullptr) return;
  if (ucb->pWork != nullptr) {
    FreeSnapshot(ucb->pWork->sheet.pDefTraySnapshot);
    ucb->pWork->sheet = SHEETSLOTS{};
    ucb->pWork->dialog.wStartPageId = 0;
  }
  ForgetPageWindows(ucb);
  // The context may be parked for the next call on this printer: it goes
  // back to the stored settings, so that edits the user cancelled (or that
  // only the caller's DEVMODE took) are no later call's settings.
  if (ucb->pDCB != nullptr) {
    InitDefaultDevmode(ucb);
    FreeReg(ucb);
    GetReg(ucb);
    GetDCB2(ucb);
  }
  FreeUcb(ucb);
}

LONG InfoHeader(PROPSHEETUI_INFO* info, LPARAM lParam, LPWSTR printerName) {
  auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
  if (SheetContext(info) == nullptr || header == nullptr) return kFailed;
  header->Flags = kSheetFlags;
  // A header without the printer's name (the old printer-properties call
  // gives none) is titled with the context's.
  header->pTitle = printerName != nullptr ? printerName : SheetContext(info)->pWork->szPrinterName;
  header->hInst = ghInstance;
  header->IconID = kSheetIconId;
  return 1;
}

LONG SetResult(PROPSHEETUI_INFO* info, LPARAM lParam) {
  if (const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam)) {
    info->Result = static_cast<ULONG_PTR>(result->Result);
  }
  return 1;
}

LONG OtherReason(const PROPSHEETUI_INFO* info) {
  constexpr WORD kLastKnownReason = 4;
  if (info->Reason <= kLastKnownReason) return kFailed;
  return SheetContext(info) != nullptr ? 1 : kFailed;
}

void ReportAccepted(PROPSHEETUI_INFO* info, UCB* ucb) {
  info->Result = CPSUI_OK;
  const SHEETSLOTS& sheet = ucb->pWork->sheet;
  if (sheet.pfnComPropSheet != nullptr) sheet.pfnComPropSheet(sheet.hComPropSheet, CPSFUNC_SET_RESULT, 0, CPSUI_OK);
}

}  // namespace kesm_sheet

int AddTabGroup(UCB* ucb, WORD kind) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pTL == nullptr) return 0;
  const SHEETSLOTS& sheet = ucb->pWork->sheet;
  if (sheet.pfnComPropSheet == nullptr || sheet.hComPropSheet == nullptr) return 0;
  ucb->pWork->dialog.fOk = 0;
  // The pages hold tree views, track bars and list views.
  InitCommonControls();
  int added = 0;
  for (int t = 0; t < ucb->pTL->count; ++t) {
    const TCB& tab = ucb->pTL->pTCB[t];
    if ((static_cast<WORD>(tab.kind) & kind) == 0 || GetTcbStatusIsHide(ucb, tab.groupId)) continue;
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(PROPSHEETPAGEW);
    page.dwFlags = PSP_HASHELP;
    page.hInstance = GetResDll(ucb);
    page.pszTemplate = MAKEINTRESOURCEW(tab.tabId);
    page.pfnDlgProc = PropertySheetProc;
    page.lParam = reinterpret_cast<LPARAM>(ucb);
    HPROPSHEETPAGE made = CreatePropertySheetPageW(&page);
    if (made == nullptr) continue;
    if (sheet.pfnComPropSheet(sheet.hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, reinterpret_cast<LPARAM>(made), 0) != 0) {
      ++added;
    } else {
      DestroyPropertySheetPage(made);
    }
  }
  return added;
}
