// Extra data of paper, tray and font-table options: PageValue, PageMMValue,
// SlotPaper and TTFS. Each names its option by the second option word, and
// the option must belong to the open group, which must be of the kind the
// keyword describes; anything else is refused before a record is made.
#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/kpd/kpd_compile_lookup.h"
#include "settings/system/memptr.h"

namespace {

// The option named by option 2 in the open group of the given kind.
KpdFault TargetOption(KpdCompiler& c, UiKind kind, WorkOption** option) {
  if (KpdText(c.parser->option2).empty() || KpdText(c.parser->value).empty()) {
    return KpdFault::kBadValue;
  }
  WorkUiGroup* open = KpdOpenGroup(c.work);
  if (open == nullptr) {
    return KpdFault::kNoGroup;
  }
  if (BkpdGroupKind(open->type) != kind) {
    return KpdFault::kWrongGroupType;
  }
  // Options live with the main group of the open group id.
  *option = KpdFindOption(c.work, KpdFirstGroupOf(c.work, c.work->openGroupId), KpdText(c.parser->option2));
  return *option == nullptr ? KpdFault::kUnknownOption : KpdFault::kNone;
}

// The size word of a PageValue: a value keyword or a number 1-65535. No
// value keyword is a number, so a number is not looked up.
KpdFault SizeWord(std::string_view word, WORD* size) {
  KpdCursor c{word, 0};
  const KpdNumber n = KpdGetNumericValue(c);
  if (!n.digits || !c.AtEnd()) {
    const SP* sp = KpdSPbyKeyWord(word);
    if (sp == nullptr) {
      return KpdFault::kUnknownValue;
    }
    *size = sp->valueIndex;
    return KpdFault::kNone;
  }
  if (!KpdFitsWord(n) || n.value == 0) {
    return KpdFault::kNumberRange;
  }
  *size = static_cast<WORD>(n.value);
  return KpdFault::kNone;
}

KpdFault ReadCondition(KpdCursor& cur, WorkPageArea& a) {
  const std::optional<std::string_view> group = KpdGetListWord(cur);
  const GK* gk = group ? KpdGKbyKeyWord(*group) : nullptr;
  if (gk == nullptr) {
    return KpdFault::kUnknownGroup;
  }
  const std::optional<std::string_view> value = KpdGetListWord(cur);
  if (!value) {
    return KpdFault::kUnknownValue;
  }
  a.condGroupId = gk->groupId;
  if (const SP* sp = KpdSPbyKeyWord(*value)) {
    a.condValue = sp->valueIndex;
  } else if (*value == "True" || *value == "False") {
    a.condValue = SearchStringTable(boolStrs, *value);
  } else {
    return KpdFault::kUnknownValue;
  }
  return KpdFault::kNone;
}

KpdFault ReadArea(KpdCursor cur, WorkPageArea& a) {
  const std::optional<std::string_view> size = KpdGetListWord(cur);
  if (!size) {
    return KpdFault::kBadValue;
  }
  if (const KpdFault f = SizeWord(*size, &a.resolution); f != KpdFault::kNone) {
    return f;
  }
  const std::optional<std::string_view> value = KpdGetListWord(cur);
  const SP* sp = value ? KpdSPbyKeyWord(*value) : nullptr;
  if (sp == nullptr) {
    return KpdFault::kUnknownValue;
  }
  a.orientation = sp->valueIndex;
  KpdSkipBlanks(cur);
  if (!cur.AtEnd() && cur.Peek() != '"') {
    if (const KpdFault f = ReadCondition(cur, a); f != KpdFault::kNone) {
      return f;
    }
  }
  KpdNumber numbers[std::size(WorkPageArea{}.numbers)] = {};
  size_t count = 0;
  if (const KpdFault f = KpdGetQuotedNumbers(cur, numbers, &count); f != KpdFault::kNone) {
    return f;
  }
  for (size_t i = 0; i < count; ++i) {
    a.numbers[i] = static_cast<LONG>(numbers[i].value);
  }
  return KpdFault::kNone;
}

void FreeStrings(std::vector<std::pair<LPSTR, LPSTR>>& pairs) {
  for (auto& [first, second] : pairs) {
    FreeMemPtr(first);
    FreeMemPtr(second);
  }
  pairs.clear();
}

// "IDList{ {"TrueType" "device"} ... }": the pairs up to the first that does
// not decode.
KpdFault ReadPairs(KpdCursor cur, std::vector<std::pair<LPSTR, LPSTR>>& pairs) {
  const std::optional<std::string_view> head = KpdGetListWord(cur);
  if (!head || *head != "IDList" || !KpdGetCharSkip(cur, '{')) {
    return KpdFault::kBadValue;
  }
  for (;;) {
    KpdSkipBlanks(cur);
    if (cur.Peek() != '{') {
      return KpdFault::kNone;
    }
    ++cur.pos;
    pairs.reserve(pairs.size() + 1);  // may throw, but before this pair is allocated
    const KpdString trueType = KpdGetStringValue(cur, '}');
    const KpdString device = trueType.fault == KpdFault::kNone ? KpdGetStringValue(cur, '}') : KpdString{};
    if (trueType.fault == KpdFault::kNoMemory || device.fault == KpdFault::kNoMemory) {
      FreeMemPtr(trueType.text);
      FreeMemPtr(device.text);
      return KpdFault::kNoMemory;
    }
    if (trueType.text == nullptr || device.text == nullptr) {
      FreeMemPtr(trueType.text);
      FreeMemPtr(device.text);
      return KpdFault::kNone;  // the filling ends at a pair that does not decode
    }
    pairs.emplace_back(trueType.text, device.text);
    KpdGetCharSkip(cur, '}');
  }
}

void FreeNames(LPSTR* names, DWORD count) {
  if (names != nullptr) {
    for (DWORD i = 0; i < count; ++i) {
      FreeMemPtr(names[i]);
    }
    FreeMemPtr(names);
  }
}

}  // namespace

