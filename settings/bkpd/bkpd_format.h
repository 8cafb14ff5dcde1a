// The compiled printer description (BKPD): one contiguous little-endian
// block, which is also the byte layout of the description cache file. It
// holds a 6284-byte header, then the exclusive section (constraint data),
// the UI-group section and the other section (command strings, resource
// library names, command trees, device fonts).
//
// Links are 32-bit byte offsets from the start of the block. A plain offset
// is the offset itself; a tagged offset is (offset << 4) | 1. Both use 0 for
// "none". Tagged offsets are used for every link inside the exclusive
// section and for the judge of a command group; plain offsets everywhere
// else, including the exclusive-record array's own next links.
//
// The block stays in this form in memory: readers resolve links through
// the accessors of settings/bkpd/bkpd_access.h, which check bounds. Every record
// starts on a 4-byte boundary (the packer pads strings and arrays).
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

inline constexpr DWORD kBkpdHeaderSize = 6284;
// Tagged offsets keep 28 bits of offset, so a block stays below 256 MB.
inline constexpr DWORD kBkpdMaxSize = 0x0FFFFFFFu;
inline constexpr DWORD kBkpdAlign = 4;

// Header slot ranges: function ids that have a slot.
inline constexpr WORD kBkpdSlotsAFirst = 1;  // ids 1-598
inline constexpr WORD kBkpdSlotsACount = 598;
inline constexpr WORD kBkpdSlotsBFirst = 10001;  // ids 10001-10385
inline constexpr WORD kBkpdSlotsBCount = 385;
inline constexpr WORD kBkpdSlotsCFirst = 599;  // ids 599-1164
inline constexpr WORD kBkpdSlotsCCount = 566;

// Command groups of the header, in header order.
enum BkpdCommandGroupIndex : DWORD {
  kBkpdJobStart = 0,
  kBkpdJobEnd = 1,
  kBkpdDocReset = 2,
  kBkpdPageStart = 3,
  kBkpdPageEnd = 4,
  kBkpdCommandGroupCount = 5,
};

struct BKPDHEADER {
  WCHAR version[16];        // "FileVersion" text, zero-filled
  DWORD totalSize;          // bytes of the block, header included
  DWORD groupList;          // plain: the first UI group
  DWORD slotsA[kBkpdSlotsACount];  // plain: group of id n at slotsA[n - 1]
  DWORD slotsB[kBkpdSlotsBCount];  // plain: group of id n at slotsB[n - 10001]
  DWORD slotsC[kBkpdSlotsCCount];  // plain: group of id n at slotsC[n - 599]
  DWORD uiResDllName;       // plain: wide string, 0 if absent
  DWORD excDepDllName;      // plain: wide string, 0 if absent
  DWORD commandGroups[kBkpdCommandGroupCount];  // plain: BKPDCOMMANDGROUP
  DWORD deviceFontCount;
  DWORD deviceFontTable;    // plain: deviceFontCount plain offsets of BKPDFONT
  DWORD optionFontCount;
  DWORD optionFontTable;    // plain: optionFontCount plain offsets of BKPDFONT
  DWORD exclusiveList;      // plain: the first ExclusiveRecord, 0 when none
};
static_assert(sizeof(BKPDHEADER) == kBkpdHeaderSize);
static_assert(offsetof(BKPDHEADER, totalSize) == 32);
static_assert(offsetof(BKPDHEADER, groupList) == 36);
static_assert(offsetof(BKPDHEADER, slotsA) == 40);
static_assert(offsetof(BKPDHEADER, slotsB) == 2432);
static_assert(offsetof(BKPDHEADER, slotsC) == 3972);
static_assert(offsetof(BKPDHEADER, uiResDllName) == 6236);
static_assert(offsetof(BKPDHEADER, excDepDllName) == 6240);
static_assert(offsetof(BKPDHEADER, commandGroups) == 6244);
static_assert(offsetof(BKPDHEADER, deviceFontCount) == 6264);
static_assert(offsetof(BKPDHEADER, deviceFontTable) == 6268);
static_assert(offsetof(BKPDHEADER, optionFontCount) == 6272);
static_assert(offsetof(BKPDHEADER, optionFontTable) == 6276);
static_assert(offsetof(BKPDHEADER, exclusiveList) == 6280);

