// The regions of the input side of the printer picture: tray 7 beside the
// large tray, the three standard trays without an option record (name
// strings 2, 3 and 5) stacked in one column, and the three drawers of the
// large tray (10018). The column of the standard trays (x 89-117, y
// 73-102) and that of the large tray (x 135-152, y 45-102) are divided
// into three bands of nearly equal height, top to bottom in table order.
// No input option draws a related picture.
#include "jobsettings/options/option_tables.h"

namespace {

constexpr RelatedShift RelatedData0[] = {{0, 0, 0}};

constexpr HitTestRegion HitTestDataInput[] = {
    {144, 140, 30, 164, 46, 10045, 837, 0, 0, RelatedData0},
    {144, 89, 73, 117, 82, 0, 2, 0, 0, RelatedData0},
    {144, 89, 83, 117, 92, 0, 3, 0, 0, RelatedData0},
    {144, 89, 93, 117, 102, 0, 5, 0, 0, RelatedData0},
    {144, 135, 45, 152, 63, 10018, 865, 0, 0, RelatedData0},
    {144, 135, 64, 152, 82, 10018, 866, 0, 0, RelatedData0},
    {144, 135, 83, 152, 102, 10018, 839, 0, 0, RelatedData0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
};
static_assert(sizeof HitTestDataInput / sizeof HitTestDataInput[0] == 8);

}  // namespace

const HitTestRegion* GetHitTestDataInput(DWORD /*machine*/) { return HitTestDataInput; }
