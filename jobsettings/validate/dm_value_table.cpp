// The accepted-value table fgDM: for each setting it names, the values the
// driver accepts where the description gives no verdict. Row: {function id,
// count, values}; the table ends with function id 0. Rows keep the driver's
// order; lookups take the first row of an id.
//
// How the lists were completed: the device paper sizes and trays (8, 13),
// the resolutions (14, 17, 38, 39), the resolution-table entries (152),
// languages (169), print methods (209), driver types (242) and output trays
// (53) are the model's own. Every other list is the setting's value list,
// or where it has none the values the driver itself gives or reads in the
// setting, widened where needed so that the private validators' default of
// the setting is accepted (punch type 0, dither type 257, emulation 255,
// colour process 0). The N-up types are those of the corrected N-up list,
// the user print macros the stored quality sets 32-39 and 160. A list that
// serves several settings is written once, named after its first setting or
// after what it holds.
//
// Seven rows follow the driver's 197: settings 93, 130, 135, 136, 174, 199
// and 228, whose private validators ask this table, accept 0 and 1, so that
// a valid value of theirs passes.
#include "jobsettings/validate/dm_value_tables.h"

#include <iterator>

namespace {

// Device sizes beyond the system's 1-118 (516 is not one).
constexpr LONG dmPaperSize[] = {
    256, 267, 268, 269, 270, 271, 512, 513, 514, 515, 517, 518, 519, 520, 521, 522, 523, 524,
};
// Device trays beyond the system's 1-15.
constexpr LONG dmDefaultSource[] = {
    256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 281, 282,
    283, 284, 285, 286,
};
// Dots per inch; also dmYResolution, kdmDstResolutionW, kdmDstResolutionH.
constexpr LONG dmPrintQuality[] = {
    150, 200, 300, 400, 600, 1200, 2400,
};
// Device media beyond the system's 1-3: the media of the value lists.
constexpr LONG dmMediaType[] = {
    256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274,
    275, 276, 277, 278, 279, 280, 281, 282, 283, 284, 285, 286, 287, 288, 512, 513, 514, 515, 516,
    517, 518, 519, 520,
};
constexpr LONG kdmUIModeChange[] = {
    0, 1,
};
// The device sizes of dmPaperSize, the special output size 1024 and the
// paper-fitting marks 1025 and 1026.
constexpr LONG kdmOutPaperSize[] = {
    256, 267, 268, 269, 270, 271, 512, 513, 514, 515, 517, 518, 519, 520, 521, 522, 523, 524, 1024,
    1025, 1026,
};
constexpr LONG kdmOutputTrayID[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
    26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 128, 129,
};
// Also the cover, insert, chapter and reverse-cover media.
constexpr LONG kdmMediaType[] = {
    1, 2, 3, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272,
    273, 274, 275, 276, 277, 278, 279, 280, 281, 282, 283, 284, 285, 286, 287, 288, 512, 513, 514,
    515, 516, 517, 518, 519, 520,
};
constexpr LONG kdmScaleType[] = {
    0, 1, 2, 3,
};
// Off and on: the single-bit and two-state settings.
constexpr LONG kdmFlag[] = {
    0, 1,
};
// Portrait and landscape, as dmOrientation has them: the free-size
// orientations of the paper, the print and the free-size entries, which the
// free-size range table's rows name by these values.
constexpr LONG kdmPaperFreeSizeOrient[] = {
    1, 2,
};
constexpr LONG kdmNUPPOSTKind[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
};
// Pages per sheet with their order, and the poster kinds 0x8001-0x8003; also
// wdmNUPType.
constexpr LONG kdmNUPType[] = {
    1, 2, 3, 33, 34, 37, 38, 65, 66, 69, 70, 97, 98, 101, 102, 0x8001, 0x8002, 0x8003,
};
// Also wdmDuplexType.
constexpr LONG kdmDuplexType[] = {
    0, 1, 2, 3, 17, 18, 19, 20, 21, 22,
};
constexpr LONG kdmShiftDir[] = {
    0, 1, 2, 3, 4,
};
constexpr LONG kdmHFDatePosi[] = {
    0, 1, 2, 3, 4, 5, 6,
};
constexpr LONG kdmHFDateForm[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
};
constexpr LONG kdmHFPagePosi[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
};
constexpr LONG kdmHFPageForm[] = {
    0, 1, 2, 3, 4,
};
constexpr LONG kdmHFStrPosi[] = {
    0, 1, 2, 3, 4, 5, 6,
};
constexpr LONG kdmHFStrForm[] = {
    0, 1, 2,
};
// Text, bitmap, composite.
constexpr LONG kdmWmKind[] = {
    1, 2, 3,
};
constexpr LONG kdmSortType[] = {
    0, 1, 2, 3, 4, 5, 6,
};
// 0 no punch, then the punch list; also wdmPunchType.
constexpr LONG kdmPunchType[] = {
    0, 1, 2, 3, 17, 18, 19, 33, 34, 35, 49, 50, 51, 65, 66, 67,
};
// Also wdmStapleType.
constexpr LONG kdmStapleType[] = {
    0, 1, 2, 17, 18, 33, 34, 49, 50, 65, 66, 67, 68,
};
constexpr LONG kdmMarkPaperType[] = {
    0, 1, 2,
};
// The trays of the tray value lists: insert, cover, chapter, free-size and
// default trays.
constexpr LONG kdmTray[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265,
    266, 267, 268, 269, 270, 271, 272, 281, 282, 283, 284, 285, 286,
};
// Also kdmBackCoverType.
constexpr LONG kdmCoverType[] = {
    0, 1, 2, 3,
};
// Text, line art, image.
constexpr LONG kdmAdjustObject[] = {
    0, 1, 2,
};
// One set for all objects, or one per object kind.
constexpr LONG kdmICMType[] = {
    0, 1, 2,
};
// The system's rendering intents; also wdmICMIntentText, Line and Image.
constexpr LONG kdmICMIntent[] = {
    1, 2, 3, 4,
};
// The modes the colour-rendering rules name; also wdmColorMatchingText, Line
// and Image. The user profiles 200-215 pass the description check instead.
constexpr LONG kdmColorMatchingMode[] = {
    0, 1, 2, 3, 4, 5, 6, 32, 128, 129, 130, 131,
};
// Also wdmColorModeText, Line and Image.
constexpr LONG kdmColorMode[] = {
    0, 1, 2,
};
// The dithering list and 257, the model's default.
constexpr LONG kdmDitherType[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 257,
};
// Resolution-table entries; also kdmHiddenDstResolutionBoth.
constexpr LONG kdmDstResolutionBoth[] = {
    1, 2, 3, 4, 5, 6, 17, 18, 19, 33, 34, 35, 36, 37,
};
// The language numbers; also kdmDspLanguageID.
constexpr LONG kdmLanguageID[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
};
constexpr LONG kdmExtPrintArea[] = {
    0, 1, 2, 3, 4, 5,
};
// 0 not chosen, 1 monochrome, 2 24-bit colour.
constexpr LONG kdmColorProcess[] = {
    0, 1, 2,
};
constexpr LONG kdmPrintMacro[] = {
    0, 1, 2, 3, 4, 5, 6,
};
constexpr LONG kdmBalanceMacro[] = {
    16, 17, 18, 19, 20,
};
// The stored quality sets.
constexpr LONG kdmUserPrintMacro[] = {
    32, 33, 34, 35, 36, 37, 38, 39, 160,
};
constexpr LONG kdmTTFont[] = {
    0, 1, 2, 3, 4, 5,
};
// Also kdmSmoothing.
constexpr LONG kdmResBorder[] = {
    0, 1, 2, 3,
};
constexpr LONG kdmTonerSave[] = {
    0, 1, 2,
};
// The emulation list and 255, the model's default.
constexpr LONG kdmEmulation[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
    26, 27, 28, 29, 30, 31, 255,
};
constexpr LONG kdmPrnMethod[] = {
    0, 1, 2, 3, 4, 5, 6, 7,
};
constexpr LONG kdmLoadShare[] = {
    0, 1, 2, 3, 4, 5,
};
constexpr LONG kdmAddressType[] = {
    0, 1, 2,
};
// The four telephone lines.
constexpr LONG kdmTelLine[] = {
    1, 2, 3, 4,
};
// Also wdmFoldType.
constexpr LONG kdmFoldType[] = {
    0, 1, 2, 3,
};
// The colour codes of watermarks and of the copy guard.
constexpr LONG kdmColorCode[] = {
    0, 1, 2, 3, 4, 5, 6, 7,
};
// The mask patterns of the copy guard and of watermark tiles.
constexpr LONG kdmTileMask[] = {
    0, 1, 2, 3,
};
// The placement codes, 1 standing for top left.
constexpr LONG kdmCopyProtectPosi[] = {
    0, 1, 2, 4, 8, 16, 32,
};
// Regular, bold, italic, bold italic.
constexpr LONG kdmFontStyle[] = {
    0, 1, 2, 3,
};
// The paper list of the tray value lists, the reserved 48 and 49 included.
constexpr LONG kdmTrayPaper[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
    27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50,
    51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74,
    75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98,
    99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117,
    118, 256, 267, 268, 269, 270, 271, 512, 513, 514, 515, 516, 517, 518, 519, 520, 521, 522, 523,
    524, 384, 385, 386, 387, 388, 389, 390, 391, 392, 393, 448,
};
// 0 not set, then the media.
constexpr LONG kdmTrayMedia[] = {
    0, 1, 2, 3, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271,
    272, 273, 274, 275, 276, 277, 278, 279, 280, 281, 282, 283, 284, 285, 286, 287, 288, 512, 513,
    514, 515, 516, 517, 518, 519, 520,
};
constexpr LONG wdmWmEffect[] = {
    0, 1, 2, 3, 4,
};
constexpr LONG wdmWmPosi[] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
};
constexpr LONG wdmWmPage[] = {
    0, 1, 2,
};
// Also wdmDitherTypeLine and wdmDitherTypeImage.
constexpr LONG wdmDitherTypeText[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
};
// Also wdmChapterPrint.
constexpr LONG wdmChapterKind[] = {
    0, 1, 2,
};
// The built-in numbers the driver names.
constexpr LONG wdmBuiltInFunc[] = {
    1, 2, 114, 115, 116, 117, 124, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212,
    213, 214, 215,
};

}  // namespace

