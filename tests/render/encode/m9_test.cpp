#include "render/encode/m9.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/render/encode/m9_decoder.h"
#include "tests/render/encode/m9_reference.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using kesm_test::M9Command;
using kesm_test::M9Decode;
using kesm_test::M9Parse;
using kesm_test::M9ReferenceEncode;

// The block M9Compress makes of input, or the failure it gave.
struct Compressed {
  LONG result = 0;
  Bytes block;
};

// Room for any block of the input: a command byte for each data byte at
// most, plus extensions.
LONG Roomy(const Bytes& input) { return static_cast<LONG>(std::min<std::size_t>(2 * input.size() + 16, 1 << 20)); }

Compressed Compress(const Bytes& input, LONG capacity) {
  Bytes out(static_cast<std::size_t>(std::max<LONG>(capacity, 0)));
  LONG result = M9Compress(input.data(), input.size(), out.data(), capacity);
  out.resize(static_cast<std::size_t>(std::max<LONG>(result, 0)));
  return {result, out};
}

Compressed Compress(const Bytes& input) { return Compress(input, Roomy(input)); }

Bytes Repeat(std::size_t n, std::uint8_t value) { return Bytes(n, value); }

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Counting(std::size_t n) {  // 1, 2, ..., 255, 1, 2, ...: no zero, no run
  Bytes bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i % 255 + 1);
  return bytes;
}

