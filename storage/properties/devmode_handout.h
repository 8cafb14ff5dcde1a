// The result of a property sheet handed out: the document DEVMODE into the
// caller's output DEVMODE (with the collation it can offer), the document
// settings and the printer-wide settings into their stores, and the result
// reported to the sheet's host. The sheet's call is what the property-sheet
// protocol keeps in the work area (SHEETSLOTS). Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Re-derives the private settings for the call kind (kDeriveSheetResult or
// kDeriveSheetApply), then SetDefaultDevmodeToOut2.
// SetDefaultDevmodeToOut2000 is kind kDeriveSheetResult.
BOOL SetDefaultDevmodeToOut(UCB* ucb, DWORD kind);
BOOL SetDefaultDevmodeToOut2000(UCB* ucb);
// SetDefaultDevmodeToOut3, then the document settings to their stores;
// TRUE when both succeeded.
BOOL SetDefaultDevmodeToOut2(UCB* ucb);
// Does nothing (TRUE) unless the sheet's fMode holds DM_UPDATE or DM_COPY.
// With DM_COPY the application blocks are refreshed and the job codes go
// back to the job-code library. With DM_COPY, or for a context opened by
// the document sheet, the document DEVMODE goes into the output DEVMODE at
// the sizes of the input DEVMODE (whole without one) and the output's
// collation is set from the settings, unless an application (not a sheet)
// gave DM_COLLATE itself. With DM_UPDATE alone an output, when given, is
// filled the same way and the collation rule applies to the context's own
// DEVMODE. FALSE when the output buffer cannot hold what goes into it (it
// is then left as it was).
BOOL SetDefaultDevmodeToOut3(UCB* ucb);
// Re-derives the private settings for the printer sheet and writes the
// printer-wide settings and font sets; TRUE when written.
BOOL SetPrinterPropertyToOutNT(UCB* ucb);
// The apply path of a sheet: the printer sheet refreshes the default
// presets and writes the printer properties; the document sheet exchanges
// the job codes with the job-code library and hands its DEVMODE out.
BOOL SetDefaultDevmodeToOut2000Apply(UCB* ucb);
// Applies the sheet's settings once the user confirmed a page: marks the
// sheet applied, runs the apply path, takes the saved state afresh, brings
// the job codes back and keeps the present-UI-mode flag as it was. Reports
// CPSUI_OK to the host when it gave its callback and the sheet is the
// printer sheet or a document sheet asked for DM_UPDATE or DM_COPY.
// Returns the apply path's result.
BOOL ModifyDefaultDevmode2000(UCB* ucb);
#endif
