// The conditions of the settings summary's lines.
#include "features/setlist/setlist_conditions.h"


namespace {

// The settings the conditions read.
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncSelectWaterMark = 60;
constexpr WORD kFuncSelectMark = 64;
constexpr WORD kFuncSelectCover = 65;
constexpr WORD kFuncSelectBack = 66;
constexpr WORD kFuncSelectMargin = 67;
constexpr WORD kFuncSelectReverseCover = 70;
constexpr WORD kFuncSelectPanelPriority = 72;
constexpr WORD kFuncSelectCopyProtect = 79;
constexpr WORD kScaleType = 87;
constexpr WORD kShiftDir = 95;
constexpr WORD kHFFuncSelectDate = 100;
constexpr WORD kHFFuncSelectPage = 101;
constexpr WORD kHFFuncSelectString = 102;
constexpr WORD kWmKind = 117;
constexpr WORD kColorMatching = 130;
constexpr WORD kICMType = 131;
constexpr WORD kExtOutput2SeparationSheet = 388;
constexpr WORD kOSKind = 608;

constexpr SETLISTTEST kNone = {0, 0};
constexpr SETLISTTEST kWatermarkOn = {kFuncSelectWaterMark, 1};
constexpr SETLISTTEST kMarginOn = {kFuncSelectMargin, 1};

constexpr SETLISTSINGLE kSingle[] = {
    {1006, {kScaleType, 3}},
    {1007, {kScaleType, 3}},
    {1008, {kScaleType, 1}},
    {1010, {kFuncSelectCover, 1}},
    {1011, {kFuncSelectCover, 1}},
    {1127, {kFuncSelectBack, 1}},
    {1128, {kFuncSelectBack, 1}},
    {13097, {kFuncSelectBack, 1}},
    {1016, {kFuncSelectMark, 1}},
    {1017, {kFuncSelectMark, 1}},
    {1140, {kFuncSelectReverseCover, 1}},
    {1141, {kFuncSelectReverseCover, 1}},
    {1142, {kFuncSelectReverseCover, 1}},
    {1020, {kFuncSelectNup, 1}},
    {1037, kMarginOn},
    {1038, kMarginOn},
    {1039, kMarginOn},
    {1040, kMarginOn},
    {1041, kMarginOn},
    {1042, kMarginOn},
    {1045, kMarginOn},
    {1046, kMarginOn},
    {1051, kMarginOn},
    {1052, kMarginOn},
    {1053, kMarginOn},
    {13077, kMarginOn},
    {1147, {kExtOutput2SeparationSheet, 1}},
    {13123, {kFuncSelectPanelPriority, 0}},
    {13124, {kFuncSelectPanelPriority, 0}},
    {13125, {kFuncSelectPanelPriority, 0}},
    {13126, {kFuncSelectPanelPriority, 0}},
    {13127, {kFuncSelectPanelPriority, 0}},
    {13128, {kFuncSelectPanelPriority, 0}},
    {13164, {kFuncSelectCopyProtect, 1}},
    {13165, {kFuncSelectCopyProtect, 1}},
    {13166, {kFuncSelectCopyProtect, 1}},
    {13167, {kFuncSelectCopyProtect, 1}},
    {13168, {kFuncSelectCopyProtect, 1}},
    {13169, {kFuncSelectCopyProtect, 1}},
    {13170, {kFuncSelectCopyProtect, 1}},
    {13171, {kFuncSelectCopyProtect, 1}},
    {13172, {kFuncSelectCopyProtect, 1}},
    {13173, {kFuncSelectCopyProtect, 1}},
    {13174, {kFuncSelectCopyProtect, 1}},
    {13175, {kFuncSelectCopyProtect, 1}},
    {13176, {kFuncSelectCopyProtect, 1}},
    {13177, {kFuncSelectCopyProtect, 1}},
    {13178, {kFuncSelectCopyProtect, 1}},
    {13179, {kFuncSelectCopyProtect, 1}},
};

constexpr SETLISTTEST kWmKind1 = {kWmKind, 1};
constexpr SETLISTTEST kWmKind2 = {kWmKind, 2};
constexpr SETLISTTEST kWmKind3 = {kWmKind, 3};

constexpr SETLISTDOUBLE kDouble[] = {
    {1104, {kColorMatching, 1}, {kICMType, 0}},
    {1022, kWatermarkOn, kWmKind1},
    {1023, kWatermarkOn, kWmKind1},
    {1024, kWatermarkOn, kWmKind1},
    {1025, kWatermarkOn, kWmKind1},
    {1026, kWatermarkOn, kWmKind1},
    {1027, kWatermarkOn, kWmKind1},
    {1028, kWatermarkOn, kWmKind1},
    {1029, kWatermarkOn, kWmKind1},
    {13075, kWatermarkOn, kWmKind1},
    {1034, kWatermarkOn, kWmKind2},
    {13076, kWatermarkOn, kWmKind2},
    {1035, kWatermarkOn, kWmKind3},
    {1036, kWatermarkOn, kWmKind3},
};

constexpr SETLISTTEST kIcmOn = {kColorMatching, 1};
constexpr SETLISTTEST kIcmType1 = {kICMType, 1};
constexpr SETLISTTEST kIcmOff = {kColorMatching, 0};
constexpr SETLISTTEST kNupOn = {kFuncSelectNup, 1};

constexpr SETLISTOCCURRENCE kOccurrence[] = {
    {1125, 0, kIcmOn, kIcmType1},
    {1125, 1, kIcmOn, kIcmType1},
    {1125, 2, kIcmOn, kIcmType1},
    {1125, 3, kIcmOn, kIcmType1},
    {1021, 0, kWatermarkOn, kWmKind1},
    {1021, 1, kWatermarkOn, kWmKind2},
    {1030, 0, kWatermarkOn, kWmKind1},
    {1030, 1, kWatermarkOn, kWmKind2},
    {1031, 0, kWatermarkOn, kWmKind1},
    {1031, 1, kWatermarkOn, kWmKind2},
    {1032, 0, kWatermarkOn, kWmKind1},
    {1032, 1, kWatermarkOn, kWmKind2},
    {1033, 0, kWatermarkOn, kWmKind1},
    {1033, 1, kWatermarkOn, kWmKind2},
    {1033, 2, kWatermarkOn, kWmKind3},
    {1203, 0, kWatermarkOn, kWmKind1},
    {243, 0, kIcmOff, kNone},
    {243, 1, kIcmOff, kNone},
    {243, 2, kIcmOff, kNone},
    {243, 3, kIcmOff, kNone},
    {1113, 0, kIcmOn, kNone},
    {1113, 1, kIcmOn, kNone},
    {1113, 2, kIcmOn, kNone},
    {1113, 3, kIcmOn, kNone},
    {1043, 0, kMarginOn, {kHFFuncSelectDate, 1}},
    {1043, 1, kMarginOn, {kHFFuncSelectPage, 1}},
    {1043, 2, kMarginOn, {kHFFuncSelectString, 1}},
    {1044, 0, kMarginOn, {kHFFuncSelectDate, 1}},
    {1044, 1, kMarginOn, {kHFFuncSelectPage, 1}},
    {1044, 2, kMarginOn, {kHFFuncSelectString, 1}},
    {1201, 0, kNupOn, kNone},
    {1201, 1, kNupOn, kNone},
};

constexpr SETLISTEITHER kEither[] = {
    {1047, kMarginOn, {kShiftDir, 1}, {kShiftDir, 3}},
    {1048, kMarginOn, {kShiftDir, 2}, {kShiftDir, 4}},
    {1049, kMarginOn, {kShiftDir, 1}, {kShiftDir, 2}},
    {1050, kMarginOn, {kShiftDir, 3}, {kShiftDir, 4}},
};

constexpr SETLISTBYDIALOG kByDialog[] = {
    {1145, 1030, 2861, {kFuncSelectCover, 1}},
    {1145, 1031, 2863, {kFuncSelectMark, 1}},
    {1145, 1043, 2865, {kFuncSelectBack, 1}},
    {1145, 4014, 2855, {kFuncSelectReverseCover, 1}},
};

constexpr SETLISTBYSYSTEM kBySystem[] = {
    {1057, kOSKind, {1, 2, -1, -1}},
    {1148, kOSKind, {1, 2, -1, -1}},
    {13182, kOSKind, {1, 2, -1, -1}},
    {1103, kOSKind, {2, 3, -1, -1}},
    {1104, kOSKind, {2, 3, -1, -1}},
    {1113, kOSKind, {2, 3, -1, -1}},
    {1125, kOSKind, {2, 3, -1, -1}},
};

template <typename Row, std::size_t N>
constexpr SETLISTTABLE<Row> Head(const Row (&rows)[N]) {
  return {static_cast<LONG>(N), rows};
}

}  // namespace

const SETLISTCONDITIONS kSetListConditions = {
    Head(kSingle), Head(kDouble), Head(kOccurrence), Head(kEither), Head(kByDialog), Head(kBySystem),
};
