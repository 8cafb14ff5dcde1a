// Job settings derived from others after validation: the private
// re-derivation of paper areas, resolutions, duplex and media type from the
// chosen settings, and whether collation can be offered.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Call kinds of the private re-derivation.
inline constexpr DWORD kDeriveDefaults = 1;     // defaults are built
inline constexpr DWORD kDeriveValidated = 2;    // after a request or a prompt
inline constexpr DWORD kDeriveSheetResult = 3;  // a sheet's settings are handed out
inline constexpr DWORD kDeriveSheetApply = 4;   // a document sheet's page is applied

// Re-derives the private settings of the DEVMODE for a call kind, then its
// public duplex and media type.
void SetValidatePrivateDMEx(DEVMODEW* dm, UCB* ucb, DWORD kind);
// TRUE when collation can be chosen under the current settings.
BOOL IsValidateCollate(UCB* ucb);
