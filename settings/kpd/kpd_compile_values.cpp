// Value records of the open group: NumericValue, StringValue and the
// command pair of OptionCommand. Each value is read whole into a local
// record first and stored only when all of it is sound, so a refused entry
// leaves the group as it was.
#include <iterator>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"

namespace {

// The open group when it is of the kind; the fault otherwise.
KpdFault OpenGroupOfKind(WorkBKPD* work, UiKind kind, WorkUiGroup** g) {
  *g = KpdOpenGroup(work);
  if (*g == nullptr) {
    return KpdFault::kNoGroup;
  }
  return BkpdGroupKind((*g)->type) == kind ? KpdFault::kNone : KpdFault::kWrongGroupType;
}

template <class T>
KpdFault Store(T*& slot, const T& value) {
  if (slot == nullptr) {
    slot = static_cast<T*>(GetMemPtr(sizeof(T)));
    if (slot == nullptr) {
      return KpdFault::kNoMemory;
    }
  }
  *slot = value;
  return KpdFault::kNone;
}

// Sets quoted number n (1-8) of the record; false when it does not fit.
bool SetQuoted(WorkNumeric& r, int n, const KpdNumber& v) {
  SHORT* shorts[] = {&r.first, nullptr, nullptr, nullptr, &r.fifth, &r.sixth, &r.seventh, &r.eighth};
  LONG* longs[] = {nullptr, &r.second, &r.third, &r.fourth, nullptr, nullptr, nullptr, nullptr};
  static_assert(std::size(shorts) == 8 && std::size(longs) == 8);
  if (shorts[n - 1] != nullptr) {
    if (!KpdFitsShort(v)) {
      return false;
    }
    *shorts[n - 1] = static_cast<SHORT>(v.value);
  } else {
    if (!KpdFitsLong(v)) {
      return false;
    }
    *longs[n - 1] = static_cast<LONG>(v.value);
  }
  return true;
}

constexpr int kQuotedNumbers = 8;

KpdFault ReadNumeric(KpdCursor cur, WorkNumeric& r) {
  KpdSkipBlanks(cur);
  if (!cur.AtEnd() && cur.Peek() != '"') {
    const KpdNumber lead = KpdGetNumericValue(cur);
    if (!lead.digits) {
      return KpdFault::kBadValue;
    }
    if (!KpdFitsShort(lead)) {
      return KpdFault::kNumberRange;
    }
    r.lead = static_cast<SHORT>(lead.value);
    KpdSkipBlanks(cur);
  }
  if (cur.AtEnd()) {
    return KpdFault::kNone;
  }
  if (cur.Peek() != '"') {
    return KpdFault::kBadValue;
  }
  ++cur.pos;
  for (int n = 1;; ++n) {
    KpdSkipBlanks(cur);
    if (cur.AtEnd() || cur.Peek() == '"') {
      return KpdFault::kNone;
    }
    const KpdNumber v = KpdGetNumericValue(cur);
    if (!v.digits || n > kQuotedNumbers) {
      return KpdFault::kBadValue;
    }
    if (!SetQuoted(r, n, v)) {
      return KpdFault::kNumberRange;
    }
  }
}

bool IsWordEnd(char ch) { return ch == '|' || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

std::string_view Word(KpdCursor& c) {
  KpdSkipBlanks(c);
  const size_t start = c.pos;
  while (!c.AtEnd() && !IsWordEnd(c.text[c.pos])) {
    ++c.pos;
  }
  return c.text.substr(start, c.pos - start);
}

KpdFault ReadString(KpdCursor cur, WorkString& r) {
  KpdSkipBlanks(cur);
  if (cur.AtEnd()) {
    return KpdFault::kNone;
  }
  const KpdNumber length = KpdGetNumericValue(cur);
  if (!length.digits) {
    return KpdFault::kBadValue;
  }
  // A maximum length is a count: a negative one would read back from the
  // compiled record as a huge unsigned limit.
  if (!KpdFitsShort(length) || length.value < 0) {
    return KpdFault::kNumberRange;
  }
  r.maxLength = static_cast<SHORT>(length.value);
  const std::string_view input = Word(cur);
  if (input.empty()) {
    return KpdFault::kNone;
  }
  r.inputType = SearchStringTable(sttypeStrs, input);
  KpdSkipBlanks(cur);
  if (cur.Peek() == '|') {
    ++cur.pos;
    r.displayType = SearchStringTable(pttypeStrs, Word(cur));
  }
  return KpdFault::kNone;
}

void FreePair(WorkCommandPair* pair) {
  if (pair != nullptr) {
    FreeMemPtr(pair->first);
    FreeMemPtr(pair->second);
    FreeMemPtr(pair);
  }
}

}  // namespace

KpdFault OptionNumericProc(KpdCompiler& c) {
  WorkUiGroup* g = nullptr;
  if (const KpdFault f = OpenGroupOfKind(c.work, UiKind::kNumeric, &g); f != KpdFault::kNone) {
    return f;
  }
  WorkNumeric record{};
  if (const KpdFault f = ReadNumeric(KpdValueCursor(c.parser), record); f != KpdFault::kNone) {
    return f;
  }
  return Store(g->numeric, record);
}

KpdFault OptionStringProc(KpdCompiler& c) {
  WorkUiGroup* g = nullptr;
  if (const KpdFault f = OpenGroupOfKind(c.work, UiKind::kString, &g); f != KpdFault::kNone) {
    return f;
  }
  WorkString record{};
  if (g->string != nullptr) {
    record.defaultValue = g->string->defaultValue;  // set by the Default line
  }
  if (const KpdFault f = ReadString(KpdValueCursor(c.parser), record); f != KpdFault::kNone) {
    return f;
  }
  return Store(g->string, record);
}

KpdFault OptionCommandProc(KpdCompiler& c) {
  WorkUiGroup* g = KpdOpenGroup(c.work);
  if (g == nullptr) {
    return KpdFault::kNoGroup;
  }
  // A pair copied from the main group stays with it; an own earlier pair
  // goes once the new one is made.
  const bool ownPair = g->commands != nullptr && !KpdCommandsSharedWithOther(c.work, g);
  KpdCursor cur = KpdValueCursor(c.parser);
  if (!KpdGetCharSkip(cur, '{')) {
    return KpdFault::kBadValue;
  }
  const KpdString first = KpdGetStringValue(cur, '}');
  if (first.fault != KpdFault::kNone) {
    return first.fault;
  }
  KpdString second{KpdFault::kNone, nullptr, 0};
  KpdSkipBlanks(cur);
  if (!cur.AtEnd() && cur.Peek() != '}') {
    second = KpdGetStringValue(cur, '}');
    if (second.fault != KpdFault::kNone) {
      FreeMemPtr(first.text);
      return second.fault;
    }
  }
  auto* pair = static_cast<WorkCommandPair*>(GetMemPtr(sizeof(WorkCommandPair)));
  if (pair == nullptr) {
    FreeMemPtr(first.text);
    FreeMemPtr(second.text);
    return KpdFault::kNoMemory;
  }
  pair->first = first.text;
  pair->second = second.text;
  if (ownPair) {
    FreePair(g->commands);
  }
  g->commands = pair;
  return KpdFault::kNone;
}
