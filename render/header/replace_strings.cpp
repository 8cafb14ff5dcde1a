#include "render/header/replace_strings.h"

#include <cstring>

#include "storage/system/section_lock.h"

namespace {

// The keys and string ids the library serves, in the order the sender
// keeps its table; the texts stay empty until the first escape 122.
constexpr ReplaceStringTable kEmptyTable = {{
    {731, 15000, {}},
    {733, 15001, {}},
    {735, 15002, {}},
    {0, 0, {}},
}};

ReplaceStringTable gTable = kEmptyTable;

}  // namespace

void CopytblReplaceString(ReplaceStringTable* table, const BYTE* input, ULONG inputBytes) {
  if (table == nullptr || input == nullptr) return;
  const ULONG whole = inputBytes / sizeof(REPLACESTRING);
  for (ULONG i = 0; i < kReplaceStringEntries && i < whole; ++i) {
    REPLACESTRING& entry = table->entries[i];
    if (entry.key == 0) break;
    std::memcpy(entry.text, input + i * sizeof(REPLACESTRING) + offsetof(REPLACESTRING, text), sizeof(entry.text));
    entry.text[kReplaceTextChars - 1] = 0;
  }
}

void StoreReplaceStrings(const BYTE* input, ULONG inputBytes) {
  ScopedSection lock(nullptr);
  CopytblReplaceString(&gTable, input, inputBytes);
}

void SnapshotReplaceStrings(ReplaceStringTable* copy) {
  ScopedSection lock(nullptr);
  *copy = gTable;
}

void ResetReplaceStrings() {
  ScopedSection lock(nullptr);
  gTable = kEmptyTable;
}
