// What the list and combo kinds share: the messages of each kind's control
// class, the entries a list offers for its UI group, the entry of a value,
// the refusal of a disabled option, and the look of owner-drawn entries.
// Entries work in option ids: an entry's item data (its low 16 bits) is the
// option id, which is also the resource string id of the option's text.
// Internal to ui/engine/kinds/.
#pragma once

#include <span>
#include <string>

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_controls.h"
#include "settings/tables/class_data.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace lists {

// The messages of the control class that serves a kind.
struct ListClass {
  WORD kind;
  UINT reset;
  UINT add;
  UINT setItemData;
  UINT getItemData;
  UINT getCount;
  UINT setCurSel;
  UINT getCurSel;
  UINT getText;
  UINT getTextLength;
  bool optionText;  // an entry's text is its option's string, else empty
};

// The row of a list or combo kind, or null for any other kind.
const ListClass* ListClassOf(WORD kind);

// Refills the control from the item's UI group: every option in order up
// to the first id 0, leaving out those whose hide judge holds, until the
// control holds `limit` entries. Nothing without a window or class.
void FillFromGroup(UCB* ucb, ICB* icb, int limit);
inline constexpr int kNoLimit = 0x7FFFFFFF;

// The first entry whose option id is the value, or -1.
LRESULT EntryOfValue(const ICB* icb, LONG_PTR value);
// The option id of an entry (0 for none).
WORD OptionOfEntry(const ICB* icb, LRESULT entry);
// The selected entry, or -1.
LRESULT SelectedEntry(const ICB* icb);
// Selects the entry of the setting's current value unless it is selected
// already; without such an entry the selection is cleared when asked.
void ShowCurrentValue(UCB* ucb, ICB* icb, bool clearWithoutEntry);
// An entry's text, empty when it has none or it does not fit the scratch
// buffer.
std::u16string EntryText(const ICB* icb, LRESULT entry);
// A resource string of the context, at most a scratch buffer long.
std::u16string ResourceText(const UCB* ucb, UINT id);

// The item's list data, or null.
const CDSPL* ListDataOf(const ICB* icb);
// The item's disabled state (status bits 2-3), or its window disabled.
bool ItemDisabled(const ICB* icb);
// The disable judge of the item's group holds for the option.
bool OptionDisabled(UCB* ucb, const ICB* icb, WORD option);
// A pick of a disabled option is refused, with the item's hint string in an
// information box, when the item has list data with a hint flag and a hint
// string; the entry of the current value is then selected again. True
// when refused.
bool RefuseDisabledOption(UCB* ucb, ICB* icb, WORD option);

// --- Owner-drawn entries --------------------------------------------------

// The fill behind an entry: button face for a disabled item, highlight for
// a selected entry, else the window colour.
COLORREF EntryBackground(const ICB* icb, UINT state);
// The text colour on that fill.
COLORREF EntryTextColour(const ICB* icb, UINT state);
// Fills the entry and makes its colours the DC's; the colours the DC had.
struct DcColours {
  COLORREF text;
  COLORREF back;
};
DcColours PrepareEntry(HDC dc, const RECT& rect, COLORREF back, COLORREF text);
void RestoreColours(HDC dc, DcColours saved);
// The text clipped and opaque in the rectangle, vertically centred, `inset`
// pixels in from its left.
void DrawEntryText(HDC dc, const RECT& rect, const std::u16string& text, int inset = 2);
// A picture of the libraries at the rectangle's left, vertically centred;
// the picture id itself names it.
void DrawPictureAtLeft(UCB* ucb, HDC dc, const RECT& rect, WORD pictureId);
// The same centred both ways.
bool DrawPictureCentred(UCB* ucb, HDC dc, const RECT& rect, WORD pictureId);
// A disabled option of a list with a hint mark: grey text moved right by
// the entry's height, the mark at the left. False when the item's list data
// has no hint flag or mark.
bool DrawDisabledOption(UCB* ucb, const ICB* icb, HDC dc, const RECT& rect, const std::u16string& text);
// The focus frame of an entry when the action or the state asks for it.
void DrawEntryFocus(const DRAWITEMSTRUCT& item);
// An owner-drawing message for this item: the record, or null.
const DRAWITEMSTRUCT* DrawItemFor(const ICB* icb, LPARAM lParam);
// The entry is to be drawn whole or its selection changed.
inline bool DrawsEntry(const DRAWITEMSTRUCT& item) { return (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0; }

// Answers WM_CTLCOLORLISTBOX for the item's own window through the page's
// dialog result: the context's button-face brush while the item is
// disabled, else `enabled`. False for another window.
bool AnswerListColour(UCB* ucb, const TCB* tcb, const ICB* icb, LPARAM control, HBRUSH enabled);
// The same for the owner-drawn list (white) and the preset list (the
// context's white brush): 1 when answered.
int AnswerOwnerListColour(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);

// --- Message rows ---------------------------------------------------------

using ItemMessageHandler = int (*)(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
struct ItemMessageRow {
  UINT message;
  ItemMessageHandler handler;
};
// The row of the message, or 0 (not handled) when none.
int DispatchItemMessage(std::span<const ItemMessageRow> rows, UCB* ucb, TCB* tcb, ICB* icb, UINT message,
                        WPARAM wParam, LPARAM lParam);

}  // namespace lists
