// Drawing commands as engine objects and driver calls.
#include "tools/printhost/painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/engine/fonts/eng_string.h"
#include "platform/engine/fonts/font_files.h"
#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/engraster.h"
#include "platform/engine/raster/pixels.h"

namespace printhost {
namespace {

using plat::eng::Device;

constexpr MIX kCopyPen = (R2_COPYPEN << 8) | R2_COPYPEN;
constexpr ULONG kWhite = Rgb(0xFF, 0xFF, 0xFF);

using TextOutFn = BOOL (*)(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*,
                           BRUSHOBJ*, POINTL*, MIX);
using StrokePathFn = BOOL (*)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, POINTL*,
                              LINEATTRS*, MIX);
using FillPathFn = BOOL (*)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX, FLONG);
using StrokeAndFillPathFn = BOOL (*)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*,
                                     LINEATTRS*, BRUSHOBJ*, POINTL*, MIX, FLONG);
using BitBltFn = BOOL (*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*,
                          POINTL*, BRUSHOBJ*, POINTL*, ROP4);
using StretchBltFn = BOOL (*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*,
                              COLORADJUSTMENT*, POINTL*, RECTL*, RECTL*, POINTL*, ULONG);
using GetGlyphModeFn = ULONG (*)(DHPDEV, FONTOBJ*);
using DestroyFontFn = void (*)(FONTOBJ*);
using QueryFontFn = PIFIMETRICS (*)(DHPDEV, ULONG_PTR, ULONG, ULONG_PTR*);
using QueryFontTreeFn = PVOID (*)(DHPDEV, ULONG_PTR, ULONG, ULONG, ULONG_PTR*);
using QueryAdvanceWidthsFn = BOOL (*)(DHPDEV, FONTOBJ*, ULONG, HGLYPH*, PVOID, ULONG);

// An engine bitmap holding an image of the document for one call.
class ImageSurface {
 public:
  explicit ImageSurface(const Image& image) : bits_(image.rows) {
    ULONG format = 0;
    switch (image.bitsPerPixel) {
      case 1: format = BMF_1BPP; break;
      case 4: format = BMF_4BPP; break;
      case 8: format = BMF_8BPP; break;
      case 24: format = BMF_24BPP; break;
      default: return;
    }
    if (image.compressed) {
      // The stream's length goes in place of a line length; it runs bottom up.
      if (format != BMF_4BPP && format != BMF_8BPP) return;
      if (bits_.empty() || bits_.size() > 0x7FFFFFFF) return;
      handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{image.width, image.height},
                                                        static_cast<LONG>(bits_.size()),
                                                        format == BMF_4BPP ? BMF_4RLE : BMF_8RLE, 0, bits_.data()));
    } else {
      if (image.width <= 0 || image.height <= 0 ||
          bits_.size() < static_cast<std::size_t>(image.Stride()) * image.height) {
        return;
      }
      handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{image.width, image.height}, image.Stride(),
                                                        format, BMF_TOPDOWN, bits_.data()));
    }
    if (handle_ != nullptr) so_ = EngLockSurface(handle_);
    palette_ = image.bitsPerPixel == 24 ? plat::eng::Palette::Bgr()
                                        : plat::eng::Palette::Indexed(image.palette);
  }
  ~ImageSurface() {
    if (so_ != nullptr) EngUnlockSurface(so_);
    if (handle_ != nullptr) EngDeleteSurface(handle_);
  }
  ImageSurface(const ImageSurface&) = delete;
  ImageSurface& operator=(const ImageSurface&) = delete;
  SURFOBJ* get() const { return so_; }
  const plat::eng::Palette& palette() const { return palette_; }

 private:
  std::vector<BYTE> bits_;
  HSURF handle_ = nullptr;
  SURFOBJ* so_ = nullptr;
  plat::eng::Palette palette_;
};

RECTL Union(const RECTL& a, const RECTL& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

RECTL PixelBounds(const plat::eng::Path& path) {
  const RECTFX b = path.Bounds();
  return {FXTOL(b.xLeft) - 1, FXTOL(b.yTop) - 1, FXTOLCEILING(b.xRight) + 2, FXTOLCEILING(b.yBottom) + 2};
}

}  // namespace

