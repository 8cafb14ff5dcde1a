// UTF-16 to the printer's codes: the system mode on a Japanese system
// (single bytes, the Western bytes 0x80-0x9F where they are not lead bytes,
// Shift-JIS pairs), the prefixed mode, a destination too small for a
// whole character, and the tables' shapes.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "render/fonts/char_codes.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

std::vector<BYTE> Convert(std::u16string_view text, ULONG mode, ULONG room = 64) {
  std::vector<BYTE> out(room);
  const ULONG n = unicode2ansi(out.data(), room, reinterpret_cast<const WCHAR*>(text.data()),
                               static_cast<ULONG>(text.size() * 2), mode);
  out.resize(n);
  return out;
}

class CharCodes : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetAnsiCodePage(932); }
  plat::ScopedMachine machine_;
};

TEST_F(CharCodes, SystemModeOnAJapaneseSystem) {
  struct Case {
    const char16_t* text;
    std::vector<BYTE> bytes;
  };
  const Case cases[] = {
      {u"A", {0x41}},
      {u"\u660E\u671D", {0x96, 0xBE, 0x92, 0xA9}},
      {u"\uFF7A\uFF9E", {0xBA, 0xDE}},
      {u"\uFF24\uFF26\uFF27", {0x82, 0x63, 0x82, 0x65, 0x82, 0x66}},
      // 0x8C is a lead byte: the system's own conversion decides.
      {u"\u0152", Convert(u"\u0152", kAnsiSystem)},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.text, kAnsiSystem), c.bytes);
  // U+2122's Western byte 0x99 is a lead byte and is not sent alone.
  EXPECT_NE(Convert(u"\u2122", kAnsiSystem), std::vector<BYTE>{0x99});
}

TEST_F(CharCodes, PrefixedModeAndOtherModes) {
  EXPECT_EQ(Convert(u"A", kAnsiPrefixed), (std::vector<BYTE>{0x9F, 0x41}));
  EXPECT_EQ(Convert(u"\u3042", kAnsiPrefixed), (std::vector<BYTE>{0x99, 0x42}));
  EXPECT_EQ(Convert(u"\uFA10", kAnsiPrefixed), (std::vector<BYTE>{0x9D, 0x10}));
  EXPECT_EQ(Convert(u"\uFA60", kAnsiPrefixed), (std::vector<BYTE>{0x80}));
  EXPECT_EQ(Convert(u"\u2122", 0), (std::vector<BYTE>{0x99}));
  EXPECT_EQ(Convert(u"\u4E00", 0), (std::vector<BYTE>{0x80}));
}

TEST_F(CharCodes, AWholeCharacterOrNothing) {
  EXPECT_EQ(Convert(u"A\u660E", kAnsiSystem, 2), (std::vector<BYTE>{0x41}));
  EXPECT_EQ(Convert(u"\u660E", kAnsiSystem, 0), std::vector<BYTE>{});
  const WCHAR text[] = u"abc";
  EXPECT_EQ(strwlen(text), 3u);
}

TEST(CharTables, ShapesOfTheTables) {
  EXPECT_TRUE(std::is_sorted(std::begin(UniCodeTable), std::end(UniCodeTable),
                             [](const UniCodeRow& a, const UniCodeRow& b) { return a.unicode < b.unicode; }));
  EXPECT_EQ(std::count(kanji_tbl.begin(), kanji_tbl.end(), 1), (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
  EXPECT_EQ(spunicode[0x00], 0x8180);
  EXPECT_EQ(spunicode[0x0E], 0x8D80);
  EXPECT_EQ(spunicode[0x27], 0x9880);
  EXPECT_EQ(spunicode[0xFA], 0x9D40);
  EXPECT_EQ(spunicode[0x07], 0);
}

}  // namespace
}  // namespace render_test
