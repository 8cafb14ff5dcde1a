// The work description: what the description compiler builds from the text
// and the packer lays out as a compiled description (settings/bkpd/bkpd_pack.h).
// Plain linked records; every block comes from GetMemPtr and is freed by
// WorkBKPD_Free. A sub-group shares the option data of its main group: the
// pointers it holds are borrowed, and WorkBKPD_Free frees every block once.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/system/memptr.h"

// A reference from one constraint definition to another: kind << 16 |
// number (kinds below), a bare number, or 0 for none.
inline constexpr DWORD kRefJudge = 1;
inline constexpr DWORD kRefItem = 2;
inline constexpr DWORD kRefAction = 3;
inline constexpr DWORD kRefTransact = 4;
inline constexpr DWORD kRefAlert = 5;
inline constexpr DWORD kRefAlertAction = 6;
constexpr DWORD MakeWorkRef(DWORD kind, DWORD number) { return (kind << 16) | (number & 0xFFFF); }

struct WorkJudge {
  WorkJudge* next;
  DWORD number;
  DWORD areaSize;  // bytes of tokens, the end token included
  JudgeToken* tokens;
  DWORD packed;  // packer: offset of the copy, 0 when not written
};

struct WorkItem {
  WorkItem* next;
  WORD optionValue;
  DWORD hideJudge;     // reference
  DWORD disableJudge;  // reference
};

struct WorkAction {
  WorkAction* next;
  WORD targetId;    // function id, or the dialog number of a stop action
  WORD targetKind;  // 0 setting, 1 dialog (stops the transact)
  DWORD value;
};

struct WorkTransact {
  WorkTransact* next;
  DWORD judge;   // reference
  DWORD action;  // reference
};

struct WorkAlert {
  WorkAlert* next;
  DWORD judge;  // reference
  WORD messageId;
  WORD icon;
  WORD buttons;
  WORD timing;
  DWORD alertAction;  // reference
};

struct WorkAlertAction {
  WorkAlertAction* next;
  WORD groupId;  // the message-box result it answers
  DWORD transact;  // reference
  WORD tabId;
  WORD controlId;
};

// A numbered definition and its entries.
template <class Entry>
struct WorkDefinition {
  WorkDefinition* next;
  DWORD number;
  Entry* first;
  DWORD packed;  // packer: offset of the first entry, 0 when not written
};
using WorkItemList = WorkDefinition<WorkItem>;
using WorkActionList = WorkDefinition<WorkAction>;
using WorkTransactList = WorkDefinition<WorkTransact>;
using WorkAlertList = WorkDefinition<WorkAlert>;
using WorkAlertActionList = WorkDefinition<WorkAlertAction>;

struct WorkExclusive {
  WorkExclusive* next;
  WORD groupId;
  DWORD hideJudge;     // references
  DWORD disableJudge;
  DWORD item;
  DWORD alert;
  DWORD transact;
  DWORD transact2;
  DWORD packed;  // packer
};

struct WorkPageArea {
  WorkPageArea* next;
  WORD resolution;
  WORD orientation;
  WORD condGroupId;
  WORD condValue;
  LONG numbers[6];  // left, top, width, height, first, second
};

// One option; the fields after command belong to PickPage, PickSlot and
// FontTbl options.
struct WorkOption {
  WorkOption* next;
  WORD value;
  LPSTR command;  // may be null
  LONG mmWidth;
  LONG mmLength;
  WorkPageArea* areas;
  DWORD paperCount;
  WORD* papers;
  DWORD pairCount;
  LPSTR* trueTypeNames;  // pairCount entries, each may be null
  LPSTR* deviceNames;
};

struct WorkBoolean {
  DWORD defaultValue;
  LPSTR trueCommand;
  LPSTR falseCommand;
};

struct WorkNumeric {
  SHORT lead;
  SHORT first;
  SHORT fifth;
  SHORT sixth;
  SHORT seventh;
  SHORT eighth;
  LONG second;
  LONG third;
  LONG fourth;
};

struct WorkString {
  WORD defaultValue;
  SHORT maxLength;
  WORD inputType;
  WORD displayType;
};

struct WorkCommandPair {
  LPSTR first;
  LPSTR second;
};

