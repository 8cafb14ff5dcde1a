// What the scroll, spin, track and edit kinds read from their item: the
// numeric or string data of its description group, whether it shows a
// length, the display scale of lengths, its unit text, its states, and the
// numbered module functions through which the feature modules take over a
// size item's range and value. Internal to ui/engine/numbers/.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace numbers {

// The fields of a numeric group's value record that the controls use. For
// a length the range is in 1200-dpi dots.
struct NumericData {
  WORD unitId;     // string id of the unit text, 0 none
  WORD maxDigits;  // characters a number edit takes, without the unit
  LONG scale;      // 1, 10, 100, ...: 10 to the number of decimals
  WORD pageSize;   // 0 none
  LONG min;
  LONG max;
};

// The kinds act only for an item with a setting and a window.
inline bool IsBound(const UCB* ucb, const ICB* icb) {
  return ucb != nullptr && icb != nullptr && icb->pSFCB != nullptr && icb->hWnd != nullptr;
}

// False when the item has no numeric group.
bool GetNumericData(const UCB* ucb, const ICB* icb, NumericData* out);
// The string record of the item's string group, or null.
const UiStringValue* GetStringData(const UCB* ucb, const ICB* icb);

// A size item shows a length in the display unit.
inline bool IsSizeItem(const ICB* icb) { return (icb->flags & kIcbSizeItem) != 0; }
// The scale lengths are shown with: 10 in millimetres, 100 in inches.
LONG SizeScale(const UCB* ucb);

bool IsHidden(const ICB* icb);
bool IsDisabled(const ICB* icb);
// The setting's changed mark is set.
bool IsMarkedChanged(const SFCB* sfcb);

// The resource string of the unit, at most 15 characters; empty for 0.
std::u16string UnitText(const UCB* ucb, WORD unitId);
std::u16string WindowText(HWND window);

// Module function `code` with a record {item, value}: the value the module
// answered, or 0 when none did.
LONG AskModules(UCB* ucb, ICB* icb, DWORD code);
// Module function `code` told a value.
void TellModules(UCB* ucb, ICB* icb, DWORD code, LONG value);

// The page the item lives on (its window's parent).
HWND PageOf(const ICB* icb);

}  // namespace numbers
