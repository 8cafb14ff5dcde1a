// The constraint definitions: item lists (per-option hide and disable
// judges), actions, transacts, alerts and alert actions, written
//   *<keyword> <number>[=<name>]: { {<fields>} {<fields>} ... }
// and the exclusive records that tie them to a UI group,
//   *Exclusive: { {<group> <hide> <disable> <item> <alert> <transact> <transact>} ... }
// The value is split into words as a judge is. Braces only group the text:
// the words fill the fields of the entries in turn, a new entry starting
// with every first field, and the brace that closes the outermost one ends
// the definition. A value whose braces never close is refused. A word that
// names nothing leaves 0 in its field, except a judge reference, which
// must name a judge (a missing guard would otherwise make a guarded action
// unconditional). As a judge may be defined after the entry that names
// it, every definition is added once the whole text is read, in the order
// written (KpdHeldEntry).
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/context/context_block.h"
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"

namespace {

constexpr WORD kNoMatch = 0xFFFF;
constexpr KpdWord kIconRows[] = {
    {"MB_ICONEXCLAMATION", 0x30}, {"MB_ICONINFORMATION", 0x40}, {"MB_ICONQUESTION", 0x20}, {"MB_ICONSTOP", 0x10},
};
constexpr KpdWord kButtonRows[] = {
    {"MB_ABORTRETRYIGNORE", 2}, {"MB_OK", 0},    {"MB_OKCANCEL", 1},
    {"MB_RETRYCANCEL", 5},      {"MB_YESNO", 4}, {"MB_YESNOCANCEL", 3},
};
constexpr KpdWord kTimingRows[] = {
    {"AlertAtOnce", kAlertAtOnce}, {"AlertProperty", kAlertProperty},
    {"AlertOkApply", kAlertOkApply}, {"AlertDialog", kAlertDialog},
};
const KpdWordTable IconType = {kIconRows, std::size(kIconRows), kNoMatch};
const KpdWordTable ButtonType = {kButtonRows, std::size(kButtonRows), kNoMatch};
const KpdWordTable TimingType = {kTimingRows, std::size(kTimingRows), kNoMatch};

// --- Field words ------------------------------------------------------------

WORD ValueIndex(std::string_view word) {
  const SP* sp = KpdSPbyKeyWord(word);
  return sp == nullptr ? 0 : sp->valueIndex;
}

WORD GroupId(std::string_view word) {
  const GK* gk = KpdGKbyKeyWord(word);
  return gk == nullptr ? 0 : gk->groupId;
}

const TCB* Tab(std::string_view word) { return GetTCBbyKeyWord(nullptr, std::string(word).c_str()); }

WORD TabId(std::string_view word) {
  const TCB* tab = Tab(word);
  return tab == nullptr ? 0 : tab->tabId;
}

WORD ControlId(std::string_view word) {
  const ICB* icb = GetICBbyKeyWord(GetStaticUcb(), nullptr, std::string(word).c_str());
  return icb == nullptr ? 0 : icb->itemId;
}

WORD AlertId(std::string_view word) {
  const AP* ap = GetAPbyKeyWord(nullptr, std::string(word).c_str());
  return ap == nullptr ? 0 : ap->alertId;
}

WORD Icon(std::string_view word) { return SearchStringTable(IconType, word); }
WORD Button(std::string_view word) { return SearchStringTable(ButtonType, word); }
WORD Timing(std::string_view word) { return SearchStringTable(TimingType, word); }

// The default of the setting's group in the description compiled so far:
// the option value at the default position, or the value record's default.
DWORD GroupDefault(const WorkBKPD* work, WORD funcId) {
  const WorkUiGroup* g = work->header->groups;
  // Sub-group copies are not the group of their function id; Identity
  // groups are.
  while (g != nullptr && (g->funcId != funcId || (g->subGroupId != 0 && (g->type & kUiIdentity) == 0))) {
    g = g->next;
  }
  if (g == nullptr) {
    return 0;
  }
  switch (g->type & 0xFF) {
    case kUiPickOne: {
      const WorkOption* o = g->options;
      for (WORD i = 0; o != nullptr && i < g->defaultValue; ++i) {
        o = o->next;
      }
      return o == nullptr ? 0 : o->value;
    }
    case kUiBoolean:
      return g->boolean == nullptr ? 0 : g->boolean->defaultValue;
    case kUiNumeric:
      return g->numeric == nullptr ? 0 : static_cast<DWORD>(g->numeric->second);
    case kUiString:
      return g->string == nullptr ? 0 : g->string->defaultValue;
    default:
      return 0;
  }
}

// What the fields of an entry are read against: the work compiled so far,
// and the judges the entry names, to be checked at the end of the text.
struct FieldContext {
  const WorkBKPD* work;
  std::vector<WORD>& judges;
};

template <class Entry>
using FieldReader = KpdFault (*)(FieldContext& ctx, Entry& e, std::string_view word);

// A field that a word fills through a lookup (0 or 0xFFFF when it names
// nothing).
template <class Entry, auto Member, WORD (*Read)(std::string_view)>
KpdFault Word(FieldContext&, Entry& e, std::string_view word) {
  e.*Member = Read(word);
  return KpdFault::kNone;
}

// A judge reference: "NULL", or a judge that must exist once the whole
// text is read (a missing guard would otherwise make a guarded action
// unconditional).
template <class Entry, auto Member>
KpdFault Judge(FieldContext& ctx, Entry& e, std::string_view word) {
  WORD number = 0;
  if (const KpdFault f = KpdJudgeReference(ctx.work, word, &number); f != KpdFault::kNone) {
    return f;
  }
  e.*Member = number == 0 ? 0 : MakeWorkRef(kRefJudge, number);
  if (number != 0) {
    ctx.judges.push_back(number);
  }
  return KpdFault::kNone;
}

// A reference to an item, action, transact, alert or alert-action list; one
// that names nothing (yet) is kept as written or as 0, and the packer links
// it when its definition exists.
template <class Entry, auto Member, DWORD Kind>
KpdFault Reference(FieldContext& ctx, Entry& e, std::string_view word) {
  const KpdReference r = KpdResolveReference(ctx.work, word, Kind);
  e.*Member = r.number == 0 ? 0 : MakeWorkRef(Kind, r.number);
  return r.fault;
}

// An action's target: a dialog (the action stops its transact list and the
// caller shows that dialog) or a setting; any other word leaves it empty.
KpdFault ActionTarget(FieldContext&, WorkAction& e, std::string_view word) {
  if (const TCB* tab = Tab(word)) {
    e.targetKind = kActionStop;
    e.targetId = tab->tabId;
  } else if (const GK* gk = KpdGKbyKeyWord(word)) {
    e.targetKind = 0;
    e.targetId = gk->funcId;
  }
  return KpdFault::kNone;
}

// An action's value: digits, "Default" (of the target setting's group), or
// a value keyword.
KpdFault ActionValue(FieldContext& ctx, WorkAction& e, std::string_view word) {
  if (_isdigit(std::string(word).c_str())) {
    const std::optional<LONGLONG> n = KpdGetId(word);
    if (!n || *n > 0xFFFFFFFFLL) {
      return KpdFault::kNumberRange;
    }
    e.value = static_cast<DWORD>(*n);
  } else if (word == "Default") {
    e.value = e.targetKind == 0 ? GroupDefault(ctx.work, e.targetId) : 0;
  } else {
    e.value = ValueIndex(word);
  }
  return KpdFault::kNone;
}

// The fields of each kind, in the order the words fill them (the entry
// types under short names, so that each table reads as one row).
using I = WorkItem;
constexpr FieldReader<I> kItemFields[] = {
    Word<I, &I::optionValue, ValueIndex>, Judge<I, &I::hideJudge>, Judge<I, &I::disableJudge>};

constexpr FieldReader<WorkAction> kActionFields[] = {ActionTarget, ActionValue};

using T = WorkTransact;
constexpr FieldReader<T> kTransactFields[] = {Judge<T, &T::judge>, Reference<T, &T::action, kRefAction>};

using A = WorkAlert;
constexpr FieldReader<A> kAlertFields[] = {
    Judge<A, &A::judge>,           Word<A, &A::messageId, AlertId>, Word<A, &A::icon, Icon>,
    Word<A, &A::buttons, Button>, Word<A, &A::timing, Timing>,      Reference<A, &A::alertAction, kRefAlertAction>,
};

// The first field is a group keyword whose group id is the message-box
// answer the entry handles.
using AA = WorkAlertAction;
constexpr FieldReader<AA> kAlertActionFields[] = {
    Word<AA, &AA::groupId, GroupId>, Reference<AA, &AA::transact, kRefTransact>, Word<AA, &AA::tabId, TabId>,
    Word<AA, &AA::controlId, ControlId>,
};

using X = WorkExclusive;
constexpr FieldReader<X> kExclusiveFields[] = {
    Word<X, &X::groupId, GroupId>,           Judge<X, &X::hideJudge>,
    Judge<X, &X::disableJudge>,              Reference<X, &X::item, kRefItem>,
    Reference<X, &X::alert, kRefAlert>,      Reference<X, &X::transact, kRefTransact>,
    Reference<X, &X::transact2, kRefTransact>,
};

// --- Reading and storing ----------------------------------------------------

// The entries of a value, up to the brace that closes the outermost one.
template <class Entry, size_t N>
KpdFault ReadEntries(FieldContext ctx, KpdCursor cur, const FieldReader<Entry> (&fields)[N],
                     std::vector<Entry>& entries) {
  size_t depth = 0;
  size_t field = 0;
  for (;;) {
    const KpdSplitWord w = KpdCopyWord(cur);
    if (w.kind == KpdWordKind::kEnd) {
      return KpdFault::kUnclosedBraces;  // also a value without any brace
    }
    if (w.text == "{") {
      ++depth;
      continue;
    }
    if (w.text == "}") {
      if (depth == 0) {
        return KpdFault::kBadValue;  // closes nothing
      }
      if (--depth == 0) {
        return KpdFault::kNone;
      }
      continue;
    }
    if (field == 0) {
      entries.emplace_back();
    }
    if (const KpdFault f = fields[field](ctx, entries.back(), w.text); f != KpdFault::kNone) {
      return f;
    }
    field = (field + 1) % N;
  }
}

// A chain of new nodes copied from the entries; null (and nothing left
// allocated) when one cannot be had.
template <class Node>
bool MakeChain(const std::vector<Node>& entries, Node** first) {
  *first = nullptr;
  Node** link = first;
  for (const Node& e : entries) {
    auto* node = static_cast<Node*>(GetMemPtr(sizeof(Node)));
    if (node == nullptr) {
      WorkChain_Free(*first);
      *first = nullptr;
      return false;
    }
    *node = e;
    node->next = nullptr;
    *link = node;
    link = &node->next;
  }
  return true;
}

// A definition read whole, appended to its list when added.
template <class Entry>
class HeldDefinition final : public KpdHeldEntry {
 public:
  explicit HeldDefinition(WorkDefinition<Entry>* WorkBKPD::*list) : list_(list) {}
  ~HeldDefinition() override { WorkDefinitions_Free(head); }

