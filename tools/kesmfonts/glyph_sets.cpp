// Glyph sets from iconv's code pages.
#include "tools/kesmfonts/glyph_sets.h"

#include <iconv.h>

#include <cstdio>
#include <vector>

namespace kesmfonts {
namespace {

// One iconv conversion direction.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The whole input converted from a fresh state; nothing when it does not
  // convert completely.
  std::optional<std::string> Convert(const std::string& in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string src = in;
    char out[16];
    char* inPtr = src.data();
    std::size_t inLeft = src.size();
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
      return std::nullopt;
    }
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, outPtr);
  }

 private:
  iconv_t cd_;
};

std::string Utf16(char16_t c) {
  return std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
}

bool PrivateUse(char16_t c) { return c >= 0xE000 && c <= 0xF8FF; }

void AddIfRoundTrip(Converter& toUnicode, Converter& fromUnicode, const std::string& code, GlyphMap& map) {
  const auto unicode = toUnicode.Convert(code);
  if (!unicode || unicode->size() != 2) return;
  const auto c = static_cast<char16_t>(static_cast<unsigned char>((*unicode)[0]) |
                                       static_cast<unsigned char>((*unicode)[1]) << 8);
  if (PrivateUse(c) || map.count(c) != 0) return;
  const auto back = fromUnicode.Convert(*unicode);
  if (!back || *back != code) return;
  std::uint32_t handle = 0;
  for (const char byte : code) handle = handle << 8 | static_cast<unsigned char>(byte);
  map.emplace(c, handle);
}

}  // namespace

std::optional<GlyphMap> ShiftJisSet(std::string& error) {
  Converter toUnicode("UTF-16LE", "CP932");
  Converter fromUnicode("CP932", "UTF-16LE");
  if (!toUnicode.ok() || !fromUnicode.ok()) {
    error = "iconv has no CP932";
    return std::nullopt;
  }
  GlyphMap map;
  for (int b = 0x20; b <= 0xDF; ++b) {
    if (b == 0x7F || (b >= 0x80 && b <= 0xA0)) continue;
    AddIfRoundTrip(toUnicode, fromUnicode, std::string(1, static_cast<char>(b)), map);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      AddIfRoundTrip(toUnicode, fromUnicode, std::string{static_cast<char>(lead), static_cast<char>(trail)}, map);
    }
  }
  return map;
}

std::optional<GlyphMap> SingleByteGlyphSet(const SingleByteSet& set, std::string& error) {
  Converter exact(set.codePage, "UTF-16LE");
  Converter bestFit((std::string(set.codePage) + "//TRANSLIT").c_str(), "UTF-16LE");
  if (!exact.ok() || !bestFit.ok()) {
    error = std::string("iconv has no ") + set.codePage;
    return std::nullopt;
  }
  GlyphMap map;
  for (const CodeRange& range : set.ranges) {
    for (char32_t c = range.first; c <= range.last; ++c) {
      const std::string unit = Utf16(static_cast<char16_t>(c));
      auto byte = exact.Convert(unit);
      // iconv's best fit gives "?" for a character it has nothing for.
      if (!byte) byte = bestFit.Convert(unit);
      if (!byte || byte->size() != 1 || (*byte == "?" && c != u'?')) {
        char text[64];
        std::snprintf(text, sizeof text, "U+%04X has no single byte in %s", static_cast<unsigned>(c), set.codePage);
        error = text;
        return std::nullopt;
      }
      map.emplace(static_cast<char16_t>(c), static_cast<unsigned char>((*byte)[0]));
    }
  }
  return map;
}

}  // namespace kesmfonts
