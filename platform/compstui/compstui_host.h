// The common property-sheet host's entry point, the built-in module
// "compstui.dll": it asks the driver's sheet callback for its pages
// (PROPSHEETUI_REASON_INIT, through the host's ComPropSheet functions) and
// its title (GET_INFO_HEADER), runs them as one modal property sheet, lets
// the driver finish (DESTROY) and hands back the result the driver left in
// its PROPSHEETUI_INFO.
#pragma once

#include "platform/compstui/compstui.h"
#include "platform/spooler/printer_interface.h"

// Answers CPSUI_OK when the sheet ran (or had no pages to show),
// CPSUI_CANCEL when the driver's INIT failed (the result word is then left
// as it was), ERR_CPSUI_GETLASTERROR for no callback (ERROR_INVALID_PARAMETER)
// or a sheet that could not be shown. `result`, when given, receives the
// driver's Result after DESTROY.
LONG CommonPropertySheetUIW(HWND hWndOwner, PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam, DWORD* pResult);
