// The custom-control records of the layout tables.
#include "settings/tables/class_data.h"

#include <iterator>

// The watermark of the stamp dialogs, field by field.
const WORD cdWMI[kWatermarkWords] = {
    kClassWatermark,
    2312,  // text
    3655,  // font (the correction puts the font-name setting here)
    3651,  // style
    3648,  // frame
    3650,  // colour
    3632,  // density
    3656,  // angle
    2322,  // size
    2341,  // bitmap file
    0,     // bitmap scale: none of its own
    3649,  // position
    3635,  // repeat
    3633,  // foreground
    0,     // last
    0,
};

// Every adjustment comes from its own setting until the quality module
// names the controls of a colour mode.
const CDBMPI IDC_USER_QUALITY_SAMPLE_cdBMPI = {kClassSample, {0, 0}, {0, 0, 0, 0, 0, 0}};

// The scroll bars move by 1 and by 10; brightness and contrast show a
// picture of what they change.
const CDSBI IDC_USER_QUALITY_SCROLLBAR_BRIGHTNESS_cdSBI = {kClassScroll, 1, 10, 6162};
const CDSBI IDC_USER_QUALITY_SCROLLBAR_CONTRAST_cdSBI = {kClassScroll, 1, 10, 6163};
const CDSBI IDC_USER_QUALITY_SCROLLBAR_SATURATION_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCER_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEG_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEB_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_STAMP_IMAGE_SCROLLBAR_DENSITY_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORR_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORG_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_STAMP_CHAR_SCROLLBAR_COLORB_cdSBI = {kClassScroll, 1, 10, 0};
const CDSBI IDC_MARGIN_SCROLLBAR_cdSBI = {kClassScroll, 1, 10, 0};

// The preset page's choices show a hint mark (bitmap 7005) beside an
// option the constraints disable.
const CDSPL IDC_PRESET_CHOICE_MEDIATYPE_aCSPL = {kClassList, 1, 7005, 0, nullptr};
const CDSPL IDC_PRESET_CHOICE_SOURCETRAY_aCSPL = {kClassList, 1, 7005, 0, nullptr};
const CDSPL IDC_PRESET_CHOICE_OUTPUT_aCSPL = {kClassList, 1, 7005, 0, nullptr};
const CDSPL IDC_PRESET_CHOICE_PAPERSIZE_aCSPL = {kClassList, 1, 7005, 0, nullptr};
const CDSPL IDC_PRESET_CHOICE_PRINTSIZE_aCSPL = {kClassList, 1, 7005, 0, nullptr};

// The settings summary of the preset page.
const SUMMARYLINE IDC_MAINTENANCE_STATUS_cdPP[kMaintenanceStatusLines] = {
    {1001, 0, 424}, {1002, 0, 422}, {1003, 0, 426}, {1004, 0, 441}, {253, 477, 478}, {1006, 0, 503},
    {1007, 0, 504}, {1008, 0, 472}, {1009, 480, 0}, {1010, 0, 1040}, {1011, 0, 1046},
    {1145, 0, 1057}, {1015, 482, 0}, {1016, 0, 1098}, {1017, 0, 1105}, {1145, 0, 1115},
    {1139, 590, 0}, {1140, 0, 1150}, {1141, 0, 1162}, {1142, 1163, 0}, {1145, 0, 1158},
    {1129, 592, 0}, {1145, 0, 1071}, {254, 529, 531}, {1201, 0, 532}, {1201, 0, 531},
    {1020, 533, 0}, {255, 536, 537}, {256, 540, 0}, {1021, 0, 541}, {1022, 0, 966}, {1023, 0, 61},
    {1024, 0, 970}, {1025, 0, 972}, {1026, 0, 974}, {1027, 0, 976}, {1028, 0, 979}, {1029, 0, 982},
    {1030, 0, 957}, {1031, 958, 0}, {1032, 959, 0}, {1033, 960, 0}, {1021, 0, 541}, {1030, 0, 937},
    {1034, 0, 948}, {1031, 938, 0}, {1032, 939, 0}, {1033, 940, 0}, {1035, 0, 541}, {1036, 1274, 0},
    {1033, 1275, 0}, {258, 518, 0}, {1037, 0, 0}, {1038, 0, 112}, {1039, 0, 994}, {1040, 997, 0},
    {1043, 0, 999}, {1044, 0, 1001}, {1041, 1002, 0}, {1043, 0, 1004}, {1044, 0, 1006},
    {1042, 1007, 0}, {1043, 0, 1009}, {1044, 0, 1011}, {1045, 0, 0}, {1046, 0, 1016},
    {1047, 0, 1018}, {1048, 0, 1018}, {1049, 0, 1022}, {1050, 0, 1022}, {1051, 0, 0},
    {1052, 0, 1029}, {1053, 0, 1033}, {257, 560, 0}, {259, 565, 566}, {260, 569, 570},
    {13092, 573, 574}, {1054, 613, 0}, {1055, 614, 0}, {1056, 618, 0}, {1057, 617, 0},
    {1134, 611, 0}, {1135, 612, 0}, {1146, 561, 0}, {1147, 562, 0},
};
// The settings summary of the status dialog.
const SUMMARYLINE IDC_STATUS_LIST_cdPP[kStatusListLines] = {
    {240, 0, 880}, {388, 0, 868}, {241, 0, 882}, {1101, 875, 0}, {1148, 876, 0}, {1105, 920, 0},
    {1106, 921, 0}, {1149, 636, 0}, {1202, 0, 0}, {1112, 0, 0}, {244, 0, 884}, {1114, 0, 891},
    {1115, 0, 894}, {1121, 0, 0}, {1122, 0, 0}, {244, 0, 119}, {1114, 0, 122}, {1115, 0, 125},
    {1123, 0, 0}, {244, 0, 120}, {1114, 0, 123}, {1115, 0, 126}, {1124, 0, 0}, {244, 0, 121},
    {1114, 0, 124}, {1115, 0, 127},
};
const CDSPL IDC_MAINTENANCE_STATUS_cdSPL = {kClassList, 0, 0, kMaintenanceStatusLines, IDC_MAINTENANCE_STATUS_cdPP};
const CDSPL IDC_STATUS_LIST_cdSPL = {kClassList, 0, 0, kStatusListLines, IDC_STATUS_LIST_cdPP};

// The colour-balance buttons move the red, green and blue bars together.
namespace {
constexpr REPEATTARGET kBalanceDown[] = {{2273, -1}, {2275, -1}, {2277, -1}};
constexpr REPEATTARGET kBalanceUp[] = {{2273, 1}, {2275, 1}, {2277, 1}};
}  // namespace
const CDRPL IDC_USER_QUALITY_BUTTON_COLORBALANCEDOWN_cdRPL = {kClassRepeat, std::size(kBalanceDown), kBalanceDown};
const CDRPL IDC_USER_QUALITY_BUTTON_COLORBALANCEUP_cdRPL = {kClassRepeat, std::size(kBalanceUp), kBalanceUp};

const WORD IDC_HIDDEN_FUNC_aTID[64] = {
    349, 350, 351, 352, 353, 354, 355, 356, 357, 358, 359, 360, 361, 362, 363, 364,
    365, 366, 367, 368, 369, 370, 371, 372, 373, 374, 375, 376, 377, 378, 379, 380,
    447, 448, 449, 450, 451, 452, 453, 454, 455, 456, 457, 458, 459, 460, 461, 462,
    463, 464, 465, 466, 467, 468, 469, 470, 471, 472, 473, 474, 475, 476, 477, 478,
};
