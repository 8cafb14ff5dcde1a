// The default trays a device reports (cover, inserter, reverse cover and
// chapter trays): which of the marked trays is chosen, and their copy into
// the input-tray settings of the document unless the device set them.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Device tray codes by preference; 17 codes.
inline constexpr int kBidiTrayOrderCount = 17;

// The marked code that comes first in the tray order (ties to the earlier
// tray, codes outside the order and zeros skipped), or 0.
DWORD _SerchTrayOrder(const DWORD* codes, DWORD count);
// Store the default-tray value of the chosen tray (code 3 when none) in
// kdmCoverDefTray (10276), kdmMPDefTray (10277) or kdmReverseCoverDefTray
// (10288).
BOOL SetCoverDefTray(const DWORD* codes, DWORD count, UCB* ucb);
BOOL SetMPDefTray(const DWORD* codes, DWORD count, UCB* ucb);
BOOL SetReverseCoverDefTray(const DWORD* codes, DWORD count, UCB* ucb);
// Feature-module events 9 and 10.
BOOL SetChapterDefTray(DWORD bits, DWORD defTray, DWORD* bidiFunc, UCB* ucb);
BOOL SetDefaultChapterDefTray(UCB* ucb);

// The mark that the device set the default trays: the fallback INI's
// "BidiExFlag" when the context is not in client mode and the INI holds
// it, else printer data "BidiExFlag".
BOOL SetBidiFlagDefTrays(UCB* ucb);
// TRUE when the mark is set, or when printer data cannot be written.
BOOL GetBidiFlagDefTrays(UCB* ucb);
// Stores the value unless the mark is set; TRUE when stored.
BOOL SetDefTrayToOriginalInputTray(WORD funcId, LONG_PTR value, UCB* ucb);
// Copies the default trays into the input-tray settings (cover and back
// cover, inserter, reverse cover; the chapter tray also into the settings
// INI) unless the device set them.
BOOL SetDefTraysToOriginalInputTray(UCB* ucb);
#endif
