// The preset behind an entry of a preset list: an entry's text is the
// preset's key in the per-user settings INI ("PresetList<n>"), whose name,
// comment and set file are read here. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// What of the preset is read.
inline constexpr int kPresetKeywordFile = 0;     // the bare key: the set file's path
inline constexpr int kPresetKeywordName = 1;     // the key followed by "Name"
inline constexpr int kPresetKeywordComment = 2;  // the key followed by "Comment"
// The most a value read takes, terminator included.
inline constexpr DWORD kPresetKeywordChars = 1025;

#if !KESM_KERNEL_MODE
// Reads the value of entry `entry` of the list window of `list` into text
// (kPresetKeywordChars characters, always terminated). Returns its length;
// 0 with an empty text for an entry the list does not have, an entry
// without text, or a context without a settings INI.
int GetPresetKeyword(UCB* ucb, const ICB* list, int entry, int kind, LPWSTR text);
#endif