  void AddTo(WorkBKPD* work) override {
    WorkDefinition<Entry>** link = &(work->*list_);
    while (*link != nullptr) {
      link = &(*link)->next;
    }
    *link = head;
    head = nullptr;
  }

  WorkDefinition<Entry>* head = nullptr;

 private:
  WorkDefinition<Entry>* WorkBKPD::*list_;
};

template <class Entry, size_t N>
KpdFault DefinitionProc(KpdCompiler& c, WorkDefinition<Entry>* WorkBKPD::*list, WorkMacroKind macro,
                        const FieldReader<Entry> (&fields)[N]) {
  WorkBKPD* work = c.work;
  const std::string_view option1 = KpdText(c.parser->option1);
  WORD number = 0;
  if (const KpdFault f = KpdDefinitionNumber(option1, &number); f != KpdFault::kNone) {
    return f;
  }
  if (const KpdFault f = KpdSetKeywordMacro(work, macro, KpdMacroName(option1), number); f != KpdFault::kNone) {
    return f;
  }
  auto held = std::make_unique<HeldDefinition<Entry>>(list);
  std::vector<Entry> entries;
  if (const KpdFault f = ReadEntries({work, held->judges}, KpdValueCursor(c.parser), fields, entries);
      f != KpdFault::kNone) {
    return f;
  }
  held->head = static_cast<WorkDefinition<Entry>*>(GetMemPtr(sizeof(WorkDefinition<Entry>)));
  if (held->head == nullptr || !MakeChain(entries, &held->head->first)) {
    return KpdFault::kNoMemory;
  }
  held->head->number = number;
  return KpdTakeHeld(c, std::move(held));
}

// Exclusive records read whole; when added they replace the records of an
// earlier Exclusive entry.
class HeldExclusives final : public KpdHeldEntry {
 public:
  ~HeldExclusives() override { WorkChain_Free(first); }

