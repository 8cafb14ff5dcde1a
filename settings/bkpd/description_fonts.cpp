// The description's device fonts, option (cartridge) fonts and TrueType
// substitution table, as new arrays in the form the configuration side
// stores them.
#include <cstddef>
#include <iterator>

#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

namespace {

constexpr int kNameChars = static_cast<int>(std::size(KESMFONT{}.name));

// The fonts of one table up to its first empty entry.
DWORD PresentFonts(PCBKPD b, bool option) {
  const DWORD listed = BkpdFontCount(b, option);
  DWORD present = 0;
  while (present < listed && BkpdFont(b, option, present) != nullptr) ++present;
  return present;
}

KESMFONT* Fonts(const UCB* ucb, DWORD* count, bool option) {
  if (count != nullptr) *count = 0;
  PCBKPD b = ucb != nullptr ? ucb->pBKPD : nullptr;
  const DWORD present = PresentFonts(b, option);
  if (present == 0) return nullptr;
  auto* fonts = static_cast<KESMFONT*>(GetMemPtr(sizeof(KESMFONT) * present));
  if (fonts == nullptr) return nullptr;
  for (DWORD i = 0; i < present; ++i) {
    const BKPDFONT* font = BkpdFont(b, option, i);
    fonts[i].number = font->number;
    CopyStr2Unicode(fonts[i].name, BkpdAnsi(b, font->name), kNameChars);
  }
  if (count != nullptr) *count = present;
  return fonts;
}

// The first option with pairs of the first group whose type is exactly
// FontTbl, or null.
const UiFontTblOption* FontTableOption(PCBKPD b) {
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->type != kUiFontTbl) continue;
    for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
      const UiFontTblOption* table = BkpdFontTblOption(b, g, o);
      if (table != nullptr && table->count != 0) return table;
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace

KESMFONT* BKPDGetDeviceFont(UCB* ucb, DWORD* count) { return Fonts(ucb, count, false); }

KESMFONT* BKPDGetOptionFont(UCB* ucb, DWORD* count) { return Fonts(ucb, count, true); }

KESMFONTPAIR* BKPDGetFontTable(UCB* ucb, DWORD* count) {
  PCBKPD b = ucb != nullptr ? ucb->pBKPD : nullptr;
  const UiFontTblOption* table = FontTableOption(b);
  if (table == nullptr) return nullptr;
  auto* pairs = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * table->count));
  if (count != nullptr) *count = pairs != nullptr ? table->count : 0;
  if (pairs == nullptr) return nullptr;
  for (DWORD i = 0; i < table->count; ++i) {
    CopyStr2Unicode(pairs[i].trueType, BkpdFontTblTrueType(b, table, i), kNameChars);
    CopyStr2Unicode(pairs[i].device, BkpdFontTblDevice(b, table, i), kNameChars);
  }
  return pairs;
}
