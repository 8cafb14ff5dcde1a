// The fixed item sizes of the owner-drawn lists and combo boxes, answered to
// WM_MEASUREITEM by control id.
#pragma once

#include "platform/base/wintypes.h"

struct ODFS {
  WORD itemId;  // control id; 0 ends the table
  SHORT width;  // item width in pixels; 0 or below keeps the system's value
  SHORT height; // item height in pixels; 0 or below keeps the system's value
};
static_assert(sizeof(ODFS) == 6);

// One row per owner-drawn control of the dialogs, ended by id 0.
extern const ODFS OwnerDrawFixedSize[];

const ODFS* GetOwnerDrawFixedSize();
// The first row of the control id, or null when it has none.
const ODFS* GetODFSbyItemID(WORD itemId);
