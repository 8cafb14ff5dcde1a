// Several names stand for one tray: the large-capacity and the
// multi-purpose trays are known under more than one string.
#include "features/option/tray_strings.h"

const TRAYSTRINGID tblTrayStringID[] = {
    {0, 2, 0},    {1, 3, 0},    {2, 5, 0},    {3, 6, 0},    {25, 7, 0},   {25, 169, 0},
    {27, 4, 0},   {27, 618, 0}, {28, 8, 0},   {25, 800, 0}, {25, 801, 0}, {29, 823, 0},
    {4, 439, 0},  {5, 839, 0},  {6, 837, 0},  {3, 865, 0},  {4, 866, 0},  {0, 0, 0},
};

namespace {

const TRAYSTRINGID* RowOf(WORD stringId) {
  for (const TRAYSTRINGID* row = tblTrayStringID; row->stringId != 0; ++row) {
    if (row->stringId == stringId) return row;
  }
  return nullptr;
}

}  // namespace

DWORD GetTrayIDbyStringID(WORD stringId) {
  const TRAYSTRINGID* row = RowOf(stringId);
  return row != nullptr ? row->trayIndex : tblTrayStringID[0].trayIndex;
}

BOOL FindTrayIndex(WORD stringId, DWORD* trayIndex) {
  const TRAYSTRINGID* row = stringId != 0 ? RowOf(stringId) : nullptr;
  if (row == nullptr || trayIndex == nullptr) return FALSE;
  *trayIndex = row->trayIndex;
  return TRUE;
}