FontCache::~FontCache() {
  auto destroy = device_.Function<DestroyFontFn>(INDEX_DrvDestroyFont);
  for (auto& [key, font] : fonts_) {
    if (destroy != nullptr) destroy(font.get());
  }
  for (auto& [key, font] : deviceFonts_) {
    if (destroy != nullptr) destroy(font.get());
  }
}

plat::eng::Font* FontCache::Get(const std::u16string& face, bool bold, double emPixels,
                                double angle) {
  const auto key = std::make_tuple(face, bold, std::lround(emPixels * 64), std::lround(angle * 64));
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.get();
  auto file = plat::eng::FindFontFile(face, bold);
  if (!file) file = plat::eng::FindFontFile(u"DejaVu Sans", bold);
  if (!file) return nullptr;
  auto font = plat::eng::Font::Realize(*file, emPixels, angle, static_cast<LONG>(device_.gdiInfo.ulLogPixelsX));
  if (!font) return nullptr;
  if (auto mode = device_.Function<GetGlyphModeFn>(INDEX_DrvGetGlyphMode)) {
    font->SetGlyphMode(mode(device_.dhpdev, font.get()));
  }
  return fonts_.emplace(key, std::move(font)).first->second.get();
}

plat::eng::DeviceFont* FontCache::GetDevice(const std::u16string& face, double emPixels, double angle) {
  const auto key = std::make_tuple(face, std::lround(emPixels * 64), std::lround(angle * 64));
  auto it = deviceFonts_.find(key);
  if (it != deviceFonts_.end()) return it->second.get();
  auto queryFont = device_.Function<QueryFontFn>(INDEX_DrvQueryFont);
  auto queryTree = device_.Function<QueryFontTreeFn>(INDEX_DrvQueryFontTree);
  if (queryFont == nullptr || queryTree == nullptr || !(emPixels > 0)) return nullptr;
  for (ULONG iFace = 1; iFace <= device_.devInfo.cFonts; ++iFace) {
    ULONG_PTR id = 0;
    IFIMETRICS* ifi = queryFont(device_.dhpdev, 0, iFace, &id);
    if (ifi == nullptr || ifi->dpwszFaceName < static_cast<PTRDIFF>(sizeof(IFIMETRICS))) continue;
    const auto* name = reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(ifi) + ifi->dpwszFaceName);
    if (face != name) continue;
    auto* set = static_cast<FD_GLYPHSET*>(queryTree(device_.dhpdev, 0, iFace, QFT_GLYPHSET, &id));
    auto font = std::make_unique<plat::eng::DeviceFont>(iFace, ifi, set, emPixels, angle,
                                                        static_cast<LONG>(device_.gdiInfo.ulLogPixelsX));
    return deviceFonts_.emplace(key, std::move(font)).first->second.get();
  }
  return nullptr;
}

Painter::Painter(Device& device, SURFOBJ* surface, POINTL bandOrigin, FontCache& fonts)
    : device_(device), surface_(surface), origin_(bandOrigin), fonts_(fonts),
      dpi_(static_cast<LONG>(std::max<ULONG>(device.gdiInfo.ulLogPixelsX, 1))),
      clipUniq_(plat::eng::NewClipUniq()) {
  const plat::eng::Palette* palette = plat::eng::PaletteOf(device.devInfo.hpalDefault);
  palette_ = palette ? *palette : plat::eng::Palette::Bgr();
}

