// Run-length bitmaps: hand-made 4- and 8-bit streams decoded pixel by
// pixel (runs, pixels given one by one with their padding, end of line,
// delta, end of bitmap), streams cut short or running outside the bitmap,
// and such bitmaps as sources of the engine's blts, stretches and copies.
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/pixels.h"
#include "platform/engine/raster/run_length.h"
#include "platform/engine/winddi.h"

namespace {

using plat::eng::RunLengthEnd;
using Bytes = std::vector<BYTE>;

// The indexes of a decoded width x height bitmap, top line first.
struct Decoded {
  RunLengthEnd end;
  Bytes indexes;
};

Decoded Decode(ULONG format, const Bytes& stream, LONG width, LONG height, BYTE fill = 0) {
  const ULONG plain = plat::eng::DecodedFormat(format);
  const LONG delta = plain == BMF_4BPP ? (width + 1) / 2 : width;  // lines as short as they can be
  Bytes out(static_cast<std::size_t>(delta) * height, fill);
  // The stream in a block of its own size, so that a read past it is caught.
  auto bits = std::make_unique<BYTE[]>(stream.size());
  std::copy(stream.begin(), stream.end(), bits.get());
  Decoded d{plat::eng::DecodeRunLength(format, {bits.get(), stream.size()}, width, height, out, delta), {}};
  const plat::eng::PixelView view(out.data(), delta, width, height, plain);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) d.indexes.push_back(static_cast<BYTE>(view.Get(x, y)));
  }
  return d;
}

