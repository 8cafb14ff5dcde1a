// The text drawing that TextOutW, ExtTextOutW and DrawTextW share.
// Internal to platform/gdi/.
#pragma once

#include <string_view>
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/font_map.h"

namespace plat::gdi {

// Where each glyph of the text goes (bitmap pixels of its origin on the
// baseline) when drawn with its cell's top left at the logical point, and
// the text's width along the baseline.
std::vector<GLYPHPOS> GlyphPositions(const Canvas& canvas, const RealFont& font, POINT at, std::u16string_view text,
                                     const int* dx, LONG* width);
// Draws text with its cell's top left at the logical point, along the
// font's baseline angle: the advances are dx's when given; the opaque
// rectangle (else, in OPAQUE mode, the text's cell) is filled with the
// background colour; clipTo limits the drawing. The caller holds the
// raster lock.
bool DrawString(const Canvas& canvas, SURFOBJ* surface, const RealFont& font, POINT at, std::u16string_view text,
                const int* dx, const RECT* opaque, const RECT* clipTo);
// The DC's realized font; null (ERROR_INVALID_HANDLE) when none can be.
const RealFont* FontOf(const Canvas& canvas);
// A caller's text of count characters, or up to its end when count < 0.
std::u16string_view TextOf(LPCWSTR text, int count);

}  // namespace plat::gdi
