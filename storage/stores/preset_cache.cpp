// The per-context cache of recalled presets.
#if !KESM_KERNEL_MODE
#include <array>
#include <cstring>
#include <span>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"

namespace {

// The settings a slot keeps: those of presets and of watermarks.
constexpr WORD kCachedClasses = kSfcbFlagLayout | kSfcbFlagWatermark;

std::span<SFCB> Records(UCB* ucb) {
  if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr || ucb->pSFL->count <= 0) return {};
  return {ucb->pSFL->pSFCB, static_cast<std::size_t>(ucb->pSFL->count)};
}

// Calls visit(record, its bytes in the DCB) for every cached setting, in
// record order.
template <class Visit>
void ForEachCached(UCB* ucb, Visit visit) {
  for (SFCB& record : Records(ucb)) {
    if ((record.flags & kCachedClasses) == 0) continue;
    BYTE* at = GetDevmodeAddressBySFCB(ucb, &record);
    if (at != nullptr) visit(record, at);
  }
}

DWORD SlotBytes(UCB* ucb) {
  DWORD bytes = 0;
  ForEachCached(ucb, [&](const SFCB& record, BYTE*) { bytes += SettingSizeOf(record.descriptor); });
  return bytes;
}

void Save(UCB* ucb, BYTE* slot) {
  ForEachCached(ucb, [&](const SFCB& record, BYTE* at) {
    const DWORD size = SettingSizeOf(record.descriptor);
    std::memcpy(slot, at, size);
    slot += size;
  });
}

// A single bit goes back alone, so that the other bits of its word keep
// what they have now.
void Restore(UCB* ucb, const BYTE* slot) {
  ForEachCached(ucb, [&](const SFCB& record, BYTE* at) {
    const DWORD size = SettingSizeOf(record.descriptor);
    const DWORD kind = SettingKindOf(record.descriptor);
    if (SettingKindIsBit(kind)) {
      const DWORD byte = SettingBitByte(kind);
      const BYTE mask = SettingBitMaskInByte(kind);
      if (byte < size) at[byte] = static_cast<BYTE>((at[byte] & ~mask) | (slot[byte] & mask));
    } else {
      std::memcpy(at, slot, size);
    }
    slot += size;
  });
}

int SlotOf(LPCWSTR key) {
  if (key == nullptr) return -1;
  std::array<WCHAR, storage::kStoreKeyChars> candidate{};
  for (int i = 0; i < kPresetSlots; ++i) {
    if (lstrcmpiW(MakePresetKey(candidate.data(), i, 0), key) == 0) return i;
  }
  return -1;
}

}  // namespace

int CheckPresetCache(UCB* ucb, LPCWSTR key, int op) {
  if (ucb == nullptr || ucb->pWork == nullptr) return 0;
  BYTE*(&slots)[kPresetCacheSlots] = ucb->pWork->apPresetCache;
  switch (op) {
    case kPresetCacheForget:
    case kPresetCacheFree:
      // Forgetting frees as well: a slot is only ever null or owned.
      for (BYTE*& slot : slots) {
        FreeMemPtr(slot);
        slot = nullptr;
      }
      return 0;
    case kPresetCacheRestore: {
      const int index = SlotOf(key);
      if (index < 0 || slots[index] == nullptr || ucb->pDCB == nullptr) return 0;
      Restore(ucb, slots[index]);
      return 1;
    }
    case kPresetCacheSave: {
      const int index = SlotOf(key);
      if (index < 0 || ucb->pDCB == nullptr) return 0;
      if (slots[index] == nullptr) slots[index] = static_cast<BYTE*>(GetMemPtr(SlotBytes(ucb)));
      if (slots[index] != nullptr) Save(ucb, slots[index]);
      return 0;
    }
    default:
      return 0;
  }
}
#endif