struct WorkUiGroup {
  WorkUiGroup* next;
  WORD groupId;
  WORD subGroupId;  // 0 for a main group
  WORD funcId;
  WORD type;
  WORD defaultValue;  // an option index once the group is closed
  WorkCommandPair* commands;
  WorkOption* options;  // choice, page, slot and font-table kinds
  WorkBoolean* boolean;
  WorkNumeric* numeric;
  WorkString* string;
  DWORD packed;         // packer
  DWORD packedOptions;  // packer: offset of the option list or value data
};

struct WorkCommandString {
  WorkCommandString* next;
  DWORD id;
  DWORD length;  // bytes, the terminating zero included
  LPSTR text;
  DWORD packed;  // packer
};

// Command tree nodes.
inline constexpr WORD kWorkCmdNone = 0;  // a conditional item without its block
struct WorkCommandGroup;
struct WorkCommandNode {
  WorkCommandNode* next;
  WORD kind;  // kWorkCmdNone or kCmdGroupType ... kCmdFontType
  WORD groupId;
  SHORT number;
  DWORD stringId;
  WorkCommandGroup* nested;
};

struct WorkCommandGroup {
  DWORD condition;  // judge number, 0 = always
  WorkCommandNode* main;
  WorkCommandNode* elseList;
};

struct WorkFont {
  LONG number;
  LPSTR name;
  DWORD packed;  // packer
};

// A name bound to a definition number ("*Judge 4=IsColour: ..."): compile
// state only, one list per definition kind, freed with the work.
enum WorkMacroKind : DWORD {
  kMacroJudge,
  kMacroItem,
  kMacroAction,
  kMacroTransact,
  kMacroAlertAction,
  kMacroAlert,
  kMacroKindCount,
};
struct WorkMacro {
  WorkMacro* next;
  LPSTR name;
  DWORD number;
};

struct WorkHeader {
  WCHAR version[16];
  WorkUiGroup* groups;
  LPWSTR uiResDllName;
  LPWSTR excDepDllName;
  WorkCommandGroup* commandGroups[kBkpdCommandGroupCount];
  DWORD deviceFontCount;
  WorkFont** deviceFonts;  // deviceFontCount entries, each may be null
  DWORD optionFontCount;
  WorkFont** optionFonts;
};

// The index beside the group list (settings/bkpd/bkpd_work_index.h).
struct WorkGroupIndex;

struct WorkBKPD {
  WORD crc;  // CRC-16 of the text read
  WorkHeader* header;
  LPSTR openGroupKeyword;
  WORD openGroupId;
  WORD openSubGroup;
  DWORD keywordCache;
  WorkCommandString* commandStrings;
  WorkJudge* judges;
  WorkItemList* items;
  WorkActionList* actions;
  WorkTransactList* transacts;
  WorkAlertActionList* alertActions;
  WorkAlertList* alerts;
  WorkExclusive* exclusives;
  WorkMacro* macros[kMacroKindCount];
  WorkGroupIndex* groupIndex;  // compile state: made at the first group lookup, freed with the work
  WorkCommandString* lastCommandString;  // compile state: the last node the compiler appended
};

// Frees records linked by next; null is ignored.
template <class Node>
void WorkChain_Free(Node* node) {
  while (node != nullptr) {
    Node* next = node->next;
    FreeMemPtr(node);
    node = next;
  }
}

// Frees definitions linked by next with their entries; null is ignored.
template <class Entry>
void WorkDefinitions_Free(WorkDefinition<Entry>* list) {
  while (list != nullptr) {
    WorkDefinition<Entry>* next = list->next;
    WorkChain_Free(list->first);
    FreeMemPtr(list);
    list = next;
  }
}

// A zero-filled work description with its header, or null.
WorkBKPD* WorkBKPD_Entry();
// Frees the work description and everything it reaches; null is ignored.
void WorkBKPD_Free(WorkBKPD* work);
// Frees a command tree with its nodes and nested trees; null is ignored.
void WorkCommandGroup_Free(WorkCommandGroup* group);
// Frees every definition macro of the work.
void WorkBKPD_FreeMacros(WorkBKPD* work);