// --- Exclusive section ------------------------------------------------------

// One token of a judge: a postfix expression ends with {3, 10}.
struct JudgeToken {
  WORD kind;   // kJudgeSetting, kJudgeConstant, kJudgeOperator
  WORD value;  // function id, constant or operator code
};
static_assert(sizeof(JudgeToken) == 4);

inline constexpr WORD kJudgeSetting = 1;
inline constexpr WORD kJudgeConstant = 2;
inline constexpr WORD kJudgeOperator = 3;
inline constexpr WORD kJudgeOpEqual = 1;
inline constexpr WORD kJudgeOpNotEqual = 2;
inline constexpr WORD kJudgeOpAnd = 3;
inline constexpr WORD kJudgeOpOr = 4;
inline constexpr WORD kJudgeOpNot = 5;
inline constexpr WORD kJudgeOpGreater = 6;
inline constexpr WORD kJudgeOpLess = 7;
inline constexpr WORD kJudgeOpGreaterEqual = 8;
inline constexpr WORD kJudgeOpLessEqual = 9;
inline constexpr WORD kJudgeOpEnd = 10;
// A judge may hold at most this many values on its evaluation stack.
inline constexpr DWORD kJudgeMaxDepth = 127;
// A judge holds at most this many tokens, its end token included. The
// depth bound alone does not limit a judge's length (a chain of "||" stays
// two values deep), and a judge that names other judges copies their
// tokens, so without a bound a few lines of text could ask for gigabytes.
// Real judges hold a few dozen tokens.
inline constexpr DWORD kJudgeMaxTokens = 4096;

// Per-option hide and disable judges of a group. Entries of one list are
// contiguous.
struct ExclusiveItem {
  DWORD next;          // tagged
  WORD optionValue;
  WORD zero;
  DWORD hideJudge;     // tagged
  DWORD disableJudge;  // tagged
};
static_assert(sizeof(ExclusiveItem) == 16);

// One setting to change; flag 1 stops the transact list and hands funcId
// (then the number of a dialog) to the caller. Entries of one list are
// contiguous.
struct ExclusiveAction {
  DWORD next;  // tagged
  WORD funcId;
  WORD flag;
  DWORD value;
};
static_assert(sizeof(ExclusiveAction) == 12);
inline constexpr WORD kActionStop = 1;

// A judge-guarded action list.
struct ExclusiveTransact {
  DWORD next;        // tagged
  DWORD judge;       // tagged, 0 = always
  DWORD actionList;  // tagged
};
static_assert(sizeof(ExclusiveTransact) == 12);

// What one message-box result of an alert does.
struct ExclusiveAlertAction {
  DWORD next;  // tagged
  WORD result;
  WORD zero;
  DWORD transact;  // tagged
  WORD tabId;
  WORD controlId;
};
static_assert(sizeof(ExclusiveAlertAction) == 16);

// Alert timings.
inline constexpr WORD kAlertAtOnce = 0;
inline constexpr WORD kAlertProperty = 1;
inline constexpr WORD kAlertOkApply = 2;
inline constexpr WORD kAlertDialog = 3;

struct ExclusiveAlert {
  DWORD next;   // tagged
  DWORD judge;  // tagged
  WORD alertId;
  WORD icon;
  WORD button;
  WORD timing;
  DWORD alertActionList;  // tagged
};
static_assert(sizeof(ExclusiveAlert) == 20);

// The constraint data of one UI group. The records form one contiguous
// array; next is the plain offset of the following record.
struct ExclusiveRecord {
  DWORD next;  // plain
  WORD groupId;
  WORD zero;
  DWORD hideJudge;     // tagged
  DWORD disableJudge;  // tagged
  DWORD itemList;      // tagged
  DWORD alertList;     // tagged
  DWORD transact;      // tagged
  DWORD transact2;     // tagged
};
static_assert(sizeof(ExclusiveRecord) == 32);

