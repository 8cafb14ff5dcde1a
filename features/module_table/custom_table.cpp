// The static module table, in dispatch order. Row 8 is empty and is skipped
// by every dispatcher. The modules' pages (their procedures, and what the
// modules answer about their own controls) are added by the configuration
// library when it loads (pages/page_rows.cpp); until then, and always in
// the rendering library, those slots hold the bodies that answer nothing.
#include "features/module_table/custom_table.h"

#include "features/module_table/module_entries.h"

namespace {

constexpr CUSTOMROW custom[kCustomRows] = {
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // preset
    {0, nullptr, EmptyBuiltInFunc, NoPageProcedure, EmptyFunction, nullptr},                          // stamp
    {0, nullptr, QualityBuiltInFunc, NoPageProcedure, QualityFunction, nullptr},                      // quality
    {0, nullptr, FreesizeBuiltInFunc, NoPageProcedure, FreesizeFunction, nullptr},                    // free size
    {sizeof(CHAPTERWORK), nullptr, ChapterBuiltInFunc, NoPageProcedure, ChapterFunction, FreeChapterWork},   // chapter
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
