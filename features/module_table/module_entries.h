// The entries of every feature module, as the module table names them.
#pragma once

#include "features/module_table/custom_table.h"

// The one body of the modules that have no built-in functions, and the one
// body of those that answer no function code.
int EmptyBuiltInFunc(UCB* ucb, WORD id, void* work);
int EmptyFunction(UCB* ucb, DWORD code, void* parameter, void* work);
// The procedure of a module whose pages this build does not carry.
INT_PTR NoPageProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);

// The preset module: its answer about the maintenance dialog's buttons
// (code 3), and in the configuration library its procedure and its work
// area, the device values the maintenance dialog's refresh button
// collected, set into the settings when the dialog returns.
int PresetFunction(UCB* ucb, DWORD code, void* parameter, void* work);
#if !KESM_KERNEL_MODE
INT_PTR PresetProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
struct PRESETDEVICEVALUE {
  WORD index;  // into the context's setting records
  LONG_PTR value;
};
struct PRESETWORK {
  LONG count;
  PRESETDEVICEVALUE* values;  // null when nothing was collected
};
void FreePresetWork(void* work);
#endif

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

// The print-quality module's work area: the name of the colour profile the
// profile dialogs edit, which no setting holds.
struct QUALITYWORK {
  WCHAR profileName[260];
};

// The Other module's work area: the password typed into the confirmation
// dialog, kept for the dialog that asked for it.
inline constexpr int kOtherPasswordChars = 261;
struct OTHERWORK {
  WCHAR confirmation[kOtherPasswordChars];
};

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
INT_PTR QualityProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
// The installable-options page 1011: every message of that page goes to
// UCF_Option (1: handled); other dialogs get 0.
INT_PTR OptionProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
INT_PTR UCF_Option(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
INT_PTR OtherProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void* work);
// The Other module's codes with its hidden-function dialog (code 14).
int OtherPageFunction(UCB* ucb, DWORD code, void* parameter, void* work);
