// Reading an icon resource (an icon file: a directory, then each image as
// a DIB whose height counts the colour rows and the mask rows).
#include "platform/window/icon_image.h"

#include <cstdlib>
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/modules/winresource.h"
#include "platform/window/images.h"

namespace plat::window {
namespace {

constexpr WORD kGroupIconType = 14;
constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;
constexpr std::size_t kInfoHeader = 40;
constexpr int kLargestSide = 256;

// Bounds-checked little-endian reads.
struct Bytes {
  const BYTE* data;
  std::size_t size;
  bool Has(std::size_t at, std::size_t n) const { return at <= size && n <= size - at; }
  std::uint32_t U32(std::size_t at) const {
    std::uint32_t v = 0;
    std::memcpy(&v, data + at, sizeof(v));
    return v;
  }
  std::uint16_t U16(std::size_t at) const {
    std::uint16_t v = 0;
    std::memcpy(&v, data + at, sizeof(v));
    return v;
  }
};

struct Entry {
  int width;
  int bits;
  std::size_t at;
  std::size_t size;
};

// The directory's image nearest the wanted width, the deeper on a tie.
bool ChooseEntry(const Bytes& b, int wanted, Entry* chosen) {
  if (!b.Has(0, kDirectoryHeader) || b.U16(0) != 0 || b.U16(2) != 1) return false;
  const std::size_t count = b.U16(4);
  bool found = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t e = kDirectoryHeader + i * kDirectoryEntry;
    if (!b.Has(e, kDirectoryEntry)) return false;
    const int width = b.data[e] == 0 ? kLargestSide : b.data[e];
    const Entry candidate{width, b.U16(e + 6), b.U32(e + 12), b.U32(e + 8)};
    if (!b.Has(candidate.at, candidate.size)) continue;
    const bool nearer = !found || std::abs(width - wanted) < std::abs(chosen->width - wanted) ||
                        (std::abs(width - wanted) == std::abs(chosen->width - wanted) && candidate.bits > chosen->bits);
    if (nearer) *chosen = candidate;
    found = true;
  }
  return found;
}

// A row's colour from bits of 1, 4, 8, 24 or 32 per pixel.
std::uint32_t ColorAt(const Bytes& image, std::size_t row, int x, int bits, std::size_t palette) {
  if (bits == 32) return image.U32(row + 4 * static_cast<std::size_t>(x));
  if (bits == 24) {
    const BYTE* p = image.data + row + 3 * static_cast<std::size_t>(x);
    return 0xFF000000u | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
  }
  const std::size_t bit = static_cast<std::size_t>(x) * bits;
  const unsigned index = (image.data[row + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
  return 0xFF000000u | (image.U32(palette + 4 * index) & 0xFFFFFF);
}

bool ReadDib(const Bytes& image, IconPixels* out) {
  if (!image.Has(0, kInfoHeader)) return false;
  const std::uint32_t header = image.U32(0);
  const auto width = static_cast<std::int32_t>(image.U32(4));
  const auto doubled = static_cast<std::int32_t>(image.U32(8));
  const int bits = image.U16(14);
  const std::uint32_t compression = image.U32(16);
  if (header < kInfoHeader || width <= 0 || width > kLargestSide || doubled <= 0 || doubled > 2 * kLargestSide ||
      doubled % 2 != 0 || compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
    return false;
  }
  const int height = doubled / 2;
  const std::uint32_t used = image.U32(32);
  const std::size_t colors = bits <= 8 ? (used != 0 && used <= (1u << bits) ? used : (1u << bits)) : 0;
  const std::size_t palette = header;
  const std::size_t colorStride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  const std::size_t maskStride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t colorBits = palette + 4 * colors;
  const std::size_t maskBits = colorBits + colorStride * height;
  if (!image.Has(colorBits, colorStride * height + maskStride * height)) return false;
  out->width = width;
  out->height = height;
  out->color.assign(static_cast<std::size_t>(width) * height, 0);
  out->masked.assign(static_cast<std::size_t>(width) * height, 0);
  out->alpha = false;
  for (int y = 0; y < height; ++y) {
    const std::size_t from = static_cast<std::size_t>(height - 1 - y);  // bottom-up
    for (int x = 0; x < width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * width + x;
      out->color[at] = ColorAt(image, colorBits + from * colorStride, x, bits, palette);
      out->masked[at] = (image.data[maskBits + from * maskStride + x / 8] >> (7 - x % 8)) & 1;
    }
  }
  if (bits == 32) {
    for (std::uint32_t c : out->color) out->alpha = out->alpha || (c >> 24) != 0;
    if (!out->alpha) {
      for (std::uint32_t& c : out->color) c |= 0xFF000000u;
    }
  }
  return true;
}

}  // namespace

bool ReadIconPixels(HICON icon, int wantedWidth, IconPixels* out) {
  HINSTANCE instance = nullptr;
  WORD type = 0, id = 0;
  if (out == nullptr || !DescribeModuleImage(icon, &instance, &type, &id) || type != kGroupIconType) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return false;
  }
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kGroupIconType));
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const Bytes file{data, data != nullptr ? SizeofResource(instance, found) : 0};
  Entry entry{};
  if (data == nullptr || !ChooseEntry(file, wantedWidth, &entry) ||
      !ReadDib(Bytes{file.data + entry.at, entry.size}, out)) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  return true;
}

}  // namespace plat::window
