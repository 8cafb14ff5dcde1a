// The entries of every feature module, as the module table names them.
#pragma once

#include "features/module_table/custom_table.h"

// The one body of the modules that have no built-in functions, and the one
// body of those that answer no function code.
int EmptyBuiltInFunc(UCB* ucb, WORD id, void* work);
int EmptyFunction(UCB* ucb, DWORD code, void* parameter, void* work);
// The procedure of a module whose pages this build does not carry.
INT_PTR NoPageProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);

int QualityBuiltInFunc(UCB* ucb, WORD id, void* work);
int QualityFunction(UCB* ucb, DWORD code, void* parameter, void* work);
int FreesizeBuiltInFunc(UCB* ucb, WORD id, void* work);
int FreesizeFunction(UCB* ucb, DWORD code, void* parameter, void* work);
int ChapterBuiltInFunc(UCB* ucb, WORD id, void* work);
int ChapterFunction(UCB* ucb, DWORD code, void* parameter, void* work);
void FreeChapterWork(void* work);
int FontxchgFunction(UCB* ucb, DWORD code, void* parameter, void* work);
int OtherBuiltInFunc(UCB* ucb, WORD id, void* work);
int OtherFunction(UCB* ucb, DWORD code, void* parameter, void* work);

// The chapter module's work area: the backup of the chapter blocks that
// an undo entry keeps, and the chapter count before the chapter dialog's
// first deletion, given back when the dialog is cancelled.
struct CHAPTERWORK {
  BYTE* backup;
  WORD blocks;  // blocks the backup holds
  INT countSaved;
  INT savedCount;
};

// The pages' entries (configuration library only).
INT_PTR FreesizeProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
INT_PTR ChapterProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
int ChapterPageBuiltInFunc(UCB* ucb, WORD id, void* work);
int ChapterPageFunction(UCB* ucb, DWORD code, void* parameter, void* work);
INT_PTR FontxchgProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
INT_PTR SetlistProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
INT_PTR StampProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
int StampFunction(UCB* ucb, DWORD code, void* parameter, void* work);
