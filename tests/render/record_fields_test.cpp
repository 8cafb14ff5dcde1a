// The test reader of record fields itself, on records written by hand: each
// row is a well-formed record changed in one place, and the reader must say
// what is wrong with it, or the tests that use it would prove nothing.
#include "tests/render/record_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Le32(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}
// Little-endian u32 values one after the other.
Bytes Words(std::initializer_list<std::int64_t> values) {
  Bytes out;
  for (std::int64_t v : values) {
    const Bytes word = Le32(static_cast<std::uint32_t>(v));
    out.insert(out.end(), word.begin(), word.end());
  }
  return out;
}
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}
Bytes Set(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes.at(at) = value;
  return bytes;
}

// Well-formed records of the kinds whose content the length must agree with.
const Bytes kRop{0x31, 0xCC, 0, 0};
const Bytes kColor{0x30, 12, 0x09, 0, 1, 2, 3, 4, 5, 6, 0, 0};
const Bytes kRect = Cat({{0x10, 0, 5, 0}, Words({24, 1, 2, 3, 4})});
// A closed square: start (0, 0) and three lines.
const Bytes kPath = Cat({{0x12, 0, 0x08, 0}, Words({76, 0, 0, 2, 2, 12, 3, 0, 0, 0, 32, 0, 0, 32, 32, 0, 0, 32})});
// A 1 x 1 one-bit image with a palette.
const Bytes kImage = Cat({{0x20, 0, 0x00, 0},
                          Words({68, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1}),
                          {0, 0, 0, 0xFF, 0xFF, 0xFF},
                          {0x80, 0, 0, 0},
                          {0, 0}});
const Bytes kBrush = Cat({{0x40, 0x80, 16, 1, 32, 0}, Bytes(32, 0xAA), {0, 0}});
const Bytes kFontHead{0x50, 0, 0, 0, 0x08, 0, 0x90, 0x01, 0, 0, 24, 0, 48, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0x20, 0};
const Bytes kFont = Cat({kFontHead, {'A', 'B', 'C', 0, 0, 0, 0, 0}});
const Bytes kString =
    Cat({{0x52, 0, 0x80, 0}, Words({44, 0, 0, 9, 9, 0, 0}), {2, 0, 0, 0}, {5, 0, 5, 0, 'A', 0, 'B', 0}});
const Bytes kGlyph =
    Cat({{0x53, 0, 8, 0}, Words({68, 0, 0, 8, 1, 0, 0, 64, 0, 0, 8, 1, 1, 0}), {0x41, 0, 0, 0}, {0xFF, 0, 0, 0}});
const Bytes kRegist = Cat({{0x54, 0, 8, 0}, Words({32, 1, 8, 1, 0}), {0x41, 0, 0, 0}, {0xFF, 0, 0, 0}});
const Bytes kStringEx = Cat({{0x55, 0, 8, 0}, Words({44, 0, 0, 9, 9, 0, 0}), {1, 0, 0, 0}, {0, 0, 0, 0, 'A', 0, 0, 0}});

TEST(RecordFields, ReadsWellFormedRecords) {
  for (const Bytes& record : {kRop, kColor, kRect, kPath, kImage, kBrush, kFont, kString, kGlyph, kRegist, kStringEx}) {
    const jobstream::Fields f = jobstream::ReadFields(record);
    EXPECT_TRUE(f.ok()) << jobstream::Describe(f);
  }
}

TEST(RecordFields, FindsRecordsThatBreakTheirFormat) {
  Bytes curve = kPath;
  curve[28 + 12] = 1;  // the first segment becomes a curve, cut short
  const struct {
    const char* what;
    Bytes record;
    const char* error;  // a part of the message
  } rows[] = {
      {"a byte no field names", Set(kRop, 2, 1), "not part of any field"},
      {"a length field other than the record's size", Cat({kRect, Bytes(4, 0)}), "record's size"},
      {"ROP3 0xF0", Set(kRop, 1, 0xF0), "0xF0"},
      {"background mode 3", {0x32, 3, 0, 0}, "background mode"},
      {"cap 3", {0x35, 3, 0, 0}, "cap"},
      {"join 3", {0x36, 3, 0, 0, 0, 0, 0, 0}, "join"},
      {"a colour without flag 0x01", Set(kColor, 2, 0x08), "flags"},
      {"a colour length other than its colours", Set(kColor, 2, 0x01), "colour length"},
      {"filler after the colours", Set(kColor, 11, 1), "not part of any field"},
      {"a clip rectangle of 40 bytes", Cat({Set(kRect, 4, 40), Bytes(16, 0)}), "wrong length"},
      {"a wrong size estimate", Set(kPath, 24, 13), "estimate"},
      {"the several-subpaths mark on one subpath", Set(kPath, 2, 0x18), "several"},
      {"a path kind of 6", Set(kPath, 2, 0x06), "kind byte"},
      {"a curve cut short", curve, "cut short"},
      {"an image length other than its lines", Set(kImage, 4, 72), "image length"},
      {"an image rectangle other than its place", Set(kImage, 16, 2), "destination rectangle"},
      {"image filler not zero", Set(kImage, 67, 1), "not part of any field"},
      {"a banding byte of 1", Set(kImage, 3, 1), "banding"},
      {"a pattern length other than the brush's size", Set(kBrush, 2, 32), "pattern length"},
      {"a 24-bit flag without a pattern", Set(kBrush, 1, 0x01), "flags"},
      {"a brush whose byte 3 is not 1", Set(kBrush, 3, 0), "byte 3"},
      {"two font kinds", Set(kFont, 4, 0x18), "more than one"},
      {"a device font marked as not one", Set(kFont, 5, 0x20), "not-device"},
      {"a face name without its zero byte", Cat({Set(kFontHead, 14, 28), {'A', 'B', 'C', 'D'}}), "face name"},
      {"a string length other than its counts", Set(kString, 32, 3), "string length"},
      {"a string flag of 0x40", Set(kString, 2, 0x40), "flags"},
      {"glyph data offset 0 with data", Set(kGlyph, 32, 0), "data length without data"},
      {"a glyph data form of 1", Set(kGlyph, 62, 1), "data form"},
      {"glyph data longer than the record", Set(kGlyph, 52, 5), "beyond the record"},
      {"a registration of no data", Set(kRegist, 8, 0), "beyond the record"},
      {"an extended string length other than its count", Set(kStringEx, 32, 2), "extended string length"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const jobstream::Fields f = jobstream::ReadFields(row.record);
    EXPECT_NE(f.error.find(row.error), std::string::npos) << "got: " << f.error;
  }
}

}  // namespace
