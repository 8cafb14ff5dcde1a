// UI groups: OpenUI with its type words, sub-groups and Identity groups,
// CloseUI, and the shared group helpers.
#include <cstring>

#include "settings/bkpd/bkpd_work_index.h"
#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"

namespace {

bool IsTypeWordEnd(char ch) { return ch == '|' || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// A type word: up to '|', a blank or the end.
std::string_view TypeWord(KpdCursor& c) {
  KpdSkipBlanks(c);
  const size_t start = c.pos;
  while (!c.AtEnd() && !IsTypeWordEnd(c.text[c.pos])) {
    ++c.pos;
  }
  return c.text.substr(start, c.pos - start);
}

struct GroupType {
  KpdFault fault;
  WORD type;
  WORD identityOf;  // group id an Identity group copies
};

// The group type of OpenUI's value.
GroupType GetGroupType(KpdCursor c) {
  const std::string_view first = TypeWord(c);
  if (first.size() > kKpdMaxTypeWord) {
    return {KpdFault::kTypeWordTooLong, 0, 0};
  }
  WORD type = SearchStringTable(uitypeStrs, first);
  if (type == kUiIdentity) {
    const std::optional<std::string_view> named = KpdGetKeywordValue(c);
    const GK* gk = named ? KpdGKbyKeyWord(*named) : nullptr;
    if (gk == nullptr) {
      return {KpdFault::kUnknownGroup, 0, 0};
    }
    return {KpdFault::kNone, type, gk->groupId};
  }
  KpdSkipBlanks(c);
  if (c.Peek() == '|') {
    ++c.pos;
    const std::string_view second = TypeWord(c);
    if (second.size() > kKpdMaxTypeWord) {
      return {KpdFault::kTypeWordTooLong, 0, 0};
    }
    type = static_cast<WORD>(type | SearchStringTable(uitypeStrs, second));
  }
  return {KpdFault::kNone, type, 0};
}

LPSTR CopyKeyword(std::string_view keyword) {
  auto* copy = static_cast<LPSTR>(GetMemPtr(keyword.size() + 1));
  if (copy != nullptr) {
    std::memcpy(copy, keyword.data(), keyword.size());
  }
  return copy;
}

// The sub-group number of option 2: 1-65535.
KpdFault SubGroupNumber(std::string_view word, WORD* number) {
  KpdCursor c{word, 0};
  const KpdNumber n = KpdGetNumericValue(c);
  if (!n.digits || !c.AtEnd()) {
    return KpdFault::kBadValue;
  }
  if (!KpdFitsWord(n) || n.value == 0) {
    return KpdFault::kNumberRange;
  }
  *number = static_cast<WORD>(n.value);
  return KpdFault::kNone;
}

// A new group record for OpenUI, not yet in the list.
KpdFault MakeGroup(KpdCompiler& c, const GK& gk, WorkUiGroup** made) {
  WorkBKPD* work = c.work;
  const std::string_view option2 = KpdText(c.parser->option2);
  WORD subGroup = 0;
  if (!option2.empty()) {
    if (const KpdFault f = SubGroupNumber(option2, &subGroup); f != KpdFault::kNone) {
      return f;
    }
  }
  const WorkUiGroup* main = KpdFirstGroupOf(work, gk.groupId);
  GroupType type{KpdFault::kNone, 0, 0};
  const WorkUiGroup* identity = nullptr;
  if (subGroup == 0 || main == nullptr) {
    type = GetGroupType(KpdValueCursor(c.parser));
    if (type.fault != KpdFault::kNone) {
      return type.fault;
    }
    if (type.type == kUiIdentity) {
      identity = KpdFirstGroupOf(work, type.identityOf);
      if (identity == nullptr || identity->subGroupId != 0) {
        return KpdFault::kUnknownGroup;
      }
    }
  }
  auto* g = static_cast<WorkUiGroup*>(GetMemPtr(sizeof(WorkUiGroup)));
  if (g == nullptr) {
    return KpdFault::kNoMemory;
  }
  if (subGroup != 0 && main != nullptr) {
    *g = *main;  // a sub-group shares the main group's data
    g->subGroupId = subGroup;
  } else {
    g->groupId = gk.groupId;
    g->funcId = gk.funcId;
    g->type = type.type;
    if (identity != nullptr) {
      g->subGroupId = type.identityOf;
      g->type = static_cast<WORD>(g->type | identity->type);
      g->defaultValue = identity->defaultValue;
      g->options = identity->options;
      g->boolean = identity->boolean;
      g->numeric = identity->numeric;
      g->string = identity->string;
    }
  }
  g->next = nullptr;
  g->packed = 0;
  g->packedOptions = 0;
  *made = g;
  return KpdFault::kNone;
}

// Position of the first option with the value; -1 when none.
int OptionPosition(const WorkUiGroup* g, WORD value, int* count) {
  int position = -1;
  int n = 0;
  for (const WorkOption* o = g->options; o != nullptr; o = o->next, ++n) {
    if (position < 0 && o->value == value) {
      position = n;
    }
  }
  *count = n;
  return position;
}

}  // namespace

WorkUiGroup* KpdFirstGroupOf(WorkBKPD* work, WORD groupId) { return WorkBKPD_FirstGroup(work, groupId); }

WorkUiGroup* KpdOpenGroup(WorkBKPD* work) {
  if (work->openGroupKeyword == nullptr) {
    return nullptr;
  }
  return WorkBKPD_FirstGroupOf(work, work->openGroupId, work->openSubGroup);
}

WorkOption* KpdFindOption(WorkBKPD* work, WorkUiGroup* g, std::string_view keyword) {
  const SP* sp = KpdSPbyKeyWord(keyword);
  if (g == nullptr || sp == nullptr) {
    return nullptr;
  }
  return WorkBKPD_FindOption(work, g, sp->valueIndex);
}

bool KpdCommandsSharedWithOther(WorkBKPD* work, const WorkUiGroup* g) {
  struct Probe {
    const WorkUiGroup* group;
    const WorkCommandPair* pair;
  };
  const Probe probe{g, g->commands};
  return WorkBKPD_AnyGroupOf(
      work, g->groupId,
      [](const WorkUiGroup* other, const void* p) {
        const auto* probe = static_cast<const Probe*>(p);
        return other != probe->group && other->commands == probe->pair;
      },
      &probe);
}

void KpdCloseOpenGroup(WorkBKPD* work) {
  WorkUiGroup* g = KpdOpenGroup(work);
  if (g != nullptr && (g->type & kUiPickOne) != 0) {
    int count = 0;
    const int position = OptionPosition(g, g->defaultValue, &count);
    if (position >= 0) {
      g->defaultValue = static_cast<WORD>(position);
    } else if (g->subGroupId == 0 || g->defaultValue >= count) {
      g->defaultValue = 0;
    }
  }
  FreeMemPtr(work->openGroupKeyword);
  work->openGroupKeyword = nullptr;
  work->openGroupId = 0;
  work->openSubGroup = 0;
  work->keywordCache = 0;
}

KpdFault OpenUiProc(KpdCompiler& c) {
  WorkBKPD* work = c.work;
  const std::string_view option1 = KpdText(c.parser->option1);
  if (option1.size() < 2 || option1[0] != '*') {
    return KpdFault::kBadValue;
  }
  const std::string_view keyword = option1.substr(1);
  const GK* gk = KpdGKbyKeyWord(keyword);
  if (gk == nullptr) {
    return KpdFault::kUnknownGroup;
  }
  if (work->openGroupKeyword != nullptr) {
    // The previous group lacks its CloseUI: close it here, so this group and
    // every later one still count.
    KpdCloseOpenGroup(work);
    KpdNote(c, KpdFault::kGroupNotClosed);
  }
  LPSTR copy = CopyKeyword(keyword);
  if (copy == nullptr) {
    return KpdFault::kNoMemory;
  }
  WorkUiGroup* g = nullptr;
  if (const KpdFault f = KpdCatchNoMemory([&] { return MakeGroup(c, *gk, &g); }); f != KpdFault::kNone) {
    FreeMemPtr(copy);
    return f;
  }
  if (!WorkBKPD_AppendGroup(work, g)) {
    FreeMemPtr(g);  // its blocks, if any, are borrowed
    FreeMemPtr(copy);
    return KpdFault::kNoMemory;
  }
  work->openGroupKeyword = copy;
  work->openGroupId = g->groupId;
  work->openSubGroup = g->subGroupId;
  return KpdFault::kNone;
}

KpdFault CloseUiProc(KpdCompiler& c) {
  KpdCloseOpenGroup(c.work);
  return KpdFault::kNone;
}
