// Pixel access by bitmap format.
#include "platform/engine/raster/pixels.h"

#include <cstring>
#include <new>
#include <span>

#include "platform/engine/objects/eng_device.h"
#include "platform/engine/raster/run_length.h"

namespace plat::eng {

PixelView::PixelView(const SURFOBJ* pso) {
  if (pso == nullptr || pso->pvScan0 == nullptr) return;
  switch (pso->iBitmapFormat) {
    case BMF_1BPP: case BMF_4BPP: case BMF_8BPP: case BMF_16BPP: case BMF_24BPP: case BMF_32BPP:
      break;
    default:
      return;
  }
  scan0_ = static_cast<BYTE*>(pso->pvScan0);
  delta_ = pso->lDelta;
  cx_ = pso->sizlBitmap.cx;
  cy_ = pso->sizlBitmap.cy;
  format_ = pso->iBitmapFormat;
}

ULONG PixelView::Get(LONG x, LONG y) const {
  const BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP:
      return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case BMF_4BPP:
      return (x & 1) ? line[x >> 1] & 0x0F : line[x >> 1] >> 4;
    case BMF_8BPP:
      return line[x];
    case BMF_16BPP:
      return line[2 * x] | (line[2 * x + 1] << 8);
    case BMF_24BPP:
      return line[3 * x] | (line[3 * x + 1] << 8) | (static_cast<ULONG>(line[3 * x + 2]) << 16);
    case BMF_32BPP:
      return line[4 * x] | (line[4 * x + 1] << 8) | (static_cast<ULONG>(line[4 * x + 2]) << 16) |
             (static_cast<ULONG>(line[4 * x + 3]) << 24);
    default:
      return 0;
  }
}

void PixelView::Set(LONG x, LONG y, ULONG value) {
  BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP: {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
      line[x >> 3] = static_cast<BYTE>((value & 1) ? line[x >> 3] | bit : line[x >> 3] & ~bit);
      break;
    }
    case BMF_4BPP:
      line[x >> 1] = static_cast<BYTE>((x & 1) ? (line[x >> 1] & 0xF0) | (value & 0x0F)
                                               : (line[x >> 1] & 0x0F) | ((value & 0x0F) << 4));
      break;
    case BMF_8BPP:
      line[x] = static_cast<BYTE>(value);
      break;
    case BMF_16BPP:
      line[2 * x] = static_cast<BYTE>(value);
      line[2 * x + 1] = static_cast<BYTE>(value >> 8);
      break;
    case BMF_24BPP:
      line[3 * x] = static_cast<BYTE>(value);
      line[3 * x + 1] = static_cast<BYTE>(value >> 8);
      line[3 * x + 2] = static_cast<BYTE>(value >> 16);
      break;
    case BMF_32BPP:
      for (int i = 0; i < 4; ++i) line[4 * x + i] = static_cast<BYTE>(value >> (8 * i));
      break;
    default:
      break;
  }
}

void PixelView::Fill(LONG y, LONG left, LONG right, ULONG value) {
  if (left >= right) return;
  BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP:
    case BMF_4BPP: {
      // Odd pixels at either end share their byte with pixels kept as they are.
      const LONG perByte = format_ == BMF_1BPP ? 8 : 2;
      LONG x = left;
      for (; x < right && x % perByte != 0; ++x) Set(x, y, value);
      const LONG whole = (right - x) / perByte;
      const BYTE pattern = format_ == BMF_1BPP ? ((value & 1) ? 0xFF : 0x00) : static_cast<BYTE>((value & 0x0F) * 0x11);
      std::memset(line + x / perByte, pattern, static_cast<std::size_t>(whole));
      for (x += whole * perByte; x < right; ++x) Set(x, y, value);
      break;
    }
    case BMF_8BPP:
      std::memset(line + left, static_cast<BYTE>(value), static_cast<std::size_t>(right - left));
      break;
    default: {
      const std::size_t size = format_ == BMF_16BPP ? 2 : format_ == BMF_24BPP ? 3 : 4;
      Set(left, y, value);
      // The first pixel, then ever longer runs of the pixels already written.
      BYTE* first = line + size * static_cast<std::size_t>(left);
      std::size_t done = size, total = size * static_cast<std::size_t>(right - left);
      while (done < total) {
        const std::size_t step = std::min(done, total - done);
        std::memcpy(first + done, first, step);
        done += step;
      }
      break;
    }
  }
}

