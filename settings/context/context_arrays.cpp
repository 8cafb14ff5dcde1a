#include "settings/context/context_arrays.h"

#include <algorithm>
#include <cstring>

#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"

namespace {

// Byte offset inside the DCB of a printer-wide setting.
std::size_t DcbOffsetOf(WORD funcId) {
  const SFCB* end = fgSFCB + kSettingCount;
  const SFCB* record =
      std::find_if(fgSFCB, end, [funcId](const SFCB& r) { return r.funcId == funcId; });
  return kDcbBlock2Offset + record->offset;
}

}  // namespace

DcbArray GetDcbArray(const DCB* dcb, const DcbOwnedArray& array) {
  DcbArray value{};
  value.count = LoadLE<WORD>(dcb, DcbOffsetOf(array.countId));
  LoadBytes(dcb, DcbOffsetOf(array.arrayId), &value.entries, sizeof(value.entries));
  return value;
}

void SetDcbArray(DCB* dcb, const DcbOwnedArray& array, DcbArray value) {
  StoreLE<WORD>(dcb, DcbOffsetOf(array.countId), value.count);
  StoreBytes(dcb, DcbOffsetOf(array.arrayId), &value.entries, sizeof(value.entries));
}

void FreeDcbArrays(DCB* dcb) {
  if (dcb == nullptr) return;
  for (const DcbOwnedArray& array : kDcbOwnedArrays) {
    FreeMemPtr(GetDcbArray(dcb, array).entries);
    SetDcbArray(dcb, array, {});
  }
}

bool CopyDcbArrays(DCB* image, const DCB* source) {
  bool complete = true;
  for (const DcbOwnedArray& array : kDcbOwnedArrays) {
    const DcbArray from = GetDcbArray(source, array);
    DcbArray copy{};
    if (from.count != 0 && from.entries != nullptr) {
      const std::size_t bytes = std::size_t{from.count} * array.entrySize;
      copy.entries = static_cast<BYTE*>(GetMemPtr(bytes));
      if (copy.entries != nullptr) {
        std::memcpy(copy.entries, from.entries, bytes);
        copy.count = from.count;
      } else {
        complete = false;
      }
    }
    SetDcbArray(image, array, copy);
  }
  return complete;
}

bool CopyDcbImage(DCB* target, const DCB* source) {
  FreeDcbArrays(target);
  std::memcpy(target, source, sizeof(DCB));
  return CopyDcbArrays(target, source);
}