std::string Hex(const Bytes& bytes) {
  std::string text;
  for (std::uint8_t b : bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

// --- Exact blocks -----------------------------------------------------------

struct Vector {
  const char* what;
  Bytes input;
  Bytes block;
};

std::vector<Vector> ExampleVectors() {
  return {
      {"skip 2, repeat 3 x 41, then a literal 42", {0, 0, 0x41, 0x41, 0x41, 0x42}, {0x91, 0x41, 0x00, 0x42}},
      {"only zero bytes make no block", Repeat(40, 0), {}},
      {"nothing makes no block", {}, {}},
      {"trailing zero bytes make no command", {0x41, 0, 0, 0}, {0x00, 0x41}},
      {"zero skip 14 fits the command byte", Join({Repeat(14, 0), {0x41}}), {0x70, 0x41}},
      {"zero skip 15 is extended by 0", Join({Repeat(15, 0), {0x41}}), {0x78, 0x00, 0x41}},
      {"zero skip 16 is extended by 1", Join({Repeat(16, 0), {0x41}}), {0x78, 0x01, 0x41}},
      {"zero skip 270 is extended by 255 and 0", Join({Repeat(270, 0), {0x41}}), {0x78, 0xFF, 0x00, 0x41}},
      {"a repeat of 8 fits the command byte", Repeat(8, 0x41), {0x86, 0x41}},
      {"a repeat of 9 is extended by 0", Repeat(9, 0x41), {0x87, 0x00, 0x41}},
      {"a repeat of 264 is extended by 255 and 0", Repeat(264, 0x41), {0x87, 0xFF, 0x00, 0x41}},
      {"a repeat of 265 is extended by 255 and 1", Repeat(265, 0x41), {0x87, 0xFF, 0x01, 0x41}},
      {"a literal of 7 fits the command byte", Counting(7), Join({{0x06}, Counting(7)})},
      {"a literal of 8 is extended by 0", Counting(8), Join({{0x07, 0x00}, Counting(8)})},
      {"a literal of 264 is extended by 255 and 1", Counting(264), Join({{0x07, 0xFF, 0x01}, Counting(264)})},
      {"both fields extended: skip before count, data last", Join({Repeat(20, 0), Repeat(10, 0x41)}),
       {0xFF, 0x05, 0x01, 0x41}},
      {"a run of 2 starts a literal", {0x41, 0x41, 0x42}, {0x02, 0x41, 0x41, 0x42}},
      {"three equal bytes then another stay in the literal", {0x41, 0x42, 0x42, 0x42, 0x43},
       {0x04, 0x41, 0x42, 0x42, 0x42, 0x43}},
      {"three equal bytes at the end stay in the literal", {0x41, 0x42, 0x42, 0x42},
       {0x03, 0x41, 0x42, 0x42, 0x42}},
      {"three equal bytes then a zero end the literal", {0x41, 0x42, 0x42, 0x42, 0x00, 0x43},
       {0x00, 0x41, 0x81, 0x42, 0x08, 0x43}},
      {"four equal bytes end the literal", {0x41, 0x42, 0x42, 0x42, 0x42}, {0x00, 0x41, 0x82, 0x42}},
      {"a zero byte ends the literal", {0x41, 0x42, 0x00, 0x43}, {0x01, 0x41, 0x42, 0x08, 0x43}},
      {"after three equal bytes the literal is checked again", {0x41, 0x42, 0x42, 0x42, 0x43, 0x44, 0x44, 0x44, 0x44},
       {0x04, 0x41, 0x42, 0x42, 0x42, 0x43, 0x82, 0x44}},
      {"a repeat of three starts even before another byte", {0x42, 0x42, 0x42, 0x43}, {0x81, 0x42, 0x00, 0x43}},
      {"0xFF data is data, not an extension", {0xFF, 0x00, 0xFF, 0xFF, 0xFF}, {0x00, 0xFF, 0x89, 0xFF}},
  };
}

TEST(M9Compress, ExampleVectorsCompressToTheirBlocksAndBack) {
  for (const Vector& v : ExampleVectors()) {
    SCOPED_TRACE(v.what);
    Compressed c = Compress(v.input);
    EXPECT_EQ(c.result, static_cast<LONG>(v.block.size()));
    EXPECT_EQ(Hex(c.block), Hex(v.block));
    EXPECT_EQ(M9Decode(v.block, v.input.size()), v.input);
  }
}

// --- Round trips through the independent decoder --------------------------

// Inputs shaped like what the encoder meets: glyph rows (zero margins around
// short ink), solid areas (long runs), noise (literals), long white gaps
// (extended skips), and every mix of them at random lengths.
Bytes RandomInput(std::mt19937& rng, std::size_t length) {
  std::uniform_int_distribution<int> pick(0, 5);
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<std::size_t> shortLen(1, 6);
  std::uniform_int_distribution<std::size_t> longLen(1, 700);
  Bytes input;
  while (input.size() < length) {
    switch (pick(rng)) {
      case 0: input.insert(input.end(), shortLen(rng), 0); break;
      case 1: input.insert(input.end(), longLen(rng), 0); break;
      case 2: input.insert(input.end(), shortLen(rng), static_cast<std::uint8_t>(anyByte(rng))); break;
      case 3: input.insert(input.end(), longLen(rng), static_cast<std::uint8_t>(anyByte(rng))); break;
      case 4:
        for (std::size_t n = longLen(rng); n > 0; --n) input.push_back(static_cast<std::uint8_t>(anyByte(rng)));
        break;
      default:  // few distinct values: many short runs of 2 to 4
        for (std::size_t n = longLen(rng); n > 0; --n) input.push_back(std::uniform_int_distribution<int>(0, 2)(rng) * 0x55);
        break;
    }
  }
  input.resize(length);
  return input;
}

// What every block must satisfy beyond decoding back: zero bytes are never
// data, and a field is only extended when it does not fit the command byte.
void ExpectWellFormed(const Bytes& block) {
  std::optional<std::vector<M9Command>> commands = M9Parse(block);
  ASSERT_TRUE(commands.has_value());
  for (const M9Command& c : *commands) {
    EXPECT_EQ(std::count(c.data.begin(), c.data.end(), 0), 0);
    EXPECT_EQ(c.skipExtended, c.zeroSkip >= 15);
    EXPECT_EQ(c.countExtended, c.length - (c.repeat ? 2 : 1) >= 7);
  }
}

// Round trip through the decoder, and the very block that the encoding
// rules applied a byte at a time give.
void ExpectRoundTrip(const Bytes& input) {
  Compressed c = Compress(input);
  ASSERT_GE(c.result, 0);
  ExpectWellFormed(c.block);
  ASSERT_EQ(M9Decode(c.block, input.size()), input);
  ASSERT_EQ(Hex(c.block), Hex(M9ReferenceEncode(input)));
}

TEST(M9Compress, RandomInputsRoundTripThroughAnIndependentDecoder) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 400; ++round) {
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 4000)(rng);
    const Bytes input = RandomInput(rng, length);
    ASSERT_NO_FATAL_FAILURE(ExpectRoundTrip(input)) << "round " << round;
  }
}

