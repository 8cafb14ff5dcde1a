#include "settings/context/context_arrays.h"

#include <algorithm>
#include <array>
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

struct ArrayOffsets {
  std::size_t count;
  std::size_t entries;
};

// The offsets of an array's count and pointer. The setting table fixes
// them, so those of the owned arrays are looked up once.
ArrayOffsets OffsetsOf(const DcbOwnedArray& array) {
  static const auto owned = [] {
    std::array<ArrayOffsets, kDcbOwnedArrayCount> offsets{};
    for (int i = 0; i < kDcbOwnedArrayCount; ++i) {
      offsets[i] = {DcbOffsetOf(kDcbOwnedArrays[i].countId), DcbOffsetOf(kDcbOwnedArrays[i].arrayId)};
    }
    return offsets;
  }();
  for (int i = 0; i < kDcbOwnedArrayCount; ++i) {
    if (&array == &kDcbOwnedArrays[i]) return owned[i];
  }
  return {DcbOffsetOf(array.countId), DcbOffsetOf(array.arrayId)};
}

}  // namespace

DcbArray GetDcbArray(const DCB* dcb, const DcbOwnedArray& array) {
  const ArrayOffsets at = OffsetsOf(array);
  DcbArray value{};
  value.count = LoadLE<WORD>(dcb, at.count);
  LoadBytes(dcb, at.entries, &value.entries, sizeof(value.entries));
  return value;
}

void SetDcbArray(DCB* dcb, const DcbOwnedArray& array, DcbArray value) {
  const ArrayOffsets at = OffsetsOf(array);
  StoreLE<WORD>(dcb, at.count, value.count);
  StoreBytes(dcb, at.entries, &value.entries, sizeof(value.entries));
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
