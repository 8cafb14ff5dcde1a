// TrueType realizations through FreeType.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>
#include <string>

#include "platform/engine/fonts/eng_font.h"

namespace plat::eng {

const int kGlyphBitsLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO;
const int kOutlineLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING;

namespace {

// One FreeType library for the process; faces are made and freed under its
// lock, each realization owns its face.
std::mutex& LibraryLock() {
  static std::mutex lock;
  return lock;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
  }();
  return library;
}

// 26.6 to 28.4, rounded to the nearest sixteenth.
FIX ToFix(double v26_6) { return static_cast<FIX>(std::lround(v26_6 / 4.0)); }

LARGE_INTEGER_ENG To32_32(FT_Pos v26_6) {
  const std::int64_t v = static_cast<std::int64_t>(v26_6) * (std::int64_t{1} << 26);
  return {static_cast<DWORD>(v & 0xFFFFFFFF), static_cast<LONG>(v >> 32)};
}

std::u16string Widen(const char* text) {
  std::u16string out;
  for (const char* p = text ? text : ""; *p; ++p) out.push_back(static_cast<unsigned char>(*p));
  return out;
}

// FreeType outline decomposition into an engine path in device space.
struct OutlineSink {
  Path* path;
  FT_Vector last{};
  bool open = false;
};

POINTFIX Device(const FT_Vector* v) { return {ToFix(v->x), ToFix(-v->y)}; }

int MoveTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  if (sink->open) sink->path->Close();
  sink->path->MoveTo(Device(to));
  sink->last = *to;
  sink->open = true;
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const POINTFIX p = Device(to);
  sink->path->LineTo(&p, 1);
  sink->last = *to;
  return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const POINTFIX p[3] = {Device(c1), Device(c2), Device(to)};
  sink->path->BezierTo(p, 3);
  sink->last = *to;
  return 0;
}

// A quadratic segment as the cubic that draws the same curve.
int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const FT_Vector& p0 = sink->last;
  const double c1x = p0.x + 2.0 * (control->x - p0.x) / 3.0;
  const double c1y = p0.y + 2.0 * (control->y - p0.y) / 3.0;
  const double c2x = to->x + 2.0 * (control->x - to->x) / 3.0;
  const double c2y = to->y + 2.0 * (control->y - to->y) / 3.0;
  const POINTFIX p[3] = {{ToFix(c1x), ToFix(-c1y)}, {ToFix(c2x), ToFix(-c2y)}, Device(to)};
  sink->path->BezierTo(p, 3);
  sink->last = *to;
  return 0;
}

}  // namespace

struct Font::Face {
  FT_Face face = nullptr;
  // Advances by glyph handle, filled as glyphs are asked for; a handle
  // past the face's glyphs is never asked twice of FreeType either.
  std::vector<POINTL> advances;
  std::vector<bool> advanceKnown;
  std::map<HGLYPH, POINTL> otherAdvances;
  ~Face() {
    if (face != nullptr) {
      std::lock_guard guard(LibraryLock());
      FT_Done_Face(face);
    }
  }
};

ULONG NewFontUniq() {
  static std::atomic<ULONG> next{1};
  return next++;
}

Font::Font() : FONTOBJ{} {}
Font::~Font() = default;