LONG Painter::ToDevice(LONG twips) const {
  return static_cast<LONG>(std::floor(static_cast<double>(twips) * dpi_ / 1440 + 0.5));
}
POINTL Painter::ToDevice(POINT p) const { return {ToDevice(p.x) - origin_.x, ToDevice(p.y) - origin_.y}; }
POINTFIX Painter::ToFix(POINT p) const {
  auto fix = [&](LONG twips, LONG origin) {
    return static_cast<FIX>(std::lround(static_cast<double>(twips) * dpi_ * 16 / 1440)) - LTOFX(origin);
  };
  return {fix(p.x, origin_.x), fix(p.y, origin_.y)};
}
RECTL Painter::ToDevice(const RECT& r) const {
  const POINTL a = ToDevice(POINT{r.left, r.top}), b = ToDevice(POINT{r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

bool Painter::Hooked(FLONG hook) const {
  const plat::eng::Surface* s = plat::eng::SurfaceOf(surface_);
  return s != nullptr && (s->hooks & hook) != 0;
}

void Painter::SetClip(const Clip& clip) {
  clip_.clear();
  for (const RECT& r : clip.rects) clip_.push_back(plat::eng::Ordered(ToDevice(r)));
  clipUniq_ = plat::eng::NewClipUniq();
}

bool Painter::Draw(const Command& command, std::string& error) {
  return std::visit(
      [&](const auto& c) -> bool {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, Text>) return DrawText(c, error);
        if constexpr (std::is_same_v<T, Line>) return DrawLine(c, error);
        if constexpr (std::is_same_v<T, Shape>) return DrawShape(c, error);
        if constexpr (std::is_same_v<T, Picture>) return DrawPicture(c, error);
        if constexpr (std::is_same_v<T, Clip>) SetClip(c);
        return true;
      },
      command);
}

namespace {

// The clip of a drawing: the application's region (or the whole surface)
// limited to the surface.
plat::eng::Clip MakeClip(const std::vector<RECTL>& region, SURFOBJ* surface, const RECTL& bounds,
                         ULONG uniq) {
  const RECTL whole{0, 0, surface->sizlBitmap.cx, surface->sizlBitmap.cy};
  std::vector<RECTL> rects;
  if (region.empty()) {
    rects.push_back(whole);
  } else {
    for (const RECTL& r : region) rects.push_back(plat::eng::Intersect(r, whole));
  }
  return plat::eng::Clip::Region(std::move(rects), bounds, uniq);
}

bool Fail(std::string& error, const char* what) {
  error = what;
  return false;
}

// A path call the driver declines with FALSE is drawn by the engine itself
// (engine() draws it); DDI_ERROR is the driver's failure.
template <typename Engine>
BOOL PathDrawn(BOOL driver, Engine&& engine) {
  if (driver == FALSE) return engine();
  return driver == static_cast<BOOL>(DDI_ERROR) ? FALSE : TRUE;
}

}  // namespace

bool Painter::DrawText(const Text& text, std::string& error) {
  const double emPixels = static_cast<double>(text.points) * dpi_ / 72.0;
  if (plat::eng::DeviceFont* device = fonts_.GetDevice(text.face, emPixels, text.angle)) {
    return DrawDeviceText(text, *device, error);
  }
  plat::eng::Font* font = fonts_.Get(text.face, text.bold, emPixels, text.angle);
  if (font == nullptr) return Fail(error, "the font of a text is not installed");
  // Glyph positions: the pen moves by each glyph's advance, in 26.6.
  std::vector<GLYPHPOS> positions;
  const POINTL start = ToDevice(text.at);
  LONG penX = start.x * 64, penY = start.y * 64;
  std::vector<LONG> advances;
  RECTL box{start.x, start.y, start.x, start.y};
  for (WCHAR c : text.text) {
    const HGLYPH hg = font->GlyphOf(c);
    positions.push_back(GLYPHPOS{hg, nullptr, POINTL{(penX + 32) >> 6, (penY + 32) >> 6}});
    const POINTL advance = font->Advance26_6(hg);
    advances.push_back(advance.x);
    GLYPHDATA* data = font->Glyph(hg, FO_GLYPHBITS);
    if (data != nullptr) {
      const GLYPHBITS* gb = data->gdf.pgb;
      const POINTL at{positions.back().ptl.x + gb->ptlOrigin.x, positions.back().ptl.y + gb->ptlOrigin.y};
      box = Union(box, RECTL{at.x, at.y, at.x + gb->sizlBitmap.cx, at.y + gb->sizlBitmap.cy});
    }
    penX += advance.x;
    penY += advance.y;
  }
  if (positions.empty()) return true;
  FLONG accel = SO_FLAG_DEFAULT_PLACEMENT;
  ULONG charInc = 0;
  if (text.angle == 0) {
    accel |= SO_HORIZONTAL;
    const bool even = std::all_of(advances.begin(), advances.end(),
                                  [&](LONG a) { return a == advances.front() && a % 64 == 0; });
    if (font->fixedPitch() && even) charInc = static_cast<ULONG>(advances.front() / 64);
  }
  if (text.glyphIndices) accel |= SO_GLYPHINDEX_TEXTOUT;
  plat::eng::Str str(*font, text.text, std::move(positions), accel, charInc, box);
  if (text.glyphIndices) str.pwszOrg = nullptr;
  return TextOut(&str, font, text, box, error);
}

// A device font's glyphs advance by the widths the driver gives, along the
// baseline; characters the font lacks take its default character.
bool Painter::DrawDeviceText(const Text& text, plat::eng::DeviceFont& font, std::string& error) {
  auto widths = device_.Function<QueryAdvanceWidthsFn>(INDEX_DrvQueryAdvanceWidths);
  if (widths == nullptr) return Fail(error, "the driver gives no advance widths");
  const POINTL start = ToDevice(text.at);
  const double radians = text.angle * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  const auto along = [&](double pen) {
    return POINTL{static_cast<LONG>(start.x + std::lround(pen * c)), static_cast<LONG>(start.y - std::lround(pen * s))};
  };
  std::vector<GLYPHPOS> positions;
  std::u16string shown;
  double pen = 0;  // pixels along the baseline
  for (char16_t ch : text.text) {
    HGLYPH hg = font.GlyphOf(ch);
    if (hg == HGLYPH_INVALID) continue;
    USHORT width = 0;
    if (!widths(device_.dhpdev, &font, QAW_GETWIDTHS, &hg, &width, 1)) return Fail(error, "no advance width");
    positions.push_back(GLYPHPOS{hg, nullptr, along(pen)});
    shown += ch;
    pen += width / 16.0;
  }
  if (positions.empty()) return true;
  const IFIMETRICS* ifi = font.Metrics();
  const double em = static_cast<double>(text.points) * dpi_ / 72.0;
  const double units = ifi != nullptr && ifi->fwdUnitsPerEm > 0 ? ifi->fwdUnitsPerEm : 1000.0;
  const auto ascent = static_cast<LONG>(std::lround(em * (ifi != nullptr ? ifi->fwdWinAscender : 0) / units));
  const auto descent = static_cast<LONG>(std::lround(em * (ifi != nullptr ? ifi->fwdWinDescender : 0) / units));
  const POINTL end = along(pen);
  const RECTL box{std::min(start.x, end.x) - ascent, std::min(start.y, end.y) - ascent,
                  std::max(start.x, end.x) + ascent, std::max(start.y, end.y) + std::max(ascent, descent)};
  const FLONG accel = text.angle == 0 ? SO_HORIZONTAL : 0;
  const RECTL background = text.angle == 0 ? RECTL{start.x, start.y - ascent, end.x, start.y + descent} : box;
  plat::eng::Str str(font, shown, std::move(positions), accel, 0, background);
  return TextOut(&str, &font, text, box, error);
}

bool Painter::TextOut(STROBJ* str, FONTOBJ* font, const Text& text, const RECTL& box, std::string& error) {
  auto fore = plat::eng::Brush::Solid(palette_.FromRgb(text.rgb), text.rgb);
  fore->SetTarget(surface_);
  auto clip = MakeClip(clip_, surface_, box, clipUniq_);
  POINTL org{0, 0};
  BOOL ok = FALSE;
  if (Hooked(HOOK_TEXTOUT)) {
    ok = device_.Function<TextOutFn>(INDEX_DrvTextOut)(surface_, str, font, &clip, nullptr, nullptr,
                                                       fore.get(), nullptr, &org, kCopyPen);
  } else {
    ok = EngTextOut(surface_, str, font, &clip, nullptr, nullptr, fore.get(), nullptr, &org, kCopyPen);
  }
  return ok ? true : Fail(error, "text output failed");
}

namespace {

// The line attributes of a pen, with the dash array they point to. World
// space is twips; widths and geometric dashes are in world units.
struct PenAttributes {
  LINEATTRS attrs{};
  std::vector<FLOAT_LONG> styles;
};

PenAttributes Attributes(const Pen& pen) {
  PenAttributes out;
  LINEATTRS& la = out.attrs;
  const bool geometric = pen.width > 0 || pen.style == PenStyle::kCustom;
  la.iJoin = pen.join;
  la.iEndCap = pen.cap;
  la.eMiterLimit = 10.0f;
  std::vector<double> dashes;
  const double unit = geometric ? std::max<LONG>(pen.width, 1) : 1;
  switch (pen.style) {
    case PenStyle::kDash: dashes = {6 * unit, 2 * unit}; break;
    case PenStyle::kDot: dashes = {unit, unit}; break;
    case PenStyle::kDashDot: dashes = {3 * unit, unit, unit, unit}; break;
    case PenStyle::kCustom: dashes.assign(pen.dashes.begin(), pen.dashes.end()); break;
    default: break;
  }
  for (double d : dashes) {
    FLOAT_LONG v{};
    if (geometric) v.e = static_cast<FLOATL>(d); else v.l = static_cast<LONG>(d);
    out.styles.push_back(v);
  }
  if (geometric) {
    la.fl = LA_GEOMETRIC;
    la.elWidth.e = static_cast<FLOATL>(std::max<LONG>(pen.width, 1));
  } else {
    la.elWidth.l = 1;
    if (!dashes.empty()) la.fl |= LA_STYLED;
  }
  la.cstyle = static_cast<ULONG>(out.styles.size());
  la.pstyle = out.styles.empty() ? nullptr : out.styles.data();
  return out;
}

}  // namespace

bool Painter::DrawLine(const Line& line, std::string& error) {
  if (line.points.size() < 2 || line.pen.style == PenStyle::kNull) return true;
  plat::eng::Path path;
  std::vector<POINTFIX> points;
  for (POINT p : line.points) points.push_back(ToFix(p));
  path.AddPolygon(points, false);
  PenAttributes pen = Attributes(line.pen);
  const double scale = static_cast<double>(dpi_) / 1440;
  plat::eng::Xform xform(XFORML{static_cast<FLOATL>(scale), 0, 0, static_cast<FLOATL>(scale), 0, 0});
  auto brush = plat::eng::Brush::Solid(palette_.FromRgb(line.pen.rgb), line.pen.rgb);
  brush->SetTarget(surface_);
  const LONG margin = ToDevice(std::max<LONG>(line.pen.width, 0)) + 2;
  RECTL bounds = PixelBounds(path);
  bounds = {bounds.left - margin, bounds.top - margin, bounds.right + margin, bounds.bottom + margin};
  auto clip = MakeClip(clip_, surface_, bounds, clipUniq_);
  const bool geometricWide = (pen.attrs.fl & LA_GEOMETRIC) != 0;
  const bool driverCan = Hooked(HOOK_STROKEPATH) &&
                         (!geometricWide || (device_.devInfo.flGraphicsCaps & GCAPS_GEOMETRICWIDE));
  POINTL org{0, 0};
  auto engine = [&] { return EngStrokePath(surface_, &path, &clip, &xform, brush.get(), &org, &pen.attrs, kCopyPen); };
  const BOOL ok = driverCan
      ? PathDrawn(device_.Function<StrokePathFn>(INDEX_DrvStrokePath)(surface_, &path, &clip, &xform, brush.get(),
                                                                      &org, &pen.attrs, kCopyPen),
                  engine)
      : engine();
  return ok ? true : Fail(error, "stroking a line failed");
}

bool Painter::DrawShape(const Shape& shape, std::string& error) {
  plat::eng::Path path;
  const RECT& b = shape.box;
  switch (shape.kind) {
    case ShapeKind::kRectangle:
      path.AddPolygon({ToFix({b.left, b.top}), ToFix({b.right, b.top}), ToFix({b.right, b.bottom}),
                       ToFix({b.left, b.bottom})}, true);
      break;
    case ShapeKind::kEllipse: {
      const POINTFIX a = ToFix({b.left, b.top}), c = ToFix({b.right, b.bottom});
      path.AddEllipse(RECTFX{a.x, a.y, c.x, c.y});
      break;
    }
    case ShapeKind::kPolygon: {
      std::vector<POINTFIX> points;
      for (POINT p : shape.points) points.push_back(ToFix(p));
      path.AddPolygon(points, true);
      break;
    }
  }
  // A driver that takes no curves gets the path flattened.
  std::unique_ptr<plat::eng::Path> flat;
  plat::eng::Path* use = &path;
  if (!(device_.devInfo.flGraphicsCaps & GCAPS_BEZIERS) && path.HasBeziers()) {
    flat = path.Flattened();
    use = flat.get();
  }
  // The fill brush.
  std::unique_ptr<plat::eng::Brush> fill;
  std::unique_ptr<ImageSurface> pattern;
  switch (shape.brush.kind) {
    case BrushKind::kSolid:
      fill = plat::eng::Brush::Solid(palette_.FromRgb(shape.brush.rgb), shape.brush.rgb);
      break;
    case BrushKind::kHatch:
      fill = plat::eng::Brush::Hatch(shape.brush.hatch, palette_, shape.brush.rgb, kWhite);
      break;
    case BrushKind::kPattern:
      // Brushes are made from plain bitmaps only: a compressed pattern is refused.
      if (shape.brush.pattern.compressed) return Fail(error, "a pattern brush has a bad image");
      pattern = std::make_unique<ImageSurface>(shape.brush.pattern);
      if (pattern->get() == nullptr) return Fail(error, "a pattern brush has a bad image");
      fill = plat::eng::Brush::Pattern(
          pattern->get(), std::make_unique<plat::eng::Xlate>(pattern->palette(), palette_));
      break;
    case BrushKind::kNone:
      break;
  }
  if (shape.brush.kind != BrushKind::kNone && !fill) return Fail(error, "a brush could not be made");
  // The driver realizes a pattern for the surface it draws on.
  if (fill) fill->SetTarget(surface_);
  const bool stroke = shape.pen.style != PenStyle::kNull;
  RECTL bounds = PixelBounds(*use);
  const LONG margin = ToDevice(std::max<LONG>(shape.pen.width, 0)) + 2;
  bounds = {bounds.left - margin, bounds.top - margin, bounds.right + margin, bounds.bottom + margin};
  auto clip = MakeClip(clip_, surface_, bounds, clipUniq_);
  const FLONG fillMode = shape.winding ? FP_WINDINGMODE : FP_ALTERNATEMODE;
  POINTL org{0, 0};
  // A rectangle filled without a pen is a pattern blt.
  if (shape.kind == ShapeKind::kRectangle && fill && !stroke) {
    RECTL target = plat::eng::Ordered(ToDevice(b));
    const BOOL ok = Hooked(HOOK_BITBLT)
        ? device_.Function<BitBltFn>(INDEX_DrvBitBlt)(surface_, nullptr, nullptr, &clip, nullptr,
                                                       &target, nullptr, nullptr, fill.get(), &org, 0xF0F0)
        : EngBitBlt(surface_, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, fill.get(),
                    &org, 0xF0F0);
    return ok ? true : Fail(error, "a rectangle fill failed");
  }
  PenAttributes pen = Attributes(shape.pen);
  const double scale = static_cast<double>(dpi_) / 1440;
  plat::eng::Xform xform(XFORML{static_cast<FLOATL>(scale), 0, 0, static_cast<FLOATL>(scale), 0, 0});
  auto penBrush = plat::eng::Brush::Solid(palette_.FromRgb(shape.pen.rgb), shape.pen.rgb);
  penBrush->SetTarget(surface_);
  const bool wide = (pen.attrs.fl & LA_GEOMETRIC) != 0;
  const bool driverStrokes = Hooked(HOOK_STROKEPATH) &&
                             (!wide || (device_.devInfo.flGraphicsCaps & GCAPS_GEOMETRICWIDE));
  if (fill && stroke && Hooked(HOOK_STROKEANDFILLPATH) && driverStrokes) {
    const BOOL ok = PathDrawn(
        device_.Function<StrokeAndFillPathFn>(INDEX_DrvStrokeAndFillPath)(
            surface_, use, &clip, &xform, penBrush.get(), &pen.attrs, fill.get(), &org, kCopyPen, fillMode),
        [&] {
          return EngStrokeAndFillPath(surface_, use, &clip, &xform, penBrush.get(), &pen.attrs, fill.get(), &org,
                                      kCopyPen, fillMode);
        });
    return ok ? true : Fail(error, "stroking and filling a shape failed");
  }
  if (fill) {
    const BOOL ok = Hooked(HOOK_FILLPATH)
        ? PathDrawn(device_.Function<FillPathFn>(INDEX_DrvFillPath)(surface_, use, &clip, fill.get(), &org,
                                                                     kCopyPen, fillMode),
                    [&] { return EngFillPath(surface_, use, &clip, fill.get(), &org, kCopyPen, fillMode); })
        : EngFillPath(surface_, use, &clip, fill.get(), &org, kCopyPen, fillMode);
    if (!ok) return Fail(error, "filling a shape failed");
  }
  if (stroke) {
    use->EnumStart();
    auto engine = [&] { return EngStrokePath(surface_, use, &clip, &xform, penBrush.get(), &org, &pen.attrs, kCopyPen); };
    const BOOL ok = driverStrokes
        ? PathDrawn(device_.Function<StrokePathFn>(INDEX_DrvStrokePath)(surface_, use, &clip, &xform,
                                                                        penBrush.get(), &org, &pen.attrs, kCopyPen),
                    engine)
        : engine();
    if (!ok) return Fail(error, "stroking a shape failed");
  }
  return true;
}

bool Painter::DrawPicture(const Picture& picture, std::string& error) {
  ImageSurface source(picture.image);
  if (source.get() == nullptr) return Fail(error, "an image is damaged");
  plat::eng::Xlate xlate(source.palette(), palette_);
  RECTL dest = ToDevice(picture.dest);
  const bool natural = picture.dest.right == picture.dest.left && picture.dest.bottom == picture.dest.top;
  if (natural) dest = {dest.left, dest.top, dest.left + picture.image.width, dest.top + picture.image.height};
  // A picture drawn so thin that it rounds to nothing still covers a dot.
  if (dest.right == dest.left && picture.dest.right != picture.dest.left) {
    dest.right = dest.left + (picture.dest.right > picture.dest.left ? 1 : -1);
  }
  if (dest.bottom == dest.top && picture.dest.bottom != picture.dest.top) {
    dest.bottom = dest.top + (picture.dest.bottom > picture.dest.top ? 1 : -1);
  }
  RECTL src{0, 0, picture.image.width, picture.image.height};
  auto clip = MakeClip(clip_, surface_, plat::eng::Ordered(dest), clipUniq_);
  POINTL srcOrigin{0, 0};
  const bool same = dest.right - dest.left == src.right && dest.bottom - dest.top == src.bottom;
  BOOL ok = FALSE;
  if (same) {
    ok = Hooked(HOOK_BITBLT)
        ? device_.Function<BitBltFn>(INDEX_DrvBitBlt)(surface_, source.get(), nullptr, &clip, &xlate,
                                                       &dest, &srcOrigin, nullptr, nullptr, nullptr, 0xCCCC)
        : EngBitBlt(surface_, source.get(), nullptr, &clip, &xlate, &dest, &srcOrigin, nullptr, nullptr,
                    nullptr, 0xCCCC);
  } else {
    POINTL htOrigin{0, 0};
    ok = Hooked(HOOK_STRETCHBLT)
        ? device_.Function<StretchBltFn>(INDEX_DrvStretchBlt)(surface_, source.get(), nullptr, &clip, &xlate,
                                                               nullptr, &htOrigin, &dest, &src, nullptr,
                                                               COLORONCOLOR)
        : EngStretchBlt(surface_, source.get(), nullptr, &clip, &xlate, nullptr, &htOrigin, &dest, &src,
                        nullptr, COLORONCOLOR);
  }
  return ok ? true : Fail(error, "drawing an image failed");
}

}  // namespace printhost