TEST(M9Compress, RunsAndLiteralsAcrossEveryWindowBoundaryEncodeAsTheRulesSay) {
  // Short runs of three values and zero, laid so that runs of one to five,
  // chains of runs of three, and literals and repeats of every length up
  // to a few hundred meet every byte offset: the encoder reads its input 64
  // bytes at a time and must not let that show.
  std::mt19937 rng(64);
  std::uniform_int_distribution<int> value(0, 3);
  std::uniform_int_distribution<std::size_t> runLength(1, 5);
  std::uniform_int_distribution<std::size_t> longRun(60, 140);
  for (int round = 0; round < 6000; ++round) {
    const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 300)(rng);
    const bool sparseZeros = round % 3 == 0;
    Bytes input;
    while (input.size() < length) {
      int v = value(rng);
      if (v == 0 && sparseZeros && value(rng) != 0) v = 1;
      const std::size_t run = value(rng) == 0 && round % 5 == 0 ? longRun(rng) : runLength(rng);
      input.insert(input.end(), run, static_cast<std::uint8_t>(v * 0x41));
    }
    input.resize(length);
    ASSERT_NO_FATAL_FAILURE(ExpectRoundTrip(input)) << "round " << round << ": " << Hex(input);
  }
}

TEST(M9Compress, EveryShortInputOfFewValuesRoundTrips) {
  // All inputs of up to 7 bytes over {00, 41, 42}: every boundary of skips,
  // runs and literals that short inputs can show.
  for (std::size_t length = 0; length <= 7; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i) combinations *= 3;
    for (std::size_t code = 0; code < combinations; ++code) {
      Bytes input(length);
      for (std::size_t i = 0, rest = code; i < length; ++i, rest /= 3) {
        input[i] = rest % 3 == 0 ? 0 : static_cast<std::uint8_t>(0x40 + rest % 3);
      }
      ASSERT_NO_FATAL_FAILURE(ExpectRoundTrip(input)) << Hex(input);
    }
  }
}

// --- Capacity and the 16-bit length ---------------------------------------

TEST(M9Compress, ACapacityShortOfTheBlockGivesMinusOneAndWritesNothingBeyondIt) {
  std::mt19937 rng(7);
  const Bytes input = RandomInput(rng, 600);
  const Compressed whole = Compress(input);
  ASSERT_GT(whole.result, 0);
  for (LONG capacity = 0; capacity <= whole.result; ++capacity) {
    Bytes out(static_cast<std::size_t>(whole.result) + 16, 0xCD);
    LONG result = M9Compress(input.data(), input.size(), out.data(), capacity);
    if (capacity == whole.result) {
      EXPECT_EQ(result, whole.result);
      EXPECT_TRUE(std::equal(whole.block.begin(), whole.block.end(), out.begin()));
    } else {
      EXPECT_EQ(result, -1) << "capacity " << capacity;
    }
    EXPECT_TRUE(std::all_of(out.begin() + capacity, out.end(), [](std::uint8_t b) { return b == 0xCD; }))
        << "capacity " << capacity;
  }
}

TEST(M9Compress, NegativeOrZeroCapacityHoldsNothingButAnAllZeroInputNeedsNothing) {
  const Bytes ink = {0, 0, 0x41, 0x41, 0x41, 0x42};
  const Bytes white = Repeat(64, 0);
  BYTE out[8] = {};
  EXPECT_EQ(M9Compress(ink.data(), ink.size(), out, -1), -1);
  EXPECT_EQ(M9Compress(ink.data(), ink.size(), out, 0), -1);
  EXPECT_EQ(M9Compress(ink.data(), ink.size(), out, 3), -1);  // one byte short
  EXPECT_EQ(M9Compress(white.data(), white.size(), out, -1), 0);
  EXPECT_EQ(M9Compress(white.data(), white.size(), out, 0), 0);
  EXPECT_EQ(M9Compress(white.data(), white.size(), nullptr, 0), 0);
}

// Inputs whose block is exactly n bytes: a head literal of 1 to 3 bytes (2
// to 4 bytes of block) and then pairs {00, 01}, each a 2-byte command.
Bytes InputOfBlockLength(std::size_t n) {
  const std::size_t head = n % 2 == 0 ? (n % 4 == 0 ? 3 : 1) : 2;
  Bytes input = Counting(head);
  for (std::size_t pairs = (n - head - 1) / 2; pairs > 0; --pairs) {
    input.push_back(0);
    input.push_back(1);
  }
  return input;
}

