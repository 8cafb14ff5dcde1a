#include "ui/engine/owner_draw_sizes.h"

const ODFS* GetOwnerDrawFixedSize() { return OwnerDrawFixedSize; }

const ODFS* GetODFSbyItemID(WORD itemId) {
  if (itemId == 0) return nullptr;
  for (const ODFS* row = OwnerDrawFixedSize; row->itemId != 0; ++row) {
    if (row->itemId == itemId) return row;
  }
  return nullptr;
}
