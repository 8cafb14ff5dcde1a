// What the preset page reads behind an entry of a preset list: the entry's
// text is the preset's key in the per-user settings INI ("PresetList<n>"),
// under which the preset's set file, name and comment are kept.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct UCB;

inline constexpr int kPresetKeywordFile = 0;
inline constexpr int kPresetKeywordName = 1;
inline constexpr int kPresetKeywordComment = 2;
inline constexpr int kPresetKeywordChars = 1025;

#if !KESM_KERNEL_MODE
// The value of the entry's key in the printer's preset section: with
// "Name" appended for kind 1, "Comment" for kind 2, the key itself (the set
// file) for any other kind; at most kPresetKeywordChars characters, its end
// included, into text (emptied first). The length read: 0 for an entry the
// list does not have or a key without value.
int GetPresetKeyword(UCB* ucb, const ICB* list, int entry, int kind, LPWSTR text);
#endif
