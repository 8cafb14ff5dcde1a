// The built-in sample document: every drawing kind of the host.
#include "platform/engine/objects/brushobj.h"
#include "platform/engine/objects/pathobj.h"
#include "tools/printhost/document.h"

namespace printhost {
namespace {

// An image of the depth whose pixels run through its palette (or, at 24
// bits, through red and blue ramps), so that every pixel can be checked.
Image Ramp(int bits, LONG width, LONG height) {
  Image image;
  image.bitsPerPixel = bits;
  image.width = width;
  image.height = height;
  image.rows.assign(static_cast<std::size_t>(image.Stride()) * height, 0);
  const int entries = bits == 24 ? 0 : 1 << bits;
  for (int i = 0; i < entries; ++i) {
    const BYTE level = static_cast<BYTE>(i * 255 / (entries - 1));
    image.palette.push_back(Rgb(level, static_cast<BYTE>(255 - level), 0x40));
  }
  for (LONG y = 0; y < height; ++y) {
    BYTE* row = image.rows.data() + static_cast<std::size_t>(y) * image.Stride();
    for (LONG x = 0; x < width; ++x) {
      if (bits == 24) {
        row[3 * x] = static_cast<BYTE>(x * 255 / (width - 1));      // blue
        row[3 * x + 1] = 0x80;                                       // green
        row[3 * x + 2] = static_cast<BYTE>(y * 255 / (height - 1));  // red
        continue;
      }
      const int index = (x + y) % entries;
      const int bit = x * bits;
      row[bit / 8] |= static_cast<BYTE>(index << (8 - bits - bit % 8));
    }
  }
  return image;
}

Pen Cosmetic(ULONG rgb, PenStyle style = PenStyle::kSolid) {
  Pen pen;
  pen.style = style;
  pen.rgb = rgb;
  return pen;
}

Pen Wide(ULONG rgb, LONG width, ULONG cap, ULONG join) {
  Pen pen;
  pen.rgb = rgb;
  pen.width = width;
  pen.cap = cap;
  pen.join = join;
  return pen;
}

Brush Solid(ULONG rgb) { return Brush{BrushKind::kSolid, rgb, 0, {}}; }
Brush Hatched(ULONG rgb, ULONG style) { return Brush{BrushKind::kHatch, rgb, style, {}}; }

// Text in the printer's own fonts (Japanese text goes in Shift-JIS; a
// device that offers none prints them in a face of the engine), and
// TrueType text of a size and angle of its own, by characters and by glyph
// indices.
void AddFontText(Page& page) {
  const std::u16string mincho = u"\u660E\u671D";
  const std::u16string gothic = u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78";
  page.commands.push_back(Text{mincho, 14, 0, false, {1440, 11160},
                               u"Device font \u660E\u671D: \u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8",
                               Rgb(0, 0, 0)});
  page.commands.push_back(Text{gothic, 12, 0, false, {1440, 11880}, u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78 ABC 123",
                               Rgb(0, 0, 0x80)});
  page.commands.push_back(Text{mincho, 12, 90, false, {9360, 14400}, u"Turned \u660E\u671D", Rgb(0, 0, 0)});
  page.commands.push_back(Text{u"DejaVu Sans", 16, 0, false, {1440, 12960}, u"TrueType: abc abc", Rgb(0, 0x60, 0)});
  // Glyph indices name no characters the printer could look up: outlines,
  // or glyph bitmaps.
  page.commands.push_back(
      Text{u"DejaVu Sans", 16, 0, false, {1440, 13680}, u"Glyph indices: xyx", Rgb(0x60, 0, 0x60), true});
}

Page TextPage() {
  Page page;
  page.commands.push_back(Text{u"DejaVu Sans", 12, 0, false, {1440, 1440}, u"Kesm sample: text", Rgb(0, 0, 0)});
  page.commands.push_back(Text{u"DejaVu Sans Mono", 10, 0, false, {1440, 2160},
                               u"Monospaced text longer than one batch", Rgb(0, 0, 0x80)});
  page.commands.push_back(Text{u"DejaVu Serif", 18, 30, true, {1440, 5040}, u"Turned 30", Rgb(0x80, 0, 0)});
  page.commands.push_back(Line{{{1440, 6480}, {8640, 6480}}, Cosmetic(Rgb(0, 0, 0))});
  page.commands.push_back(Line{{{1440, 7200}, {8640, 7200}}, Cosmetic(Rgb(0, 0, 0xFF), PenStyle::kDash)});
  page.commands.push_back(Line{{{1440, 7920}, {5040, 9360}, {8640, 7920}}, Wide(Rgb(0, 0x80, 0), 60, ENDCAP_ROUND, JOIN_ROUND)});
  Pen custom = Wide(Rgb(0x40, 0x40, 0x40), 30, ENDCAP_BUTT, JOIN_MITER);
  custom.style = PenStyle::kCustom;
  custom.dashes = {240, 120, 60, 120};
  page.commands.push_back(Line{{{1440, 10080}, {8640, 10080}}, custom});
  AddFontText(page);
  return page;
}

// Paths under clips: a stroked and filled polygon and a line clipped by a
// region of two rectangles, a polygon filled without a pen under one
// rectangle, then a line without a clip.
void AddClippedPaths(Page& page) {
  page.commands.push_back(Clip{{{5040, 6480, 6480, 7920}, {7200, 6480, 8640, 7920}}});
  Shape diamond;
  diamond.kind = ShapeKind::kPolygon;
  diamond.points = {{6840, 6120}, {8640, 7200}, {6840, 8280}, {5040, 7200}};
  diamond.pen = Cosmetic(Rgb(0x80, 0, 0x80));
  diamond.brush = Solid(Rgb(0xFF, 0xC0, 0x80));
  page.commands.push_back(diamond);
  page.commands.push_back(Line{{{5040, 6480}, {8640, 7920}}, Cosmetic(Rgb(0, 0, 0))});
  page.commands.push_back(Clip{{{5040, 8640, 8640, 9000}}});
  Shape band;
  band.kind = ShapeKind::kPolygon;
  band.points = {{5040, 8500}, {8640, 8500}, {8640, 9200}, {5040, 9200}, {6840, 8800}};
  band.pen.style = PenStyle::kNull;
  band.brush = Solid(Rgb(0, 0x80, 0x80));
  page.commands.push_back(band);
  page.commands.push_back(Clip{});
  page.commands.push_back(Line{{{5040, 9360}, {8640, 9360}}, Cosmetic(Rgb(0x80, 0x80, 0x80))});
}

Page ShapePage() {
  Page page;
  Shape filled;
  filled.box = {1440, 1440, 4320, 2880};
  filled.pen.style = PenStyle::kNull;
  filled.brush = Solid(Rgb(0xC0, 0xC0, 0xFF));
  page.commands.push_back(filled);
  Shape hatched;
  hatched.box = {5040, 1440, 7920, 2880};
  hatched.pen = Cosmetic(Rgb(0, 0, 0));
  hatched.brush = Hatched(Rgb(0xFF, 0, 0), HS_DIAGCROSS);
  page.commands.push_back(hatched);
  Shape ellipse;
  ellipse.kind = ShapeKind::kEllipse;
  ellipse.box = {1440, 3600, 4320, 5760};
  ellipse.pen = Wide(Rgb(0, 0, 0), 40, ENDCAP_ROUND, JOIN_ROUND);
  ellipse.brush = Solid(Rgb(0xFF, 0xFF, 0));
  page.commands.push_back(ellipse);
  Shape star;
  star.kind = ShapeKind::kPolygon;
  star.points = {{6480, 3600}, {7200, 5760}, {5040, 4320}, {7920, 4320}, {5760, 5760}};
  star.winding = true;
  star.pen = Cosmetic(Rgb(0, 0, 0x80));
  star.brush.kind = BrushKind::kPattern;
  star.brush.pattern = Ramp(1, 8, 8);
  page.commands.push_back(star);
  page.commands.push_back(Clip{{{1440, 6480, 4320, 7920}}});
  Shape clipped;
  clipped.box = {720, 6120, 5040, 8640};
  clipped.pen.style = PenStyle::kNull;
  clipped.brush = Hatched(Rgb(0, 0x80, 0), HS_HORIZONTAL);
  page.commands.push_back(clipped);
  page.commands.push_back(Clip{{{1440, 9360, 4320, 10080}, {5040, 9360, 8640, 10080}}});
  page.commands.push_back(Text{u"DejaVu Sans", 24, 0, false, {1440, 10000}, u"Clipped by a region of two rectangles", Rgb(0, 0, 0)});
  page.commands.push_back(Clip{});
  AddClippedPaths(page);
  return page;
}

// Pictures that take the other ways of a transfer: a mirrored stretch, a
// palette shorter than its depth, and a picture under a clip of two
// rectangles.
std::vector<Command> TransferPictures() {
  Image shortPalette = Ramp(8, 24, 24);
  shortPalette.palette.resize(20);
  for (BYTE& index : shortPalette.rows) index = static_cast<BYTE>(index % 20);
  return {
      Picture{Ramp(4, 40, 20), {7920, 1440, 5040, 2520}},
      Picture{shortPalette, {1440, 10800, 1440, 10800}},
      Clip{{{5040, 10800, 6480, 12240}, {7200, 10800, 8640, 12240}}},
      Picture{Ramp(24, 60, 30), {5040, 10800, 8640, 12240}},
      Clip{},
  };
}

Page ImagePage() {
  Page page;
  page.commands.push_back(Picture{Ramp(1, 64, 32), {1440, 1440, 1440, 1440}});
  page.commands.push_back(Picture{Ramp(4, 40, 20), {1440, 2880, 4320, 4320}});
  page.commands.push_back(Picture{Ramp(8, 32, 32), {5040, 2880, 7920, 5760}});
  page.commands.push_back(Picture{Ramp(24, 50, 30), {1440, 6480, 7920, 10080}});
  for (Command& command : TransferPictures()) page.commands.push_back(std::move(command));
  return page;
}

Page LandscapePage() {
  Page page;
  page.modeChange = ModeChange{2, std::nullopt, std::nullopt};
  page.commands.push_back(Text{u"DejaVu Sans", 14, 0, false, {1440, 1440}, u"After the change of DEVMODE", Rgb(0, 0, 0)});
  Shape box;
  box.box = {1440, 2160, 7200, 3600};
  box.pen = Cosmetic(Rgb(0, 0, 0), PenStyle::kDot);
  box.brush = Solid(Rgb(0xE0, 0xE0, 0xE0));
  page.commands.push_back(box);
  return page;
}

}  // namespace

Document SampleDocument() {
  Document document;
  document.name = u"Kesm sample document";
  document.pages = {TextPage(), ShapePage(), ImagePage(), LandscapePage()};
  return document;
}

}  // namespace printhost
