// The group index: per group id the chain of its groups in list order, the
// first group of each group id and sub-group number, and for each group
// whose options were looked at, its options by value.
#include "settings/bkpd/bkpd_work_index.h"

#include <new>
#include <unordered_map>
#include <vector>

namespace {

// One group's option list by value: open addressing over the options, at
// most half of the slots filled.
class OptionIndex {
 public:
  bool Describes(const WorkOption* listHead) const {
    return head_ == listHead && (tail_ == nullptr ? listHead == nullptr : tail_->next == nullptr);
  }

  void Rebuild(WorkOption* listHead) {
    slots_.clear();
    count_ = 0;
    head_ = listHead;
    tail_ = nullptr;
    for (WorkOption* o = listHead; o != nullptr; o = o->next) {
      MakeRoom();
      File(o);
    }
  }

  // Room to file one more option; may throw std::bad_alloc.
  void MakeRoom() {
    if (2 * (count_ + 1) <= slots_.size()) return;
    std::vector<WorkOption*> old(slots_.size() < 16 ? 16 : slots_.size() * 2, nullptr);
    old.swap(slots_);
    for (WorkOption* o : old) {
      if (o != nullptr) slots_[SlotOf(o->value)] = o;
    }
  }

  // Files the option that now ends the list, after MakeRoom; the first
  // option of a value stays the one found.
  void File(WorkOption* option) {
    if (head_ == nullptr) head_ = option;
    tail_ = option;
    WorkOption*& slot = slots_[SlotOf(option->value)];
    if (slot == nullptr) {
      slot = option;
      ++count_;
    }
  }

  WorkOption* Find(WORD value) const { return slots_.empty() ? nullptr : slots_[SlotOf(value)]; }
  WorkOption* tail() const { return tail_; }

 private:
  // The slot that holds the value's option, or the empty slot where it
  // would go.
  std::size_t SlotOf(WORD value) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = (value * 0x9E3779B1u) & mask;
    while (slots_[at] != nullptr && slots_[at]->value != value) at = (at + 1) & mask;
    return at;
  }

  const WorkOption* head_ = nullptr;
  WorkOption* tail_ = nullptr;
  std::vector<WorkOption*> slots_;
  std::size_t count_ = 0;
};

}  // namespace

struct WorkGroupIndex {
  static constexpr std::size_t kNone = ~std::size_t{0};

  struct Entry {
    WorkUiGroup* group;
    std::size_t nextOfId;  // position of the next group with the same id, or kNone
  };
  struct Chain {
    std::size_t first = kNone;
    std::size_t last = kNone;
  };

  const WorkUiGroup* head = nullptr;  // the list the index was made for
  std::vector<Entry> entries;         // list order
  std::vector<Chain> chains;          // by group id
  std::unordered_map<DWORD, WorkUiGroup*> firstOfKey;  // group id << 16 | sub-group number
  std::unordered_map<const WorkUiGroup*, OptionIndex> options;

  static DWORD Key(WORD groupId, WORD subGroupId) { return static_cast<DWORD>(groupId) << 16 | subGroupId; }

  // Whether the index still describes the list: same head, and nothing
  // linked after the last group it knows.
  bool Describes(const WorkUiGroup* listHead) const {
    return head == listHead && (entries.empty() ? listHead == nullptr : entries.back().group->next == nullptr);
  }

  // Everything filing the group needs that may throw std::bad_alloc; an
  // exception leaves the index describing the list as it was.
  void MakeRoom(WorkUiGroup* g) {
    if (g->groupId >= chains.size()) chains.resize(static_cast<std::size_t>(g->groupId) + 1);
    entries.reserve(entries.size() + 1);
    firstOfKey.try_emplace(Key(g->groupId, g->subGroupId), g);
  }

  // Files the group that now ends the list, after MakeRoom.
  void File(WorkUiGroup* g) {
    if (head == nullptr) head = g;
    entries.push_back(Entry{g, kNone});
    Chain& chain = chains[g->groupId];
    const std::size_t at = entries.size() - 1;
    if (chain.last == kNone) {
      chain.first = at;
    } else {
      entries[chain.last].nextOfId = at;
    }
    chain.last = at;
  }

