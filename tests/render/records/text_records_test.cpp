// The font and text records beyond their table rows: the face name read
// only within its 260-byte field (a name that fills it is not read on into
// the fields after it), the flags word of each font kind and mark, glyph
// bitmaps compressed with M9 that come back whole through the independent
// M9 decoder from the job stream, and the calls that make no record.
#include "render/records/text_records.h"

#include <cstring>
#include <functional>

#include "render/encode/m9.h"
#include "render/records/font_records.h"
#include "tests/render/encode/m9_decoder.h"
#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

class TextRecords : public RecordTest {
 protected:
  // The one record the display list holds, read back; fails the test when
  // there is not exactly one or it breaks its format.
  jobstream::Fields Only() {
    const jobstream::Decoded decoded = ReadListed();
    EXPECT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.records.size(), 1u);
    return decoded.records.empty() ? jobstream::Fields{} : jobstream::ReadFields(decoded.records[0]);
  }
};

TEST_F(TextRecords, TheFaceNameIsReadOnlyWithinItsField) {
  const struct {
    const char* what;
    std::size_t fill;  // leading bytes of the field set to 'A'
    ULONG units;
    std::size_t length;    // of record 0x50
    std::size_t lengthEx;  // of record 0x56
  } rows[] = {
      {"an empty name", 0, 0, 28, 36},
      {"a name of an odd length ends in a unit with a zero byte", 3, 2, 32, 40},
      {"a name of an even length", 4, 2, 32, 40},
      {"a name one byte short of the field", 259, 130, 288, 296},
      {"a name that fills the field", 260, 130, 288, 296},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FontDescription font{};
    font.kind = kFontBitmap;
    std::memset(font.faceName, 'A', row.fill);
    // What lies after the field is not zero: a read past the field's end
    // would take it for more name.
    font.internalLeading = 0x4242;
    font.defaultChar = 0x4343;
    EXPECT_EQ(FontFaceUnits(font), row.units);
    const Bytes name(font.faceName, font.faceName + 2 * row.units);
    Clear();
    ASSERT_NE(PrnIdlDefineFont(stream_, &font), nullptr);
    jobstream::Fields f = Only();
    EXPECT_EQ(Listed().size(), row.length);
    EXPECT_EQ(f.Blob("face"), name);
    EXPECT_EQ(f.Value("internalLeading"), 0x4242);
    Clear();
    ASSERT_NE(PrnIdlDefineFontEx(stream_, &font), nullptr);
    f = Only();
    EXPECT_EQ(Listed().size(), row.lengthEx);
    EXPECT_EQ(f.Blob("face"), name);
  }
}

TEST_F(TextRecords, TheFlagsWordSaysTheKindAndTheMarks) {
  const struct {
    const char* what;
    signed char kind;
    BYTE italic, bold, boldAgain, vertical, reserved;
    std::int64_t flags;
  } rows[] = {
      {"device font", kFontDevice, 0, 0, 0, 0, 0, 0x0008},
      {"kind 1", 1, 0, 0, 0, 0, 0, 0x2004},
      {"kind 3", 3, 0, 0, 0, 0, 0, 0x2010},
      {"outline", kFontOutline, 0, 0, 0, 0, 0, 0x2200},
      {"glyph bitmaps", kFontBitmap, 0, 0, 0, 0, 0, 0x2000},
      {"italic", kFontDevice, 1, 0, 0, 0, 0, 0x0009},
      {"bold and emboldened", kFontDevice, 0, 1, 1, 0, 0, 0x002A},
      {"vertical", kFontOutline, 0, 0, 0, 1, 0, 0x2280},
      {"reserved byte 1", kFontDevice, 0, 0, 0, 0, 1, 0x0048},
      {"reserved byte 2 is no mark", kFontDevice, 0, 0, 0, 0, 2, 0x0008},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FontDescription font{};
    font.kind = row.kind;
    font.italic = row.italic;
    font.bold = row.bold;
    font.boldAgain = row.boldAgain;
    font.vertical = row.vertical;
    font.reserved = row.reserved;
    Clear();
    ASSERT_NE(PrnIdlDefineFont(stream_, &font), nullptr);
    EXPECT_EQ(Only().Value("flags"), row.flags);
  }
}

// A glyph of 20 x 24 pixels: rows of 3 bytes, mostly zero, with a few runs.
Bytes Glyph() {
  Bytes glyph(24 * 3, 0);
  for (std::size_t row = 4; row < 20; ++row) {
    glyph[row * 3] = 0x0F;
    glyph[row * 3 + 1] = row % 2 != 0 ? 0xFF : 0x81;
    glyph[row * 3 + 2] = row == 10 ? 0xF0 : 0x00;
  }
  return glyph;
}