KpdFault OptionPageProc(KpdCompiler& c) {
  WorkOption* option = nullptr;
  if (const KpdFault f = TargetOption(c, UiKind::kPage, &option); f != KpdFault::kNone) {
    return f;
  }
  WorkPageArea area{};
  if (const KpdFault f = ReadArea(KpdValueCursor(c.parser), area); f != KpdFault::kNone) {
    return f;
  }
  auto* a = static_cast<WorkPageArea*>(GetMemPtr(sizeof(WorkPageArea)));
  if (a == nullptr) {
    return KpdFault::kNoMemory;
  }
  *a = area;
  WorkPageArea** link = &option->areas;
  while (*link != nullptr) {
    link = &(*link)->next;
  }
  *link = a;
  return KpdFault::kNone;
}

KpdFault OptionPageMMProc(KpdCompiler& c) {
  WorkOption* option = nullptr;
  if (const KpdFault f = TargetOption(c, UiKind::kPage, &option); f != KpdFault::kNone) {
    return f;
  }
  KpdCursor cur = KpdValueCursor(c.parser);
  KpdNumber numbers[2] = {};
  size_t count = 0;
  if (const KpdFault f = KpdGetQuotedNumbers(cur, numbers, &count); f != KpdFault::kNone) {
    return f;
  }
  if (count == 0) {
    return KpdFault::kBadValue;
  }
  option->mmWidth = static_cast<LONG>(numbers[0].value);
  if (count == 2) {
    option->mmLength = static_cast<LONG>(numbers[1].value);
  }
  return KpdFault::kNone;
}

KpdFault OptionSlotProc(KpdCompiler& c) {
  WorkOption* option = nullptr;
  if (const KpdFault f = TargetOption(c, UiKind::kSlot, &option); f != KpdFault::kNone) {
    return f;
  }
  KpdCursor cur = KpdValueCursor(c.parser);
  if (!KpdGetCharSkip(cur, '{')) {
    return KpdFault::kBadValue;
  }
  std::vector<WORD> papers;
  for (;;) {
    KpdSkipBlanks(cur);
    if (cur.AtEnd() || cur.Peek() == '}') {
      break;
    }
    const std::optional<std::string_view> word = KpdGetListWord(cur);
    const SP* sp = word ? KpdSPbyKeyWord(*word) : nullptr;
    if (sp == nullptr) {
      return KpdFault::kUnknownValue;  // the whole list is dropped
    }
    papers.push_back(sp->valueIndex);
  }
  WORD* array = nullptr;
  if (!papers.empty()) {
    array = static_cast<WORD*>(GetMemPtr(papers.size() * sizeof(WORD)));
    if (array == nullptr) {
      return KpdFault::kNoMemory;
    }
    std::copy(papers.begin(), papers.end(), array);
  }
  FreeMemPtr(option->papers);
  option->papers = array;
  option->paperCount = static_cast<DWORD>(papers.size());
  return KpdFault::kNone;
}

KpdFault FontConvTblProc(KpdCompiler& c) {
  WorkOption* option = nullptr;
  if (const KpdFault f = TargetOption(c, UiKind::kFontTbl, &option); f != KpdFault::kNone) {
    return f;
  }
  std::vector<std::pair<LPSTR, LPSTR>> pairs;
  if (const KpdFault f = KpdCatchNoMemory([&] { return ReadPairs(KpdValueCursor(c.parser), pairs); });
      f != KpdFault::kNone) {
    FreeStrings(pairs);
    return f;
  }
  LPSTR* trueType = nullptr;
  LPSTR* device = nullptr;
  if (!pairs.empty()) {
    trueType = static_cast<LPSTR*>(GetMemPtr(pairs.size() * sizeof(LPSTR)));
    device = static_cast<LPSTR*>(GetMemPtr(pairs.size() * sizeof(LPSTR)));
    if (trueType == nullptr || device == nullptr) {
      FreeMemPtr(trueType);
      FreeMemPtr(device);
      FreeStrings(pairs);
      return KpdFault::kNoMemory;
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
      trueType[i] = pairs[i].first;
      device[i] = pairs[i].second;
    }
  }
  FreeNames(option->trueTypeNames, option->pairCount);
  FreeNames(option->deviceNames, option->pairCount);
  option->trueTypeNames = trueType;
  option->deviceNames = device;
  option->pairCount = static_cast<DWORD>(pairs.size());
  return KpdFault::kNone;
}
