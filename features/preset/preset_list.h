// The preset list's own operations on the per-user settings INI: two keys
// swapped, the presets behind two list entries swapped, an entry renamed
// or emptied. Entries of a preset list are the presets' keys
// ("PresetList<n>"). Each operation ends with the preset cache emptied.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct UCB;

#if !KESM_KERNEL_MODE
// Swaps the values of two keys of the section; missing values read as
// empty. FALSE when either could not be written back.
BOOL KesmIni_Exchange(UCB* ucb, LPCWSTR section, LPCWSTR keyA, LPCWSTR keyB);
// Swaps the set files, names and comments behind entries i and j of the
// list. FALSE when an entry holds no key.
BOOL ReplacePresetData(UCB* ucb, const ICB* list, int i, int j);
// Writes the entry's name and comment.
BOOL SetNameAndComment(UCB* ucb, const ICB* list, int entry, LPCWSTR name, LPCWSTR comment);
// Empties the entry's set file, name and comment and counts one preset
// less; the set file itself stays on disk. FALSE when the entry holds no
// key or the list is already empty.
BOOL DeletePresetData(UCB* ucb, const ICB* list, int entry);
#endif
