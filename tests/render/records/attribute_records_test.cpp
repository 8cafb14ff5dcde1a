// The attribute records beyond their table rows: the ROP3 of every mix
// code, the red and blue exchange of colours, the colour record's length
// for every mix of flags, and the brush definition of each kind, depth and
// size (a pattern of 64 pixels at 24 bits needs more than one chunk; the
// kinds and depths without a record are refused).
#include "render/records/attribute_records.h"

#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

TEST(GetGraphicROP3, EachMixCodeHasItsROP3AndOnlyTheLowByteCounts) {
  const BYTE expected[] = {0xCC, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                           0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x00, 0xCC, 0xCC};
  for (ULONG code = 0; code < std::size(expected); ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(GetGraphicROP3(code), expected[code]);
    EXPECT_EQ(GetGraphicROP3(0x0D00 | code), expected[code]) << "the background code is not read";
  }
  EXPECT_EQ(GetGraphicROP3(0xFF), 0xCC);
}

TEST(BGRtoRGB, ExchangesRedAndBlueAndClearsTheTopByte) {
  ULONG color = 0x11223344;
  BGRtoRGB(&color);
  EXPECT_EQ(color, 0x00443322u);
  DRAWATTR attributes{13, 2, 0x00AABBCC, 0x00010203, 0, 0, 1};
  BGRtoRGB_DRAWATTR(&attributes);
  EXPECT_EQ(attributes.backgroundColor, 0x00CCBBAAu);
  EXPECT_EQ(attributes.foregroundColor, 0x00030201u);
  EXPECT_EQ(attributes.thirdColor, 0u);
  attributes.thirdColor = 0x00FF0000;
  BGRtoRGB_DRAWATTR(&attributes);
  EXPECT_EQ(attributes.thirdColor, 0x000000FFu);
}

class AttributeRecords : public RecordTest {};

TEST_F(AttributeRecords, TheColourRecordIsAsLongAsItsColoursForEveryMixOfFlags) {
  for (SHORT mode : {1, 2}) {
    for (SHORT third : {0, 1}) {
      for (SHORT kind : {0, 1, 2, 3}) {
        SCOPED_TRACE(std::to_string(mode) + " " + std::to_string(third) + " " + std::to_string(kind));
        const DRAWATTR attributes{13, mode, 0xA0A0A0, 0xB0B0B0, 0xC0C0C0, third, kind};
        Clear();
        ASSERT_NE(PrnIdlSetColor(stream_, &attributes), nullptr);
        const std::size_t colors = 1 + (mode == 2 ? 1 : 0) + (third != 0 ? 1 : 0);
        EXPECT_EQ(Listed().size(), (4 + 3 * colors + 3) / 4 * 4);
        const jobstream::Decoded decoded = ReadListed();
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        const jobstream::Fields f = jobstream::ReadFields(decoded.records.at(0));
        EXPECT_EQ(f.Value("foreground"), 0xB0B0B0);
        EXPECT_EQ(f.Has("background"), mode == 2);
        EXPECT_EQ(f.Has("third"), third != 0);
        EXPECT_EQ((f.Value("flags") & 0x40) != 0, kind == 2);
      }
    }
  }
}

// A brush record with room for the largest pattern after it.
struct BigBrush {
  BrushRecord record;
  BYTE pattern[64 * 64 * 3];
};

TEST_F(AttributeRecords, EachBrushKindDepthAndSizeHasItsRecordOrNone) {
  const struct {
    const char* what;
    USHORT kind, depth, size;
    bool made;
    std::int64_t flags, sizeByte;
    std::size_t data;
  } rows[] = {
      {"solid", 0, 0, 0, true, 0x00, 0, 0},
      {"two colours, 32 pixels", 2, 1, 32, true, 0x80, 32, 128},
      {"colour pattern of one bit, 16 pixels", 3, 1, 16, true, 0x80, 16, 32},
      {"colour pattern of 24 bits, 32 pixels", 3, 24, 32, true, 0x81, 32, 3072},
      {"colour pattern of 24 bits, 64 pixels: more than a chunk", 3, 24, 64, true, 0x81, 64, 12288},
      {"two colours, 8 pixels: no data", 2, 1, 8, true, 0x80, 0, 0},
      {"colour pattern, 33 pixels: no data", 3, 24, 33, true, 0x81, 0, 0},
      {"kind 1", 1, 1, 32, false, 0, 0, 0},
      {"kind 4", 4, 1, 32, false, 0, 0, 0},
      {"colour pattern of 8 bits", 3, 8, 32, false, 0, 0, 0},
  };
  BigBrush brush{};
  for (std::size_t i = 0; i < sizeof brush.pattern; ++i) brush.pattern[i] = static_cast<BYTE>(i * 13 + 5);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    brush.record = BrushRecord{row.kind, 3, 4, {0x10, 0x20}, row.depth, row.size};
    Clear();
    BYTE* data = PrnIdlDefineBrush(stream_, &brush.record, BrushPattern(&brush.record));
    if (!row.made) {
      EXPECT_EQ(data, nullptr);
      EXPECT_TRUE(Listed().empty());
      continue;
    }
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[-6], 0x40) << "the pattern data's place in the record";
    const jobstream::Decoded decoded = ReadListed();
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    const jobstream::Fields f = jobstream::ReadFields(decoded.records.at(0));
    EXPECT_EQ(f.Value("flags"), row.flags);
    EXPECT_EQ(f.Value("size"), row.sizeByte);
    EXPECT_EQ(f.Blob("pattern"), Bytes(brush.pattern, brush.pattern + row.data));
    EXPECT_EQ(Listed().size(), (row.data + 6 + 3) / 4 * 4);
  }
}

TEST_F(AttributeRecords, TheBrushOriginIsNotSent) {
  const POINTL origin{5, 6};
  EXPECT_TRUE(PrnIdlSetBrushOrg(stream_, &origin));
  EXPECT_TRUE(Listed().empty());
}

}  // namespace
}  // namespace render_test
