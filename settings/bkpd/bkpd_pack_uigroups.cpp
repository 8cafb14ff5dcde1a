// Packer of the UI-group section. Sub-groups are moved to the front of the
// group list, then the groups are written from the list's tail, so main
// groups come before the sub-groups that share their option data. Each
// group is stored as its option data, its command pair, then its record;
// options likewise from the last, each after its strings and arrays. Next
// links keep list order, so every next link points at a record written
// earlier.
#include <algorithm>
#include <iterator>
#include <new>
#include <optional>
#include <vector>

#include "settings/bkpd/bkpd_pack_cursor.h"
#include "settings/bkpd/bkpd_work.h"

namespace {

// Writes a list from its last node; record(c, node, next) writes one node
// after its strings and returns its offset. Returns the head's offset.
template <class Node, class WriteNode>
DWORD WriteListFromTail(PackCursor& c, Node*& head, WriteNode writeNode) {
  ReverseList(head);
  DWORD previous = 0;
  for (Node* n = head; n != nullptr; n = n->next) {
    previous = writeNode(c, *n, previous);
  }
  ReverseList(head);
  return previous;
}

DWORD WriteAreas(PackCursor& c, WorkPageArea*& areas) {
  return WriteListFromTail(c, areas, [](PackCursor& c, const WorkPageArea& a, DWORD next) {
    const UiPageArea record{next,
                            a.resolution,
                            a.orientation,
                            a.condGroupId,
                            a.condValue,
                            static_cast<DWORD>(a.numbers[0]),
                            static_cast<DWORD>(a.numbers[1]),
                            static_cast<DWORD>(a.numbers[2]),
                            static_cast<DWORD>(a.numbers[3]),
                            static_cast<DWORD>(a.numbers[4]),
                            static_cast<DWORD>(a.numbers[5])};
    return c.PutRecord(record);
  });
}

UiOption OptionHead(PackCursor& c, const WorkOption& o, DWORD next) {
  return UiOption{next, o.value, 0, c.PutAnsi(o.command)};
}

DWORD WriteChoice(PackCursor& c, WorkUiGroup& g) {
  return WriteListFromTail(c, g.options, [](PackCursor& c, WorkOption& o, DWORD next) {
    return c.PutRecord(OptionHead(c, o, next));
  });
}

DWORD WritePage(PackCursor& c, WorkUiGroup& g) {
  return WriteListFromTail(c, g.options, [](PackCursor& c, WorkOption& o, DWORD next) {
    const UiOption head = OptionHead(c, o, next);
    const DWORD areas = WriteAreas(c, o.areas);
    return c.PutRecord(UiPageOption{head, static_cast<DWORD>(o.mmWidth), static_cast<DWORD>(o.mmLength), areas});
  });
}

DWORD WriteSlot(PackCursor& c, WorkUiGroup& g) {
  return WriteListFromTail(c, g.options, [](PackCursor& c, WorkOption& o, DWORD next) {
    const UiOption head = OptionHead(c, o, next);
    // A tray without papers stores a count of 0 and no array.
    const DWORD count = o.papers == nullptr ? 0 : o.paperCount;
    const DWORD papers = count == 0 ? 0 : c.PutBytes(o.papers, static_cast<ULONGLONG>(count) * sizeof(WORD));
    return c.PutRecord(UiSlotOption{head, count, papers});
  });
}

DWORD WriteFontTbl(PackCursor& c, WorkUiGroup& g) {
  return WriteListFromTail(c, g.options, [](PackCursor& c, WorkOption& o, DWORD next) {
    const UiOption head = OptionHead(c, o, next);
    const DWORD count = (o.trueTypeNames == nullptr || o.deviceNames == nullptr) ? 0 : o.pairCount;
    const ULONGLONG arrayBytes = static_cast<ULONGLONG>(count) * sizeof(DWORD);
    const DWORD trueType = count == 0 ? 0 : c.Take(arrayBytes);
    const DWORD device = count == 0 ? 0 : c.Take(arrayBytes);
    for (DWORD i = 0; i < count; ++i) {
      c.SetArrayEntry(trueType, i, c.PutAnsi(o.trueTypeNames[i]));
      c.SetArrayEntry(device, i, c.PutAnsi(o.deviceNames[i]));
    }
    return c.PutRecord(UiFontTblOption{head, count, trueType, device});
  });
}

DWORD WriteBoolean(PackCursor& c, WorkUiGroup& g) {
  if (g.boolean == nullptr) {
    return 0;
  }
  const DWORD trueCommand = c.PutAnsi(g.boolean->trueCommand);
  const DWORD falseCommand = c.PutAnsi(g.boolean->falseCommand);
  return c.PutRecord(UiBooleanValue{g.boolean->defaultValue, trueCommand, falseCommand});
}

DWORD WriteNumeric(PackCursor& c, WorkUiGroup& g) {
  if (g.numeric == nullptr) {
    return 0;
  }
  const WorkNumeric& n = *g.numeric;
  return c.PutRecord(UiNumericValue{n.lead, n.first, n.fifth, n.sixth, n.seventh, n.eighth,
                                    static_cast<DWORD>(n.second), static_cast<DWORD>(n.third),
                                    static_cast<DWORD>(n.fourth)});
}

DWORD WriteString(PackCursor& c, WorkUiGroup& g) {
  if (g.string == nullptr) {
    return 0;
  }
  const WorkString& s = *g.string;
  return c.PutRecord(UiStringValue{s.defaultValue, static_cast<WORD>(s.maxLength), s.inputType, s.displayType});
}

// Option-data writer of each group kind.
struct OptionWriter {
  UiKind kind;
  DWORD (*write)(PackCursor& c, WorkUiGroup& g);
};

constexpr OptionWriter uioptTable[] = {
    {UiKind::kChoice, WriteChoice},   {UiKind::kBoolean, WriteBoolean}, {UiKind::kNumeric, WriteNumeric},
    {UiKind::kString, WriteString},   {UiKind::kPage, WritePage},       {UiKind::kSlot, WriteSlot},
    {UiKind::kFontTbl, WriteFontTbl},
};
static_assert(std::size(uioptTable) == 7);

DWORD WriteOptionData(PackCursor& c, WorkUiGroup& g, UiKind kind) {
  for (const OptionWriter& row : uioptTable) {
    if (row.kind == kind) {
      return row.write(c, g);
    }
  }
  return 0;
}

// Whether a sub-group carries a link to option data (borrowed from a main
// group).
bool HasOptionData(const WorkUiGroup& g, UiKind kind) {
  switch (kind) {
    case UiKind::kBoolean:
      return g.boolean != nullptr;
    case UiKind::kNumeric:
      return g.numeric != nullptr;
    case UiKind::kString:
      return g.string != nullptr;
    case UiKind::kChoice:
    case UiKind::kPage:
    case UiKind::kSlot:
    case UiKind::kFontTbl:
      return g.options != nullptr;
    case UiKind::kNone:
      break;
  }
  return false;
}

// The nodes of a list sorted by a key, list order kept among nodes of one
// key, so that the first node of a key is found by a binary search.
template <class Node>
class FirstOfKey {
 public:
  // Takes each node that keyOf gives a key; false (and the table stays
  // empty) when there is no memory for it.
  template <class KeyOf>
  bool Build(const Node* head, KeyOf keyOf) {
    try {
      DWORD position = 0;
      for (const Node* n = head; n != nullptr; n = n->next, ++position) {
        if (const std::optional<DWORD> key = keyOf(*n)) {
          entries_.push_back(Entry{*key, position, n});
        }
      }
    } catch (const std::bad_alloc&) {
      entries_.clear();
      return false;
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
      return a.key != b.key ? a.key < b.key : a.position < b.position;
    });
    return true;
  }

