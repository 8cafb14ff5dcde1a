// Check of the UI-group section and the header slots. Groups, options and
// page areas are stored after what their next link names, so each next link
// must be smaller than the record's own offset: a chain cannot loop.
#include "settings/bkpd/bkpd_check.h"

namespace {

// Walks a chain whose links point backwards. checkRecord(offset) claims and
// checks one record; it returns kSeen to end the walk at a shared tail.
template <class T, class CheckRecord>
bool WalkBackwards(BkpdChecker& c, DWORD first, CheckRecord checkRecord) {
  DWORD offset = first;
  while (offset != 0) {
    const Claim claim = checkRecord(offset);
    if (claim != Claim::kNew) {
      return claim == Claim::kSeen;
    }
    const DWORD next = c.At<T>(offset)->next;
    if (next != 0 && next >= offset) {
      return c.Fail(BkpdFault::kChain, offset);
    }
    offset = next;
  }
  return true;
}

Claim Checked(bool sound) { return sound ? Claim::kNew : Claim::kFailed; }

// Claims a record of type T; kNew means it still has to be checked.
template <class T>
Claim ClaimShared(BkpdChecker& c, DWORD offset, Mark kind) {
  return c.ClaimRecord(offset, sizeof(T), kind, true);
}

bool CheckAreas(BkpdChecker& c, DWORD first) {
  return WalkBackwards<UiPageArea>(c, first, [&c](DWORD offset) {
    return ClaimShared<UiPageArea>(c, offset, Mark::kPageArea);
  });
}

bool CheckOptionExtras(BkpdChecker& c, UiKind kind, DWORD offset) {
  switch (kind) {
    case UiKind::kPage:
      return CheckAreas(c, c.At<UiPageOption>(offset)->areaList);
    case UiKind::kSlot: {
      const UiSlotOption& o = *c.At<UiSlotOption>(offset);
      return c.CheckArray(o.papers, o.paperCount, sizeof(WORD));
    }
    case UiKind::kFontTbl: {
      const UiFontTblOption& o = *c.At<UiFontTblOption>(offset);
      if (!c.CheckArray(o.trueTypeNames, o.count, sizeof(DWORD)) ||
          !c.CheckArray(o.deviceNames, o.count, sizeof(DWORD))) {
        return false;
      }
      for (DWORD i = 0; i < o.count; ++i) {
        if (!c.CheckAnsi(c.At<DWORD>(o.trueTypeNames)[i]) || !c.CheckAnsi(c.At<DWORD>(o.deviceNames)[i])) {
          return false;
        }
      }
      return true;
    }
    default:
      return true;
  }
}

// Size and mark of the option records of each list kind.
struct OptionLayout {
  UiKind kind;
  ULONGLONG bytes;
  Mark mark;
};

constexpr OptionLayout kOptionLayouts[] = {
    {UiKind::kChoice, sizeof(UiOption), Mark::kOption},
    {UiKind::kPage, sizeof(UiPageOption), Mark::kPageOption},
    {UiKind::kSlot, sizeof(UiSlotOption), Mark::kSlotOption},
    {UiKind::kFontTbl, sizeof(UiFontTblOption), Mark::kFontTblOption},
};

bool CheckOptionList(BkpdChecker& c, UiKind kind, DWORD first) {
  const OptionLayout* layout = nullptr;
  for (const OptionLayout& row : kOptionLayouts) {
    if (row.kind == kind) {
      layout = &row;
    }
  }
  if (layout == nullptr) {
    return c.Fail(BkpdFault::kGroupType, first);
  }
  return WalkBackwards<UiOption>(c, first, [&c, layout](DWORD offset) {
    const Claim claim = c.ClaimRecord(offset, layout->bytes, layout->mark, true);
    if (claim != Claim::kNew) {
      return claim;
    }
    return Checked(c.CheckAnsi(c.At<UiOption>(offset)->command) && CheckOptionExtras(c, layout->kind, offset));
  });
}

bool CheckOptionData(BkpdChecker& c, UiKind kind, DWORD offset) {
  if (offset == 0) {
    return true;
  }
  switch (kind) {
    case UiKind::kBoolean: {
      const Claim claim = ClaimShared<UiBooleanValue>(c, offset, Mark::kBoolean);
      if (claim != Claim::kNew) {
        return claim == Claim::kSeen;
      }
      const UiBooleanValue& v = *c.At<UiBooleanValue>(offset);
      return c.CheckAnsi(v.trueCommand) && c.CheckAnsi(v.falseCommand);
    }
    case UiKind::kNumeric:
      return ClaimShared<UiNumericValue>(c, offset, Mark::kNumeric) != Claim::kFailed;
    case UiKind::kString:
      return ClaimShared<UiStringValue>(c, offset, Mark::kString) != Claim::kFailed;
    default:
      return CheckOptionList(c, kind, offset);
  }
}

bool CheckCommandPair(BkpdChecker& c, DWORD offset) {
  if (offset == 0) {
    return true;
  }
  const Claim claim = ClaimShared<UiCommandPair>(c, offset, Mark::kCommandPair);
  if (claim != Claim::kNew) {
    return claim == Claim::kSeen;
  }
  const UiCommandPair& pair = *c.At<UiCommandPair>(offset);
  return c.CheckAnsi(pair.first) && c.CheckAnsi(pair.second);
}

bool CheckGroup(BkpdChecker& c, DWORD offset) {
  const UiGroup& g = *c.At<UiGroup>(offset);
  const UiKind kind = BkpdGroupKind(g.type);
  if (kind == UiKind::kNone) {
    return c.Fail(BkpdFault::kGroupType, offset);
  }
  // Exclusive records were checked first; the link must name one of them.
  if (g.exclusive != 0 &&
      (!c.Fits(g.exclusive, sizeof(ExclusiveRecord)) || c.marks[g.exclusive / kBkpdAlign] != Mark::kExclusive)) {
    return c.Fail(BkpdFault::kKindClash, offset);
  }
  return CheckCommandPair(c, g.commands) && CheckOptionData(c, kind, g.options);
}

bool CheckSlots(BkpdChecker& c, const DWORD* slots, WORD firstId, WORD count) {
  for (WORD i = 0; i < count; ++i) {
    const DWORD offset = slots[i];
    if (offset == 0) {
      continue;
    }
    if (!c.Fits(offset, sizeof(UiGroup)) || c.marks[offset / kBkpdAlign] != Mark::kGroup ||
        c.At<UiGroup>(offset)->funcId != firstId + i) {
      return c.Fail(BkpdFault::kSlot, offset);
    }
  }
  return true;
}

}  // namespace

bool BkpdCheckUiGroups(BkpdChecker& c) {
  const bool groups = WalkBackwards<UiGroup>(c, c.header().groupList, [&c](DWORD offset) {
    if (c.ClaimRecord(offset, sizeof(UiGroup), Mark::kGroup, false) != Claim::kNew) {
      return Claim::kFailed;
    }
    return Checked(CheckGroup(c, offset));
  });
  const BKPDHEADER& h = c.header();
  return groups && CheckSlots(c, h.slotsA, kBkpdSlotsAFirst, kBkpdSlotsACount) &&
         CheckSlots(c, h.slotsB, kBkpdSlotsBFirst, kBkpdSlotsBCount) &&
         CheckSlots(c, h.slotsC, kBkpdSlotsCFirst, kBkpdSlotsCCount);
}
