// The replace-string texts: the texts that the configuration library
// replaced in the user's language, handed over by escape 122 and written
// into the job header in place of an option's own command text. One table
// serves every PDEV of the library. It is only ever read and written under
// the section lock, so an escape on one DC never tears the texts that
// another DC's job header is reading: the header works on a copy taken
// once per block.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

inline constexpr int kReplaceTextChars = 261;  // the terminating zero included

// One entry, as escape 122 sends it and as the library keeps it.
struct REPLACESTRING {
  WORD key;       // option key it stands for; 0 ends the table
  WORD stringId;
  WCHAR text[kReplaceTextChars];
};
static_assert(sizeof(REPLACESTRING) == 526);
static_assert(offsetof(REPLACESTRING, text) == 4);

// The library's own entries and the end entry.
inline constexpr int kReplaceStringEntries = 4;
struct ReplaceStringTable {
  REPLACESTRING entries[kReplaceStringEntries];
};

// Copies the texts of an escape-122 input into the table: for each entry of
// the table, up to its end entry, the text of the input entry at the same
// position, the keys and string ids of the input unread. Only whole input
// entries within inputBytes are read; the table's entries past them keep
// their texts. Every text ends terminated within its field.
void CopytblReplaceString(ReplaceStringTable* table, const BYTE* input, ULONG inputBytes);

// The library's table: escape 122's store and the header's copy, each
// under the section lock.
void StoreReplaceStrings(const BYTE* input, ULONG inputBytes);
void SnapshotReplaceStrings(ReplaceStringTable* copy);
// Back to the empty texts of a freshly loaded library.
void ResetReplaceStrings();
