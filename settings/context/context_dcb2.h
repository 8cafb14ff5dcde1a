// The saved state (DCB2), the undo ring of DCB images and the copy of the
// setting records that the dialog engine takes around a judge.
#pragma once

#include "platform/base/wintypes.h"

struct SFL;
struct UCB;

// Makes DCB2 a copy of the current DCB with arrays of its own (its previous
// arrays are freed first). 1, or 0 when the context has no DCB2 or no DCB.
BOOL GetDCB2(UCB* ucb);
// Frees DCB2's arrays. 1, or 0 when the context has no DCB2.
BOOL FreeDCB2(UCB* ucb);

// Pushes a copy of the current DCB and request word onto the undo ring,
// dropping the oldest entry.
void BackupPrivateDevmode(UCB* ucb);
// Non-zero `restore`: puts the newest entry back as the current DCB and
// clears the changed marks. Zero: keeps the current DCB and drops the font
// table the font editor set aside. Either way the newest entry leaves the
// ring.
void RestorePrivateDevmode(UCB* ucb, BOOL restore);

// A heap copy of the context's setting-list head and records, or null.
SFL* BackupSFCB(UCB* ucb);
// Copies the records back over the context's and frees the copy.
void RestoreSFCB(UCB* ucb, SFL* copy);
