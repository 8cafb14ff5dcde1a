// Which resource strings carry live values, and how they are completed.
#include "ui/replace_strings.h"

namespace {
constexpr ReplaceKind k1 = ReplaceKind::kTrayName;
constexpr ReplaceKind k2 = ReplaceKind::kFreeSize;
constexpr ReplaceKind k3 = ReplaceKind::kUnit;
constexpr ReplaceKind k4 = ReplaceKind::kProfileName;
constexpr ReplaceKind k5 = ReplaceKind::kRangeFormat;
}  // namespace

// Tray labels take the name of post trays 1-9 (wdmPrintPostTray1Name to
// wdmPrintPostTray9Name, settings 1124-1132) in three places of the
// interface; free sizes 1-10 and the paper and print free sizes (11, 12)
// show their dimensions.
const RESID2FUNCID stResId2FuncId[] = {
    {29, 1124, k1},    {30, 1125, k1},    {31, 1126, k1},    {32, 1127, k1},    {33, 1128, k1},
    {34, 1129, k1},    {35, 1130, k1},    {36, 1131, k1},    {37, 1132, k1},    {813, 1124, k1},
    {814, 1125, k1},   {815, 1126, k1},   {816, 1127, k1},   {817, 1128, k1},   {818, 1129, k1},
    {819, 1130, k1},   {820, 1131, k1},   {821, 1132, k1},   {50017, 1124, k1}, {50018, 1125, k1},
    {50019, 1126, k1}, {50020, 1127, k1}, {50021, 1128, k1}, {50022, 1129, k1}, {50023, 1130, k1},
    {50024, 1131, k1}, {50025, 1132, k1}, {109, 1, k2},      {110, 2, k2},      {111, 3, k2},
    {112, 4, k2},      {113, 5, k2},      {114, 6, k2},      {115, 7, k2},      {116, 8, k2},
    {117, 9, k2},      {118, 10, k2},     {752, 11, k2},     {753, 12, k2},     {153, 0, k3},
    {154, 0, k3},      {565, 0, k4},      {566, 0, k4},      {567, 0, k4},      {568, 0, k4},
    {569, 0, k4},      {570, 0, k4},      {571, 0, k4},      {572, 0, k4},      {573, 0, k4},
    {574, 0, k4},      {575, 0, k4},      {576, 0, k4},      {577, 0, k4},      {578, 0, k4},
    {579, 0, k4},      {580, 0, k4},      {13273, 0, k5},    {13274, 0, k5},    {13275, 0, k5},
    {13276, 0, k5},    {0, 0, ReplaceKind::kNone},
};
static_assert(sizeof stResId2FuncId / sizeof stResId2FuncId[0] == 62, "61 rows and the end row");
