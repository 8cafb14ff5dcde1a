// Device fonts and font cartridges of the header:
// "IDList{ {"name" number} ... }". A later table of the same keyword
// replaces an earlier one; a value that is not such a list is refused and
// keeps the earlier table.
#include <algorithm>
#include <vector>

#include "settings/kpd/kpd_compile_internal.h"
#include "settings/system/memptr.h"

namespace {

void FreeEntries(std::vector<WorkFont*>& fonts) {
  for (WorkFont* f : fonts) {
    FreeMemPtr(f->name);
    FreeMemPtr(f);
  }
  fonts.clear();
}

void FreeTable(WorkFont** table, DWORD count) {
  if (table == nullptr) {
    return;
  }
  for (DWORD i = 0; i < count; ++i) {
    if (table[i] != nullptr) {
      FreeMemPtr(table[i]->name);
      FreeMemPtr(table[i]);
    }
  }
  FreeMemPtr(table);
}

// One braced entry; *filled is false for an entry without a name (the
// filling ends there).
KpdFault ReadEntry(KpdCursor& cur, std::vector<WorkFont*>& fonts, bool* filled) {
  *filled = false;
  fonts.reserve(fonts.size() + 1);  // may throw, but before anything is allocated
  KpdString name = KpdGetStringValue(cur, '}');
  if (name.fault != KpdFault::kNone || name.text == nullptr) {
    return name.fault == KpdFault::kNoMemory ? KpdFault::kNoMemory : KpdFault::kNone;
  }
  LONG number = 0;
  KpdSkipBlanks(cur);
  if (!cur.AtEnd() && cur.Peek() != '}') {
    const KpdNumber n = KpdGetNumericValue(cur);
    if (!KpdFitsLong(n)) {
      FreeMemPtr(name.text);
      return KpdFault::kNumberRange;
    }
    number = static_cast<LONG>(n.value);
  }
  auto* font = static_cast<WorkFont*>(GetMemPtr(sizeof(WorkFont)));
  if (font == nullptr) {
    FreeMemPtr(name.text);
    return KpdFault::kNoMemory;
  }
  font->number = number;
  font->name = name.text;
  fonts.push_back(font);
  *filled = true;
  KpdGetCharSkip(cur, '}');
  return KpdFault::kNone;
}

KpdFault ReadFonts(KpdCursor cur, std::vector<WorkFont*>& fonts) {
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
    bool filled = false;
    if (const KpdFault f = ReadEntry(cur, fonts, &filled); f != KpdFault::kNone) {
      return f;
    }
    if (!filled) {
      return KpdFault::kNone;
    }
  }
}

KpdFault SetFontProc(KpdCompiler& c, DWORD& count, WorkFont**& table) {
  std::vector<WorkFont*> fonts;
  if (const KpdFault f = KpdCatchNoMemory([&] { return ReadFonts(KpdValueCursor(c.parser), fonts); });
      f != KpdFault::kNone) {
    FreeEntries(fonts);
    return f;
  }
  WorkFont** made = nullptr;
  if (!fonts.empty()) {
    made = static_cast<WorkFont**>(GetMemPtr(fonts.size() * sizeof(WorkFont*)));
    if (made == nullptr) {
      FreeEntries(fonts);
      return KpdFault::kNoMemory;
    }
    std::copy(fonts.begin(), fonts.end(), made);
  }
  FreeTable(table, count);
  table = made;
  count = static_cast<DWORD>(fonts.size());
  return KpdFault::kNone;
}

}  // namespace

KpdFault DeviceFontProc(KpdCompiler& c) {
  return SetFontProc(c, c.work->header->deviceFontCount, c.work->header->deviceFonts);
}

KpdFault OptionFontProc(KpdCompiler& c) {
  return SetFontProc(c, c.work->header->optionFontCount, c.work->header->optionFonts);
}
