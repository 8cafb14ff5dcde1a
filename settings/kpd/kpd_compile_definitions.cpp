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
// must name a judge compiled before (a missing guard would otherwise make
// a guarded action unconditional).
#include <iterator>
#include <string>
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

WORD ControlId(std::string_view word) {
  const ICB* icb = GetICBbyKeyWord(GetStaticUcb(), nullptr, std::string(word).c_str());
  return icb == nullptr ? 0 : icb->itemId;
}

WORD AlertId(std::string_view word) {
  const AP* ap = GetAPbyKeyWord(nullptr, std::string(word).c_str());
  return ap == nullptr ? 0 : ap->alertId;
}

KpdFault JudgeField(const WorkBKPD* work, std::string_view word, DWORD& field) {
  WORD number = 0;
  const KpdFault f = KpdJudgeReference(work, word, &number);
  field = number == 0 ? 0 : MakeWorkRef(kRefJudge, number);
  return f;
}

// A reference to an item, action, transact, alert or alert-action list;
// one that names nothing (yet) is kept as 0 or as written, and the packer
// links it when its definition exists.
template <DWORD Kind>
KpdFault ReferenceField(const WorkBKPD* work, std::string_view word, DWORD& field) {
  const KpdReference r = KpdResolveReference(work, word, Kind);
  field = r.number == 0 ? 0 : MakeWorkRef(Kind, r.number);
  return r.fault;
}

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

// An action's value: digits, "Default", or a value keyword.
KpdFault ActionValue(const WorkBKPD* work, WorkAction& e, std::string_view word) {
  if (_isdigit(std::string(word).c_str())) {
    const std::optional<LONGLONG> n = KpdGetId(word);
    if (!n || *n > 0xFFFFFFFFLL) {
      return KpdFault::kNumberRange;
    }
    e.value = static_cast<DWORD>(*n);
  } else if (word == "Default") {
    e.value = e.targetKind == 0 ? GroupDefault(work, e.targetId) : 0;
  } else {
    e.value = ValueIndex(word);
  }
  return KpdFault::kNone;
}

// An action's target: a dialog (the action stops its transact list and the
// caller shows that dialog) or a setting.
KpdFault ActionTarget(const WorkBKPD*, WorkAction& e, std::string_view word) {
  if (const TCB* tab = Tab(word)) {
    e.targetKind = kActionStop;
    e.targetId = tab->tabId;
  } else if (const GK* gk = KpdGKbyKeyWord(word)) {
    e.targetKind = 0;
    e.targetId = gk->funcId;
  }
  return KpdFault::kNone;
}

template <class Entry>
using FieldReader = KpdFault (*)(const WorkBKPD* work, Entry& e, std::string_view word);

