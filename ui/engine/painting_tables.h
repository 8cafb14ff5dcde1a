// The static tables of the painting helpers: the tray each tray-information
// item describes, the pictures and hints of owner-drawn list entries, and
// the captions of owner-drawn buttons. Internal to ui/engine/.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct TRAYINFO {
  SHORT nControlId;  // 0 ends the table
  SHORT nTrayIndex;  // 0-31, the index of the tray's own printer settings
};
static_assert(sizeof(TRAYINFO) == 4);

// One row per tray-information item, ended by control id 0.
extern const TRAYINFO TrayInfo[];

struct RELATEDRESOURCE {
  WORD wControlId;
  WORD wOptionValue;       // 0 ends the table
  WORD wBitmapId;
  WORD wDisabledBitmapId;  // shown while the item is disabled; 0 none
  WORD wHintId;            // string id; 0 none
};
static_assert(sizeof(RELATEDRESOURCE) == 10);

// The entries of owner-drawn lists that show a picture, ended by option 0.
extern const RELATEDRESOURCE aRelatedResource[];

struct OWNERCTRLSTRING {
  WORD wControlId;  // 0 ends the table
  WORD wCaptionId;  // string id, or kNoOwnerCaption
};
static_assert(sizeof(OWNERCTRLSTRING) == 4);

// A button that shows no caption at all.
inline constexpr WORD kNoOwnerCaption = 0xFFFF;

// The captions of the owner-drawn buttons, ended by control id 0.
extern const OWNERCTRLSTRING OwnerCtrlStringResource[];

// The disabled state of an item (status bits 2-3), as the painters show it.
inline bool IsItemShownDisabled(const ICB* icb) { return icb != nullptr && (icb->status & 0x000C) != 0; }
