// The engine's side of a string of glyphs (STROBJ).
#pragma once

#include <string>
#include <vector>

#include "platform/engine/fonts/device_font.h"
#include "platform/engine/fonts/eng_font.h"
#include "platform/engine/objects/strobj.h"

namespace plat::eng {

class Str : public STROBJ {
 public:
  // Glyphs of the engine come in batches of this many when the string is
  // longer: pgp is then null and the driver enumerates.
  static constexpr ULONG kBatch = 8;

  // The glyphs of text in the font at the given device positions. Each
  // position's image or outline (by the font's glyph mode) is filled in.
  Str(Font& font, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel,
      ULONG charInc, const RECTL& background, ULONG batch = kBatch);
  // The same in a device font: the positions carry the driver's glyph
  // handles and no images.
  Str(DeviceFont& font, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel, ULONG charInc,
      const RECTL& background, ULONG batch = kBatch);
  Str(const Str&) = delete;
  Str& operator=(const Str&) = delete;

  const std::vector<GLYPHPOS>& positions() const { return positions_; }
  void EnumStart() { next_ = 0; }
  bool Enum(ULONG* count, PGLYPHPOS* glyphs);

 private:
  Str(Font* font, std::u16string text, std::vector<GLYPHPOS> positions, FLONG accel, ULONG charInc,
      const RECTL& background, ULONG batch);

  std::u16string text_;
  std::vector<GLYPHPOS> positions_;
  ULONG batch_;
  std::size_t next_ = 0;
};

}  // namespace plat::eng
