// A context of the feature tests' printer with printer fonts of its own
// (device fonts Mincho, Gothic, Courier; option fonts Barcode, @Vertical),
// and readers of what a list or combo box holds.
#pragma once

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/winuser_controls.h"
#include "settings/context/context_arrays.h"
#include "settings/system/memptr.h"
#include "storage/properties/font_exchange.h"
#include "tests/features/features_fixture.h"

namespace features_test {

inline void PutFontName(WCHAR* field, const std::u16string& name) {
  std::memset(field, 0, kFontNameChars * sizeof(WCHAR));
  std::memcpy(field, name.data(), std::min<std::size_t>(name.size(), kFontNameChars) * sizeof(WCHAR));
}

// A GetMemPtr block of fonts with these names.
inline BYTE* Fonts(const std::vector<std::u16string>& names) {
  auto* fonts = static_cast<KESMFONT*>(GetMemPtr(sizeof(KESMFONT) * names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    fonts[i].number = static_cast<DWORD>(i + 1);
    PutFontName(fonts[i].name, names[i]);
  }
  return reinterpret_cast<BYTE*>(fonts);
}

// A GetMemPtr block of exchange records, for SetFontExchangeTable.
inline KESMFONTPAIR* Pairs(const std::vector<std::pair<std::u16string, std::u16string>>& pairs) {
  auto* table = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * pairs.size()));
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    PutFontName(table[i].trueType, pairs[i].first);
    PutFontName(table[i].device, pairs[i].second);
  }
  return table;
}

inline std::vector<std::u16string> ListLines(HWND list) {
  std::vector<std::u16string> out;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<WCHAR> buffer(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1);
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    out.emplace_back(buffer.data());
  }
  return out;
}

inline std::vector<std::u16string> ComboLines(HWND combo) {
  std::vector<std::u16string> out;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<WCHAR> buffer(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1);
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    out.emplace_back(buffer.data());
  }
  return out;
}

class FontxchgTest : public FeatureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FeatureTest::SetUp());
    for (int array : {kDcbDeviceFonts, kDcbOptionFonts}) {
      FreeMemPtr(GetDcbArray(ucb_->pDCB, kDcbOwnedArrays[array]).entries);
    }
    SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbDeviceFonts], {3, Fonts({u"Mincho", u"Gothic", u"Courier"})});
    SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbOptionFonts], {2, Fonts({u"Barcode", u"@Vertical"})});
  }
};

}  // namespace features_test
