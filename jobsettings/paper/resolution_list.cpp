#include "jobsettings/paper/resolution_list.h"

namespace {

constexpr ResolutionRow ResolutionList[] = {
    {6, 200, 200},   {1, 300, 300},   {2, 400, 400},   {3, 600, 600},   {4, 1200, 1200},
    {5, 2400, 2400}, {17, 600, 600},  {18, 600, 600},  {19, 600, 600},  {33, 150, 150},
    {34, 300, 300},  {35, 300, 300},  {36, 600, 600},  {37, 1200, 1200}, {0, 0, 0},
};

const ResolutionRow* RowOf(WORD value) {
  for (const ResolutionRow* row = ResolutionList; row->value != 0; ++row) {
    if (row->value == value) return row;
  }
  return nullptr;
}

// The first row from `from` on with that horizontal dpi.
WORD FirstWithHorizon(const ResolutionRow* from, WORD xDpi) {
  for (const ResolutionRow* row = from; row->value != 0; ++row) {
    if (row->xDpi == xDpi) return row->value;
  }
  return 0;
}

}  // namespace

const ResolutionRow* GetResolutionList() { return ResolutionList; }

const ResolutionRow* GetResTablebyDMValue(WORD value) { return value != 0 ? RowOf(value) : nullptr; }

WORD GetDMValuebyResTable(WORD xDpi, WORD yDpi) {
  if (xDpi == 0 || yDpi == 0) return 0;
  for (const ResolutionRow* row = ResolutionList; row->value != 0; ++row) {
    if (row->xDpi == xDpi && row->yDpi == yDpi) return row->value;
  }
  return 0;
}

WORD GetDMValuebyResTableForHorizon(WORD xDpi) { return FirstWithHorizon(ResolutionList, xDpi); }

WORD GetDMValuebyResTableForHorizonNext(WORD xDpi, WORD value) {
  const ResolutionRow* row = RowOf(value);
  return row != nullptr ? FirstWithHorizon(row + 1, xDpi) : 0;
}
