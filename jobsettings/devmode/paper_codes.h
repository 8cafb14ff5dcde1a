// Paper codes of the DEVMODE's paper settings (dmPaperSize, kdmOutPaperSize)
// that do not name a paper of the description.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr LONG kPaperFreeSize = 256;            // the unregistered custom size
inline constexpr LONG kPaperFreeRegisteredFirst = 384;  // the ten stored free sizes
inline constexpr LONG kPaperFreeRegisteredLast = 393;  // a free size: these, 448 or 256
inline constexpr LONG kPaperFreeSizeDst = 448;          // the unregistered output size
inline constexpr LONG kPaperSameAsSource = 1024;        // output paper: as the source

