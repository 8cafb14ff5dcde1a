// What the install steps keep per printer context, in its work area: the
// values taken from the install INI (or derived from the user's locale),
// the driver-install INI path, the model name of the bidi data and the
// marks the batch install leaves for the install sequence. All zero while
// no install step has run.
#pragma once

#include "platform/base/wintypes.h"

// The user code field: eight characters and the terminator.
inline constexpr int kUserCodeChars = 9;
// The bidi model name: 32 characters and the terminator.
inline constexpr int kBidiModelChars = 33;

struct INSTALLRECORD {
  WORD wDispLang;                        // display language
  WORD wDefPaper;                        // default paper (DEVMODE paper size)
  WORD wDefUnit;                         // display unit: 0 mm, 1 inch
  WORD wLocaleID;                        // 1, 2 or 5 (Letter and inch), else 0
  WORD wUserCode;                        // "UserCode": user codes in use
  WORD wUserCodeFIX;                     // "UserCodeFIX": the code is fixed
  WCHAR szUserCode[kUserCodeChars];      // "UserCodeString"
  BYTE fUserCodeInstalled;               // the batch install took a user code
  BYTE fPrintLogNeeded;                  // the install must switch the print log on
  WCHAR szDrvInstIniPath[MAX_PATH];      // the driver-install INI
  WCHAR szBidiModel[kBidiModelChars];    // the model name of the bidi data
};
