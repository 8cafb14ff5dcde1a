// Run-length decoding. A pair of bytes is a run (count, then the index, or
// for 4 bits two indexes used in turn) or, with a count of 0, an escape:
// 0 end of line, 1 end of bitmap, 2 a move right and up by the next two
// bytes, 3 to 255 that many pixels given one by one, their bytes padded to
// a whole 16-bit word.
#include "platform/engine/raster/run_length.h"

#include <cstdint>

namespace plat::eng {
namespace {

constexpr BYTE kEscape = 0;
constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2;

// Where the next pixel goes, in stream order (line 0 is the bottom one);
// 64 bits, so no stream can make it wrap.
class Writer {
 public:
  Writer(ULONG format, LONG width, LONG height, std::span<BYTE> out, LONG delta)
      : four_(format == BMF_4BPP), width_(width), height_(height), out_(out), delta_(delta) {}

  void Put(BYTE index) {
    if (x_ < width_ && line_ < height_) {
      const std::size_t at = static_cast<std::size_t>(height_ - 1 - line_) * static_cast<std::size_t>(delta_);
      if (four_) {
        BYTE& b = out_[at + static_cast<std::size_t>(x_ >> 1)];
        b = (x_ & 1) ? static_cast<BYTE>((b & 0xF0) | (index & 0x0F)) : static_cast<BYTE>((b & 0x0F) | (index << 4));
      } else {
        out_[at + static_cast<std::size_t>(x_)] = index;
      }
    }
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++line_;
  }
  void Move(BYTE right, BYTE up) {
    x_ += right;
    line_ += up;
  }

 private:
  bool four_;
  std::int64_t width_, height_;
  std::span<BYTE> out_;
  LONG delta_;
  std::int64_t x_ = 0, line_ = 0;
};

// The index of pixel i of a run whose byte is value (two indexes a byte at
// 4 bits, high nibble first).
BYTE IndexOf(bool four, BYTE value, std::size_t i) {
  if (!four) return value;
  return (i & 1) == 0 ? static_cast<BYTE>(value >> 4) : static_cast<BYTE>(value & 0x0F);
}

}  // namespace

ULONG DecodedFormat(ULONG iFormat) {
  switch (iFormat) {
    case BMF_4RLE: return BMF_4BPP;
    case BMF_8RLE: return BMF_8BPP;
    default: return 0;
  }
}

RunLengthEnd DecodeRunLength(ULONG iFormat, std::span<const BYTE> stream, LONG width, LONG height,
                             std::span<BYTE> out, LONG delta) {
  const ULONG format = DecodedFormat(iFormat);
  if (format == 0 || width <= 0 || height <= 0 || delta <= 0) return RunLengthEnd::kBadArguments;
  const std::int64_t lineBytes = format == BMF_4BPP ? (std::int64_t{width} + 1) / 2 : width;
  if (delta < lineBytes || out.size() / static_cast<std::size_t>(delta) < static_cast<std::size_t>(height)) {
    return RunLengthEnd::kBadArguments;
  }
  const bool four = format == BMF_4BPP;
  Writer writer(format, width, height, out, delta);
  std::size_t at = 0;
  const std::size_t size = stream.size();
  while (size - at >= 2) {
    const BYTE count = stream[at];
    const BYTE value = stream[at + 1];
    at += 2;
    if (count != kEscape) {
      for (std::size_t i = 0; i < count; ++i) writer.Put(IndexOf(four, value, i));
      continue;
    }
    switch (value) {
      case kEndOfLine:
        writer.NextLine();
        break;
      case kEndOfBitmap:
        return RunLengthEnd::kEndOfBitmap;
      case kDelta:
        if (size - at < 2) return RunLengthEnd::kDataEnd;
        writer.Move(stream[at], stream[at + 1]);
        at += 2;
        break;
      default: {
        // value pixels one by one; their bytes are padded to a whole word.
        const std::size_t bytes = four ? (std::size_t{value} + 1) / 2 : value;
        for (std::size_t i = 0; i < value; ++i) {
          const std::size_t byte = at + (four ? i / 2 : i);
          if (byte >= size) return RunLengthEnd::kDataEnd;
          writer.Put(IndexOf(four, stream[byte], i));
        }
        const std::size_t padded = (bytes + 1) & ~std::size_t{1};
        if (size - at < padded) return RunLengthEnd::kDataEnd;
        at += padded;
        break;
      }
    }
  }
  return RunLengthEnd::kDataEnd;
}

}  // namespace plat::eng
