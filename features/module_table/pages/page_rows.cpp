// One row per row of the module table, in its order: the entries the pages
// of each module put in place of the row's own (null: the row's own stays).
#include "features/module_table/pages/page_rows.h"

#include "features/module_table/custom_pages.h"
#include "features/module_table/module_entries.h"

namespace {

constexpr CUSTOMPAGEROW kPageRows[kCustomRows] = {
    {nullptr, PresetProcedure, nullptr},  // preset
    {nullptr, StampProcedure, StampFunction},  // stamp
    {nullptr, QualityProcedure, nullptr},  // quality
    {nullptr, FreesizeProcedure, nullptr},  // free size
    {ChapterPageBuiltInFunc, ChapterProcedure, ChapterPageFunction},  // chapter
    {nullptr, OptionProcedure, nullptr},  // option
    {nullptr, FontxchgProcedure, nullptr},  // font exchange
    {nullptr, SetlistProcedure, nullptr},  // set list
    {nullptr, nullptr, nullptr},  // none
    {nullptr, OtherProcedure, OtherPageFunction},  // other
};

}  // namespace

void RegisterFeaturePages() { RegisterCustomPages(kPageRows); }

void UnregisterFeaturePages() { RegisterCustomPages(nullptr); }
