// The records that open and close a page in the display list. Each encoder
// appends its record and returns its address, or null when the display list
// cannot take it.
#pragma once

#include "platform/base/wintypes.h"
#include "render/records/opcodes.h"

struct JobStream;

inline constexpr ULONG kPageStartBytes = 16;
inline constexpr ULONG kPageEndBytes = 4;

// {0x60, 0, 0, 0, page width u32, page height u32, x resolution u16,
// y resolution u16}: the page in dots and its resolution in dots per inch.
BYTE* IDlPageStart(JobStream* stream, ULONG width, ULONG height, USHORT xResolution, USHORT yResolution);
// {0x61, 0, 0, 0}.
BYTE* IDlPageEnd(JobStream* stream);
