// The settings an application's request block may set, in the order of
// their mask bits: plexor mark, resolution, output size, output tray, the
// scale, N-up, duplex, sort, punch and staple switches, scale type and
// percentage, N-up kind and layout, duplex type, sort, punch and staple
// types, print area.
#include "settings/constraints/exc_variables.h"

const WORD FuncE[kFuncECount + 1] = {
    606, 38, 46, 53, 55, 56, 58, 61, 62, 63, 87, 89, 91, 92, 94, 119, 120, 121, 173, kFuncEEnd,
};
