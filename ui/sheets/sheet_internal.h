// What the document and printer sheets share: the context as both open
// and prepare it, the default trays the device reported and the copy of
// the settings that keeps them, and the reasons that read alike for both.
// Internal to ui/sheets/.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/printer_interface.h"

struct UCB;

namespace kesm_sheet {

// A context of the printer with a description, its DEVMODE its own, the
// renamed-printer and install INI work done, the rights noted and the bidi
// data the fallback INI keeps loaded; null when none can be had.
UCB* OpenSheetContext(HANDLE printer);

// The sheet's host and kind in the context, nothing applied yet, and no
// page started; the system's kind in the run-time flags.
void KeepHost(UCB* ucb, const PROPSHEETUI_INFO* info, WORD sheetKind);
void NoteOsKind(UCB* ucb);

// Whether the default trays the device reported are still to be copied
// into the document: the device has answered, but the trays were not taken
// over yet.
bool DefaultTraysPending(UCB* ucb);

// The snapshot of the whole settings (with arrays of their own), or null
// when memory is short; taken again over an existing one.
DCB* NewSnapshot();
void TakeSnapshot(UCB* ucb, DCB* snapshot);
// Puts the snapshot back as the settings and frees it.
void RestoreSnapshot(UCB* ucb, DCB* snapshot);
void FreeSnapshot(DCB* snapshot);

// The sheet's context is done: the snapshot, the sheet's slots and the
// pages' windows are forgotten, and the context leaves the sheet and is
// released.
void EndSheetContext(PROPSHEETUI_INFO* info);

// The context a sheet keeps between INIT and DESTROY, or null.
inline UCB* SheetContext(const PROPSHEETUI_INFO* info) { return reinterpret_cast<UCB*>(info->UserData); }

// GET_INFO_HEADER, SET_RESULT and the reasons no sheet serves.
LONG InfoHeader(PROPSHEETUI_INFO* info, LPARAM lParam, LPWSTR printerName);
LONG SetResult(PROPSHEETUI_INFO* info, LPARAM lParam);
LONG OtherReason(const PROPSHEETUI_INFO* info);

// Reports the result to the host: Result 1, and the host's SET_RESULT.
void ReportAccepted(PROPSHEETUI_INFO* info, UCB* ucb);

// The host's reasons: INIT and DESTROY as each sheet does them, the others
// alike for both.
template <class Init, class Destroy>
LONG ServeReason(PROPSHEETUI_INFO* info, LPARAM lParam, LPWSTR printerName, Init init, Destroy destroy) {
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      return init();
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return InfoHeader(info, lParam, printerName);
    case PROPSHEETUI_REASON_DESTROY:
      return destroy();
    case PROPSHEETUI_REASON_SET_RESULT:
      return SetResult(info, lParam);
    default:
      return OtherReason(info);
  }
}

}  // namespace kesm_sheet