// --- UI-group section -----------------------------------------------------

// Group types. Flags 0x1000 and 0x2000 may be added to one of the eight
// kinds; kUiTypeFlags masks them off.
inline constexpr WORD kUiPickOne = 0x0001;
inline constexpr WORD kUiPickMany = 0x0002;
inline constexpr WORD kUiBoolean = 0x0004;
inline constexpr WORD kUiNumeric = 0x0008;
inline constexpr WORD kUiString = 0x0010;
inline constexpr WORD kUiPickPage = 0x0101;
inline constexpr WORD kUiPickSlot = 0x0201;
inline constexpr WORD kUiFontTbl = 0x0401;
inline constexpr WORD kUiIdentity = 0x1000;
inline constexpr WORD kUiTypeUnknown = 0x2000;
inline constexpr WORD kUiTypeFlags = kUiIdentity | kUiTypeUnknown;

struct UiGroup {
  DWORD next;  // plain
  WORD groupId;
  WORD subGroupId;  // 0 for a main group
  WORD funcId;
  WORD type;
  WORD defaultIndex;  // choice kinds: 0-based position of the default option
  WORD zero;
  DWORD commands;   // plain: UiCommandPair
  DWORD exclusive;  // plain: ExclusiveRecord
  DWORD options;    // plain: option list or value data, by kind
};
static_assert(sizeof(UiGroup) == 28);

struct UiCommandPair {
  DWORD first;   // plain: ANSI string
  DWORD second;  // plain: ANSI string
};
static_assert(sizeof(UiCommandPair) == 8);

// Option of PickOne and PickMany, and the head of the other option records.
struct UiOption {
  DWORD next;  // plain
  WORD value;
  WORD zero;
  DWORD command;  // plain: ANSI string
};
static_assert(sizeof(UiOption) == 12);

struct UiPageOption {
  UiOption head;
  DWORD width;
  DWORD length;
  DWORD areaList;  // plain: UiPageArea
};
static_assert(sizeof(UiPageOption) == 24);

struct UiPageArea {
  DWORD next;  // plain
  WORD resolution;   // compared with setting 38
  WORD orientation;  // compared with setting 7
  WORD condGroupId;  // 0 = no condition
  WORD condValue;
  DWORD left;
  DWORD top;
  DWORD width;
  DWORD height;
  DWORD first;
  DWORD second;
};
static_assert(sizeof(UiPageArea) == 36);

struct UiSlotOption {
  UiOption head;
  DWORD paperCount;
  DWORD papers;  // plain: paperCount WORDs
};
static_assert(sizeof(UiSlotOption) == 20);

struct UiFontTblOption {
  UiOption head;
  DWORD count;
  DWORD trueTypeNames;  // plain: count plain offsets of ANSI strings
  DWORD deviceNames;    // plain: count plain offsets of ANSI strings
};
static_assert(sizeof(UiFontTblOption) == 24);

struct UiBooleanValue {
  DWORD defaultValue;
  DWORD trueCommand;   // plain: ANSI string
  DWORD falseCommand;  // plain: ANSI string
};
static_assert(sizeof(UiBooleanValue) == 12);

// The numbers of the "NumericValue" keyword, in the order it gives them.
struct UiNumericValue {
  SHORT lead;
  SHORT first;
  SHORT fifth;
  SHORT sixth;
  SHORT seventh;
  SHORT eighth;
  DWORD second;  // the default
  DWORD third;
  DWORD fourth;
};
static_assert(sizeof(UiNumericValue) == 24);

// String input types and display types.
inline constexpr WORD kStrMultiByte = 0x0001;
inline constexpr WORD kStrAscii = 0x0002;
inline constexpr WORD kStrNumeric = 0x0004;
inline constexpr WORD kStrCapital = 0x0008;
inline constexpr WORD kStrSmall = 0x0010;
inline constexpr WORD kStrPassword = 0x0100;
inline constexpr WORD kStrShowCapital = 0x0200;
inline constexpr WORD kStrShowSmall = 0x0400;

