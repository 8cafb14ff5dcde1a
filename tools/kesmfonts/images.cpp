// The resource images.
#include "tools/kesmfonts/images.h"

#include <cstring>

#include "platform/engine/objects/fontobj.h"

namespace kesmfonts {
namespace {

constexpr std::uint32_t kWidthsOffset = 124;
constexpr int kWidthCount = 191;
constexpr std::uint32_t kStringOffsets = 572;

class Writer {
 public:
  explicit Writer(std::size_t size = 0) : bytes_(size) {}
  void U16(std::size_t at, std::uint32_t v) {
    Grow(at + 2);
    bytes_[at] = static_cast<std::uint8_t>(v);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  void U32(std::size_t at, std::uint32_t v) {
    U16(at, v & 0xFFFF);
    U16(at + 2, v >> 16);
  }
  void Bytes(std::size_t at, const void* data, std::size_t size) {
    Grow(at + size);
    std::memcpy(bytes_.data() + at, data, size);
  }
  std::size_t size() const { return bytes_.size(); }
  void Align(std::size_t to) { Grow((size() + to - 1) / to * to); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void Grow(std::size_t size) {
    if (bytes_.size() < size) bytes_.resize(size);
  }
  std::vector<std::uint8_t> bytes_;
};

bool SingleByteCharacter(int code) { return (code >= 0x20 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDE); }

IFIMETRICS Metrics(const DeviceFont& font) {
  IFIMETRICS ifi{};
  ifi.jWinCharSet = 128;  // Shift-JIS
  ifi.jWinPitchAndFamily = font.pitchAndFamily;
  ifi.usWinWeight = 400;
  ifi.flInfo = 0x18482038;
  ifi.fsSelection = FM_SEL_REGULAR;
  ifi.fsType = FM_TYPE_LICENSED;
  ifi.fwdUnitsPerEm = 1000;
  ifi.fwdLowestPPEm = 1;
  ifi.fwdWinAscender = ifi.fwdMacAscender = ifi.fwdTypoAscender = 900;
  ifi.fwdWinDescender = 100;
  ifi.fwdMacDescender = ifi.fwdTypoDescender = -100;
  ifi.fwdAveCharWidth = 500;
  ifi.fwdMaxCharInc = 1000;
  ifi.fwdCapHeight = ifi.fwdXHeight = 700;
  ifi.fwdSubscriptXSize = ifi.fwdSubscriptYSize = ifi.fwdSuperscriptXSize = ifi.fwdSuperscriptYSize = 500;
  ifi.fwdSuperscriptYOffset = 350;
  ifi.fwdSubscriptYOffset = -150;
  ifi.fwdUnderscoreSize = ifi.fwdStrikeoutSize = 50;
  ifi.fwdUnderscorePosition = -100;
  ifi.fwdStrikeoutPosition = 300;
  ifi.chFirstChar = 0x20;
  ifi.chLastChar = 0xFF;
  ifi.chDefaultChar = 0xA5;
  ifi.chBreakChar = 0x20;
  ifi.wcFirstChar = 0x20;
  ifi.wcLastChar = 0xFFFD;
  ifi.wcDefaultChar = 0x30FB;
  ifi.wcBreakChar = 0x20;
  ifi.ptlBaseline = {1, 0};
  ifi.ptlAspect = {1, 1};
  ifi.ptlCaret = {0, 1};
  ifi.rclFontBox = {0, 900, 1000, -100};
  return ifi;
}

}  // namespace

std::vector<std::uint8_t> FontMetricsImage(const DeviceFont& font) {
  Writer w(kIfiOffset);
  w.U32(4, kIfiOffset);
  for (int i = 0; i < kWidthCount; ++i) w.U16(kWidthsOffset + 2 * i, SingleByteCharacter(0x20 + i) ? 500 : 0);

  // The names follow the record: family, style, face, unique name.
  IFIMETRICS ifi = Metrics(font);
  const std::u16string names[] = {font.name, u"Medium", font.name, font.name};
  PTRDIFF* offsets[] = {&ifi.dpwszFamilyName, &ifi.dpwszStyleName, &ifi.dpwszFaceName, &ifi.dpwszUniqueName};
  std::size_t at = kIfiOffset + sizeof(IFIMETRICS);
  for (int i = 0; i < 4; ++i) {
    *offsets[i] = static_cast<PTRDIFF>(at - kIfiOffset);
    for (char16_t c : names[i]) {
      w.U16(at, c);
      at += 2;
    }
    w.U16(at, 0);
    at += 2;
  }
  w.Align(4);
  ifi.cjThis = static_cast<ULONG>(w.size() - kIfiOffset);
  w.Bytes(kIfiOffset, &ifi, sizeof ifi);

  const std::string* strings[] = {&font.symbolSet, &font.extra[0], &font.extra[1], &font.extra[2], &font.extra[3]};
  for (int i = 0; i < 5; ++i) {
    const std::size_t start = w.size();
    w.U32(kStringOffsets + 4 * i, static_cast<std::uint32_t>(start));
    w.Bytes(start, strings[i]->c_str(), strings[i]->size() + 1);
  }
  w.Align(4);
  w.U32(0, static_cast<std::uint32_t>(w.size()));
  return w.Take();
}

std::vector<std::uint8_t> GlyphSetImage(const GlyphMap& glyphs, std::uint32_t accel) {
  struct Run {
    char16_t first;
    std::vector<std::uint32_t> handles;
  };
  std::vector<Run> runs;
  for (const auto& [code, handle] : glyphs) {
    if (runs.empty() || runs.back().first + runs.back().handles.size() != code) runs.push_back({code, {}});
    runs.back().handles.push_back(handle);
  }
  Writer w;
  const auto head = static_cast<std::uint32_t>(16 + 8 * runs.size());
  w.U32(0, head);
  w.U32(4, accel);
  w.U32(8, static_cast<std::uint32_t>(glyphs.size()));
  w.U32(12, static_cast<std::uint32_t>(runs.size()));
  std::size_t handleAt = head;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    w.U16(16 + 8 * i, runs[i].first);
    w.U16(18 + 8 * i, static_cast<std::uint32_t>(runs[i].handles.size()));
    w.U32(20 + 8 * i, static_cast<std::uint32_t>(handleAt));
    for (std::uint32_t h : runs[i].handles) {
      w.U32(handleAt, h);
      handleAt += 4;
    }
  }
  return w.Take();
}

}  // namespace kesmfonts
