// Print-quality sets: named sets of quality settings, each kept as a set
// file listed per user in the settings INI ("QualityList<n>"). The entries
// DEVMODE validation calls; the store itself is not built yet.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// "QualityList<index>" into a buffer of at least 64 characters; returns the
// buffer.
LPWSTR MakeQualityKey(LPWSTR buffer, int index);
// Reads quality set index into the context's quality settings. FALSE for
// now: nothing is read.
BOOL ReadQualityByID(UCB* ucb, int index);
#endif
