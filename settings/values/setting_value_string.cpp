// String settings as wide text, and the values that the compiled
// description's actions store.
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/system/unaligned.h"
#include "ui/resource_dll.h"

namespace {

constexpr WCHAR kWrongKind[] = u"wrong";

bool IsAnsiKind(DWORD kind) { return kind == kKindAnsi7 || kind == kKindAnsi; }
bool IsWideKind(DWORD kind) { return kind == kKindWide8 || kind == kKindWide; }

// Copies wide text into a field of `bytes` bytes, cut and terminated.
void CopyWideInto(BYTE* field, std::size_t bytes, LPCWSTR src) {
  const std::size_t chars = bytes / sizeof(WCHAR);
  if (chars == 0) {
    return;
  }
  std::size_t n = 0;
  while (n + 1 < chars && src[n] != 0) {
    ++n;
  }
  std::memmove(field, src, n * sizeof(WCHAR));
  std::memset(field + n * sizeof(WCHAR), 0, sizeof(WCHAR));
}

}  // namespace

LPVOID GetDevmodeStringBySFCB(const UCB* ucb, const SFCB* sfcb, LPWSTR dst) {
  if (ucb == nullptr || sfcb == nullptr || dst == nullptr) {
    return nullptr;
  }
  BYTE* p = GetDevmodeAddressBySFCB(ucb, sfcb);
  if (p == nullptr) {
    return nullptr;
  }
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  const auto size = static_cast<int>(SettingSizeOf(sfcb->descriptor));
  if (IsAnsiKind(kind)) {
    // The field need not hold its terminator: convert a terminated copy.
    std::vector<char> text(static_cast<std::size_t>(size) + 1, '\0');
    std::memcpy(text.data(), p, static_cast<std::size_t>(size));
    CopyStr2Unicode(dst, text.data(), size);
  } else if (IsWideKind(kind)) {
    const std::size_t chars = static_cast<std::size_t>(size) / sizeof(WCHAR);
    std::size_t n = 0;
    while (n + 1 < chars && LoadLE<WORD>(p, n * sizeof(WCHAR)) != 0) {
      ++n;
    }
    std::memcpy(dst, p, n * sizeof(WCHAR));
    dst[n] = 0;
  } else {
    std::copy(std::begin(kWrongKind), std::end(kWrongKind), dst);
  }
  return p;
}

LPVOID SetDevmodeStringBySFCB(UCB* ucb, SFCB* sfcb, LPCWSTR src) {
  if (ucb == nullptr || sfcb == nullptr || src == nullptr) {
    return nullptr;
  }
  BYTE* p = GetDevmodeAddressBySFCB(ucb, sfcb);
  if (p == nullptr) {
    return nullptr;
  }
  SetDevmodeValueDirect(ucb, sfcb, 0);  // clears the field and marks the write
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  const DWORD size = SettingSizeOf(sfcb->descriptor);
  if (IsAnsiKind(kind)) {
    CopyUnicode2Str(reinterpret_cast<LPSTR>(p), src, static_cast<int>(size));
  } else if (IsWideKind(kind)) {
    CopyWideInto(p, size, src);
  }
  return p;
}

LPVOID GetDevmodeStringByItemID(const UCB* ucb, WORD itemId, LPWSTR dst) {
  const ICB* icb = GetICBbyItemID(ucb, nullptr, itemId);
  return icb != nullptr ? GetDevmodeStringBySFCB(ucb, icb->pSFCB, dst) : nullptr;
}

LPVOID SetDevmodeStringByItemID(UCB* ucb, WORD itemId, LPCWSTR src) {
  const ICB* icb = GetICBbyItemID(ucb, nullptr, itemId);
  return icb != nullptr ? SetDevmodeStringBySFCB(ucb, icb->pSFCB, src) : nullptr;
}

BOOL SetDevmodeValueByFuncIDFromBKPD(UCB* ucb, WORD funcId, LONG_PTR value) {
  return SetDevmodeValueBySFCBFromBKPD(ucb, GetSFCBbyFuncID(ucb, funcId), value);
}

BOOL SetDevmodeValueBySFCBFromBKPD(UCB* ucb, SFCB* sfcb, LONG_PTR value) {
  if (sfcb == nullptr) {
    return FALSE;
  }
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  if (!SettingKindIsString(kind)) {
    return SetDevmodeValueDirect(ucb, sfcb, ConvertKeywordValueToDevmodeValue(ucb, sfcb, value));
  }
  // The value names a resource string; its text is what gets stored, as
  // ANSI for the ANSI kinds.
  std::array<WCHAR, kScratchChars> local{};
  LPWSTR scratch = ucb->pWork != nullptr ? ucb->pWork->szScratch : local.data();
  LoadStringFromResDll(ucb, static_cast<UINT>(value), scratch, kScratchChars, TRUE);
  if (IsAnsiKind(kind) || IsWideKind(kind)) {
    return SetDevmodeStringBySFCB(ucb, sfcb, scratch) != nullptr ? TRUE : FALSE;
  }
  return SetDevmodeValueBySFCB(ucb, sfcb, reinterpret_cast<LONG_PTR>(scratch));
}