TEST_F(TextRecords, M9GlyphBitmapsComeBackWholeFromTheJobStream) {
  const Bytes glyph = Glyph();
  const ULONG space = static_cast<ULONG>((glyph.size() + 3) / 4 * 4);
  Bytes packed(space);
  const ULONG packedLength =
      Image1BPPM9encode(pdev_, glyph.data(), packed.data(), static_cast<LONG>(packed.size()), 3, 24);
  ASSERT_GT(packedLength, 0u);
  ASSERT_LT(packedLength, glyph.size());
  OpenDocument();
  const RECTL cell{100, 200, 120, 224};
  ASSERT_NE(PrnIdlPutCharBitmap(stream_, TRUE, &cell, 8, 0x41, 100, 220, 100, 200, 20, 24, packed.data(), space,
                                packedLength, kGlyphM9),
            nullptr);
  ASSERT_NE(PrnIdlPutCharBitmap(stream_, TRUE, &cell, 0x48, 0x41, 140, 220, 140, 200, 20, 24, nullptr, 0, 0, kGlyphRaw),
            nullptr);
  ASSERT_NE(PrnIDLRegistCharBitmap(stream_, 8, 0x42, 20, 24, packed.data(), space, packedLength, kGlyphM9), nullptr);
  ASSERT_NE(PrnIdlPutCharBitmap(stream_, FALSE, &cell, 8, 0x43, 0, 0, 0, 0, 20, 24, glyph.data(), space,
                                static_cast<ULONG>(glyph.size()), kGlyphRaw),
            nullptr);
  const std::vector<jobstream::Record> records = PageRecords(CloseDocument(), 0);
  ASSERT_EQ(ToHex(Opcodes(records)), "53 53 54 57");
  for (std::size_t i : {0u, 2u}) {
    SCOPED_TRACE(i);
    const jobstream::Fields f = jobstream::ReadFields(records[i]);
    EXPECT_EQ(f.Value("form"), 2);
    EXPECT_EQ(f.Value("width"), 20);
    EXPECT_EQ(f.Value("height"), 24);
    const auto plain = kesm_test::M9Decode(f.Blob("data"), glyph.size());
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(*plain, glyph);
  }
  const jobstream::Fields reference = jobstream::ReadFields(records[1]);
  EXPECT_EQ(reference.Value("dataOffset"), 0);
  EXPECT_EQ(reference.Value("key"), 0x41);
  const jobstream::Fields raw = jobstream::ReadFields(records[3]);
  EXPECT_EQ(raw.Value("form"), 0);
  EXPECT_EQ(raw.Blob("data"), glyph);
}

TEST_F(TextRecords, CallsThatMakeNoRecordAppendNothing) {
  const RECTL rect{0, 0, 10, 10};
  const USHORT codes[] = {1, 2, 3};
  const SHORT advances[] = {4, 5, 6};
  const BYTE data[] = {1, 2, 3, 4, 5};
  const struct {
    const char* what;
    std::function<BYTE*()> call;
  } rows[] = {
      {"a string of two advances for three characters",
       [&] { return PrnIdlPutString(stream_, &rect, 0, 0, codes, advances, 3, 2); }},
      {"a string without advances", [&] { return PrnIdlPutString(stream_, &rect, 0, 0, codes, advances, 3, 0); }},
      {"glyph data longer than its space",
       [&] { return PrnIdlPutCharBitmap(stream_, TRUE, &rect, 8, 1, 0, 0, 0, 0, 8, 5, data, 4, 5, kGlyphRaw); }},
      {"registering no data", [&] { return PrnIDLRegistCharBitmap(stream_, 8, 1, 8, 5, nullptr, 8, 5, kGlyphRaw); }},
      {"registering a data length of 0",
       [&] { return PrnIDLRegistCharBitmap(stream_, 8, 1, 8, 5, data, 8, 0, kGlyphRaw); }},
      {"registering into no space", [&] { return PrnIDLRegistCharBitmap(stream_, 8, 1, 8, 5, data, 0, 5, kGlyphRaw); }},
      {"registering more data than space",
       [&] { return PrnIDLRegistCharBitmap(stream_, 8, 1, 8, 5, data, 4, 5, kGlyphRaw); }},
      {"an outline without its data", [&] { return PrnIdlPutCharOutLine(stream_, &rect, 0, 0, 1, nullptr, 8); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Clear();
    EXPECT_EQ(row.call(), nullptr);
    EXPECT_TRUE(Listed().empty());
  }
}

TEST_F(TextRecords, AStringOfOneCharacterTakesOneAdvanceEitherWay) {
  const RECTL rect{0, 0, 10, 10};
  const USHORT code = 0x41;
  const SHORT advance = 9;
  ASSERT_NE(PrnIdlPutString(stream_, &rect, 0, 0, &code, &advance, 1, 1), nullptr);
  const jobstream::Fields f = Only();
  EXPECT_EQ(f.List("advances"), std::vector<std::int64_t>{9});
  EXPECT_EQ(f.List("codes"), std::vector<std::int64_t>{0x41});
}

}  // namespace
}  // namespace render_test
