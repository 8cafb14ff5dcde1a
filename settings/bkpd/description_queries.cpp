#include "settings/bkpd/description_queries.h"

#include "settings/bkpd/bkpd_access.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

LPCWSTR BKPDGetUIResDll(UCB* ucb) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) return nullptr;
  return BkpdUiResDllName(reinterpret_cast<PCBKPD>(ucb->pBKPD));
}

const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb) {
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

namespace {

LPVOID CopyFonts(UCB* ucb, bool option, LPDWORD count) {
  if (count != nullptr) *count = 0;
  if (ucb == nullptr || ucb->pBKPD == nullptr || count == nullptr) return nullptr;
  const auto b = reinterpret_cast<PCBKPD>(ucb->pBKPD);
  // A table ends at its first empty entry.
  DWORD fonts = 0;
  while (fonts < BkpdFontCount(b, option) && BkpdFont(b, option, fonts) != nullptr) ++fonts;
  if (fonts == 0) return nullptr;
  auto* out = static_cast<KESMFONT*>(GetMemPtr(sizeof(KESMFONT) * fonts));
  if (out == nullptr) return nullptr;
  for (DWORD i = 0; i < fonts; ++i) {
    const BKPDFONT* font = BkpdFont(b, option, i);
    out[i].number = font->number;
    CopyStr2Unicode(out[i].name, BkpdAnsi(b, font->name), kFontNameChars);
  }
  *count = fonts;
  return out;
}

}  // namespace

LPVOID BKPDGetDeviceFont(UCB* ucb, LPDWORD count) { return CopyFonts(ucb, false, count); }

LPVOID BKPDGetOptionFont(UCB* ucb, LPDWORD count) { return CopyFonts(ucb, true, count); }

LPVOID BKPDGetFontTable(UCB* ucb, LPDWORD count) {
  if (ucb == nullptr || ucb->pBKPD == nullptr || count == nullptr) return nullptr;
  const auto b = reinterpret_cast<PCBKPD>(ucb->pBKPD);
  const UiGroup* group = BkpdFirstGroup(b);
  while (group != nullptr && group->type != kUiFontTbl) group = BkpdNext(b, group);
  if (group == nullptr) return nullptr;
  const UiFontTblOption* pairs = nullptr;
  for (const UiOption* o = BkpdFirstOption(b, group); o != nullptr && pairs == nullptr; o = BkpdNext(b, o)) {
    const UiFontTblOption* candidate = BkpdFontTblOption(b, group, o);
    if (candidate != nullptr && candidate->count != 0) pairs = candidate;
  }
  if (pairs == nullptr) return nullptr;
  auto* out = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * pairs->count));
  if (out == nullptr) return nullptr;
  for (DWORD i = 0; i < pairs->count; ++i) {
    // An empty entry stays an empty pair.
    CopyStr2Unicode(out[i].trueType, BkpdFontTblTrueType(b, pairs, i), kFontNameChars);
    CopyStr2Unicode(out[i].device, BkpdFontTblDevice(b, pairs, i), kFontNameChars);
  }
  *count = pairs->count;
  return out;
}