#define ROW(id, values) {id, static_cast<DWORD>(std::size(values)), values}
const DMValueRecord fgDM[] = {
    ROW(8, dmPaperSize),
    ROW(13, dmDefaultSource),
    ROW(14, dmPrintQuality),
    ROW(17, dmPrintQuality),  // dmYResolution
    ROW(29, dmMediaType),
    ROW(36, kdmUIModeChange),
    ROW(38, dmPrintQuality),  // kdmDstResolutionW
    ROW(39, dmPrintQuality),  // kdmDstResolutionH
    ROW(46, kdmOutPaperSize),
    ROW(53, kdmOutputTrayID),
    ROW(54, kdmMediaType),
    ROW(87, kdmScaleType),
    ROW(88, kdmFlag),  // kdmScaleCentering
    ROW(91, kdmNUPPOSTKind),
    ROW(92, kdmNUPType),
    ROW(94, kdmDuplexType),
    ROW(95, kdmShiftDir),
    ROW(108, kdmHFDatePosi),
    ROW(109, kdmHFDateForm),
    ROW(110, kdmHFPagePosi),
    ROW(111, kdmHFPageForm),
    ROW(112, kdmHFStrPosi),
    ROW(113, kdmHFStrForm),
    ROW(117, kdmWmKind),
    ROW(119, kdmSortType),
    ROW(120, kdmPunchType),
    ROW(121, kdmStapleType),
    ROW(122, kdmMarkPaperType),
    ROW(123, kdmTray),  // kdmMPInputTray
    ROW(124, kdmCoverType),
    ROW(125, kdmTray),  // kdmCoverInputTray
    ROW(126, kdmCoverType),  // kdmBackCoverType
    ROW(127, kdmTray),  // kdmBackCoverInputTray
    ROW(128, kdmFlag),  // kdmAdjustMode
    ROW(129, kdmAdjustObject),
    ROW(131, kdmICMType),
    ROW(132, kdmICMIntent),
    ROW(133, kdmColorMatchingMode),
    ROW(134, kdmColorMode),
    ROW(137, kdmDitherType),
    ROW(152, kdmDstResolutionBoth),
    ROW(169, kdmLanguageID),
    ROW(170, kdmLanguageID),  // kdmDspLanguageID
    ROW(171, kdmFlag),  // kdmDspUnit
    ROW(173, kdmExtPrintArea),
    ROW(175, kdmColorProcess),
    ROW(176, kdmFlag),  // kdmUseUserMacro
    ROW(177, kdmPrintMacro),
    ROW(178, kdmBalanceMacro),
    ROW(179, kdmUserPrintMacro),
    ROW(180, kdmTTFont),
    ROW(181, kdmResBorder),
    ROW(182, kdmResBorder),  // kdmSmoothing
    ROW(200, kdmTonerSave),
    ROW(201, kdmEmulation),
    ROW(209, kdmPrnMethod),
    ROW(227, kdmLoadShare),
    ROW(229, kdmAddressType),
    ROW(232, kdmTelLine),
    ROW(242, kdmFlag),  // kdmDriverType
    ROW(243, kdmFlag),  // kdmAPIUseFlag
    ROW(342, kdmTray),  // kdmPaperFreeSizeTray
    ROW(343, kdmPaperFreeSizeOrient),  // kdmPaperFreeSizeOrient
    ROW(346, kdmTray),  // kdmPrintFreeSizeTray
    ROW(347, kdmPaperFreeSizeOrient),  // kdmPrintFreeSizeOrient
    ROW(398, kdmFlag),  // kdmPassMode
    ROW(403, kdmFlag),  // kdmOrientationManualTray
    ROW(404, kdmMediaType),  // kdmCoverMediaType
    ROW(405, kdmMediaType),  // kdmBackCoverMediaType
    ROW(406, kdmMediaType),  // kdmMPInputMediaType
    ROW(407, kdmMediaType),  // kdmChapterMediaType
    ROW(408, kdmTray),  // kdmReverseCoverInputTray
    ROW(409, kdmMediaType),  // kdmReverseCoverMediaType
    ROW(410, kdmFlag),  // kdmReverseCoverType
    ROW(444, kdmDstResolutionBoth),  // kdmHiddenDstResolutionBoth
    ROW(511, kdmFoldType),
    ROW(512, kdmColorCode),  // kdmCopyProtectColor
    ROW(522, kdmTileMask),  // kdmCopyProtectTileMask
    ROW(523, kdmCopyProtectPosi),
    ROW(526, kdmFontStyle),  // kdmCopyProtectFontStyle
    ROW(10175, kdmTrayPaper),  // tray 1 paper
    ROW(10176, kdmTrayPaper),  // tray 2 paper
    ROW(10177, kdmTrayPaper),  // tray 3 paper
    ROW(10178, kdmTrayPaper),  // tray 4 paper
    ROW(10179, kdmTrayPaper),  // tray 5 paper
    ROW(10180, kdmTrayPaper),  // tray 6 paper
    ROW(10181, kdmTrayPaper),  // tray 7 paper
    ROW(10182, kdmTrayPaper),  // tray 8 paper
    ROW(10183, kdmTrayPaper),  // tray 9 paper
    ROW(10184, kdmTrayPaper),  // tray 10 paper
    ROW(10185, kdmTrayPaper),  // tray 11 paper
    ROW(10186, kdmTrayPaper),  // tray 12 paper
    ROW(10187, kdmTrayPaper),  // tray 13 paper
    ROW(10188, kdmTrayPaper),  // tray 14 paper
    ROW(10189, kdmTrayPaper),  // tray 15 paper
    ROW(10190, kdmTrayPaper),  // tray 16 paper
    ROW(10191, kdmTrayPaper),  // tray 17 paper
    ROW(10192, kdmTrayPaper),  // tray 18 paper
    ROW(10193, kdmTrayPaper),  // tray 19 paper
    ROW(10194, kdmTrayPaper),  // tray 20 paper
    ROW(10195, kdmTrayPaper),  // tray 21 paper
    ROW(10196, kdmTrayPaper),  // tray 22 paper
    ROW(10197, kdmTrayPaper),  // tray 23 paper
    ROW(10198, kdmTrayPaper),  // tray 24 paper
    ROW(10199, kdmTrayPaper),  // tray 25 paper
    ROW(10200, kdmTrayPaper),  // tray 26 paper
    ROW(10201, kdmTrayPaper),  // tray 27 paper
    ROW(10202, kdmTrayPaper),  // tray 28 paper
    ROW(10203, kdmTrayPaper),  // tray 29 paper
    ROW(10204, kdmTrayPaper),  // tray 30 paper
    ROW(10205, kdmTrayPaper),  // tray 31 paper
    ROW(10206, kdmTrayPaper),  // tray 32 paper
    ROW(10207, kdmTrayMedia),  // tray 1 media
    ROW(10208, kdmTrayMedia),  // tray 2 media
    ROW(10209, kdmTrayMedia),  // tray 3 media
    ROW(10210, kdmTrayMedia),  // tray 4 media
    ROW(10211, kdmTrayMedia),  // tray 5 media
    ROW(10212, kdmTrayMedia),  // tray 6 media
    ROW(10213, kdmTrayMedia),  // tray 7 media
    ROW(10214, kdmTrayMedia),  // tray 8 media
    ROW(10215, kdmTrayMedia),  // tray 9 media
    ROW(10216, kdmTrayMedia),  // tray 10 media
    ROW(10217, kdmTrayMedia),  // tray 11 media
    ROW(10218, kdmTrayMedia),  // tray 12 media
    ROW(10219, kdmTrayMedia),  // tray 13 media
    ROW(10220, kdmTrayMedia),  // tray 14 media
    ROW(10221, kdmTrayMedia),  // tray 15 media
    ROW(10222, kdmTrayMedia),  // tray 16 media
    ROW(10223, kdmTrayMedia),  // tray 17 media
    ROW(10224, kdmTrayMedia),  // tray 18 media
    ROW(10225, kdmTrayMedia),  // tray 19 media
    ROW(10226, kdmTrayMedia),  // tray 20 media
    ROW(10227, kdmTrayMedia),  // tray 21 media
    ROW(10228, kdmTrayMedia),  // tray 22 media
    ROW(10229, kdmTrayMedia),  // tray 23 media
    ROW(10230, kdmTrayMedia),  // tray 24 media
    ROW(10231, kdmTrayMedia),  // tray 25 media
    ROW(10232, kdmTrayMedia),  // tray 26 media
    ROW(10233, kdmTrayMedia),  // tray 27 media
    ROW(10234, kdmTrayMedia),  // tray 28 media
    ROW(10235, kdmTrayMedia),  // tray 29 media
    ROW(10236, kdmTrayMedia),  // tray 30 media
    ROW(10237, kdmTrayMedia),  // tray 31 media
    ROW(10238, kdmTrayMedia),  // tray 32 media
    ROW(10276, kdmTray),  // kdmCoverDefTray
    ROW(10277, kdmTray),  // kdmMPDefTray
    ROW(10278, kdmTray),  // kdmChapterDefTray1
    ROW(10279, kdmTray),  // kdmChapterDefTray2
    ROW(10280, kdmTray),  // kdmChapterDefTray3
    ROW(10288, kdmTray),  // kdmReverseCoverDefTray
    ROW(755, kdmTray),  // wdmFreeSizeTray
    ROW(756, kdmPaperFreeSizeOrient),  // wdmFreeSizeOrient
    ROW(760, kdmTray),  // wdmSrcFreeSizeTray
    ROW(761, kdmPaperFreeSizeOrient),  // wdmSrcFreeSizeOrient
    ROW(772, kdmFlag),  // wdmWmOpaque
    ROW(773, kdmFlag),  // wdmWmUnit
    ROW(775, wdmWmEffect),
    ROW(776, wdmWmPosi),
    ROW(778, wdmWmPage),
    ROW(784, kdmColorCode),  // wdmWmColor
    ROW(788, kdmFontStyle),  // wdmWmFontStyle
    ROW(791, kdmNUPType),  // wdmNUPType
    ROW(792, kdmDuplexType),  // wdmDuplexType
    ROW(793, kdmPunchType),  // wdmPunchType
    ROW(794, kdmStapleType),  // wdmStapleType
    ROW(795, kdmICMIntent),  // wdmICMIntentText
    ROW(796, kdmICMIntent),  // wdmICMIntentLine
    ROW(797, kdmICMIntent),  // wdmICMIntentImage
    ROW(798, kdmColorMatchingMode),  // wdmColorMatchingText
    ROW(799, kdmColorMatchingMode),  // wdmColorMatchingLine
    ROW(800, kdmColorMatchingMode),  // wdmColorMatchingImage
    ROW(801, kdmColorMode),  // wdmColorModeText
    ROW(802, kdmColorMode),  // wdmColorModeLine
    ROW(803, kdmColorMode),  // wdmColorModeImage
    ROW(804, wdmDitherTypeText),
    ROW(805, wdmDitherTypeText),  // wdmDitherTypeLine
    ROW(806, wdmDitherTypeText),  // wdmDitherTypeImage
    ROW(834, kdmTray),  // wdmChapterUseTray1
    ROW(835, kdmTray),  // wdmChapterUseTray2
    ROW(836, kdmTray),  // wdmChapterUseTray3
    ROW(839, wdmChapterKind),
    ROW(840, kdmTray),  // wdmChapterTray
    ROW(841, wdmChapterKind),  // wdmChapterPrint
    ROW(842, kdmTray),  // wdmChapterUseTray4
    ROW(843, kdmTray),  // wdmChapterUseTray5
    ROW(844, kdmTray),  // wdmChapterUseTray6
    ROW(845, kdmTray),  // wdmChapterUseTray7
    ROW(854, wdmBuiltInFunc),
    ROW(859, kdmFlag),  // wdmWmTextPattern
    ROW(860, kdmFlag),  // wdmWmTilePattern
    ROW(861, kdmColorCode),  // wdmWmTileColor
    ROW(866, kdmTileMask),  // wdmWmTileMask
    ROW(867, kdmFlag),  // wdmWmTileRotate
    ROW(868, kdmFlag),  // wdmWmSecretPattern
    ROW(933, kdmFoldType),  // wdmFoldType
    ROW(946, kdmTileMask),  // wdmCopyProtectTileMask
    ROW(953, kdmFlag),  // wdmDspUnit
    // The added rows.
    ROW(93, kdmFlag),  // kdmNUPLine
    ROW(130, kdmFlag),  // kdmColorMatching
    ROW(135, kdmFlag),  // kdmCharBlack
    ROW(136, kdmFlag),  // kdmAutoCorrectPhoto
    ROW(174, kdmFlag),  // kdmImagePrint
    ROW(199, kdmFlag),  // kdmCosmeticLine
    ROW(228, kdmFlag),  // kdmRemotePrint
    {0, 0, nullptr},
};
#undef ROW