TEST(M9Compress, ABlockLongerThan65535BytesIsRefusedNotWrapped) {
  for (std::size_t n : {std::size_t{65534}, std::size_t{65535}, std::size_t{65536}, std::size_t{65537},
                        std::size_t{131074}}) {
    SCOPED_TRACE(n);
    const Bytes input = InputOfBlockLength(n);
    Bytes out(n + 64, 0xCD);
    LONG result = M9Compress(input.data(), input.size(), out.data(), static_cast<LONG>(out.size()));
    if (n <= 65535) {
      ASSERT_EQ(result, static_cast<LONG>(n));
      out.resize(n);
      EXPECT_EQ(M9Decode(out, input.size()), input);
    } else {
      EXPECT_EQ(result, -1);
      EXPECT_TRUE(std::all_of(out.begin() + 65535, out.end(), [](std::uint8_t b) { return b == 0xCD; }));
    }
  }
}

TEST(M9Compress, LongZeroGapsAndRunsNeedFewBytes) {
  // A megabyte of white with a dot in the middle, and a solid megabyte: the
  // extensions grow by one byte per 255, far below the 16-bit limit.
  Bytes dot(1 << 20, 0);
  dot[dot.size() / 2] = 0x80;
  Compressed c = Compress(dot);
  EXPECT_EQ(c.result, static_cast<LONG>(1 + (dot.size() / 2 - 15) / 255 + 1 + 1));
  EXPECT_EQ(M9Decode(c.block, dot.size()), dot);

  const Bytes solid = Repeat(1 << 20, 0xFF);
  c = Compress(solid);
  EXPECT_EQ(c.result, static_cast<LONG>(1 + (solid.size() - 2 - 7) / 255 + 1 + 1));
  EXPECT_EQ(M9Decode(c.block, solid.size()), solid);
}

// --- The bitmap wrapper ---------------------------------------------------

// A 1-bit ring, as a glyph bitmap: rows of (width + 7) / 8 bytes.
Bytes Ring(ULONG width, ULONG height, ULONG bytesPerLine) {
  Bytes bits(static_cast<std::size_t>(bytesPerLine) * height, 0);
  const long cx = width / 2, cy = height / 2, outer = std::min(cx, cy) - 1, inner = outer * 2 / 3;
  for (ULONG y = 0; y < height; ++y) {
    for (ULONG x = 0; x < width; ++x) {
      long dx = static_cast<long>(x) - cx, dy = static_cast<long>(y) - cy, d2 = dx * dx + dy * dy;
      if (d2 <= outer * outer && d2 >= inner * inner) bits[y * bytesPerLine + x / 8] |= 0x80 >> (x % 8);
    }
  }
  return bits;
}

TEST(Image1BPPM9encode, CompressesTheWholeBitmapOrReportsZero) {
  const ULONG width = 97, height = 120, bytesPerLine = (width + 7) / 8;
  const Bytes glyph = Ring(width, height, bytesPerLine);
  Bytes out(glyph.size() * 2);
  ULONG length = Image1BPPM9encode(nullptr, glyph.data(), out.data(), static_cast<LONG>(out.size()),
                                   bytesPerLine, height);
  ASSERT_GT(length, 0u);
  EXPECT_LT(length, glyph.size());
  out.resize(length);
  EXPECT_EQ(M9Decode(out, glyph.size()), glyph);

  // Too small a buffer, and a white bitmap: 0, so the bitmap goes raw.
  EXPECT_EQ(Image1BPPM9encode(nullptr, glyph.data(), out.data(), static_cast<LONG>(length - 1), bytesPerLine,
                              height),
            0u);
  const Bytes white(glyph.size(), 0);
  EXPECT_EQ(Image1BPPM9encode(nullptr, white.data(), out.data(), static_cast<LONG>(out.size()), bytesPerLine,
                              height),
            0u);
}

// --- The decoder itself must not be lenient -------------------------------

TEST(M9Decoder, RejectsBlocksCutShortOrCoveringTooMuch) {
  EXPECT_FALSE(M9Decode(Bytes{0x78}, 100).has_value());              // skip extension missing
  EXPECT_FALSE(M9Decode(Bytes{0x87, 0xFF}, 1000).has_value());       // extension goes on
  EXPECT_FALSE(M9Decode(Bytes{0x02, 0x41, 0x42}, 100).has_value());  // literal data cut
  EXPECT_FALSE(M9Decode(Bytes{0x81}, 100).has_value());              // repeat byte missing
  EXPECT_FALSE(M9Decode(Bytes{0x91, 0x41}, 4).has_value());          // covers 5 bytes
  EXPECT_EQ(M9Decode(Bytes{0x91, 0x41}, 5), (Bytes{0, 0, 0x41, 0x41, 0x41}));
}

}  // namespace
