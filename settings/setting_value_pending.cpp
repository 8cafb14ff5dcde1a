#include "settings/setting_value_pending.h"

#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/winresource.h"
#include "settings/bkpd_access.h"

namespace access_pending {

LPWSTR CopyStr2Unicode(LPWSTR dst, LPCSTR src, int limit) {
  if (dst == nullptr || limit <= 0) {
    return dst;
  }
  dst[0] = 0;
  if (src == nullptr) {
    return dst;
  }
  const int bytes = static_cast<int>(strnlen(src, static_cast<std::size_t>(limit)));
  if (bytes == 0) {
    return dst;
  }
  const int need = MultiByteToWideChar(CP_ACP, 0, src, bytes, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(need > 0 ? need : 0), u'\0');
  const int got = need > 0 ? MultiByteToWideChar(CP_ACP, 0, src, bytes, wide.data(), need) : 0;
  const int n = got < limit - 1 ? got : limit - 1;
  std::memcpy(dst, wide.data(), static_cast<std::size_t>(n) * sizeof(WCHAR));
  dst[n] = 0;
  return dst;
}

LPSTR CopyUnicode2Str(LPSTR dst, LPCWSTR src, int limit) {
  if (dst == nullptr || limit <= 0) {
    return dst;
  }
  std::memset(dst, 0, static_cast<std::size_t>(limit));
  if (src == nullptr || src[0] == 0) {
    return dst;
  }
  const int need = WideCharToMultiByte(CP_ACP, 0, src, -1, nullptr, 0, nullptr, nullptr);
  if (need <= 0) {
    return dst;
  }
  std::string text(static_cast<std::size_t>(need), '\0');
  WideCharToMultiByte(CP_ACP, 0, src, -1, text.data(), need, nullptr, nullptr);
  const UINT acp = GetACP();
  int kept = 0;
  while (kept < need - 1) {
    const int step = IsDBCSLeadByteEx(acp, static_cast<BYTE>(text[static_cast<std::size_t>(kept)])) ? 2 : 1;
    if (kept + step > limit - 1 || kept + step > need - 1) {
      break;
    }
    kept += step;
  }
  std::memcpy(dst, text.data(), static_cast<std::size_t>(kept));
  return dst;
}

int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL /*replace*/) {
  if (buffer == nullptr || cch <= 0) {
    return 0;
  }
  buffer[0] = 0;
  if (ucb == nullptr || ucb->hResDll == nullptr) {
    return 0;
  }
  return LoadStringW(ucb->hResDll, id, buffer, cch);
}

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) {
    return nullptr;
  }
  const auto b = reinterpret_cast<PCBKPD>(ucb->pBKPD);
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->groupId == groupId) {
      return g;
    }
  }
  return nullptr;
}

BOOL GetFreeSizeRangebyIcb(const UCB*, const ICB*, LONG*, LONG*) { return FALSE; }

}  // namespace access_pending