std::unique_ptr<Font> Font::Realize(const std::filesystem::path& file, double emPixels,
                                    double angleDegrees, LONG dpi) {
  if (!(emPixels > 0) || emPixels > 30000) return nullptr;
  auto font = std::unique_ptr<Font>(new Font);
  font->face_ = std::make_unique<Face>();
  {
    std::lock_guard guard(LibraryLock());
    if (Library() == nullptr ||
        FT_New_Face(Library(), file.c_str(), 0, &font->face_->face) != 0) {
      font->face_->face = nullptr;
      return nullptr;
    }
  }
  FT_Face face = font->face_->face;
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0 ||
      FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64)), 72, 72) != 0) {
    return nullptr;
  }
  font->emPixels_ = emPixels;
  font->angle_ = angleDegrees;
  const double radians = angleDegrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  FT_Matrix matrix{static_cast<FT_Fixed>(std::lround(c * 65536)),
                   static_cast<FT_Fixed>(std::lround(-s * 65536)),
                   static_cast<FT_Fixed>(std::lround(s * 65536)),
                   static_cast<FT_Fixed>(std::lround(c * 65536))};
  FT_Set_Transform(face, &matrix, nullptr);
  // Notional space has y pointing down, as on the device: an upright font
  // scales both axes by the same positive factor.
  const double scale = emPixels / face->units_per_EM;
  font->transform_ = Xform(XFORML{static_cast<FLOATL>(scale * c), static_cast<FLOATL>(-scale * s),
                                  static_cast<FLOATL>(scale * s), static_cast<FLOATL>(scale * c),
                                  0, 0});
  font->iUniq = NewFontUniq();
  font->iFace = 0;
  font->flFontType = FO_TYPE_TRUETYPE;
  font->iTTUniq = std::hash<std::string>{}(file.string());
  font->iFile = font->iTTUniq;
  font->sizLogResPpi = SIZE{dpi, dpi};
  font->ulStyleSize = dpi > 0 ? static_cast<ULONG>(std::lround(emPixels * 72 / dpi)) : 0;
  font->BuildMetrics();
  font->cxMax = static_cast<ULONG>(std::ceil(font->Metrics()->fwdMaxCharInc * scale));
  return font;
}

