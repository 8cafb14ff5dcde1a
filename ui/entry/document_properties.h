// Document settings asked for without property sheets: the merge of a
// caller's DEVMODE with the printer's settings and its hand-out, and the
// older document-properties calls that lead either there or to the
// document sheet.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/printer_interface.h"

// Merges and hands out without a dialog: the DEVMODE size when fMode is 0
// or there is no output DEVMODE, 1 on success, -1 on failure.
LONG SimpleDocumentProperties(DOCUMENTPROPERTYHEADER* header);
// With DM_PROMPT the document sheet's result word (starting at -1, so that
// a sheet that never reports is a failure), else SimpleDocumentProperties.
LONG PsDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName, DEVMODEW* out, DEVMODEW* in,
                          DWORD fMode);
// Runs the common property-sheet library's sheet for the callback; its
// result, or -1 when the library or its export is missing (the result word
// is then not written).
LONG CallCompstui(HWND window, PFNPROPSHEETUI callback, LPARAM lParam, LONG* result);