  void Rebuild(WorkUiGroup* listHead) {
    entries.clear();
    chains.clear();
    firstOfKey.clear();
    options.clear();
    head = nullptr;
    for (WorkUiGroup* g = listHead; g != nullptr; g = g->next) {
      MakeRoom(g);
      File(g);
    }
  }

  WorkUiGroup* FirstOfId(WORD groupId) const {
    return groupId < chains.size() && chains[groupId].first != kNone ? entries[chains[groupId].first].group
                                                                     : nullptr;
  }
};

namespace {

WorkUiGroup*& ListHead(WorkBKPD* work) { return work->header->groups; }

void DropIndex(WorkBKPD* work) {
  delete work->groupIndex;
  work->groupIndex = nullptr;
}

// The index of the current list, built or rebuilt as needed. May throw
// std::bad_alloc; a half-built index is dropped first.
WorkGroupIndex& IndexOf(WorkBKPD* work) {
  WorkGroupIndex* index = work->groupIndex;
  if (index != nullptr && index->Describes(ListHead(work))) return *index;
  try {
    if (index == nullptr) index = work->groupIndex = new WorkGroupIndex;
    index->Rebuild(ListHead(work));
    return *index;
  } catch (const std::bad_alloc&) {
    DropIndex(work);
    throw;
  }
}

// The option index of the group's current list, built or rebuilt as
// needed. May throw std::bad_alloc.
OptionIndex& OptionsOf(WorkBKPD* work, const WorkUiGroup* group) {
  WorkGroupIndex& index = IndexOf(work);
  OptionIndex& options = index.options[group];
  if (!options.Describes(group->options)) {
    try {
      options.Rebuild(group->options);
    } catch (const std::bad_alloc&) {
      index.options.erase(group);
      throw;
    }
  }
  return options;
}

}  // namespace

bool WorkBKPD_AppendGroup(WorkBKPD* work, WorkUiGroup* group) {
  WorkGroupIndex* index = nullptr;
  try {
    index = &IndexOf(work);
    index->MakeRoom(group);
  } catch (const std::bad_alloc&) {
    return false;
  }
  WorkUiGroup** link = index->entries.empty() ? &ListHead(work) : &index->entries.back().group->next;
  *link = group;
  index->File(group);
  return true;
}

WorkUiGroup* WorkBKPD_FirstGroup(WorkBKPD* work, WORD groupId) { return IndexOf(work).FirstOfId(groupId); }

WorkUiGroup* WorkBKPD_FirstGroupOf(WorkBKPD* work, WORD groupId, WORD subGroupId) {
  const WorkGroupIndex& index = IndexOf(work);
  const auto found = index.firstOfKey.find(WorkGroupIndex::Key(groupId, subGroupId));
  return found != index.firstOfKey.end() ? found->second : nullptr;
}

bool WorkBKPD_AnyGroupOf(WorkBKPD* work, WORD groupId, bool (*visit)(const WorkUiGroup*, const void*),
                         const void* context) {
  const WorkGroupIndex& index = IndexOf(work);
  if (groupId >= index.chains.size()) return false;
  for (std::size_t at = index.chains[groupId].first; at != WorkGroupIndex::kNone; at = index.entries[at].nextOfId) {
    if (visit(index.entries[at].group, context)) return true;
  }
  return false;
}

WorkOption* WorkBKPD_FindOption(WorkBKPD* work, WorkUiGroup* group, WORD value) {
  return OptionsOf(work, group).Find(value);
}

bool WorkBKPD_AppendOption(WorkBKPD* work, WorkUiGroup* group, WorkOption* option) {
  OptionIndex* options = nullptr;
  try {
    options = &OptionsOf(work, group);
    options->MakeRoom();
  } catch (const std::bad_alloc&) {
    return false;
  }
  WorkOption** link = options->tail() == nullptr ? &group->options : &options->tail()->next;
  *link = option;
  options->File(option);
  return true;
}

void WorkBKPD_FreeGroupIndex(WorkBKPD* work) {
  if (work != nullptr) DropIndex(work);
}