void Font::BuildMetrics() {
  FT_Face face = face_->face;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  const std::u16string family = Widen(face->family_name);
  const std::u16string style = Widen(face->style_name);
  const bool plain = style == u"Book" || style == u"Regular";
  const std::u16string faceName = plain ? family : family + u" " + style;
  // The record, then the family, style, face and unique names.
  const std::u16string* names[] = {&family, &style, &faceName, &faceName};
  std::size_t bytes = sizeof(IFIMETRICS);
  PTRDIFF offsets[4];
  for (int i = 0; i < 4; ++i) {
    offsets[i] = static_cast<PTRDIFF>(bytes);
    bytes += (names[i]->size() + 1) * sizeof(WCHAR);
  }
  bytes = (bytes + 7) & ~std::size_t{7};
  ifi_.assign(bytes / sizeof(ULONGLONG), 0);
  IFIMETRICS* ifi = Metrics();
  for (int i = 0; i < 4; ++i) {
    std::memcpy(reinterpret_cast<BYTE*>(ifi) + offsets[i], names[i]->c_str(),
                (names[i]->size() + 1) * sizeof(WCHAR));
  }
  ifi->cjThis = static_cast<ULONG>(bytes);
  ifi->dpwszFamilyName = offsets[0];
  ifi->dpwszStyleName = offsets[1];
  ifi->dpwszFaceName = offsets[2];
  ifi->dpwszUniqueName = offsets[3];
  const bool mono = FT_IS_FIXED_WIDTH(face);
  const bool serif = family.find(u"Serif") != std::u16string::npos;
  ifi->jWinCharSet = ANSI_CHARSET;
  ifi->jWinPitchAndFamily =
      static_cast<BYTE>(mono ? FF_MODERN | FIXED_PITCH : (serif ? FF_ROMAN : FF_SWISS) | VARIABLE_PITCH);
  ifi->usWinWeight = os2 ? os2->usWeightClass : 400;
  ifi->flInfo = FM_INFO_TECH_TRUETYPE | FM_INFO_ARB_XFORMS | FM_INFO_1BPP |
                FM_INFO_RETURNS_OUTLINES | FM_INFO_RETURNS_BITMAPS | FM_INFO_RIGHT_HANDED |
                (mono ? FM_INFO_CONSTANT_WIDTH : 0);
  if (os2) {
    ifi->fsSelection = static_cast<USHORT>(os2->fsSelection & (FM_SEL_ITALIC | FM_SEL_BOLD | FM_SEL_REGULAR));
    ifi->fsType = static_cast<USHORT>(os2->fsType & (FM_TYPE_LICENSED | FM_READONLY_EMBED | FM_EDITABLE_EMBED));
  }
  ifi->fwdUnitsPerEm = static_cast<FWORD>(face->units_per_EM);
  ifi->fwdLowestPPEm = 9;
  if (os2) {
    ifi->fwdWinAscender = static_cast<FWORD>(os2->usWinAscent);
    ifi->fwdWinDescender = static_cast<FWORD>(os2->usWinDescent);
    ifi->fwdTypoAscender = os2->sTypoAscender;
    ifi->fwdTypoDescender = os2->sTypoDescender;
    ifi->fwdTypoLineGap = os2->sTypoLineGap;
    ifi->fwdAveCharWidth = os2->xAvgCharWidth;
    ifi->fwdCapHeight = os2->version >= 2 ? os2->sCapHeight : 0;
    ifi->fwdXHeight = os2->version >= 2 ? os2->sxHeight : 0;
    ifi->fwdSubscriptXSize = os2->ySubscriptXSize;
    ifi->fwdSubscriptYSize = os2->ySubscriptYSize;
    ifi->fwdSubscriptXOffset = os2->ySubscriptXOffset;
    ifi->fwdSubscriptYOffset = os2->ySubscriptYOffset;
    ifi->fwdSuperscriptXSize = os2->ySuperscriptXSize;
    ifi->fwdSuperscriptYSize = os2->ySuperscriptYSize;
    ifi->fwdSuperscriptXOffset = os2->ySuperscriptXOffset;
    ifi->fwdSuperscriptYOffset = os2->ySuperscriptYOffset;
    ifi->fwdStrikeoutSize = os2->yStrikeoutSize;
    ifi->fwdStrikeoutPosition = os2->yStrikeoutPosition;
    std::memcpy(ifi->achVendId, os2->achVendID, 4);
    std::memcpy(&ifi->panose, os2->panose, sizeof ifi->panose);
    ifi->wcFirstChar = os2->usFirstCharIndex;
    ifi->wcLastChar = os2->usLastCharIndex;
  }
  if (hhea) {
    ifi->fwdMacAscender = hhea->Ascender;
    ifi->fwdMacDescender = hhea->Descender;
    ifi->fwdMacLineGap = hhea->Line_Gap;
    ifi->fwdMaxCharInc = static_cast<FWORD>(hhea->advance_Width_Max);
  }
  if (post) {
    ifi->fwdUnderscoreSize = post->underlineThickness;
    ifi->fwdUnderscorePosition = post->underlinePosition;
  }
  // Characters: the first of the font, its break character (the space) and
  // as default the character before the first, as TrueType fonts report.
  ifi->chFirstChar = static_cast<BYTE>(std::min<WCHAR>(ifi->wcFirstChar, 0xFF));
  ifi->chLastChar = static_cast<BYTE>(std::min<WCHAR>(ifi->wcLastChar, 0xFF));
  ifi->wcDefaultChar = static_cast<WCHAR>(ifi->wcFirstChar > 0 ? ifi->wcFirstChar - 1 : 0);
  ifi->chDefaultChar = static_cast<BYTE>(std::min<WCHAR>(ifi->wcDefaultChar, 0xFF));
  ifi->wcBreakChar = 0x20;
  ifi->chBreakChar = 0x20;
  ifi->ptlBaseline = POINTL{1, 0};
  ifi->ptlAspect = POINTL{1, 1};
  ifi->ptlCaret = POINTL{0, 1};
  ifi->rclFontBox = RECTL{static_cast<LONG>(face->bbox.xMin), static_cast<LONG>(face->bbox.yMax),
                          static_cast<LONG>(face->bbox.xMax), static_cast<LONG>(face->bbox.yMin)};
}

bool Font::fixedPitch() const { return FT_IS_FIXED_WIDTH(face_->face) != 0; }

HGLYPH Font::GlyphOf(WCHAR c) const { return FT_Get_Char_Index(face_->face, c); }

bool Font::Load(HGLYPH hg, int flags) {
  return hg < static_cast<HGLYPH>(face_->face->num_glyphs) &&
         FT_Load_Glyph(face_->face, hg, flags) == 0;
}