  // The first node of the key, or null.
  const Node* Find(DWORD key) const {
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), key,
                                     [](const Entry& e, DWORD k) { return e.key < k; });
    return at != entries_.end() && at->key == key ? at->node : nullptr;
  }

 private:
  struct Entry {
    DWORD key;
    DWORD position;
    const Node* node;
  };
  std::vector<Entry> entries_;
};

DWORD MainKey(WORD groupId, UiKind kind) { return static_cast<DWORD>(groupId) << 8 | static_cast<DWORD>(kind); }

// The main groups by group id and kind, and the exclusive records by group
// id, each with a walk of the list for when no memory is left for a table.
struct GroupLinks {
  FirstOfKey<WorkUiGroup> mains;
  FirstOfKey<WorkExclusive> exclusives;
  bool haveMains = false;
  bool haveExclusives = false;
  const WorkExclusive* exclusiveList = nullptr;

  GroupLinks(const WorkUiGroup* list, const WorkExclusive* exclusiveRecords) : exclusiveList(exclusiveRecords) {
    haveMains = mains.Build(list, [](const WorkUiGroup& g) -> std::optional<DWORD> {
      if (g.subGroupId != 0) return std::nullopt;
      return MainKey(g.groupId, BkpdGroupKind(g.type));
    });
    haveExclusives = exclusives.Build(exclusiveRecords, [](const WorkExclusive& x) -> std::optional<DWORD> {
      return x.groupId;
    });
  }