TEST(RunLength, HandMadeStreamsDecodeToTheirPixels) {
  const struct {
    const char* what;
    ULONG format;
    LONG width, height;
    Bytes stream;
    RunLengthEnd end;
    Bytes indexes;  // top line first
  } rows[] = {
      {"8 bit runs, bottom line first", BMF_8RLE, 4, 2, {2, 7, 2, 9, 0, 0, 4, 5, 0, 1},
       RunLengthEnd::kEndOfBitmap, {5, 5, 5, 5, 7, 7, 9, 9}},
      {"8 bit pixels one by one, odd count padded to a word", BMF_8RLE, 4, 2,
       {0, 3, 1, 2, 3, 0xEE, 1, 4, 0, 0, 4, 6, 0, 1}, RunLengthEnd::kEndOfBitmap, {6, 6, 6, 6, 1, 2, 3, 4}},
      {"8 bit delta right and up", BMF_8RLE, 4, 3, {1, 8, 0, 2, 2, 1, 1, 9, 0, 1},
       RunLengthEnd::kEndOfBitmap, {0, 0, 0, 0, 0, 0, 0, 9, 8, 0, 0, 0}},
      {"4 bit runs alternate their two indexes", BMF_4RLE, 5, 1, {5, 0x1A, 0, 1},
       RunLengthEnd::kEndOfBitmap, {1, 10, 1, 10, 1}},
      {"4 bit pixels one by one: 3 take 2 bytes, 5 take 3 and a pad", BMF_4RLE, 8, 2,
       {0, 3, 0x12, 0x30, 0, 0, 0, 5, 0x45, 0x67, 0x80, 0xEE, 0, 1}, RunLengthEnd::kEndOfBitmap,
       {4, 5, 6, 7, 8, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 0}},
      {"an odd-width 4 bit line ends in a half byte", BMF_4RLE, 3, 2, {3, 0x21, 0, 0, 3, 0x43, 0, 1},
       RunLengthEnd::kEndOfBitmap, {4, 3, 4, 2, 1, 2}},
      {"a run past the right edge is cut there", BMF_8RLE, 3, 2, {5, 4, 0, 0, 1, 6, 0, 1},
       RunLengthEnd::kEndOfBitmap, {6, 0, 0, 4, 4, 4}},
      {"pixels one by one past the edge are cut, their bytes still read", BMF_8RLE, 2, 1,
       {0, 4, 1, 2, 3, 4, 0, 1}, RunLengthEnd::kEndOfBitmap, {1, 2}},
      {"a delta past the top line drops what follows", BMF_8RLE, 2, 2, {2, 1, 0, 2, 0, 200, 2, 9, 0, 1},
       RunLengthEnd::kEndOfBitmap, {0, 0, 1, 1}},
      {"lines beyond the last are dropped", BMF_8RLE, 1, 1, {1, 3, 0, 0, 1, 4, 0, 0, 1, 5, 0, 1},
       RunLengthEnd::kEndOfBitmap, {3}},
      {"no end of bitmap: the data's end stops it", BMF_8RLE, 2, 1, {2, 7}, RunLengthEnd::kDataEnd, {7, 7}},
      {"a lone last byte is not read", BMF_8RLE, 2, 1, {1, 7, 1}, RunLengthEnd::kDataEnd, {7, 0}},
      {"pixels one by one cut short keep what came", BMF_8RLE, 4, 1, {0, 4, 1, 2}, RunLengthEnd::kDataEnd,
       {1, 2, 0, 0}},
      {"their pad missing is the data's end", BMF_8RLE, 4, 1, {0, 3, 1, 2, 3}, RunLengthEnd::kDataEnd, {1, 2, 3, 0}},
      {"4 bit pixels cut short in their last byte", BMF_4RLE, 4, 1, {0, 4, 0x12}, RunLengthEnd::kDataEnd,
       {1, 2, 0, 0}},
      {"a delta cut short", BMF_8RLE, 2, 1, {1, 5, 0, 2, 1}, RunLengthEnd::kDataEnd, {5, 0}},
      {"an empty stream", BMF_8RLE, 2, 1, {}, RunLengthEnd::kDataEnd, {0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Decoded d = Decode(row.format, row.stream, row.width, row.height);
    EXPECT_EQ(d.end, row.end);
    EXPECT_EQ(d.indexes, row.indexes);
  }
}

TEST(RunLength, PixelsTheStreamLeavesOutKeepWhatTheBufferHeld) {
  EXPECT_EQ(Decode(BMF_8RLE, {0, 2, 1, 0, 1, 4, 0, 1}, 3, 1, 0x55).indexes, (Bytes{0x55, 4, 0x55}));
}

TEST(RunLength, AnUnknownFormatOrAShortBufferIsRefusedUntouched) {
  Bytes out(3, 0xAB);
  const Bytes stream{3, 1, 0, 1};
  EXPECT_EQ(plat::eng::DecodeRunLength(BMF_8BPP, stream, 3, 1, out, 3), RunLengthEnd::kBadArguments);
  EXPECT_EQ(plat::eng::DecodeRunLength(BMF_8RLE, stream, 3, 2, out, 3), RunLengthEnd::kBadArguments);
  EXPECT_EQ(plat::eng::DecodeRunLength(BMF_8RLE, stream, 4, 1, out, 3), RunLengthEnd::kBadArguments);
  EXPECT_EQ(plat::eng::DecodeRunLength(BMF_4RLE, stream, 7, 1, out, 3), RunLengthEnd::kBadArguments);
  EXPECT_EQ(out, Bytes(3, 0xAB));
  EXPECT_EQ(plat::eng::DecodeRunLength(BMF_4RLE, stream, 6, 1, out, 3), RunLengthEnd::kEndOfBitmap);
}

TEST(RunLength, RandomStreamsStayInsideTheirBuffers) {
  // Run under the sanitizers: exact-size buffers catch any stray access.
  std::mt19937 random(25);
  for (int i = 0; i < 2000; ++i) {
    Bytes stream(random() % 64);
    for (BYTE& b : stream) b = static_cast<BYTE>(random() % 4 == 0 ? random() % 4 : random());
    const LONG width = 1 + static_cast<LONG>(random() % 9), height = 1 + static_cast<LONG>(random() % 5);
    const Decoded d = Decode(i % 2 ? BMF_4RLE : BMF_8RLE, stream, width, height);
    EXPECT_NE(d.end, RunLengthEnd::kBadArguments);
  }
}

// A run-length bitmap over its own copy of the stream.
class RunLengthBitmap {
 public:
  RunLengthBitmap(LONG cx, LONG cy, ULONG format, const Bytes& stream) : stream_(stream) {
    handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{cx, cy}, static_cast<LONG>(stream_.size()), format, 0,
                                                      stream_.data()));
    so_ = handle_ != nullptr ? EngLockSurface(handle_) : nullptr;
  }
  ~RunLengthBitmap() {
    if (so_ != nullptr) EngUnlockSurface(so_);
    if (handle_ != nullptr) EngDeleteSurface(handle_);
  }
  SURFOBJ* get() const { return so_; }

 private:
  Bytes stream_;
  HSURF handle_ = nullptr;
  SURFOBJ* so_ = nullptr;
};