POINTL Font::Advance26_6(HGLYPH hg) {
  Face& face = *face_;
  const bool indexed = hg < static_cast<HGLYPH>(face.face->num_glyphs);
  if (indexed) {
    if (hg < face.advanceKnown.size() && face.advanceKnown[hg]) return face.advances[hg];
  } else if (auto it = face.otherAdvances.find(hg); it != face.otherAdvances.end()) {
    return it->second;
  }
  POINTL advance{0, 0};
  if (Load(hg, kGlyphBitsLoadFlags)) {
    const FT_Vector& a = face.face->glyph->advance;
    advance = {static_cast<LONG>(a.x), static_cast<LONG>(-a.y)};
  }
  if (indexed) {
    if (face.advanceKnown.empty()) {
      face.advances.resize(static_cast<std::size_t>(face.face->num_glyphs));
      face.advanceKnown.resize(static_cast<std::size_t>(face.face->num_glyphs));
    }
    face.advances[hg] = advance;
    face.advanceKnown[hg] = true;
  } else {
    face.otherAdvances.emplace(hg, advance);
  }
  return advance;
}

Font::CachedGlyph* Font::MakeBits(HGLYPH hg) {
  if (!Load(hg, kGlyphBitsLoadFlags)) return nullptr;
  FT_GlyphSlot slot = face_->face->glyph;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return nullptr;
  const FT_Bitmap& bitmap = slot->bitmap;
  // A glyph without ink is a 1 x 1 blank image at the origin.
  const bool blank = bitmap.width == 0 || bitmap.rows == 0;
  const LONG cx = blank ? 1 : static_cast<LONG>(bitmap.width);
  const LONG cy = blank ? 1 : static_cast<LONG>(bitmap.rows);
  const LONG left = blank ? 0 : slot->bitmap_left;
  const LONG top = blank ? 0 : slot->bitmap_top;
  const std::size_t stride = static_cast<std::size_t>((cx + 7) / 8);
  const std::size_t bytes = offsetof(GLYPHBITS, aj) + stride * cy;
  CachedGlyph glyph;
  glyph.bits.reset(new ULONG[(bytes + 3) / 4]());
  auto* gb = reinterpret_cast<GLYPHBITS*>(glyph.bits.get());
  gb->ptlOrigin = POINTL{left, -top};
  gb->sizlBitmap = SIZEL{cx, cy};
  if (!blank) {
    for (LONG row = 0; row < cy; ++row) {
      std::memcpy(gb->aj + row * stride, bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch,
                  stride);
    }
  }
  GLYPHDATA& d = glyph.data;
  const FT_Vector& a = slot->advance;
  d.hg = hg;
  d.fxD = ToFix(std::hypot(static_cast<double>(a.x), static_cast<double>(a.y)));
  d.fxA = LTOFX(left);
  d.fxAB = LTOFX(left + (blank ? 0 : cx));
  d.fxInkTop = LTOFX(top);
  d.fxInkBottom = LTOFX(top - (blank ? 0 : cy));
  d.rclInk = RECTL{left, -top, left + cx, -top + cy};
  d.ptqD = POINTQF{To32_32(a.x), To32_32(-a.y)};
  auto [it, added] = bits_.emplace(hg, std::move(glyph));
  it->second.def.pgb = reinterpret_cast<GLYPHBITS*>(it->second.bits.get());
  it->second.data.gdf = it->second.def;
  return &it->second;
}

Font::CachedGlyph* Font::MakePath(HGLYPH hg) {
  if (!Load(hg, kOutlineLoadFlags)) return nullptr;
  FT_GlyphSlot slot = face_->face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return nullptr;
  CachedGlyph glyph;
  glyph.path = std::make_unique<Path>();
  OutlineSink sink{glyph.path.get()};
  const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  if (FT_Outline_Decompose(&slot->outline, &funcs, &sink) != 0) return nullptr;
  if (sink.open) glyph.path->Close();
  FT_BBox box{};
  FT_Outline_Get_CBox(&slot->outline, &box);
  GLYPHDATA& d = glyph.data;
  const FT_Vector& a = slot->advance;
  d.hg = hg;
  d.fxD = ToFix(std::hypot(static_cast<double>(a.x), static_cast<double>(a.y)));
  d.fxA = ToFix(box.xMin);
  d.fxAB = ToFix(box.xMax);
  d.fxInkTop = ToFix(box.yMax);
  d.fxInkBottom = ToFix(box.yMin);
  d.rclInk = RECTL{static_cast<LONG>(box.xMin >> 6), static_cast<LONG>(-(box.yMax + 63) >> 6),
                   static_cast<LONG>((box.xMax + 63) >> 6), static_cast<LONG>(-box.yMin >> 6)};
  d.ptqD = POINTQF{To32_32(a.x), To32_32(-a.y)};
  auto [it, added] = paths_.emplace(hg, std::move(glyph));
  it->second.def.ppo = it->second.path.get();
  it->second.data.gdf = it->second.def;
  return &it->second;
}