// The fields of each kind, in the order the words fill them.
constexpr FieldReader<WorkItem> kItemFields[] = {
    [](const WorkBKPD*, WorkItem& e, std::string_view w) {
      e.optionValue = ValueIndex(w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD* work, WorkItem& e, std::string_view w) { return JudgeField(work, w, e.hideJudge); },
    [](const WorkBKPD* work, WorkItem& e, std::string_view w) { return JudgeField(work, w, e.disableJudge); },
};

constexpr FieldReader<WorkAction> kActionFields[] = {ActionTarget, ActionValue};

constexpr FieldReader<WorkTransact> kTransactFields[] = {
    [](const WorkBKPD* work, WorkTransact& e, std::string_view w) { return JudgeField(work, w, e.judge); },
    [](const WorkBKPD* work, WorkTransact& e, std::string_view w) {
      return ReferenceField<kRefAction>(work, w, e.action);
    },
};

constexpr FieldReader<WorkAlert> kAlertFields[] = {
    [](const WorkBKPD* work, WorkAlert& e, std::string_view w) { return JudgeField(work, w, e.judge); },
    [](const WorkBKPD*, WorkAlert& e, std::string_view w) {
      e.messageId = AlertId(w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD*, WorkAlert& e, std::string_view w) {
      e.icon = SearchStringTable(IconType, w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD*, WorkAlert& e, std::string_view w) {
      e.buttons = SearchStringTable(ButtonType, w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD*, WorkAlert& e, std::string_view w) {
      e.timing = SearchStringTable(TimingType, w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD* work, WorkAlert& e, std::string_view w) {
      return ReferenceField<kRefAlertAction>(work, w, e.alertAction);
    },
};

// The first field is a group keyword whose group id is the message-box
// answer the entry handles.
constexpr FieldReader<WorkAlertAction> kAlertActionFields[] = {
    [](const WorkBKPD*, WorkAlertAction& e, std::string_view w) {
      e.groupId = GroupId(w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD* work, WorkAlertAction& e, std::string_view w) {
      return ReferenceField<kRefTransact>(work, w, e.transact);
    },
    [](const WorkBKPD*, WorkAlertAction& e, std::string_view w) {
      const TCB* tab = Tab(w);
      e.tabId = tab == nullptr ? 0 : tab->tabId;
      return KpdFault::kNone;
    },
    [](const WorkBKPD*, WorkAlertAction& e, std::string_view w) {
      e.controlId = ControlId(w);
      return KpdFault::kNone;
    },
};

constexpr FieldReader<WorkExclusive> kExclusiveFields[] = {
    [](const WorkBKPD*, WorkExclusive& e, std::string_view w) {
      e.groupId = GroupId(w);
      return KpdFault::kNone;
    },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) { return JudgeField(work, w, e.hideJudge); },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) { return JudgeField(work, w, e.disableJudge); },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) {
      return ReferenceField<kRefItem>(work, w, e.item);
    },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) {
      return ReferenceField<kRefAlert>(work, w, e.alert);
    },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) {
      return ReferenceField<kRefTransact>(work, w, e.transact);
    },
    [](const WorkBKPD* work, WorkExclusive& e, std::string_view w) {
      return ReferenceField<kRefTransact>(work, w, e.transact2);
    },
};

// --- Reading and storing ----------------------------------------------------

// The entries of a value, up to the brace that closes the outermost one.
template <class Entry, size_t N>
KpdFault ReadEntries(const WorkBKPD* work, KpdCursor cur, const FieldReader<Entry> (&fields)[N],
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
    if (const KpdFault f = fields[field](work, entries.back(), w.text); f != KpdFault::kNone) {
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
      while (*first != nullptr) {
        Node* next = (*first)->next;
        FreeMemPtr(*first);
        *first = next;
      }
      return false;
    }
    *node = e;
    node->next = nullptr;
    *link = node;
    link = &node->next;
  }
  return true;
}

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
  std::vector<Entry> entries;
  if (const KpdFault f = ReadEntries(work, KpdValueCursor(c.parser), fields, entries); f != KpdFault::kNone) {
    return f;
  }
  auto* head = static_cast<WorkDefinition<Entry>*>(GetMemPtr(sizeof(WorkDefinition<Entry>)));
  if (head == nullptr || !MakeChain(entries, &head->first)) {
    FreeMemPtr(head);
    return KpdFault::kNoMemory;
  }
  head->number = number;
  WorkDefinition<Entry>** link = &(work->*list);
  while (*link != nullptr) {
    link = &(*link)->next;
  }
  *link = head;
  return KpdFault::kNone;
}

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
  std::vector<WorkExclusive> records;
  if (const KpdFault f = ReadEntries(c.work, KpdValueCursor(c.parser), kExclusiveFields, records);
      f != KpdFault::kNone) {
    return f;
  }
  WorkExclusive* first = nullptr;
  if (!MakeChain(records, &first)) {
    return KpdFault::kNoMemory;
  }
  for (WorkExclusive* x = c.work->exclusives; x != nullptr;) {
    WorkExclusive* next = x->next;
    FreeMemPtr(x);
    x = next;
  }
  c.work->exclusives = first;
  return KpdFault::kNone;
}
