// What the chapter module does outside its pages.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Copies the media type of one attribute tray (cover 404, back cover 405,
// inserted sheet 406, chapter 407, reverse cover 409) into the other four.
void CopyMediaTypeOfAttributeTray(UCB* ucb, WORD funcId);

#if !KESM_KERNEL_MODE
struct CHAPTERWORK;
struct ICB;
struct TCB;

// What the chapter dialog's page code does for the module: the module's
// window procedure, built-ins 300-302, the delete button's state (code 3)
// and the close of the chapter dialog (code 25). The configuration library
// registers its table when it loads; without one those answer nothing.
struct ChapterPageHooks {
  INT_PTR (*procedure)(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
  int (*builtIn)(UCB* ucb, WORD id, CHAPTERWORK* work);
  int (*deleteButtonState)(UCB* ucb, void* parameter);
  int (*dialogClosed)(UCB* ucb, void* parameter, CHAPTERWORK* work);
};
// Registers the table (null unregisters); the table must outlive its use.
void RegisterChapterPageHooks(const ChapterPageHooks* hooks);
#endif
