// The static module table, in dispatch order. Row 8 is empty and is skipped
// by every dispatcher. The pages of the modules (their procedures, and the
// preset and stamp modules' answers about their own controls) come with
// the dialog engine's pages; until then those slots hold the bodies that
// answer nothing, as the rendering library's build always does.
#include "features/module_table/custom_table.h"

#include "features/module_table/module_entries.h"

namespace {

constexpr CUSTOMROW custom[kCustomRows] = {
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // preset
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // stamp
    {0, nullptr, QualityBuiltInFunc, NoPageProcedure, QualityFunction, nullptr},                      // quality
    {0, nullptr, FreesizeBuiltInFunc, NoPageProcedure, FreesizeFunction, nullptr},                    // free size
#if KESM_KERNEL_MODE
    {sizeof(CHAPTERWORK), nullptr, ChapterBuiltInFunc, NoPageProcedure, ChapterFunction, FreeChapterWork},   // chapter
#else
    {sizeof(CHAPTERWORK), nullptr, ChapterBuiltInFunc, ChapterProcedure, ChapterFunction, FreeChapterWork},  // chapter
#endif
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // option
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, FontxchgFunction, nullptr},                       // font exchange
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // set list
    {0, nullptr, nullptr, nullptr, nullptr, nullptr},                                                 // none
    {0, nullptr, OtherBuiltInFunc, NoPageProcedure, OtherFunction, nullptr},                          // other
};

}  // namespace

const CUSTOMROW* RegisterCustomFuncs(LONG* count) {
  if (count != nullptr) *count = kCustomRows;
  return custom;
}

int EmptyBuiltInFunc(UCB*, WORD, void*) { return 0; }

int EmptyFunction(UCB*, DWORD, void*, void*) { return 0; }

INT_PTR NoPageProcedure(UCB*, TCB*, ICB*, UINT, UINT_PTR, LPARAM, void*) { return 0; }
