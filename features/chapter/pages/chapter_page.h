// The chapter dialog and the cover-and-insert page: the chapter list, the
// kind, tray and print choices, and the built-ins that add and delete
// chapters. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;
struct TCB;
struct ICB;
struct CHAPTERWORK;

INT_PTR ChapterProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);

// Built-ins 300 (add the typed pages), 301 (delete the selected chapter)
// and 302 (delete all); 0 for other ids.
int ChapterPageBuiltIn(UCB* ucb, WORD id, CHAPTERWORK* work);
// Code 3 for the delete button: disabled without a selected chapter. 0 for
// other items.
int ChapterDeleteButtonState(UCB* ucb, void* parameter);
// Code 25: the chapter dialog closed; OK derives the distinct trays, Cancel
// gives back the count a deletion changed. 0 for other dialogs.
int ChapterDialogClosed(UCB* ucb, void* parameter, CHAPTERWORK* work);