void PixelView::ReadColumns(LONG y, const LONG* columns, std::size_t count, ULONG* out) const {
  // One loop a format: the format is looked at once a line, not once a pixel.
  const BYTE* line = Line(y);
  switch (format_) {
    case BMF_1BPP:
      for (std::size_t i = 0; i < count; ++i) out[i] = (line[columns[i] >> 3] >> (7 - (columns[i] & 7))) & 1;
      break;
    case BMF_4BPP:
      for (std::size_t i = 0; i < count; ++i) {
        const BYTE b = line[columns[i] >> 1];
        out[i] = (columns[i] & 1) ? b & 0x0F : b >> 4;
      }
      break;
    case BMF_8BPP:
      for (std::size_t i = 0; i < count; ++i) out[i] = line[columns[i]];
      break;
    case BMF_16BPP:
      for (std::size_t i = 0; i < count; ++i) {
        const BYTE* p = line + 2 * static_cast<std::ptrdiff_t>(columns[i]);
        out[i] = p[0] | (p[1] << 8);
      }
      break;
    case BMF_24BPP:
      for (std::size_t i = 0; i < count; ++i) {
        const BYTE* p = line + 3 * static_cast<std::ptrdiff_t>(columns[i]);
        out[i] = p[0] | (p[1] << 8) | (static_cast<ULONG>(p[2]) << 16);
      }
      break;
    case BMF_32BPP:
      for (std::size_t i = 0; i < count; ++i) {
        const BYTE* p = line + 4 * static_cast<std::ptrdiff_t>(columns[i]);
        out[i] = p[0] | (p[1] << 8) | (static_cast<ULONG>(p[2]) << 16) | (static_cast<ULONG>(p[3]) << 24);
      }
      break;
    default:
      std::fill_n(out, count, ULONG{0});
      break;
  }
}

void PixelView::WriteRow(LONG y, LONG left, const ULONG* values, std::size_t count) {
  BYTE* line = Line(y);
  const auto n = static_cast<LONG>(count);
  switch (format_) {
    case BMF_8BPP:
      for (LONG i = 0; i < n; ++i) line[left + i] = static_cast<BYTE>(values[i]);
      break;
    case BMF_16BPP:
    case BMF_24BPP:
    case BMF_32BPP: {
      const int size = format_ == BMF_16BPP ? 2 : format_ == BMF_24BPP ? 3 : 4;
      BYTE* p = line + static_cast<std::ptrdiff_t>(size) * left;
      for (LONG i = 0; i < n; ++i) {
        for (int b = 0; b < size; ++b) *p++ = static_cast<BYTE>(values[i] >> (8 * b));
      }
      break;
    }
    default:
      // Pixels of 1 and 4 bits share their bytes with their neighbours.
      for (LONG i = 0; i < n; ++i) Set(left + i, y, values[i]);
      break;
  }
}

SourcePixels::SourcePixels(const SURFOBJ* pso) {
  if (pso == nullptr) return;
  const ULONG format = DecodedFormat(pso->iBitmapFormat);
  if (format == 0) {
    view_ = PixelView(pso);
    return;
  }
  if (pso->pvBits == nullptr) return;
  const LONG cx = pso->sizlBitmap.cx, cy = pso->sizlBitmap.cy;
  const LONG delta = MinimumDelta(format, cx);
  try {
    decoded_.assign(static_cast<std::size_t>(delta) * static_cast<std::size_t>(cy), 0);
  } catch (const std::bad_alloc&) {
    return;
  }
  const std::span<const BYTE> stream(static_cast<const BYTE*>(pso->pvBits), pso->cjBits);
  if (DecodeRunLength(pso->iBitmapFormat, stream, cx, cy, decoded_, delta) == RunLengthEnd::kBadArguments) return;
  view_ = PixelView(decoded_.data(), delta, cx, cy, format);
}

}  // namespace plat::eng
