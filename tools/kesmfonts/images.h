// The byte images of the device-font resources, little-endian.
//
// Font metrics (type 258): u32 total size; u32 offset of the IFIMETRICS
// (592); zeros to 124; 191 u16 widths of the single-byte codes 0x20-0xDE
// (500 for a character, 0 for a gap), which the driver does not read;
// zeros to 572; u32 offsets of the symbol-set string and of four further
// strings; the IFIMETRICS at 592 with its names (cjThis covers both), then
// the five ASCII strings.
//
// Glyph set (type 260): {u32 cjThis (the head and runs), u32 flAccel, u32
// glyph count, u32 run count}, the runs {u16 first code, u16 glyph count,
// u32 offset of its handles from the start}, then the u32 handles of every
// run in run order.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/kesmfonts/font_table.h"
#include "tools/kesmfonts/glyph_sets.h"

namespace kesmfonts {

inline constexpr std::uint32_t kIfiOffset = 592;

std::vector<std::uint8_t> FontMetricsImage(const DeviceFont& font);
std::vector<std::uint8_t> GlyphSetImage(const GlyphMap& glyphs, std::uint32_t accel);

}  // namespace kesmfonts
