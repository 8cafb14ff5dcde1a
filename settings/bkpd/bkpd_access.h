// The one way into a loaded compiled description. A PCBKPD is a block that
// UnpackPpdData (settings/bkpd/bkpd_load.h) accepted; its links stay offsets and
// these accessors turn them into pointers, checking every one against the
// block's bounds and alignment. A link of 0, or one that does not fit,
// gives null.
#pragma once

#include <span>

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

using PCBKPD = const BKPDHEADER*;

// --- Links --------------------------------------------------------------

// The record of type T at a plain offset.
template <class T>
const T* BkpdRecord(PCBKPD b, DWORD offset) {
  if (b == nullptr || offset < kBkpdHeaderSize || offset % kBkpdAlign != 0 ||
      offset > b->totalSize || b->totalSize - offset < sizeof(T)) {
    return nullptr;
  }
  return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(b) + offset);
}

// The record of type T at a tagged offset.
template <class T>
const T* BkpdTaggedRecord(PCBKPD b, DWORD tagged) {
  if (!BkpdIsTagged(tagged)) {
    return nullptr;
  }
  return BkpdRecord<T>(b, BkpdUntag(tagged));
}

// Offset of a record inside the block (for identity and for links).
DWORD BkpdOffsetOf(PCBKPD b, const void* record);

// Zero-terminated strings at a plain offset.
LPCSTR BkpdAnsi(PCBKPD b, DWORD offset);
LPCWSTR BkpdWide(PCBKPD b, DWORD offset);

// --- Header ---------------------------------------------------------------

LPCWSTR BkpdVersion(PCBKPD b);
LPCWSTR BkpdUiResDllName(PCBKPD b);
LPCWSTR BkpdExcDepDllName(PCBKPD b);
// Whether the function id has a header slot.
bool BkpdHasSlot(WORD funcId);
// The group in the function id's header slot; null without a slot or group.
const UiGroup* BkpdSlotGroup(PCBKPD b, WORD funcId);

// --- UI groups ------------------------------------------------------------

const UiGroup* BkpdFirstGroup(PCBKPD b);
const UiGroup* BkpdNext(PCBKPD b, const UiGroup* g);
const UiCommandPair* BkpdGroupCommands(PCBKPD b, const UiGroup* g);
const ExclusiveRecord* BkpdGroupExclusive(PCBKPD b, const UiGroup* g);

// The option list of a list kind (PickOne, PickMany, PickPage, PickSlot,
// FontTbl); null for the other kinds.
const UiOption* BkpdFirstOption(PCBKPD b, const UiGroup* g);
const UiOption* BkpdNext(PCBKPD b, const UiOption* o);
// The whole option record when the group is of that kind.
const UiPageOption* BkpdPageOption(PCBKPD b, const UiGroup* g, const UiOption* o);
const UiSlotOption* BkpdSlotOption(PCBKPD b, const UiGroup* g, const UiOption* o);
const UiFontTblOption* BkpdFontTblOption(PCBKPD b, const UiGroup* g, const UiOption* o);
// The value data of a Boolean, Numeric or String group.
const UiBooleanValue* BkpdBooleanValue(PCBKPD b, const UiGroup* g);
const UiNumericValue* BkpdNumericValue(PCBKPD b, const UiGroup* g);
const UiStringValue* BkpdStringValue(PCBKPD b, const UiGroup* g);

const UiPageArea* BkpdFirstPageArea(PCBKPD b, const UiPageOption* o);
const UiPageArea* BkpdNext(PCBKPD b, const UiPageArea* a);
std::span<const WORD> BkpdSlotPapers(PCBKPD b, const UiSlotOption* o);
// Entry i of a font-table option's name arrays; null past the count or for
// an empty entry.
LPCSTR BkpdFontTblTrueType(PCBKPD b, const UiFontTblOption* o, DWORD i);
LPCSTR BkpdFontTblDevice(PCBKPD b, const UiFontTblOption* o, DWORD i);

// --- Exclusive section ----------------------------------------------------

const ExclusiveRecord* BkpdFirstExclusive(PCBKPD b);
const ExclusiveRecord* BkpdNext(PCBKPD b, const ExclusiveRecord* e);
// The tokens of a judge through its end token; empty for no judge.
std::span<const JudgeToken> BkpdJudge(PCBKPD b, DWORD taggedJudge);
const ExclusiveItem* BkpdItemList(PCBKPD b, DWORD tagged);
const ExclusiveItem* BkpdNext(PCBKPD b, const ExclusiveItem* i);
const ExclusiveAction* BkpdActionList(PCBKPD b, DWORD tagged);
const ExclusiveAction* BkpdNext(PCBKPD b, const ExclusiveAction* a);
const ExclusiveTransact* BkpdTransactList(PCBKPD b, DWORD tagged);
const ExclusiveTransact* BkpdNext(PCBKPD b, const ExclusiveTransact* t);
const ExclusiveAlertAction* BkpdAlertActionList(PCBKPD b, DWORD tagged);
const ExclusiveAlertAction* BkpdNext(PCBKPD b, const ExclusiveAlertAction* a);
const ExclusiveAlert* BkpdAlertList(PCBKPD b, DWORD tagged);
const ExclusiveAlert* BkpdNext(PCBKPD b, const ExclusiveAlert* a);

// --- Other section --------------------------------------------------------

const BKPDCOMMANDGROUP* BkpdCommandGroup(PCBKPD b, BkpdCommandGroupIndex which);
// The entries of a command group's two lists.
const CmdEntryHead* BkpdCommandMain(PCBKPD b, const BKPDCOMMANDGROUP* g);
const CmdEntryHead* BkpdCommandElse(PCBKPD b, const BKPDCOMMANDGROUP* g);
const CmdEntryHead* BkpdNext(PCBKPD b, const CmdEntryHead* e);
// An entry as the record of its type; null for another type.
const CmdGroupEntry* BkpdAsGroupEntry(PCBKPD b, const CmdEntryHead* e);
const CmdStringEntry* BkpdAsStringEntry(PCBKPD b, const CmdEntryHead* e);
const CmdNestedEntry* BkpdAsNestedEntry(PCBKPD b, const CmdEntryHead* e);
// The pool bytes of a string entry (its terminating zero included).
std::span<const BYTE> BkpdCommandText(PCBKPD b, const CmdStringEntry* e);
const BKPDCOMMANDGROUP* BkpdNestedGroup(PCBKPD b, const CmdNestedEntry* e);

// Device fonts (option == false) or option fonts (option == true).
DWORD BkpdFontCount(PCBKPD b, bool option);
// Font i; null past the count or for an empty table entry (a table ends at
// its first empty entry).
const BKPDFONT* BkpdFont(PCBKPD b, bool option, DWORD i);
