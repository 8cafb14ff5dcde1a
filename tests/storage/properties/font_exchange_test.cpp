// The printer fonts as the font pages number them, the name lookup of the
// exchange table, and the replacement of the table while a page edits it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/context/context_arrays.h"
#include "settings/system/memptr.h"
#include "storage/properties/font_exchange.h"
#include "storage/properties/printer_fonts.h"
#include "storage/properties/printer_properties.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

void Name(WCHAR* field, const std::u16string& name) {
  std::memset(field, 0, kFontNameChars * sizeof(WCHAR));
  std::memcpy(field, name.data(), std::min<std::size_t>(name.size(), kFontNameChars) * sizeof(WCHAR));
}

// A context-owned array of fonts with these names.
BYTE* Fonts(const std::vector<std::u16string>& names) {
  auto* fonts = static_cast<KESMFONT*>(GetMemPtr(sizeof(KESMFONT) * names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    fonts[i].number = static_cast<DWORD>(i + 1);
    Name(fonts[i].name, names[i]);
  }
  return reinterpret_cast<BYTE*>(fonts);
}

KESMFONTPAIR* Pairs(const std::vector<std::pair<std::u16string, std::u16string>>& pairs) {
  auto* table = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * pairs.size()));
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    Name(table[i].trueType, pairs[i].first);
    Name(table[i].device, pairs[i].second);
  }
  return table;
}

class FontExchange : public PropertyTest {
 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    ucb_ = OpenOn(office_);
    ASSERT_NE(ucb_, nullptr);
    FreeReg(ucb_);
    SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbDeviceFonts], {3, Fonts({u"Mincho", u"Gothic", u"Courier"})});
    SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbOptionFonts], {2, Fonts({u"Barcode", u"OCR-B"})});
  }
  void TearDown() override {
    Release(ucb_);
    PropertyTest::TearDown();
  }
  std::u16string Font(int n) {
    WCHAR name[kFontNameBufferChars];
    return GetPrinterFontName(ucb_, n, name);
  }
  std::u16string Exchanged(const char16_t* face) {
    WCHAR name[kFontNameBufferChars];
    return GetFontExchangeName(ucb_, face, name);
  }
  DcbArray Table() { return GetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbFontTable]); }
  UCB* ucb_ = nullptr;
};

TEST_F(FontExchange, DeviceFontsAreNumberedFirstThenOptionFonts) {
  EXPECT_EQ(GetPrinterFontCount(ucb_), 5);
  const std::pair<int, std::u16string> cases[] = {{0, u"Mincho"}, {2, u"Courier"}, {3, u"Barcode"},
                                                  {4, u"OCR-B"},  {5, u""},        {-1, u""}};
  for (const auto& [n, name] : cases) EXPECT_EQ(Font(n), name) << n;
}

// A stored name fills all 32 characters: the page gets 31 and a terminator.
TEST_F(FontExchange, ANameThatFillsItsFieldIsCutToThirtyOneCharacters) {
  const std::u16string full(32, u'W');
  FreeMemPtr(GetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbOptionFonts]).entries);
  SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbOptionFonts], {1, Fonts({full})});
  WCHAR name[kFontNameBufferChars + 1];
  name[kFontNameBufferChars] = u'!';
  GetPrinterFontName(ucb_, 3, name);
  EXPECT_EQ(std::u16string(name), full.substr(0, 31));
  EXPECT_EQ(name[kFontNameBufferChars], u'!') << "nothing written past the buffer";
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 1, Pairs({{u"Arial", full}})));
  EXPECT_EQ(Exchanged(u"Arial"), full.substr(0, 31));
}

TEST_F(FontExchange, TheTrueTypeFaceMustMatchExactly) {
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 2, Pairs({{u"arial", u"Gothic"}, {u"Times New Roman", u"Mincho"}})));
  EXPECT_EQ(Exchanged(u"Times New Roman"), u"Mincho");
  EXPECT_EQ(Exchanged(u"Arial"), u"Mincho") << "no match: printer font 0";
  EXPECT_EQ(Exchanged(u"arial"), u"Gothic");
}

TEST_F(FontExchange, TheFirstReplacementSetsTheTableInUseAsideAndLaterOnesDoNot) {
  KESMFONTPAIR* original = Pairs({{u"Arial", u"Gothic"}});
  SetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbFontTable], {1, reinterpret_cast<BYTE*>(original)});
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 1, Pairs({{u"Arial", u"Courier"}})));
  EXPECT_EQ(ucb_->pWork->pSavedFontTable, reinterpret_cast<BYTE*>(original));
  EXPECT_EQ(ucb_->pWork->cSavedFontTable, 1);
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 1, Pairs({{u"Arial", u"OCR-B"}})));
  EXPECT_EQ(ucb_->pWork->pSavedFontTable, reinterpret_cast<BYTE*>(original)) << "the first table stays saved";
  EXPECT_EQ(Exchanged(u"Arial"), u"OCR-B");
}

// An empty table (the last pair removed, or records that could not be had)
// is an empty table; only the default request loads the printer's default.
TEST_F(FontExchange, AnEmptyTableIsToldFromTheDefaultTable) {
  KESMFONTPAIR* defaults = Pairs({{u"Arial", u"Barcode"}});
  ASSERT_TRUE(SetFontTableEx(office_, defaults, 1, kFontsDefaultTable));
  FreeMemPtr(defaults);
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 1, Pairs({{u"Arial", u"Courier"}})));
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 0, nullptr));
  EXPECT_EQ(Table().count, 0);
  EXPECT_EQ(Exchanged(u"Arial"), u"Mincho");
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 3, nullptr));
  EXPECT_EQ(Table().count, 0) << "records that could not be had";
  ASSERT_TRUE(SetFontExchangeTable(ucb_, kFontExchangeDefault, nullptr));
  EXPECT_EQ(Table().count, 1);
  EXPECT_EQ(Exchanged(u"Arial"), u"Barcode");
}

}  // namespace
}  // namespace property_test
