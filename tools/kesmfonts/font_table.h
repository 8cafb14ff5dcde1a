// The device fonts' tables: the four printer-resident fonts and the sources
// of the three glyph sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kesmfonts {

struct DeviceFont {
  std::u16string name;  // family, face and unique name
  std::uint8_t pitchAndFamily;
  std::string symbolSet;
  std::string extra[4];  // further strings carried for the printer
};

// Resource ids 1 to 4 of type 258, in this order.
extern const std::vector<DeviceFont> kDeviceFonts;

struct CodeRange {
  char16_t first;
  char16_t last;
};

// How a glyph set is made: the UTF-16 codes of the ranges, each converted
// through the code page (exactly, or else by its best fit) to one byte.
struct SingleByteSet {
  const char* codePage;
  std::vector<CodeRange> ranges;
};

// Glyph set 1 (never loaded by the driver) and glyph set 3.
extern const SingleByteSet kGlyphSet1;
extern const SingleByteSet kGlyphSet3;

}  // namespace kesmfonts
