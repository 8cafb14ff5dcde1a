// The installable options with their lists. Switch lists are {setting,
// value} pairs, required lists {option setting, name string id of its
// record}; each ends with a pair of zeros. No option of this device has a
// lock. Settings: 10012 printer memory, 10013 memory type, 10018 large
// tray, 10030 extra-size feed, 10045 tray 7, 10059 booklet finisher, 10085
// cover feeder, 10086-10089 finisher QG (NA, EU, NE, no punch), 10090-10093
// finisher QH (US2, US3, JP4, EU4), 10094-10097 finisher QK (NA, EU, NE, no
// punch), 10110 one-step option count, 10290 folding unit.
#include "jobsettings/options/option_tables.h"

#include <iterator>

namespace {

constexpr OptionSetting tblMemDef384[] = {{10013, 1}, {10012, 613}, {0, 0}};
constexpr OptionSetting tblTray7On[] = {{10018, 1}, {10110, 1}, {0, 0}};
constexpr OptionSetting tblTray7Off[] = {{10110, 0}, {0, 0}};
constexpr OptionSetting tblNoOptTray[] = {{10110, 0}, {10045, 0}, {10018, 0}, {0, 0}};

// The cover feeder and the booklet finisher need one of the finishers.
constexpr OptionRequirement tblReqCVR[] = {
    {10097, 850}, {10094, 851}, {10095, 852}, {10096, 853}, {10090, 863}, {10091, 864}, {10092, 862},
    {10093, 861}, {10089, 845}, {10086, 846}, {10087, 847}, {10088, 848}, {0, 0},
};
constexpr const OptionRequirement* tblReqPlock = tblReqCVR;
// The folding unit needs a QK or QH finisher.
constexpr OptionRequirement tblReqFold[] = {
    {10097, 850}, {10094, 851}, {10095, 852}, {10096, 853}, {10090, 863}, {10091, 864}, {10092, 862},
    {10093, 861}, {0, 0},
};

// The booklet finisher and the folding unit do not go with a QG finisher.
constexpr OptionSetting tblPlockOn[] = {{10086, 0}, {10087, 0}, {10088, 0}, {10089, 0}, {0, 0}};
constexpr const OptionSetting* tblFoldingUnitOn = tblPlockOn;

// A QG finisher excludes the booklet finisher, the other QG variants, every
// QH and QK variant and the folding unit.
#define QG_ON(a, b, c)                                                                                     \
  {10059, 0}, {a, 0}, {b, 0}, {c, 0}, {10090, 0}, {10091, 0}, {10092, 0}, {10093, 0}, {10094, 0}, {10095, 0}, \
      {10096, 0}, {10097, 0}, {10290, 0}, {0, 0}
constexpr OptionSetting tblFinQGNA23On[] = {QG_ON(10087, 10088, 10089)};
constexpr OptionSetting tblFinQGEU24On[] = {QG_ON(10086, 10088, 10089)};
constexpr OptionSetting tblFinQGNE4On[] = {QG_ON(10086, 10087, 10089)};
constexpr OptionSetting tblFinQGNoPunchOn[] = {QG_ON(10086, 10087, 10088)};
#undef QG_ON

// A QK finisher excludes every QG and QH variant and the other QK variants.
#define QK_ON(a, b, c)                                                                                     \
  {10086, 0}, {10087, 0}, {10088, 0}, {10089, 0}, {a, 0}, {b, 0}, {c, 0}, {10090, 0}, {10091, 0}, {10092, 0}, \
      {10093, 0}, {0, 0}
constexpr OptionSetting tblFinQKNA23On[] = {QK_ON(10095, 10096, 10097)};
constexpr OptionSetting tblFinQKEU24On[] = {QK_ON(10094, 10096, 10097)};
constexpr OptionSetting tblFinQKNE4On[] = {QK_ON(10094, 10095, 10097)};
constexpr OptionSetting tblFinQKNoPunchOn[] = {QK_ON(10094, 10095, 10096)};
#undef QK_ON

// A QH finisher excludes every QG and QK variant and the other QH variants.
#define QH_ON(a, b, c)                                                                                     \
  {10086, 0}, {10087, 0}, {10088, 0}, {10089, 0}, {a, 0}, {b, 0}, {c, 0}, {10094, 0}, {10095, 0}, {10096, 0}, \
      {10097, 0}, {0, 0}
constexpr OptionSetting tblFinQKUS2On[] = {QH_ON(10091, 10092, 10093)};
constexpr OptionSetting tblFinQKUS3On[] = {QH_ON(10090, 10092, 10093)};
constexpr OptionSetting tblFinQKJP4On[] = {QH_ON(10090, 10091, 10093)};
constexpr OptionSetting tblFinQKEU4On[] = {QH_ON(10090, 10091, 10092)};
#undef QH_ON

// Without a finisher the options that need one go too; the folding unit
// stays with a QG finisher, which never has one.
constexpr OptionSetting tblFinQGOff[] = {{10085, 0}, {10059, 0}, {0, 0}};
constexpr OptionSetting tblFinQKOff[] = {{10085, 0}, {10059, 0}, {10290, 0}, {0, 0}};
constexpr const OptionSetting* tblFinQGNA23Off = tblFinQGOff;
constexpr const OptionSetting* tblFinQGEU24Off = tblFinQGOff;
constexpr const OptionSetting* tblFinQGNE4Off = tblFinQGOff;
constexpr const OptionSetting* tblFinQGNoPunchOff = tblFinQGOff;
constexpr const OptionSetting* tblFinQKNA23Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKEU24Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKNE4Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKNoPunchOff = tblFinQKOff;
constexpr const OptionSetting* tblFinQKUS2Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKUS3Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKJP4Off = tblFinQKOff;
constexpr const OptionSetting* tblFinQKEU4Off = tblFinQKOff;

constexpr OptionInfo tblOptionInfo[] = {
    {613, 10013, 181, 10012, 613, nullptr, nullptr, nullptr, tblMemDef384, 0, 1},
    {837, 10045, 1, 0, 0, nullptr, nullptr, tblTray7On, tblTray7Off, 1, 1},
    {838, 10018, 1, 0, 0, nullptr, nullptr, nullptr, tblNoOptTray, 1, 1},
    {811, 10085, 1, 0, 0, nullptr, tblReqCVR, nullptr, nullptr, 1, 1},
    {842, 10059, 1, 0, 0, nullptr, tblReqPlock, tblPlockOn, nullptr, 0, 1},
    {841, 10030, 1, 0, 0, nullptr, nullptr, nullptr, nullptr, 1, 1},
    {846, 10086, 1, 0, 0, nullptr, nullptr, tblFinQGNA23On, tblFinQGNA23Off, 1, 1},
    {847, 10087, 1, 0, 0, nullptr, nullptr, tblFinQGEU24On, tblFinQGEU24Off, 1, 1},
    {848, 10088, 1, 0, 0, nullptr, nullptr, tblFinQGNE4On, tblFinQGNE4Off, 1, 1},
    {845, 10089, 1, 0, 0, nullptr, nullptr, tblFinQGNoPunchOn, tblFinQGNoPunchOff, 1, 1},
    {851, 10094, 1, 0, 0, nullptr, nullptr, tblFinQKNA23On, tblFinQKNA23Off, 1, 1},
    {852, 10095, 1, 0, 0, nullptr, nullptr, tblFinQKEU24On, tblFinQKEU24Off, 1, 1},
    {853, 10096, 1, 0, 0, nullptr, nullptr, tblFinQKNE4On, tblFinQKNE4Off, 1, 1},
    {850, 10097, 1, 0, 0, nullptr, nullptr, tblFinQKNoPunchOn, tblFinQKNoPunchOff, 1, 1},
    {863, 10090, 1, 0, 0, nullptr, nullptr, tblFinQKUS2On, tblFinQKUS2Off, 1, 1},
    {864, 10091, 1, 0, 0, nullptr, nullptr, tblFinQKUS3On, tblFinQKUS3Off, 1, 1},
    {862, 10092, 1, 0, 0, nullptr, nullptr, tblFinQKJP4On, tblFinQKJP4Off, 1, 1},
    {861, 10093, 1, 0, 0, nullptr, nullptr, tblFinQKEU4On, tblFinQKEU4Off, 1, 1},
    {13096, 10290, 1, 0, 0, nullptr, tblReqFold, tblFoldingUnitOn, nullptr, 0, 1},
    {0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, 0, 0},
};
static_assert(std::size(tblOptionInfo) == 20);

}  // namespace

const OptionInfo* GetOptionInfo(DWORD /*machine*/) { return tblOptionInfo; }
