// Definition numbers, definition macros and the references between
// definitions: "Judge12" names judge 12 wherever it is defined, "NULL"
// names nothing on purpose, and any other word is a macro name bound by an
// earlier definition ("*Judge 12=IsColour: ...").
#include <cstring>
#include <iterator>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"

namespace {

// Reference prefixes, compared in this order, each on its own length (so
// "AlertAction" is tried before "Alert"). Kind 0: no reference.
struct PrefixRow {
  std::string_view prefix;
  DWORD kind;
};
constexpr PrefixRow KeytoID_tbl[] = {
    {"Judge", kRefJudge},   {"Item", kRefItem},   {"Action", kRefAction}, {"Transact", kRefTransact},
    {"AlertAction", kRefAlertAction}, {"Alert", kRefAlert}, {"NULL", 0},
};

// The macro list of each reference kind (index: kRef*).
constexpr WorkMacroKind kMacroOfReference[] = {
    kMacroKindCount, kMacroJudge, kMacroItem, kMacroAction, kMacroTransact, kMacroAlert, kMacroAlertAction,
};
static_assert(std::size(kMacroOfReference) == kRefAlertAction + 1);

}  // namespace

KpdFault KpdDefinitionNumber(std::string_view option1, WORD* number) {
  const std::optional<LONGLONG> id = KpdGetId(option1);
  if (!id || *id < 0 || *id > 0xFFFF) {
    return KpdFault::kNumberRange;
  }
  if (*id == 0) {
    return KpdFault::kBadValue;  // no number: nothing could refer to it
  }
  *number = static_cast<WORD>(*id);
  return KpdFault::kNone;
}

std::string_view KpdMacroName(std::string_view option1) {
  const size_t equals = option1.find('=');
  return equals == std::string_view::npos ? std::string_view() : option1.substr(equals + 1);
}

KpdFault KpdSetKeywordMacro(WorkBKPD* work, WorkMacroKind kind, std::string_view name, DWORD number) {
  if (name.empty() || KpdSearchKeywordMacro(work, kind, name) != 0) {
    return KpdFault::kNone;  // the first binding of a name stays
  }
  auto* macro = static_cast<WorkMacro*>(GetMemPtr(sizeof(WorkMacro)));
  auto* copy = static_cast<LPSTR>(GetMemPtr(name.size() + 1));
  if (macro == nullptr || copy == nullptr) {
    FreeMemPtr(macro);
    FreeMemPtr(copy);
    return KpdFault::kNoMemory;
  }
  std::memcpy(copy, name.data(), name.size());
  macro->name = copy;
  macro->number = number;
  WorkMacro** link = &work->macros[kind];
  while (*link != nullptr) {
    link = &(*link)->next;
  }
  *link = macro;
  return KpdFault::kNone;
}

DWORD KpdSearchKeywordMacro(const WorkBKPD* work, WorkMacroKind kind, std::string_view name) {
  for (const WorkMacro* m = work->macros[kind]; m != nullptr; m = m->next) {
    if (name == m->name) {
      return m->number;
    }
  }
  return 0;
}

const WorkJudge* KpdFindJudge(const WorkBKPD* work, DWORD number) {
  for (const WorkJudge* j = work->judges; j != nullptr; j = j->next) {
    if (j->number == number) {
      return j;
    }
  }
  return nullptr;
}

KpdReference KpdResolveReference(const WorkBKPD* work, std::string_view word, DWORD kind) {
  for (const PrefixRow& row : KeytoID_tbl) {
    if (!word.starts_with(row.prefix)) {
      continue;
    }
    if (row.kind == 0) {
      return {KpdFault::kNone, true, 0};
    }
    if (row.kind != kind) {
      return {KpdFault::kNone, false, 0};  // a reference of another kind names nothing here
    }
    const std::optional<LONGLONG> id = KpdGetId(word);
    if (!id || *id < 0 || *id > 0xFFFF) {
      return {KpdFault::kNumberRange, false, 0};
    }
    return {KpdFault::kNone, false, static_cast<WORD>(*id)};
  }
  return {KpdFault::kNone, false, static_cast<WORD>(KpdSearchKeywordMacro(work, kMacroOfReference[kind], word))};
}

KpdFault KpdJudgeReference(const WorkBKPD* work, std::string_view word, WORD* number) {
  const KpdReference r = KpdResolveReference(work, word, kRefJudge);
  if (r.fault != KpdFault::kNone) {
    return r.fault;
  }
  if (r.null) {
    *number = 0;
    return KpdFault::kNone;
  }
  if (r.number == 0) {
    return KpdFault::kUnknownJudge;
  }
  *number = r.number;
  return KpdFault::kNone;
}
