// The document and printer property sheets as the common property-sheet
// host asks for them: a context opened and prepared at INIT with one page
// per shown tab, the sheet's title, what the user accepted written out at
// DESTROY and the context released, and the result the host hands on.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/printer_interface.h"

struct UCB;

// Page kinds AddTabGroup adds.
inline constexpr WORD kDocumentTabs = 1;
inline constexpr WORD kPrinterTabs = 2;

// Adds one page per tab of the kind that the description does not hide,
// in table order; the pages the sheet took. 0 without a context, a work
// area or the host's callback and handle.
int AddTabGroup(UCB* ucb, WORD kind);

// The reasons of each sheet, once the header is known and the per-user
// set-up has run: 1 on success, -1 on failure.
LONG DocumentSheetReason(PROPSHEETUI_INFO* info, LPARAM lParam, DOCUMENTPROPERTYHEADER* header);
LONG DeviceSheetReason(PROPSHEETUI_INFO* info, LPARAM lParam, DEVICEPROPERTYHEADER* header);
