// The system's TrueType fonts as the font pages list them: the exchange
// list's fixed-shape lines, the bare faces of a combo box, and the fonts
// that never appear.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "features/fontxchg/pages/font_lines.h"
#include "features/fontxchg/pages/fontxchg_page.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/tables/dialog_tables.h"
#include "tests/features/fontxchg/fontxchg_fixture.h"

namespace features_test {
namespace {

class FontLines : public FontxchgTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FontxchgTest::SetUp());
    parent_ = CreateWindowExW(0, u"STATIC", u"Fonts", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                              nullptr);
    list_.itemId = kItemTrueTypeList;
    list_.hWnd = CreateWindowExW(0, u"LISTBOX", u"", WS_CHILD, 0, 0, 300, 200, parent_, nullptr, nullptr, nullptr);
    combo_.itemId = 2500;
    combo_.hWnd = CreateWindowExW(0, u"COMBOBOX", u"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 300, 200,
                                  parent_, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    FontxchgTest::TearDown();
  }
  // Offers one font to the callback, as the enumeration would.
  int Offer(ICB& icb, const std::u16string& face, DWORD type = TRUETYPE_FONTTYPE) {
    LOGFONTW font{};
    std::memcpy(font.lfFaceName, face.data(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1) * sizeof(WCHAR));
    TEXTMETRICW metrics{};
    FONTENUMRECORD record{ucb_, &icb, {}};
    return EnumFontFamProc(&font, &metrics, type, reinterpret_cast<LPARAM>(&record));
  }
  int EnumerateAll(ICB& icb) {
    FONTENUMRECORD record{ucb_, &icb, {}};
    const HDC dc = GetDC(nullptr);
    const int answer = EnumFontFamiliesW(dc, nullptr, EnumFontFamProc, reinterpret_cast<LPARAM>(&record));
    ReleaseDC(nullptr, dc);
    return answer;
  }

  HWND parent_ = nullptr;
  ICB list_{};
  ICB combo_{};
};

TEST_F(FontLines, AnExchangeLineIsTheFacePaddedToThirtyOneThenThePrinterFont) {
  ASSERT_TRUE(SetFontExchangeTable(ucb_, 1, Pairs({{u"Arial", u"Gothic"}})));
  const std::u16string face31(31, u'F');
  EXPECT_EQ(Offer(list_, u"Arial"), 1);
  EXPECT_EQ(Offer(list_, face31), 1);
  EXPECT_EQ(Offer(list_, u"Verdana"), 1);
  const std::vector<std::u16string> lines = ListLines(list_.hWnd);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], u"Arial" + std::u16string(26, u' ') + u" > Gothic");
  // A 31-character face gets no padding; its printer part still starts at 34.
  EXPECT_EQ(lines[1], face31 + u" > Mincho");
  EXPECT_EQ(lines[1].substr(kFontLinePrinterAt), u"Mincho");
  // A face without a pair shows printer font 0, the entry that means none.
  EXPECT_EQ(FontLinePrinter(lines[2]), u"Mincho");
  EXPECT_EQ(FontLineFace(lines[0]), u"Arial");
  EXPECT_EQ(FontLineFace(lines[1]), face31);
}

TEST_F(FontLines, AComboGetsTheBareFaceWithItsListIndexAsItemData) {
  for (const char16_t* face : {u"Verdana", u"Arial", u"Tahoma"}) EXPECT_EQ(Offer(combo_, face), 1);
  const std::vector<std::u16string> faces = ComboLines(combo_.hWnd);
  ASSERT_EQ(faces, (std::vector<std::u16string>{u"Arial", u"Tahoma", u"Verdana"}));
  // Each face carries the index it was added at.
  EXPECT_EQ(SendMessageW(combo_.hWnd, CB_GETITEMDATA, 0, 0), 0);  // Arial went in at 0
  EXPECT_EQ(SendMessageW(combo_.hWnd, CB_GETITEMDATA, 1, 0), 1);  // Tahoma at 1, ahead of Verdana
  EXPECT_EQ(SendMessageW(combo_.hWnd, CB_GETITEMDATA, 2, 0), 0);  // Verdana at 0 before the others came
}

TEST_F(FontLines, VerticalAndNonTrueTypeFacesNeverAppear) {
  const std::pair<std::u16string, DWORD> skipped[] = {
      {u"@Arial", TRUETYPE_FONTTYPE}, {u"Courier", 0}, {u"System", 0x0001}, {u"", TRUETYPE_FONTTYPE}};
  for (const auto& [face, type] : skipped) {
    EXPECT_EQ(Offer(list_, face, type), 1);
    EXPECT_EQ(Offer(combo_, face, type), 1);
  }
  EXPECT_TRUE(ListLines(list_.hWnd).empty());
  EXPECT_TRUE(ComboLines(combo_.hWnd).empty());
}

TEST_F(FontLines, TheSystemsEnumerationGivesEveryFamilyOnceWithoutItsVerticalFace) {
  EXPECT_EQ(EnumerateAll(list_), 1);
  EXPECT_EQ(EnumerateAll(combo_), 1);
  const std::vector<std::u16string> lines = ListLines(list_.hWnd);
  const std::vector<std::u16string> faces = ComboLines(combo_.hWnd);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.size(), faces.size());
  for (const std::u16string& line : lines) {
    EXPECT_NE(line.front(), u'@') << std::string(line.begin(), line.end());
    EXPECT_EQ(line.substr(kFontLineFaceChars - 1, 3), u" > ");
  }
  for (const std::u16string& face : faces) EXPECT_NE(face.front(), u'@');
}

// The table holds the lines whose printer font is not printer font 0, the
// face without its padding, a 31-character face whole.
TEST_F(FontLines, TheTableIsRebuiltFromTheLinesThatExchange) {
  const std::u16string face31(31, u'F');
  for (const std::u16string& line : {FontExchangeLine(face31, u"Gothic"), FontExchangeLine(u"Arial", u"Mincho"),
                                     FontExchangeLine(u"Verdana", u"Barcode")}) {
    SendMessageW(list_.hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  ASSERT_TRUE(RemakeFontExchangeTable(ucb_, list_.hWnd));
  const DcbArray table = GetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbFontTable]);
  ASSERT_EQ(table.count, 2);
  const auto* pairs = reinterpret_cast<const KESMFONTPAIR*>(table.entries);
  EXPECT_EQ(std::u16string(pairs[0].trueType), face31);
  EXPECT_EQ(std::u16string(pairs[0].device), u"Gothic");
  EXPECT_EQ(std::u16string(pairs[1].trueType), u"Verdana");
  EXPECT_EQ(std::u16string(pairs[1].device), u"Barcode");
  // Only the printer font 0 lines left: an empty table.
  SendMessageW(list_.hWnd, LB_RESETCONTENT, 0, 0);
  const std::u16string none = FontExchangeLine(u"Arial", u"Mincho");
  SendMessageW(list_.hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none.c_str()));
  ASSERT_TRUE(RemakeFontExchangeTable(ucb_, list_.hWnd));
  EXPECT_EQ(GetDcbArray(ucb_->pDCB, kDcbOwnedArrays[kDcbFontTable]).count, 0);
}

}  // namespace
}  // namespace features_test
