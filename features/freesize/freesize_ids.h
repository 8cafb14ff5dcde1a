// Settings and dialogs of the free paper size module.
#pragma once

#include <array>

#include "platform/base/wintypes.h"

inline constexpr WORD kFuncPaperSize = 8;           // dmPaperSize
inline constexpr WORD kFuncOutPaperSize = 46;       // kdmOutPaperSize
inline constexpr WORD kFuncDspUnit = 171;           // 0 millimetres, else inches
inline constexpr WORD kFuncPaperFreeSizeWidth = 340;
inline constexpr WORD kFuncPaperFreeSizeLength = 341;
inline constexpr WORD kFuncPaperFreeSizeTray = 342;
inline constexpr WORD kFuncPaperFreeSizeOrient = 343;
inline constexpr WORD kFuncPrintFreeSizeWidth = 344;
inline constexpr WORD kFuncPrintFreeSizeLength = 345;
inline constexpr WORD kFuncPrintFreeSizeTray = 346;
inline constexpr WORD kFuncPrintFreeSizeOrient = 347;
inline constexpr WORD kFuncPaperInchLength = 594;   // hundredths of an inch
inline constexpr WORD kFuncPaperInchWidth = 595;
inline constexpr WORD kFuncFreeSizeWidth = 753;
inline constexpr WORD kFuncFreeSizeLength = 754;
inline constexpr WORD kFuncFreeSizeTray = 755;
inline constexpr WORD kFuncFreeSizeOrient = 756;
inline constexpr WORD kFuncInputFreeSizeType = 855; // 1 the paper size, else the print size

inline constexpr LONG kPaperFreeSize = 256;

inline constexpr WORD kDialogFreeSizeList = 1017;
inline constexpr WORD kDialogFreeSizeInput = 1041;

// The input dialog's three number edits of each dimension, and their spins.
inline constexpr std::array<WORD, 3> kFreeSizeLengthEdits = {2682, 2683, 2684};
inline constexpr std::array<WORD, 3> kFreeSizeWidthEdits = {2689, 2690, 2691};
inline constexpr std::array<WORD, 3> kFreeSizeLengthSpins = {2685, 2686, 2687};
inline constexpr std::array<WORD, 3> kFreeSizeWidthSpins = {2692, 2693, 2694};
