// What the run-time correction changes, as data: the settings whose writes
// ask items to re-initialise, the item flags by control id, and the pairs
// of controls and settings that share a setting or a storage place.
#include "ui/engine/correction_tables.h"

const CDT workCDT[18] = {
    {0xFFFFFFFFu, 118, 0}, {0, 119, 0},  {1, 120, 0},  {2, 121, 0},  {3, 122, 0},  {4, 123, 0},
    {5, 124, 0},           {6, 125, 0},  {7, 126, 0},  {8, 127, 0},  {9, 128, 0},  {10, 129, 0},
    {11, 130, 0},          {12, 131, 0}, {13, 132, 0}, {14, 133, 0}, {15, 134, 0}, {0, 0, 0},
};

namespace {
const IdRange kReinitSettingsRows[] = {
    {7, 8},         {13, 13},       {46, 46},       {54, 56},       {58, 58},       {78, 78},
    {91, 91},       {94, 94},       {209, 209},     {511, 511},     {10013, 10014}, {10018, 10018},
    {10020, 10021}, {10023, 10023}, {10047, 10049}, {10056, 10059}, {10062, 10062}, {10066, 10070},
    {10143, 10206}, {10290, 10290},
};
}  // namespace
const std::span<const IdRange> kReinitSettings{kReinitSettingsRows};

namespace {
const ItemFlagRule kItemFlagRulesRows[] = {
    {0, 2032, 0, true, kIcbReinitOnRequest3},
    {0, 2041, 0, true, kIcbReinitOnRequest3},
    {0, 2100, 0, true, kIcbReinitOnRequest1},
    {0, 2102, 0, true, kIcbReinitOnRequest2},
    {0, 2895, 0, true, kIcbReinitOnRequest4},
    {0, 2038, 0, false, kIcbSavePresetButton},
    {0, 2080, 0, false, kIcbSavePresetButton},
    {0, 2097, 0, false, kIcbSavePresetButton},
    {0, 2115, 0, false, kIcbSavePresetButton},
    {0, 2715, 0, false, kIcbSavePresetButton},
    {0, 2923, 0, false, kIcbSavePresetButton},
    {0, 2263, 0, false, kIcbNoArrowStep},
    {0, 2266, 0, false, kIcbNoArrowStep},
    {0, 2269, 0, false, kIcbNoArrowStep},
    {0, 2272, 0, false, kIcbNoArrowStep},
    {0, 2274, 0, false, kIcbNoArrowStep},
    {0, 2276, 0, false, kIcbNoArrowStep},
    {0, 2322, 0, false, kIcbNoArrowStep},
    {0, 2325, 0, false, kIcbNoArrowStep},
    {0, 2328, 0, false, kIcbNoArrowStep},
    {0, 2344, 0, false, kIcbNoArrowStep},
    {0, 2419, 0, false, kIcbNoArrowStep},
    {0, 2421, 0, false, kIcbNoArrowStep},
    {0, 2470, 0, false, kIcbNoArrowStep},
    {0, 2602, 0, false, kIcbNoArrowStep},
    {0, 2649, 0, false, kIcbNoArrowStep},
    {0, 2935, 0, false, kIcbNoArrowStep},
    {0, 2953, 0, false, kIcbNoArrowStep},
    {0, 2956, 0, false, kIcbNoArrowStep},
    {0, 2965, 0, false, kIcbNoArrowStep},
    {0, 2341, 0, false, kIcbTextLimit260},
    {0, 2586, 0, false, kIcbTextLimit260},
    {1039, 2667, 0, false, kIcbKeepBlanks},
    {0, 2085, kListOwner, false, kIcbPictureList},
    {0, 2087, kListOwner, false, kIcbPictureList},
    {0, 2100, kListOwner, false, kIcbPictureList},
    {0, 2102, kListOwner, false, kIcbPictureList},
    {0, 2895, kListOwner, false, kIcbPictureList},
    {0, 2941, kListOwner, false, kIcbPictureList},
    {0, 2457, kListOwner, false, kIcbPictureList},
    {0, 2164, kListAny, false, kIcbNeverRefill},
    {0, 2036, kListAny, false, kIcbNeverRefill},
    {0, 2078, kListAny, false, kIcbNeverRefill},
    {0, 2095, kListAny, false, kIcbNeverRefill},
    {0, 2921, kListAny, false, kIcbNeverRefill},
    {0, 2109, kListAny, false, kIcbNeverRefill},
    {0, 2713, kListAny, false, kIcbNeverRefill},
    {0, 2134, kListAny, false, kIcbNeverRefill},
    {0, 2384, kListAny, false, kIcbNeverRefill},
};
}  // namespace
const std::span<const ItemFlagRule> kItemFlagRules{kItemFlagRulesRows};

namespace {
const ControlPair kSharedItemsRows[] = {
    {{1002, 2036}, {1003, 2078}}, {{1002, 2036}, {1004, 2095}}, {{1002, 2036}, {4016, 2921}},
    {{1002, 2036}, {1005, 2109}}, {{1002, 2036}, {1042, 2713}}, {{1007, 2145}, {1001, 2408}},
    {{1007, 2145}, {1032, 2452}}, {{1007, 2146}, {1032, 2453}}, {{1021, 2281}, {1033, 2455}},
    {{4004, 2289}, {4004, 2385}}, {{1009, 2380}, {1009, 2385}}, {{4004, 2290}, {4004, 2384}},
    {{1009, 2382}, {1009, 2384}},
};
}  // namespace
const std::span<const ControlPair> kSharedItems{kSharedItemsRows};

namespace {
const ControlRef kPresetNameShowersRows[] = {
    {1002, 2388}, {1003, 2389}, {1004, 2390}, {1005, 2391}, {4016, 2924}, {1042, 2733},
};
}  // namespace
const std::span<const ControlRef> kPresetNameShowers{kPresetNameShowersRows};

namespace {
const ControlPair kSharedFreeSizeStorageRows[] = {
    {{1017, 2220}, {1017, 2392}},
    {{1017, 2221}, {1017, 2393}},
    {{1017, 2224}, {1017, 2394}},
    {{1017, 2225}, {1017, 2395}},
};
}  // namespace
const std::span<const ControlPair> kSharedFreeSizeStorage{kSharedFreeSizeStorageRows};

namespace {
const SettingPair kSharedSettingStorageRows[] = {
    {92, 791}, {94, 792}, {120, 793}, {121, 794}, {511, 933}, {522, 946},
};
}  // namespace
const std::span<const SettingPair> kSharedSettingStorage{kSharedSettingStorageRows};