  void AddTo(WorkBKPD* work) override {
    WorkChain_Free(work->exclusives);
    work->exclusives = first;
    first = nullptr;
  }

  WorkExclusive* first = nullptr;
};

}  // namespace

KpdFault ItemUiProc(KpdCompiler& c) { return DefinitionProc(c, &WorkBKPD::items, kMacroItem, kItemFields); }

KpdFault ActionUiProc(KpdCompiler& c) { return DefinitionProc(c, &WorkBKPD::actions, kMacroAction, kActionFields); }

KpdFault TransactUiProc(KpdCompiler& c) {
  return DefinitionProc(c, &WorkBKPD::transacts, kMacroTransact, kTransactFields);
}

KpdFault AlertActionUiProc(KpdCompiler& c) {
  return DefinitionProc(c, &WorkBKPD::alertActions, kMacroAlertAction, kAlertActionFields);
}

KpdFault AlertUiProc(KpdCompiler& c) { return DefinitionProc(c, &WorkBKPD::alerts, kMacroAlert, kAlertFields); }

// A later Exclusive entry replaces the records of an earlier one; a refused
// entry leaves them as they were.
KpdFault ExclusiveUiProc(KpdCompiler& c) {
  auto held = std::make_unique<HeldExclusives>();
  std::vector<WorkExclusive> records;
  if (const KpdFault f = ReadEntries({c.work, held->judges}, KpdValueCursor(c.parser), kExclusiveFields, records);
      f != KpdFault::kNone) {
    return f;
  }
  if (!MakeChain(records, &held->first)) {
    return KpdFault::kNoMemory;
  }
  return KpdTakeHeld(c, std::move(held));
}