  // The option data a sub-group shares: that of the first main group in
  // list order whose group id is the sub-group's sharing key (its sub-group
  // id for an Identity group, else its own group id) and whose kind is the
  // same. Main groups are written before every sub-group. `written` is the
  // list in writing order (its last match is the first in list order).
  DWORD SharedOptions(const WorkUiGroup* written, const WorkUiGroup& sub, UiKind kind) const {
    const WORD key = (sub.type & kUiIdentity) != 0 ? sub.subGroupId : sub.groupId;
    if (haveMains) {
      const WorkUiGroup* main = mains.Find(MainKey(key, kind));
      return main != nullptr ? main->packedOptions : 0;
    }
    DWORD shared = 0;
    for (const WorkUiGroup* g = written; g != nullptr; g = g->next) {
      if (g->subGroupId == 0 && g->groupId == key && BkpdGroupKind(g->type) == kind) {
        shared = g->packedOptions;
      }
    }
    return shared;
  }

  // The written exclusive record of the first exclusive entry of the group.
  DWORD ExclusiveOf(WORD groupId) const {
    if (haveExclusives) {
      const WorkExclusive* x = exclusives.Find(groupId);
      return x != nullptr ? x->packed : 0;
    }
    for (const WorkExclusive* x = exclusiveList; x != nullptr; x = x->next) {
      if (x->groupId == groupId) {
        return x->packed;
      }
    }
    return 0;
  }
};

DWORD WriteCommandPair(PackCursor& c, const WorkCommandPair* pair) {
  if (pair == nullptr) {
    return 0;
  }
  const DWORD first = c.PutAnsi(pair->first);
  const DWORD second = c.PutAnsi(pair->second);
  return c.PutRecord(UiCommandPair{first, second});
}

// The header slot of a function id belongs to the first group written for it.
void FillSlot(BKPDHEADER& header, WORD funcId, DWORD group) {
  DWORD* slot = nullptr;
  if (funcId >= kBkpdSlotsAFirst && funcId < kBkpdSlotsAFirst + kBkpdSlotsACount) {
    slot = &header.slotsA[funcId - kBkpdSlotsAFirst];
  } else if (funcId >= kBkpdSlotsBFirst && funcId < kBkpdSlotsBFirst + kBkpdSlotsBCount) {
    slot = &header.slotsB[funcId - kBkpdSlotsBFirst];
  } else if (funcId >= kBkpdSlotsCFirst && funcId < kBkpdSlotsCFirst + kBkpdSlotsCCount) {
    slot = &header.slotsC[funcId - kBkpdSlotsCFirst];
  }
  if (slot != nullptr && *slot == 0) {
    *slot = group;
  }
}

// Unlinks each sub-group that follows a main group and pushes it on the head.
void MoveSubGroupsToFront(WorkUiGroup*& head) {
  bool seenMain = false;
  WorkUiGroup** link = &head;
  while (*link != nullptr) {
    WorkUiGroup* g = *link;
    if (g->subGroupId != 0 && seenMain) {
      *link = g->next;
      g->next = head;
      head = g;
      continue;
    }
    seenMain = seenMain || g->subGroupId == 0;
    link = &g->next;
  }
}

}  // namespace

void BKPD_UiGroupsCreate(PackCursor& c, WorkBKPD* work, BKPDHEADER& header) {
  WorkUiGroup*& groups = work->header->groups;
  MoveSubGroupsToFront(groups);
  const GroupLinks links(groups, work->exclusives);
  ReverseList(groups);
  DWORD previous = 0;
  for (WorkUiGroup* g = groups; g != nullptr; g = g->next) {
    g->packed = 0;
    g->packedOptions = 0;
    const UiKind kind = BkpdGroupKind(g->type);
    if (kind == UiKind::kNone) {
      continue;  // a type word that names no layout is not packed
    }
    DWORD options = 0;
    if (g->subGroupId == 0) {
      options = WriteOptionData(c, *g, kind);
      g->packedOptions = options;
    } else if (HasOptionData(*g, kind)) {
      options = links.SharedOptions(groups, *g, kind);
    }
    const DWORD commands = WriteCommandPair(c, g->commands);
    const UiGroup record{previous, g->groupId, g->subGroupId, g->funcId, g->type, g->defaultValue, 0,
                         commands, links.ExclusiveOf(g->groupId), options};
    g->packed = c.PutRecord(record);
    previous = g->packed;
    FillSlot(header, g->funcId, g->packed);
  }
  ReverseList(groups);
  header.groupList = previous;
}
