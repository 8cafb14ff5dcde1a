// Logical fonts realized as the engine's TrueType fonts: the face asked for
// when it is installed, and DejaVu Sans for any face nobody has, as the
// print host maps it. Realizations are kept for the process, one per face,
// weight, size and angle. Internal to platform/gdi/.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/fonts/eng_font.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {

struct RealFont {
  plat::eng::Font* font = nullptr;
  std::u16string family;  // the family drawn with
  bool bold = false;
  double angle = 0;  // the baseline's angle, degrees counter-clockwise
  TEXTMETRICW metrics{};
  UINT unitsPerEm = 0;
};

// The realization of a logical font; null when no DejaVu face is installed.
// The caller holds the raster lock while it uses the font.
const RealFont* RealizeFont(const LOGFONTW& font);

// The advance of each character along the baseline in whole pixels.
std::vector<LONG> Advances(const RealFont& font, std::u16string_view text);
LONG Extent(const RealFont& font, std::u16string_view text);

// The installed TrueType families, in the order enumerations list them.
std::vector<std::u16string> InstalledFamilies();

// The logical font of the stock font objects.
LOGFONTW StockLogFont();

}  // namespace plat::gdi
