// Trays by the string id of their name: the tray index (0-31) that selects
// a tray's own printer settings (offered, orientation, paper, media, lock
// at 10111, 10143, 10175, 10207 and 10239 plus the index).
#pragma once

#include "platform/base/wintypes.h"

struct TRAYSTRINGID {
  DWORD trayIndex;
  WORD stringId;  // 0 ends the table
  WORD reserved;
};
static_assert(sizeof(TRAYSTRINGID) == 8);

extern const TRAYSTRINGID tblTrayStringID[];

// The tray index of the first row with the string id; an id the table does
// not know gives the first row's index, 0.
DWORD GetTrayIDbyStringID(WORD stringId);
// The same lookup for a writer of per-tray settings, which must not take an
// unknown id for the first tray: FALSE, *trayIndex untouched, when no row
// has the id.
BOOL FindTrayIndex(WORD stringId, DWORD* trayIndex);