// A top-down 24-bit bitmap, white.
class Page {
 public:
  Page(LONG cx, LONG cy) {
    handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{cx, cy}, 0, BMF_24BPP, BMF_TOPDOWN, nullptr));
    so_ = EngLockSurface(handle_);
    RECTL all{0, 0, cx, cy};
    EngEraseSurface(so_, &all, 0xFFFFFF);
  }
  ~Page() {
    EngUnlockSurface(so_);
    EngDeleteSurface(handle_);
  }
  SURFOBJ* get() const { return so_; }
  std::vector<ULONG> Line(LONG y) const {
    std::vector<ULONG> out;
    for (LONG x = 0; x < so_->sizlBitmap.cx; ++x) out.push_back(plat::eng::PixelView(so_).Get(x, y));
    return out;
  }

 private:
  HSURF handle_;
  SURFOBJ* so_;
};

TEST(RunLengthBitmap, IsMadeOnlyFromABottomUpStreamOfAKnownLength) {
  const Bytes stream{2, 1, 0, 1};
  RunLengthBitmap bitmap(2, 1, BMF_8RLE, stream);
  ASSERT_NE(bitmap.get(), nullptr);
  EXPECT_EQ(bitmap.get()->cjBits, 4u);
  EXPECT_EQ(bitmap.get()->lDelta, 0);
  EXPECT_EQ(bitmap.get()->iBitmapFormat, BMF_8RLE);
  Bytes bits = stream;
  EngSetLastError(0);
  EXPECT_EQ(EngCreateBitmap(SIZEL{2, 1}, 4, BMF_8RLE, 0, nullptr), nullptr);
  EXPECT_EQ(EngGetLastError(), static_cast<ULONG>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(EngCreateBitmap(SIZEL{2, 1}, 0, BMF_4RLE, 0, bits.data()), nullptr);
  EXPECT_EQ(EngCreateBitmap(SIZEL{2, 1}, 4, BMF_8RLE, BMF_TOPDOWN, bits.data()), nullptr);
  EXPECT_EQ(EngCreateBitmap(SIZEL{0, 1}, 4, BMF_8RLE, 0, bits.data()), nullptr);
  EXPECT_EQ(EngCreateBitmap(SIZEL{100000, 100000}, 4, BMF_8RLE, 0, bits.data()), nullptr);
}

TEST(RunLengthBitmap, IsASourceOfBltsStretchesAndCopiesButNeverATarget) {
  // 3 x 2, 4 bits: bottom line 1 2 1, top line 3 3 3.
  RunLengthBitmap source(3, 2, BMF_4RLE, {3, 0x12, 0, 0, 3, 0x33, 0, 1});
  ASSERT_NE(source.get(), nullptr);
  plat::eng::Xlate xlate(plat::eng::Palette::Indexed({0x000000, 0x0000FF, 0x00FF00, 0xFF0000}),
                         plat::eng::Palette::Bgr());
  const ULONG red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;  // as the 24-bit page holds them
  const ULONG white = 0xFFFFFF;
  Page page(4, 2);
  RECTL to{1, 0, 4, 2};
  POINTL from{0, 0};
  ASSERT_TRUE(EngCopyBits(page.get(), source.get(), nullptr, &xlate, &to, &from));
  EXPECT_EQ(page.Line(0), (std::vector<ULONG>{white, blue, blue, blue}));
  EXPECT_EQ(page.Line(1), (std::vector<ULONG>{white, red, green, red}));

  Page stretched(6, 2);
  RECTL wide{0, 0, 6, 2}, whole{0, 0, 3, 2};
  ASSERT_TRUE(EngStretchBlt(stretched.get(), source.get(), nullptr, nullptr, &xlate, nullptr, nullptr, &wide,
                            &whole, nullptr, COLORONCOLOR));
  EXPECT_EQ(stretched.Line(1), (std::vector<ULONG>{red, red, green, green, red, red}));

  RECTL all{0, 0, 3, 2};
  EngSetLastError(0);
  EXPECT_FALSE(EngEraseSurface(source.get(), &all, 0));
  EXPECT_EQ(EngGetLastError(), static_cast<ULONG>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(EngCopyBits(source.get(), page.get(), nullptr, nullptr, &all, &from));
}

}  // namespace
