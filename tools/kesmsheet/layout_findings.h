// What a person would see wrong in a dialog the engine has filled: the
// findings of one open dialog window, and of the tables the dialog engine
// reads (captions, hints, pop-ups, alerts, value lists, pictures) against
// the printer's resource and bitmap libraries.
#pragma once

#include <string>
#include <vector>

#include "platform/window/winuser.h"

struct UCB;

namespace kesmsheet {

enum class FindingKind {
  // Layout: the dialog definitions' to mend.
  kTooNarrow,    // a caption wider than its control with the dialog's font
  kOverlap,      // two sibling controls overlap (a frame around its controls excepted)
  kOutside,      // a control not wholly inside its dialog
  kPlaceholder,  // "Item 4", "Option 2", or a setting's identifier spelled out
  kNoLabel,      // a control that shows text, with none, and no item to fill it
  // Owned by the strings, pictures and the sample.
  kNoText,         // an item that shows text, with none
  kEmptyEntry,     // a list or combo entry without text
  kMissingString,  // a string id a table names that the resource library lacks
  kMissingPicture, // a picture id used that no library holds
  kFlatPicture,    // a picture of one colour
};

struct FindingKindInfo {
  FindingKind kind;
  const char* name;  // how the report names it
  bool layout;       // a layout finding (printed) or one that fails the check
};

// One row per kind, in the enum's order.
extern const FindingKindInfo kFindingKinds[10];
const FindingKindInfo& InfoOf(FindingKind kind);

struct Finding {
  WORD dialog = 0;  // the tab id; 0 for the tables no dialog owns (alerts)
  FindingKind kind = FindingKind::kTooNarrow;
  std::string what; // names the control(s) or the id
};

// The findings of an open dialog (a page, a modal dialog, a file dialog and
// its extension) under the tab id; ucb, when given, tells its items. The
// number of controls it shows.
int InspectDialog(HWND dialog, WORD tabId, UCB* ucb, std::vector<Finding>& findings);

// The string and picture ids of the static tables that the context's
// libraries lack: captions' pop-ups and hints of every tab's items and the
// value lists of their settings under the tab, the alerts and the painted
// pictures under 0.
void CheckTableIds(UCB* ucb, std::vector<Finding>& findings);

// Whether a caption is a placeholder or an identifier spelled out.
bool IsMachineMadeCaption(const std::u16string& caption);

}  // namespace kesmsheet
