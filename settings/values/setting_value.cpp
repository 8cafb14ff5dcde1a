// Stored values: where a setting lives in a devmode control block, how each
// value kind is read and written, and the bookkeeping of a write (changed
// marks, the scale follow-on, request bits, last error).
#include "settings/values/setting_value.h"

#include <algorithm>
#include <cstring>

#include "jobsettings/devmode/devmode_layout.h"
#include "settings/values/setting_lookup.h"
#include "settings/system/unaligned.h"

namespace {

constexpr WORD kFuncScaleType = 87;
constexpr WORD kFuncScaleH = 89;
constexpr WORD kFuncScaleV = 90;
constexpr DWORD kRingClearBits = 0x0FFFFFFF;  // bits above it also clear the ring's words

bool IsPointerSlot(const SFCB& sfcb) {
  const DWORD kind = SettingKindOf(sfcb.descriptor);
  return (kind == kKindI32 || kind == kKindU32) && SettingSizeOf(sfcb.descriptor) == kSettingPointerSlot;
}

bool IsWideKind(DWORD kind) { return kind == kKindWide8 || kind == kKindWide; }

// Bytes a setting occupies, so that its whole storage can be bounds-checked.
std::size_t StorageWidth(const SFCB& sfcb) {
  const DWORD kind = SettingKindOf(sfcb.descriptor);
  switch (kind) {
    case kKindI8:
    case kKindU8:
      return 1;
    case kKindI16:
    case kKindU16:
      return 2;
    case kKindI32:
    case kKindU32:
      return IsPointerSlot(sfcb) ? kSettingPointerSlot : 4;
    default:
      return SettingKindIsBit(kind) ? 4 : SettingSizeOf(sfcb.descriptor);
  }
}

LPBYTE AddressIn(const DCB* dcb, const SFCB* sfcb) {
  if (dcb == nullptr || sfcb == nullptr) {
    return nullptr;
  }
  const DWORD block = SettingBlockOf(sfcb->descriptor);
  if (block < kBlockDevmode || block > kBlockWork) {
    return nullptr;
  }
  // The block offsets come from the DEVMODE header, which may have been
  // read from a file: a setting that would fall outside the DCB has none.
  const WORD blockOffset = LoadLE<WORD>(dcb->devmode, kOffBlockOffsets + 2 * (block - 1));
  const std::size_t start = std::size_t{blockOffset} + sfcb->offset;
  if (start + StorageWidth(*sfcb) > sizeof(DCB)) {
    return nullptr;
  }
  return const_cast<LPBYTE>(reinterpret_cast<const BYTE*>(dcb)) + start;
}

const DCB* SavedDcb(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->pDCB2 : nullptr;
}

LONG_PTR LoadValue(const BYTE* p, const SFCB& sfcb) {
  const DWORD kind = SettingKindOf(sfcb.descriptor);
  switch (kind) {
    case kKindI8:
      return LoadLE<signed char>(p, 0);
    case kKindI16:
      return LoadLE<SHORT>(p, 0);
    case kKindI32:
      return IsPointerSlot(sfcb) ? LoadLE<LONG_PTR>(p, 0) : LoadLE<LONG>(p, 0);
    case kKindU8:
      return LoadLE<BYTE>(p, 0);
    case kKindU16:
      return LoadLE<WORD>(p, 0);
    case kKindU32:
      return IsPointerSlot(sfcb) ? static_cast<LONG_PTR>(LoadLE<ULONG_PTR>(p, 0)) : LoadLE<DWORD>(p, 0);
    default:
      break;
  }
  if (SettingKindIsBit(kind)) {
    return (p[SettingBitByte(kind)] & SettingBitMaskInByte(kind)) != 0 ? 1 : 0;
  }
  return reinterpret_cast<LONG_PTR>(p);
}

// Text kinds copy up to the source's terminator, never past the field, and
// leave the field terminated; the rest of the field is zero.
void StoreText(BYTE* p, const SFCB& sfcb, const void* src) {
  const std::size_t size = SettingSizeOf(sfcb.descriptor);
  if (IsWideKind(SettingKindOf(sfcb.descriptor))) {
    const std::size_t chars = size / sizeof(WCHAR);
    const auto* text = static_cast<const WCHAR*>(src);
    std::size_t n = 0;
    while (n + 1 < chars && text[n] != 0) {
      ++n;
    }
    std::memmove(p, text, n * sizeof(WCHAR));
    std::memset(p + n * sizeof(WCHAR), 0, size - n * sizeof(WCHAR));
    return;
  }
  const auto* text = static_cast<const char*>(src);
  std::size_t n = 0;
  while (n + 1 < size && text[n] != 0) {
    ++n;
  }
  std::memmove(p, text, n);
  std::memset(p + n, 0, size - n);
}

void StoreValue(BYTE* p, const SFCB& sfcb, LONG_PTR value) {
  const DWORD kind = SettingKindOf(sfcb.descriptor);
  switch (kind) {
    case kKindI8:
    case kKindU8:
      p[0] = static_cast<BYTE>(value);
      return;
    case kKindI16:
    case kKindU16:
      StoreLE<WORD>(p, 0, static_cast<WORD>(value));
      return;
    case kKindI32:
    case kKindU32:
      if (IsPointerSlot(sfcb)) {
        StoreLE<ULONG_PTR>(p, 0, static_cast<ULONG_PTR>(value));
      } else {
        StoreLE<DWORD>(p, 0, static_cast<DWORD>(value));
      }
      return;
    default:
      break;
  }
  if (SettingKindIsBit(kind)) {
    BYTE& byte = p[SettingBitByte(kind)];
    byte = value != 0 ? static_cast<BYTE>(byte | SettingBitMaskInByte(kind))
                      : static_cast<BYTE>(byte & ~SettingBitMaskInByte(kind));
    return;
  }
  const std::size_t size = SettingSizeOf(sfcb.descriptor);
  const void* src = reinterpret_cast<const void*>(value);
  if (src == nullptr) {
    std::memset(p, 0, size);
  } else if (SettingKindIsString(kind)) {
    StoreText(p, sfcb, src);
  } else {
    std::memmove(p, src, size);
  }
}

}  // namespace

