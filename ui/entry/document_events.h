// Document events of an application's printer DC: at the start of a
// document and of each page the configuration library hands the rendering
// library what only the user side knows, by private escapes on the DC; the
// job-code document a start opened is ended on every way the document or
// the DC ends. No printer context is opened here.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/printer_dc.h"

// The escape that carries the replace-string table, and its rows.
inline constexpr int kEscapeReplaceStrings = 122;

struct REPLACESTRINGROW {
  WORD funcId;    // 0 ends the table
  WORD stringId;  // in the resource DLL
  WCHAR text[261];
};
static_assert(sizeof(REPLACESTRINGROW) == 526);
inline constexpr int kReplaceStringRows = 4;  // three texts and the end row
inline constexpr int kReplaceStringEscapeBytes = kReplaceStringRows * 526;

// Loads the texts of the replace-string table from the printer's resource
// DLL and sends the table (escape 122).
void EscapeResWithoutUCB(HANDLE printer, HDC dc);
// The resource DLL that the printer-data value "HelpFileName" names in the
// driver directory (its extension replaced by "dll"), loaded into the slot
// when the slot is empty. A name with a folder, a drive or ".." loads
// nothing. Returns the slot.
HMODULE GetResDllWithoutUCB(HANDLE printer, HMODULE* slot);
// Empties buffer (limit characters), then loads the string when the DLL
// can be had.
void LoadStringFromResDllWithoutUCB(HANDLE printer, HMODULE* slot, UINT id, LPWSTR buffer, int limit);
void FreeResDllWithoutUCB(HMODULE module);