GLYPHDATA* Font::Glyph(HGLYPH hg, ULONG mode) {
  auto& cache = mode == FO_PATHOBJ ? paths_ : bits_;
  auto& byHandle = mode == FO_PATHOBJ ? pathsByHandle_ : bitsByHandle_;
  CachedGlyph* glyph = hg < byHandle.size() ? byHandle[hg] : nullptr;
  if (glyph == nullptr) {
    auto it = cache.find(hg);
    if (it != cache.end()) {
      glyph = &it->second;
    } else if (mode == FO_GLYPHBITS) {
      glyph = MakeBits(hg);
    } else if (mode == FO_PATHOBJ) {
      glyph = MakePath(hg);
    }
    // The map keeps the glyphs where they are; the table finds them again
    // without a search.
    if (glyph != nullptr && hg < static_cast<HGLYPH>(face_->face->num_glyphs)) {
      if (byHandle.empty()) byHandle.resize(static_cast<std::size_t>(face_->face->num_glyphs));
      byHandle[hg] = glyph;
    }
  }
  if (mode == FO_PATHOBJ && glyph != nullptr && glyph->path) glyph->path->EnumStart();
  return glyph ? &glyph->data : nullptr;
}

std::vector<HGLYPH> Font::AllGlyphs() {
  std::vector<HGLYPH> all;
  for (FT_Long i = 0; i < face_->face->num_glyphs; ++i) all.push_back(static_cast<HGLYPH>(i));
  return all;
}

FD_GLYPHSET* Font::GlyphSet() {
  if (!glyphSet_.empty()) return reinterpret_cast<FD_GLYPHSET*>(glyphSet_.data());
  std::vector<std::pair<ULONG, HGLYPH>> codes;
  FT_UInt index = 0;
  for (FT_ULong code = FT_Get_First_Char(face_->face, &index); index != 0 && code <= 0xFFFF;
       code = FT_Get_Next_Char(face_->face, code, &index)) {
    codes.emplace_back(static_cast<ULONG>(code), index);
  }
  struct RunSpan { std::size_t first, count; };
  std::vector<RunSpan> runs;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (!runs.empty() && runs.back().count < 0xFFFF &&
        codes[i].first == codes[runs.back().first].first + runs.back().count) {
      ++runs.back().count;
    } else {
      runs.push_back({i, 1});
    }
  }
  const std::size_t head = offsetof(FD_GLYPHSET, awcrun) + runs.size() * sizeof(WCRUN);
  const std::size_t bytes = head + codes.size() * sizeof(HGLYPH);
  glyphSet_.assign(bytes / sizeof(ULONGLONG) + 1, 0);
  auto* set = reinterpret_cast<FD_GLYPHSET*>(glyphSet_.data());
  set->cjThis = static_cast<ULONG>(bytes);
  set->flAccel = 0;
  set->cGlyphsSupported = static_cast<ULONG>(codes.size());
  set->cRuns = static_cast<ULONG>(runs.size());
  auto* handles = reinterpret_cast<HGLYPH*>(reinterpret_cast<BYTE*>(set) + head);
  for (std::size_t i = 0; i < codes.size(); ++i) handles[i] = codes[i].second;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    set->awcrun[r].wcLow = static_cast<WCHAR>(codes[runs[r].first].first);
    set->awcrun[r].cGlyphs = static_cast<USHORT>(runs[r].count);
    set->awcrun[r].phg = handles + runs[r].first;
  }
  return set;
}

}  // namespace plat::eng
