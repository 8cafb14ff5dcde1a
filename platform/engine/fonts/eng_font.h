// The engine's realized TrueType fonts, rasterized and outlined by FreeType:
// one realization per face, em size and angle, with its metrics, transform,
// glyph set and a cache of the glyphs handed out.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/fontobj.h"

namespace plat::eng {

// FreeType load flags of the glyph images and of the glyph outlines.
extern const int kGlyphBitsLoadFlags;
extern const int kOutlineLoadFlags;

class Font : public FONTOBJ {
 public:
  // Realizes the face of a font file at emPixels pixels per em, its
  // baseline turned angleDegrees counter-clockwise, for a device of the
  // given resolution. Null when the file cannot be opened as a font or the
  // size is not positive.
  static std::unique_ptr<Font> Realize(const std::filesystem::path& file, double emPixels,
                                       double angleDegrees, LONG dpi);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // The glyph handle of a Unicode character (the face's glyph index; 0, the
  // missing glyph, when the face lacks it).
  HGLYPH GlyphOf(WCHAR c) const;
  // The glyph's advance on the device in 26.6 fixed point (x, y down).
  POINTL Advance26_6(HGLYPH hg);
  // The glyph in the mode (FO_GLYPHBITS or FO_PATHOBJ), made once and kept
  // with the font; null for a handle the face does not have.
  GLYPHDATA* Glyph(HGLYPH hg, ULONG mode);
  // The glyph mode the driver asked for strings in this font.
  void SetGlyphMode(ULONG mode) { glyphMode_ = mode; }
  ULONG glyphMode() const { return glyphMode_; }

  IFIMETRICS* Metrics() { return reinterpret_cast<IFIMETRICS*>(ifi_.data()); }
  Xform& Transform() { return transform_; }
  FD_GLYPHSET* GlyphSet();
  std::vector<HGLYPH> AllGlyphs();
  double emPixels() const { return emPixels_; }
  double angle() const { return angle_; }
  bool fixedPitch() const;

 private:
  struct Face;
  struct CachedGlyph {
    GLYPHDATA data{};
    GLYPHDEF def{};
    std::unique_ptr<ULONG[]> bits;  // GLYPHBITS, word-aligned
    std::unique_ptr<Path> path;
  };
  Font();
  bool Load(HGLYPH hg, int flags);
  CachedGlyph* MakeBits(HGLYPH hg);
  CachedGlyph* MakePath(HGLYPH hg);
  void BuildMetrics();

  std::unique_ptr<Face> face_;
  double emPixels_ = 0;
  double angle_ = 0;
  ULONG glyphMode_ = FO_GLYPHBITS;
  std::vector<ULONGLONG> ifi_;  // IFIMETRICS and its names, pointer-aligned
  Xform transform_;
  std::vector<ULONGLONG> glyphSet_;  // FD_GLYPHSET, runs and handles
  std::map<HGLYPH, CachedGlyph> bits_;
  std::map<HGLYPH, CachedGlyph> paths_;
  std::vector<CachedGlyph*> bitsByHandle_;   // the glyphs of bits_ by handle
  std::vector<CachedGlyph*> pathsByHandle_;  // the glyphs of paths_ by handle
};

// A font's face name as the host asks for it, and the realization's unique
// id (FONTOBJ iUniq) counter.
ULONG NewFontUniq();

}  // namespace plat::eng
