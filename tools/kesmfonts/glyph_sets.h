// Glyph sets from the host's code pages (iconv): the UTF-16 code of each
// glyph and its handle, the character's code in the printer's code page.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "tools/kesmfonts/font_table.h"

namespace kesmfonts {

// UTF-16 code -> handle, in code order.
using GlyphMap = std::map<char16_t, std::uint32_t>;

// The Shift-JIS set: every single- and double-byte code of CP932 whose
// character is one UTF-16 unit outside the private-use area and converts
// back to the same code; the handle is the code (a double-byte code as
// lead byte x 256 + trail byte). Nothing with the error when the host has
// no CP932.
std::optional<GlyphMap> ShiftJisSet(std::string& error);
// A single-byte set from its table; nothing with the error when a code of
// the table does not convert to one byte.
std::optional<GlyphMap> SingleByteGlyphSet(const SingleByteSet& set, std::string& error);

}  // namespace kesmfonts
