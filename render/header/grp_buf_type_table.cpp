#include "render/header/kpjl_walk.h"

// Group types and the procedure that writes a group of that type. PickMany
// has none: it emits nothing.
const GrpBufType GrpBufType_Table[] = {
    {kUiPickOne, PickOneSizeProc},
    {kUiBoolean, BooleanSizeProc},
    {kUiNumeric, NumericSizeProc},
    {kUiString, StringSizeProc},
    {kUiPickPage, PickOneSizeProc},
    {kUiPickSlot, PickOneSizeProc},
    {kUiFontTbl, PickOneSizeProc},
    {0, nullptr},
};
