// The resolutions the driver knows: each row a DEVMODE resolution value
// (the value of kdmDstResolutionBoth) with its horizontal and vertical dpi.
// Device capabilities list the square ones; print-quality validation walks
// the rows of one horizontal dpi.
#pragma once

#include "platform/base/wintypes.h"

struct ResolutionRow {
  WORD value;
  WORD xDpi;
  WORD yDpi;
};

// The rows, ended by a zero row.
const ResolutionRow* GetResolutionList();
// The row of a value; null for 0 or a value without a row.
const ResolutionRow* GetResTablebyDMValue(WORD value);
// The value of the first row with both dpi values; 0 when either is 0 or
// none matches.
WORD GetDMValuebyResTable(WORD xDpi, WORD yDpi);
// The value of the first row with that horizontal dpi, 0 when none.
WORD GetDMValuebyResTableForHorizon(WORD xDpi);
// The value of the next row after the row of value with that horizontal
// dpi; 0 when none (also when value has no row).
WORD GetDMValuebyResTableForHorizonNext(WORD xDpi, WORD value);
