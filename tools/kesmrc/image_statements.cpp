// Picture files of resource scripts: bitmaps, icons and cursors.
#include "tools/kesmrc/image_statements.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kesmrc {
namespace {

constexpr std::uint32_t kBitmapType = 2;        // RT_BITMAP
constexpr std::uint32_t kGroupCursorType = 12;  // RT_GROUP_CURSOR
constexpr std::uint32_t kGroupIconType = 14;    // RT_GROUP_ICON
constexpr std::size_t kFileHeader = 14;         // "BM", size, reserved, offset of the bits
constexpr std::size_t kInfoHeader = 40;

std::uint32_t Read32(const std::vector<std::byte>& d, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, d.data() + at, sizeof(v));
  return v;
}
std::uint16_t Read16(const std::vector<std::byte>& d, std::size_t at) {
  std::uint16_t v = 0;
  std::memcpy(&v, d.data() + at, sizeof(v));
  return v;
}

// A BMP file becomes its DIB: the header, the colour table and the bits
// right after it.
bool ConvertBitmap(std::vector<std::byte>& data, std::string& message) {
  if (data.size() < kFileHeader + kInfoHeader || data[0] != std::byte{'B'} || data[1] != std::byte{'M'}) {
    message = "not a BMP file";
    return false;
  }
  const std::uint32_t bitsAt = Read32(data, 10);
  const std::uint32_t headerSize = Read32(data, kFileHeader);
  const std::uint16_t depth = Read16(data, kFileHeader + 14);
  const std::uint32_t compression = Read32(data, kFileHeader + 16);
  const std::uint32_t used = Read32(data, kFileHeader + 32);
  const std::uint64_t colors = depth <= 8 ? (used != 0 ? used : (1u << depth)) : 0;
  const std::uint64_t masks = compression == 3 && headerSize == kInfoHeader ? 12 : 0;  // BI_BITFIELDS
  const std::uint64_t expected = kFileHeader + headerSize + masks + colors * 4;
  if (headerSize < kInfoHeader || depth > 32 || (depth <= 8 && colors > (1u << depth))) {
    message = "a BMP file with a header this compiler does not know";
    return false;
  }
  if (bitsAt != expected || bitsAt > data.size()) {
    message = "the bits of the BMP file do not follow its colour table";
    return false;
  }
  data.erase(data.begin(), data.begin() + kFileHeader);
  return true;
}

// An icon or cursor file: a directory of at least one image, each within
// the file.
bool CheckDirectory(const std::vector<std::byte>& data, std::uint16_t kind, std::string& message) {
  if (data.size() < 6 || Read16(data, 0) != 0 || Read16(data, 2) != kind || Read16(data, 4) == 0) {
    message = kind == 1 ? "not an icon file" : "not a cursor file";
    return false;
  }
  const std::size_t count = Read16(data, 4);
  if (data.size() < 6 + 16 * count) {
    message = "the file's directory is cut short";
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t size = Read32(data, 6 + 16 * i + 8), at = Read32(data, 6 + 16 * i + 12);
    if (size == 0 || at + size > data.size()) {
      message = "image " + std::to_string(i + 1) + " lies outside the file";
      return false;
    }
  }
  return true;
}

bool ConvertIcon(std::vector<std::byte>& data, std::string& message) { return CheckDirectory(data, 1, message); }
bool ConvertCursor(std::vector<std::byte>& data, std::string& message) { return CheckDirectory(data, 2, message); }

// Sorted by keyword.
constexpr std::array<PictureKind, 3> kKinds{{
    {"BITMAP", kBitmapType, ConvertBitmap},
    {"CURSOR", kGroupCursorType, ConvertCursor},
    {"ICON", kGroupIconType, ConvertIcon},
}};

}  // namespace

const PictureKind* FindPictureKind(std::string_view upperKeyword) {
  auto it = std::lower_bound(kKinds.begin(), kKinds.end(), upperKeyword,
                             [](const PictureKind& k, std::string_view name) { return k.keyword < name; });
  return it != kKinds.end() && it->keyword == upperKeyword ? &*it : nullptr;
}

}  // namespace kesmrc
