#include "settings/bkpd/bkpd_access.h"

#include <cstring>

namespace {

const BYTE* Bytes(PCBKPD b) { return reinterpret_cast<const BYTE*>(b); }

// The DWORD at index i of an array of `count` at a plain offset, or 0.
DWORD ArrayEntry(PCBKPD b, DWORD offset, DWORD count, DWORD i) {
  if (i >= count) {
    return 0;
  }
  const auto* first = BkpdRecord<DWORD>(b, offset);
  if (first == nullptr || (b->totalSize - offset) / sizeof(DWORD) <= i) {
    return 0;
  }
  return first[i];
}

bool IsKind(const UiGroup* g, UiKind kind) { return g != nullptr && BkpdGroupKind(g->type) == kind; }

// A list option as the longer record of its group's kind.
template <class T>
const T* OptionAs(PCBKPD b, const UiGroup* g, const UiOption* o, UiKind kind) {
  if (o == nullptr || !IsKind(g, kind)) {
    return nullptr;
  }
  return BkpdRecord<T>(b, BkpdOffsetOf(b, o));
}

template <class T>
const T* ValueOfKind(PCBKPD b, const UiGroup* g, UiKind kind) {
  if (!IsKind(g, kind)) {
    return nullptr;
  }
  return BkpdRecord<T>(b, g->options);
}

template <class T>
const T* EntryAs(PCBKPD b, const CmdEntryHead* e, WORD type) {
  if (e == nullptr || e->type != type) {
    return nullptr;
  }
  return BkpdRecord<T>(b, BkpdOffsetOf(b, e));
}

}  // namespace

DWORD BkpdOffsetOf(PCBKPD b, const void* record) {
  if (b == nullptr || record == nullptr) {
    return 0;
  }
  const auto* p = static_cast<const BYTE*>(record);
  if (p < Bytes(b) || p >= Bytes(b) + b->totalSize) {
    return 0;
  }
  return static_cast<DWORD>(p - Bytes(b));
}

