// Questions the rest of the driver asks of a context's compiled
// description: a setting's UI group, its type, default and options, paper
// sizes and printable areas, the resource library name and the font
// tables. A context without a description finds no group in any of them.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/bkpd_work.h"
#include "settings/context/context_arrays.h"

struct UCB;

// --- Group lookups ----------------------------------------------------------

// The UI group of a function id: ids with a header slot are answered from
// the slot, any other id by the first group in list order that carries it.
// Null for id 0.
const UiGroup* _GetUiGroupAddrByFuncID(WORD funcId, const UCB* ucb);
const UiGroup* BKPDGetUiGroupAddrByFuncID(WORD funcId, const UCB* ucb);
// The first UI group in list order with that group keyword id (a sub-group
// comes before its main group), or null.
const UiGroup* _GetUiGroupAddr(WORD groupId, const UCB* ucb);
const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb);
// The group of the function id of the context's index-th setting record;
// null for an index outside the list.
const UiGroup* BKPDGetUiGroupAddrBySFCBIndex(const UCB* ucb, int index);
// The exclusive record with that group keyword id, or null.
const ExclusiveRecord* _GetExclusiveAddr(WORD groupId, const UCB* ucb);
// The item-list entry of the record with that option value, or null.
const ExclusiveItem* _GetOptionAddr(const ExclusiveRecord* record, WORD optionValue, const UCB* ucb);

// --- Group properties -----------------------------------------------------

// The group's type word without the Identity and TypeUnknown flags; 0
// without a group. The underscored form keeps the flags.
WORD BKPDGetGroupTypeByFuncID(WORD funcId, const UCB* ucb);
WORD _BKPDGetGroupTypeByFuncID(WORD funcId, const UCB* ucb);
// The group's default by the low byte of its type: the option value at the
// default index for the list kinds (PickOne, PickPage, PickSlot, FontTbl;
// 0 when the list is shorter), the Boolean default, the Numeric default
// (its second number), the String default word; 0 otherwise.
LONG BKPDGetGroupDefaultByFuncID(WORD funcId, const UCB* ucb);
// The same question on a work description being compiled: the first group
// of the function id in list order.
LONG _GetGroupDefault(WORD funcId, const WorkBKPD* work);
// The group's option list (a UiOption chain for the list kinds) or value
// data (UiBooleanValue, UiNumericValue, UiStringValue); null without a
// group. For the kinds whose masked type has bit 0 set the default index
// goes to *defaultIndex when it is given.
LPCVOID BKPDGetGroupOptionsByFuncID(WORD funcId, const UCB* ucb, WORD* defaultIndex);
// The number of options of the group's list: -1 without a group, 0 for the
// value kinds and an empty list.
int BKPDGetUiOptionCountByFuncID(WORD funcId, const UCB* ucb);
int _GetUiOptionCount(PCBKPD b, const UiGroup* group);
// The description's resource library name ("UIResDLLName"), or null.
LPCWSTR BKPDGetUIResDll(UCB* ucb);

// --- Paper sizes and printable areas --------------------------------------

// A paper size in the units the description or the display gives it.
struct MMPAPERSIZE {
  DWORD width;
  DWORD length;
};

// The printable area of a paper option (value = the option's value) of the
// paper group (the group of setting 8) at the current resolution (setting
// 38) and orientation (setting 7): the rectangle {left, top, right, bottom}
// and the record's two further values. An area given only for the other
// orientation is answered transposed. 1, or 0 when there is no such paper
// option or area. The three names are one operation.
int _GetPaperArea(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue);
int GetPaperAreaForOutPaper(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue);
int GetPaperAreaForSrcPaper(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue);
// The size of the paper option that a setting holds (funcId, or with 0 the
// paper group's own setting), width and length exchanged in landscape
// (setting 7 holding 2). 1, or 0 when there is no such option.
int _GetmmPaperArea(const UCB* ucb, MMPAPERSIZE* size, WORD funcId);
// The size of the paper (setting 8): a free size by GetmmPaperAreaFreeSize,
// any other from the description.
int GetmmPaperArea(UCB* ucb, MMPAPERSIZE* size);
// The size of the output paper (setting 46): "same as the source" gives
// the source size, a free size the destination free size, any other value
// the size of that paper in the description. Nothing is written to the
// context's settings.
int GetmmPaperAreaDst(UCB* ucb, MMPAPERSIZE* size);
// The width and length of a free size in the display unit (setting 171):
// the source form from the stored free size, or the DEVMODE's own paper
// width and length when the DEVMODE does not name a registered one; the
// destination form from the output free size. Always 1.
int GetmmPaperAreaFreeSize(UCB* ucb, MMPAPERSIZE* size, WORD paperValue, BOOL source);
int _GetmmPaperAreaFreeSize(UCB* ucb, MMPAPERSIZE* size, WORD paperValue);
int _GetmmPaperAreaFreeSizeDst(UCB* ucb, MMPAPERSIZE* size, WORD paperValue);

// --- Fonts ------------------------------------------------------------------

// New zero-filled arrays for the caller (FreeMemPtr). The fonts up to the
// first empty table entry; null and a count of 0 when there are none or
// memory is short.
KESMFONT* BKPDGetDeviceFont(UCB* ucb, DWORD* count);
KESMFONT* BKPDGetOptionFont(UCB* ucb, DWORD* count);
// The pairs of the first option with pairs in the first FontTbl group; null
// with the count untouched when there is none, null and 0 when memory is
// short.
KESMFONTPAIR* BKPDGetFontTable(UCB* ucb, DWORD* count);
