#include "ui/bitmaps/bitmap_info.h"

const BITMAPINFOROW* FindBitmapInfo(UINT id) {
  if (id == 0) return nullptr;
  for (const BITMAPINFOROW* row = GetBitmapInfoList(); row->wBitmapId != 0; ++row) {
    if (row->wBitmapId == id) return row;
  }
  return nullptr;
}