LPCSTR BkpdAnsi(PCBKPD b, DWORD offset) {
  if (b == nullptr || offset < kBkpdHeaderSize || offset >= b->totalSize) {
    return nullptr;
  }
  const BYTE* text = Bytes(b) + offset;
  if (std::memchr(text, 0, b->totalSize - offset) == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<LPCSTR>(text);
}

LPCWSTR BkpdWide(PCBKPD b, DWORD offset) {
  if (b == nullptr || offset < kBkpdHeaderSize || offset % sizeof(WCHAR) != 0 ||
      offset >= b->totalSize) {
    return nullptr;
  }
  const auto* text = reinterpret_cast<LPCWSTR>(Bytes(b) + offset);
  const DWORD units = (b->totalSize - offset) / sizeof(WCHAR);
  for (DWORD i = 0; i < units; ++i) {
    if (text[i] == 0) {
      return text;
    }
  }
  return nullptr;
}

LPCWSTR BkpdVersion(PCBKPD b) {
  if (b == nullptr) {
    return nullptr;
  }
  for (WCHAR c : b->version) {
    if (c == 0) {
      return b->version;
    }
  }
  return nullptr;
}

LPCWSTR BkpdUiResDllName(PCBKPD b) { return b == nullptr ? nullptr : BkpdWide(b, b->uiResDllName); }
LPCWSTR BkpdExcDepDllName(PCBKPD b) { return b == nullptr ? nullptr : BkpdWide(b, b->excDepDllName); }

bool BkpdHasSlot(WORD funcId) {
  return (funcId >= kBkpdSlotsAFirst && funcId < kBkpdSlotsAFirst + kBkpdSlotsACount) ||
         (funcId >= kBkpdSlotsBFirst && funcId < kBkpdSlotsBFirst + kBkpdSlotsBCount) ||
         (funcId >= kBkpdSlotsCFirst && funcId < kBkpdSlotsCFirst + kBkpdSlotsCCount);
}

const UiGroup* BkpdSlotGroup(PCBKPD b, WORD funcId) {
  if (b == nullptr) {
    return nullptr;
  }
  if (funcId >= kBkpdSlotsAFirst && funcId < kBkpdSlotsAFirst + kBkpdSlotsACount) {
    return BkpdRecord<UiGroup>(b, b->slotsA[funcId - kBkpdSlotsAFirst]);
  }
  if (funcId >= kBkpdSlotsBFirst && funcId < kBkpdSlotsBFirst + kBkpdSlotsBCount) {
    return BkpdRecord<UiGroup>(b, b->slotsB[funcId - kBkpdSlotsBFirst]);
  }
  if (funcId >= kBkpdSlotsCFirst && funcId < kBkpdSlotsCFirst + kBkpdSlotsCCount) {
    return BkpdRecord<UiGroup>(b, b->slotsC[funcId - kBkpdSlotsCFirst]);
  }
  return nullptr;
}

const UiGroup* BkpdFirstGroup(PCBKPD b) { return b == nullptr ? nullptr : BkpdRecord<UiGroup>(b, b->groupList); }
const UiGroup* BkpdNext(PCBKPD b, const UiGroup* g) { return g == nullptr ? nullptr : BkpdRecord<UiGroup>(b, g->next); }

const UiCommandPair* BkpdGroupCommands(PCBKPD b, const UiGroup* g) {
  return g == nullptr ? nullptr : BkpdRecord<UiCommandPair>(b, g->commands);
}

const ExclusiveRecord* BkpdGroupExclusive(PCBKPD b, const UiGroup* g) {
  return g == nullptr ? nullptr : BkpdRecord<ExclusiveRecord>(b, g->exclusive);
}

const UiOption* BkpdFirstOption(PCBKPD b, const UiGroup* g) {
  if (g == nullptr || !UiKindHasOptionList(BkpdGroupKind(g->type))) {
    return nullptr;
  }
  return BkpdRecord<UiOption>(b, g->options);
}

const UiOption* BkpdNext(PCBKPD b, const UiOption* o) { return o == nullptr ? nullptr : BkpdRecord<UiOption>(b, o->next); }

const UiPageOption* BkpdPageOption(PCBKPD b, const UiGroup* g, const UiOption* o) {
  return OptionAs<UiPageOption>(b, g, o, UiKind::kPage);
}
const UiSlotOption* BkpdSlotOption(PCBKPD b, const UiGroup* g, const UiOption* o) {
  return OptionAs<UiSlotOption>(b, g, o, UiKind::kSlot);
}
const UiFontTblOption* BkpdFontTblOption(PCBKPD b, const UiGroup* g, const UiOption* o) {
  return OptionAs<UiFontTblOption>(b, g, o, UiKind::kFontTbl);
}

const UiBooleanValue* BkpdBooleanValue(PCBKPD b, const UiGroup* g) {
  return ValueOfKind<UiBooleanValue>(b, g, UiKind::kBoolean);
}
const UiNumericValue* BkpdNumericValue(PCBKPD b, const UiGroup* g) {
  return ValueOfKind<UiNumericValue>(b, g, UiKind::kNumeric);
}
const UiStringValue* BkpdStringValue(PCBKPD b, const UiGroup* g) {
  return ValueOfKind<UiStringValue>(b, g, UiKind::kString);
}

const UiPageArea* BkpdFirstPageArea(PCBKPD b, const UiPageOption* o) {
  return o == nullptr ? nullptr : BkpdRecord<UiPageArea>(b, o->areaList);
}
const UiPageArea* BkpdNext(PCBKPD b, const UiPageArea* a) { return a == nullptr ? nullptr : BkpdRecord<UiPageArea>(b, a->next); }

std::span<const WORD> BkpdSlotPapers(PCBKPD b, const UiSlotOption* o) {
  if (b == nullptr || o == nullptr || o->paperCount == 0 || o->papers < kBkpdHeaderSize ||
      o->papers % kBkpdAlign != 0 || o->papers > b->totalSize ||
      (b->totalSize - o->papers) / sizeof(WORD) < o->paperCount) {
    return {};
  }
  return {reinterpret_cast<const WORD*>(Bytes(b) + o->papers), o->paperCount};
}

LPCSTR BkpdFontTblTrueType(PCBKPD b, const UiFontTblOption* o, DWORD i) {
  return o == nullptr ? nullptr : BkpdAnsi(b, ArrayEntry(b, o->trueTypeNames, o->count, i));
}
LPCSTR BkpdFontTblDevice(PCBKPD b, const UiFontTblOption* o, DWORD i) {
  return o == nullptr ? nullptr : BkpdAnsi(b, ArrayEntry(b, o->deviceNames, o->count, i));
}

const ExclusiveRecord* BkpdFirstExclusive(PCBKPD b) {
  return b == nullptr ? nullptr : BkpdRecord<ExclusiveRecord>(b, b->exclusiveList);
}
const ExclusiveRecord* BkpdNext(PCBKPD b, const ExclusiveRecord* e) {
  return e == nullptr ? nullptr : BkpdRecord<ExclusiveRecord>(b, e->next);
}

std::span<const JudgeToken> BkpdJudge(PCBKPD b, DWORD taggedJudge) {
  const auto* first = BkpdTaggedRecord<JudgeToken>(b, taggedJudge);
  if (first == nullptr) {
    return {};
  }
  const DWORD available = (b->totalSize - BkpdUntag(taggedJudge)) / sizeof(JudgeToken);
  const DWORD count = BkpdJudgeTokenCount(first, available);
  return {first, count};
}

const ExclusiveItem* BkpdItemList(PCBKPD b, DWORD tagged) { return BkpdTaggedRecord<ExclusiveItem>(b, tagged); }
const ExclusiveItem* BkpdNext(PCBKPD b, const ExclusiveItem* i) {
  return i == nullptr ? nullptr : BkpdTaggedRecord<ExclusiveItem>(b, i->next);
}
const ExclusiveAction* BkpdActionList(PCBKPD b, DWORD tagged) { return BkpdTaggedRecord<ExclusiveAction>(b, tagged); }
const ExclusiveAction* BkpdNext(PCBKPD b, const ExclusiveAction* a) {
  return a == nullptr ? nullptr : BkpdTaggedRecord<ExclusiveAction>(b, a->next);
}
const ExclusiveTransact* BkpdTransactList(PCBKPD b, DWORD tagged) {
  return BkpdTaggedRecord<ExclusiveTransact>(b, tagged);
}
const ExclusiveTransact* BkpdNext(PCBKPD b, const ExclusiveTransact* t) {
  return t == nullptr ? nullptr : BkpdTaggedRecord<ExclusiveTransact>(b, t->next);
}
const ExclusiveAlertAction* BkpdAlertActionList(PCBKPD b, DWORD tagged) {
  return BkpdTaggedRecord<ExclusiveAlertAction>(b, tagged);
}
const ExclusiveAlertAction* BkpdNext(PCBKPD b, const ExclusiveAlertAction* a) {
  return a == nullptr ? nullptr : BkpdTaggedRecord<ExclusiveAlertAction>(b, a->next);
}
const ExclusiveAlert* BkpdAlertList(PCBKPD b, DWORD tagged) { return BkpdTaggedRecord<ExclusiveAlert>(b, tagged); }
const ExclusiveAlert* BkpdNext(PCBKPD b, const ExclusiveAlert* a) {
  return a == nullptr ? nullptr : BkpdTaggedRecord<ExclusiveAlert>(b, a->next);
}

const BKPDCOMMANDGROUP* BkpdCommandGroup(PCBKPD b, BkpdCommandGroupIndex which) {
  if (b == nullptr || which >= kBkpdCommandGroupCount) {
    return nullptr;
  }
  return BkpdRecord<BKPDCOMMANDGROUP>(b, b->commandGroups[which]);
}

const CmdEntryHead* BkpdCommandMain(PCBKPD b, const BKPDCOMMANDGROUP* g) {
  return g == nullptr ? nullptr : BkpdRecord<CmdEntryHead>(b, g->mainList);
}
const CmdEntryHead* BkpdCommandElse(PCBKPD b, const BKPDCOMMANDGROUP* g) {
  return g == nullptr ? nullptr : BkpdRecord<CmdEntryHead>(b, g->elseList);
}
const CmdEntryHead* BkpdNext(PCBKPD b, const CmdEntryHead* e) {
  return e == nullptr ? nullptr : BkpdRecord<CmdEntryHead>(b, e->next);
}

const CmdGroupEntry* BkpdAsGroupEntry(PCBKPD b, const CmdEntryHead* e) {
  return EntryAs<CmdGroupEntry>(b, e, kCmdGroupType);
}
const CmdStringEntry* BkpdAsStringEntry(PCBKPD b, const CmdEntryHead* e) {
  return EntryAs<CmdStringEntry>(b, e, kCmdStringType);
}
const CmdNestedEntry* BkpdAsNestedEntry(PCBKPD b, const CmdEntryHead* e) {
  return EntryAs<CmdNestedEntry>(b, e, kCmdNested);
}

std::span<const BYTE> BkpdCommandText(PCBKPD b, const CmdStringEntry* e) {
  if (b == nullptr || e == nullptr || e->length == 0 || e->text < kBkpdHeaderSize ||
      e->text > b->totalSize || b->totalSize - e->text < e->length) {
    return {};
  }
  return {Bytes(b) + e->text, e->length};
}

const BKPDCOMMANDGROUP* BkpdNestedGroup(PCBKPD b, const CmdNestedEntry* e) {
  return e == nullptr ? nullptr : BkpdRecord<BKPDCOMMANDGROUP>(b, e->group);
}

DWORD BkpdFontCount(PCBKPD b, bool option) {
  if (b == nullptr) {
    return 0;
  }
  return option ? b->optionFontCount : b->deviceFontCount;
}

const BKPDFONT* BkpdFont(PCBKPD b, bool option, DWORD i) {
  if (b == nullptr) {
    return nullptr;
  }
  const DWORD table = option ? b->optionFontTable : b->deviceFontTable;
  return BkpdRecord<BKPDFONT>(b, ArrayEntry(b, table, BkpdFontCount(b, option), i));
}
