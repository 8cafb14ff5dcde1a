// The spooler's check of a job before it prints: the job's DEVMODE is
// validated against the printer and its form fields are matched with the
// spooler's form database.
#pragma once

#include <vector>

#include "platform/base/wintypes.h"
#include "platform/spooler/printer_interface.h"
#include "platform/spooler/winspool.h"

// Form names as the job check keeps them: at most 31 characters and the
// terminator, as the DEVMODE's form name holds them.
inline constexpr int kFormNameChars = 32;

// The form a DEVMODE matched, or the custom size it asked for.
struct FORMRECORD {
  FORM_INFO_1W info;  // info.pName points at name
  WCHAR name[kFormNameChars];
};

// Answers of ValidateDevModeForm.
inline constexpr int kFormMatched = 0;
inline constexpr int kFormCustom = 1;
inline constexpr int kFormUndecided = 2;

// The spooler's forms at level 1, in one block; empty when there are none
// or a call fails.
struct DatabaseForms {
  std::vector<BYTE> block;
  DWORD count = 0;
  const FORM_INFO_1W* forms() const { return reinterpret_cast<const FORM_INFO_1W*>(block.data()); }
};
DatabaseForms GetDatabaseForms(HANDLE printer);

// Matches the DEVMODE's form fields with the forms (width and length
// within 1 mm, else paper size as a 1-based form index, else the exact
// form name) and on a match rewrites them from the form. A DEVMODE whose
// dmSize does not reach its form name is not read.
int MatchDevModeForm(const FORM_INFO_1W* forms, DWORD count, DEVMODEW* dm, FORMRECORD* record);
int ValidateDevModeForm(HANDLE printer, DEVMODEW* dm, FORMRECORD* record);