LPBYTE GetDevmodeAddressBySFCB(const UCB* ucb, const SFCB* sfcb) {
  return ucb != nullptr ? AddressIn(ucb->pDCB, sfcb) : nullptr;
}

LPBYTE GetDevmodeAddressBySFCBSaveDCB2(const UCB* ucb, const SFCB* sfcb) {
  return AddressIn(SavedDcb(ucb), sfcb);
}

LONG_PTR GetDevmodeValueDirect(const UCB* ucb, const SFCB* sfcb) {
  const BYTE* p = GetDevmodeAddressBySFCB(ucb, sfcb);
  return p != nullptr ? LoadValue(p, *sfcb) : 0;
}

LONG_PTR GetDevmodeValueDirectSaveDCB2(const UCB* ucb, const SFCB* sfcb) {
  const BYTE* p = GetDevmodeAddressBySFCBSaveDCB2(ucb, sfcb);
  return p != nullptr ? LoadValue(p, *sfcb) : 0;
}

LONG_PTR GetDevmodeValueDirectByFuncID(const UCB* ucb, WORD funcId, SFCB** out) {
  SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (out != nullptr) {
    *out = sfcb;
  }
  return GetDevmodeValueDirect(ucb, sfcb);
}

LONG_PTR GetDevmodeValueDirectByFuncIDSaveDCB2(const UCB* ucb, WORD funcId, SFCB** out) {
  SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (out != nullptr) {
    *out = sfcb;
  }
  return GetDevmodeValueDirectSaveDCB2(ucb, sfcb);
}

BOOL SetDevmodeValueDirect(UCB* ucb, SFCB* sfcb, LONG_PTR value) {
  BYTE* p = GetDevmodeAddressBySFCB(ucb, sfcb);
  if (p == nullptr) {
    return FALSE;
  }
  StoreValue(p, *sfcb, value);
  sfcb->flags = static_cast<WORD>((sfcb->flags & ~kSfcbChangedMask) | 1);
  if (ucb->pWork != nullptr) {
    ucb->pWork->fChanged = 1;
  }
  if (sfcb->funcId == kFuncScaleH && GetDevmodeValueDirectByFuncID(ucb, kFuncScaleType, nullptr) == 1) {
    SetDevmodeValueDirect(ucb, GetSFCBbyFuncID(ucb, kFuncScaleV), value);
  }
  if ((sfcb->uiRequest & kSfcbRequestMask) != 0) {
    KesmRequestForUiCore(ucb, sfcb->uiRequest & kSfcbRequestMask);
  }
  return TRUE;
}

BOOL SetDevmodeValueDirectSaveDCB2(UCB* ucb, const SFCB* sfcb, LONG_PTR value) {
  BYTE* p = GetDevmodeAddressBySFCBSaveDCB2(ucb, sfcb);
  if (p == nullptr) {
    return FALSE;
  }
  StoreValue(p, *sfcb, value);
  return TRUE;
}

BOOL SetDevmodeValueDirectByFuncID(UCB* ucb, WORD funcId, LONG_PTR value) {
  return SetDevmodeValueDirect(ucb, GetSFCBbyFuncID(ucb, funcId), value);
}

BOOL SetDevmodeValueDirectByFuncIDSaveDCB2(UCB* ucb, WORD funcId, LONG_PTR value) {
  return SetDevmodeValueDirectSaveDCB2(ucb, GetSFCBbyFuncID(ucb, funcId), value);
}

void KesmRequestForUiCore(UCB* ucb, DWORD bits) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return;
  }
  auto word = static_cast<DWORD>(ucb->pWork->dwRequest);
  if (bits == 0) {
    word = 0;
  } else {
    if ((bits & 0xFFFF) != 0) {
      word &= 0xFFFF0000;
    }
    word |= bits;
  }
  ucb->pWork->dwRequest = static_cast<INT>(word);
}

DWORD GetRequestCode(const UCB* ucb) {
  return ucb != nullptr && ucb->pWork != nullptr ? static_cast<DWORD>(ucb->pWork->dwRequest) : 0;
}

void ResetRequestCode(UCB* ucb, DWORD bits) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    return;
  }
  WORKAREA& work = *ucb->pWork;
  work.dwRequest = static_cast<INT>(static_cast<DWORD>(work.dwRequest) & ~bits);
  if (bits > kRingClearBits) {
    for (INT& saved : work.aRingRequest) {
      saved = static_cast<INT>(static_cast<DWORD>(saved) & ~bits);
    }
  }
}
