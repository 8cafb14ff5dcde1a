// The regions of the output side of the printer picture, with the
// pictures drawn shifted with each region's option. For each variant of
// the QK (NA, EU, NE, no punch), QG (NA, EU, NE, no punch) and QH (US2, US3,
// JP4, EU4) finishers: its body and its trays, then the booklet finisher.
// The variants of one finisher share their places, as only one is ever
// installed. QK and QH: body (string 27) and tray (26); QG: body (430),
// upper tray (266) and lower tray (267). A QK finisher's body shows the
// booklet finisher attached to it (second option 10059).
//
// Region n points to RelatedData n: the cover feeder (10085) and the
// folding unit (10290), shifted only sideways. The cover feeder moves by -8
// beside a QK finisher, -6 beside a QG finisher and -1 beside a QH finisher
// and the booklet finisher; the folding unit by -13, by -3 beside a QG
// finisher, and by 13 in region 27 (the QH EU4 body), where it sits on the
// other side.
#include "jobsettings/options/option_tables.h"

namespace {

#define RELATED(n, cover, fold) \
  constexpr RelatedShift RelatedData##n[] = {{10085, cover, 0}, {10290, fold, 0}, {0, 0, 0}};
RELATED(1, -8, -13)
RELATED(2, -8, -13)
RELATED(3, -8, -13)
RELATED(4, -8, -13)
RELATED(5, -8, -13)
RELATED(6, -8, -13)
RELATED(7, -8, -13)
RELATED(8, -8, -13)
RELATED(9, -6, -3)
RELATED(10, -6, -3)
RELATED(11, -6, -3)
RELATED(12, -6, -3)
RELATED(13, -6, -3)
RELATED(14, -6, -3)
RELATED(15, -6, -3)
RELATED(16, -6, -3)
RELATED(17, -6, -3)
RELATED(18, -6, -3)
RELATED(19, -6, -3)
RELATED(20, -6, -3)
RELATED(21, -1, -13)
RELATED(22, -1, -13)
RELATED(23, -1, -13)
RELATED(24, -1, -13)
RELATED(25, -1, -13)
RELATED(26, -1, -13)
RELATED(27, -1, 13)
RELATED(28, -1, -13)
RELATED(29, -1, -13)
#undef RELATED

constexpr HitTestRegion HitTestDataOutput[] = {
    {144, 3, 20, 40, 60, 10094, 27, 10059, 0, RelatedData1},
    {144, 3, 8, 30, 19, 10094, 26, 0, 0, RelatedData2},
    {144, 3, 20, 40, 60, 10095, 27, 10059, 0, RelatedData3},
    {144, 3, 8, 30, 19, 10095, 26, 0, 0, RelatedData4},
    {144, 3, 20, 40, 60, 10096, 27, 10059, 0, RelatedData5},
    {144, 3, 8, 30, 19, 10096, 26, 0, 0, RelatedData6},
    {144, 3, 20, 40, 60, 10097, 27, 10059, 0, RelatedData7},
    {144, 3, 8, 30, 19, 10097, 26, 0, 0, RelatedData8},
    {144, 3, 20, 44, 60, 10086, 430, 0, 0, RelatedData9},
    {144, 3, 4, 30, 11, 10086, 266, 0, 0, RelatedData10},
    {144, 3, 12, 30, 19, 10086, 267, 0, 0, RelatedData11},
    {144, 3, 20, 44, 60, 10087, 430, 0, 0, RelatedData12},
    {144, 3, 4, 30, 11, 10087, 266, 0, 0, RelatedData13},
    {144, 3, 12, 30, 19, 10087, 267, 0, 0, RelatedData14},
    {144, 3, 20, 44, 60, 10088, 430, 0, 0, RelatedData15},
    {144, 3, 4, 30, 11, 10088, 266, 0, 0, RelatedData16},
    {144, 3, 12, 30, 19, 10088, 267, 0, 0, RelatedData17},
    {144, 3, 20, 44, 60, 10089, 430, 0, 0, RelatedData18},
    {144, 3, 4, 30, 11, 10089, 266, 0, 0, RelatedData19},
    {144, 3, 12, 30, 19, 10089, 267, 0, 0, RelatedData20},
    {144, 3, 20, 42, 60, 10090, 27, 0, 0, RelatedData21},
    {144, 3, 8, 30, 19, 10090, 26, 0, 0, RelatedData22},
    {144, 3, 20, 42, 60, 10091, 27, 0, 0, RelatedData23},
    {144, 3, 8, 30, 19, 10091, 26, 0, 0, RelatedData24},
    {144, 3, 20, 42, 60, 10092, 27, 0, 0, RelatedData25},
    {144, 3, 8, 30, 19, 10092, 26, 0, 0, RelatedData26},
    {144, 3, 20, 42, 60, 10093, 27, 0, 0, RelatedData27},
    {144, 3, 8, 30, 19, 10093, 26, 0, 0, RelatedData28},
    {144, 3, 62, 30, 83, 10059, 843, 0, 0, RelatedData29},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
};
static_assert(sizeof HitTestDataOutput / sizeof HitTestDataOutput[0] == 30);

}  // namespace

const HitTestRegion* GetHitTestDataOutput(DWORD /*machine*/) { return HitTestDataOutput; }
