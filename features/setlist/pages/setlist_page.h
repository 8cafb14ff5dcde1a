// The settings summary: a read-only text with one line per setting shown,
// its label then its value. The status dialog shows it, and so does the
// preset page's maintenance dialog.
#pragma once

#include "features/setlist/setlist_conditions.h"
#include "platform/base/wintypes.h"
#include "settings/tables/class_data.h"

struct ICB;
struct TCB;
struct UCB;

// The buffer of a summary with lines, and of any other item's text.
inline constexpr int kSetListChars = 10240;
inline constexpr int kSetListPlainChars = 1025;
// Fewer characters than this left after a line end the summary with the
// truncation mark.
inline constexpr int kSetListReserve = 256;
inline constexpr const char16_t* kSetListMore = u"\u30FB\u30FB\u30FB\u30FB\u30FBetc";

// The summary of the list's lines into buffer (capacity characters, the
// terminator included); every label, value and line break is cut to the
// room left. Returns the length written.
int BuildSetListText(UCB* ucb, const CDSPL& list, const SETLISTCONDITIONS& conditions, LPWSTR buffer, int capacity);

// Builds the item's text (its summary, or its setting's text, or the text
// it has) and sets it into the item's window when it differs.
void PaintSetList(UCB* ucb, TCB* tcb, ICB* icb);
// Paints item 2248 on WM_PAINT; always 0.
INT_PTR UCF_SetList(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