struct UiStringValue {
  WORD defaultValue;
  WORD maxLength;
  WORD stringType;
  WORD displayType;
};
static_assert(sizeof(UiStringValue) == 8);

// --- Other section --------------------------------------------------------

// A command tree: the list used when the judge holds, else the other one.
struct BKPDCOMMANDGROUP {
  DWORD judge;     // tagged, 0 = always
  DWORD mainList;  // plain: command data entry
  DWORD elseList;  // plain: command data entry
};
static_assert(sizeof(BKPDCOMMANDGROUP) == 12);

// Command data entries share their first two fields.
inline constexpr WORD kCmdGroupType = 1;   // the command of a setting's current option
inline constexpr WORD kCmdStringType = 2;  // a command string of the pool
inline constexpr WORD kCmdNested = 3;      // a nested command group
inline constexpr WORD kCmdFontType = 4;    // the device-font commands

struct CmdEntryHead {
  DWORD next;  // plain
  WORD type;
};
static_assert(sizeof(CmdEntryHead) == 8);  // with the padding the layouts below fill

struct CmdGroupEntry {
  DWORD next;
  WORD type;
  WORD groupId;
  SHORT number;  // written after the group keyword, 0 when none
  WORD zero;
};
static_assert(sizeof(CmdGroupEntry) == 12);

struct CmdStringEntry {
  DWORD next;
  WORD type;
  WORD zero;
  DWORD length;  // bytes of the string, its terminating zero included
  DWORD text;    // plain: bytes in the pool
};
static_assert(sizeof(CmdStringEntry) == 16);

struct CmdNestedEntry {
  DWORD next;
  WORD type;
  WORD zero;
  DWORD group;  // plain: BKPDCOMMANDGROUP, stored before the entry
};
static_assert(sizeof(CmdNestedEntry) == 12);

struct CmdFontEntry {
  DWORD next;
  WORD type;
  WORD zero;
};
static_assert(sizeof(CmdFontEntry) == 8);

struct BKPDFONT {
  DWORD number;
  DWORD name;  // plain: ANSI string
};
static_assert(sizeof(BKPDFONT) == 8);

// Link encodings.
constexpr DWORD BkpdTag(DWORD offset) { return offset == 0 ? 0 : (offset << 4) | 1; }
constexpr DWORD BkpdUntag(DWORD tagged) { return tagged >> 4; }
constexpr bool BkpdIsTagged(DWORD link) { return link == 0 || (link & 0xF) == 1; }

// The kind of a group: how its option link is laid out. Only the eight
// types above (with the two flags) name a kind; any other combination of
// type words names none and such a group is neither packed nor accepted.
enum class UiKind : BYTE {
  kNone,     // not a packable type
  kChoice,   // PickOne, PickMany: UiOption list
  kBoolean,  // UiBooleanValue
  kNumeric,  // UiNumericValue
  kString,   // UiStringValue
  kPage,     // PickPage: UiPageOption list
  kSlot,     // PickSlot: UiSlotOption list
  kFontTbl,  // FontTbl: UiFontTblOption list
};

UiKind BkpdGroupKind(WORD type);
// Whether a group of this type word can be packed.
BOOL BKPDIsPackableGroupType(WORD type);
// Whether the kind's option link heads a list of option records.
constexpr bool UiKindHasOptionList(UiKind kind) {
  return kind == UiKind::kChoice || kind == UiKind::kPage || kind == UiKind::kSlot ||
         kind == UiKind::kFontTbl;
}

// Tokens of the well-formed judge at the start of `tokens`, its end token
// included, looking at no more than `available` tokens; 0 when there is
// none. Well formed: kinds 1-3 only, operator codes 1-10, at most
// kJudgeMaxDepth values deep, "!" on one value and the other operators on
// two, exactly one value left at the end token {3, 10}, and no more than
// kJudgeMaxTokens tokens.
DWORD BkpdJudgeTokenCount(const JudgeToken* tokens, DWORD available);

// Command groups nest (a conditional item holds a group); a header group
// and the groups below it reach at most this depth.
inline constexpr DWORD kBkpdMaxCommandDepth = 32;
