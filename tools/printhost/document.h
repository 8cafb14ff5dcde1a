// The print host's document: pages of drawing commands in GDI's terms, in
// twips (1/1440 inch) from the top left of the printable area.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/base/wintypes.h"

namespace printhost {

// Colours are RGB with red in the low byte, as GDI's COLORREF.
constexpr ULONG Rgb(BYTE r, BYTE g, BYTE b) { return r | (g << 8) | (static_cast<ULONG>(b) << 16); }

// A bitmap of 1, 4, 8 or 24 bits per pixel: rows top first, each padded to
// whole 32-bit words; 24-bit pixels in blue, green, red byte order; the
// palette (RGB) for the indexed depths. A compressed image (4 or 8 bits)
// holds in rows the run-length stream of a bottom-up bitmap instead.
struct Image {
  int bitsPerPixel = 24;
  LONG width = 0;
  LONG height = 0;
  std::vector<ULONG> palette;
  std::vector<BYTE> rows;
  bool compressed = false;

  LONG Stride() const { return ((width * bitsPerPixel + 31) / 32) * 4; }
};

enum class BrushKind { kNone, kSolid, kHatch, kPattern };
struct Brush {
  BrushKind kind = BrushKind::kNone;
  ULONG rgb = 0;
  ULONG hatch = 0;  // HS_* for a hatch brush
  Image pattern;    // for a pattern brush
};

enum class PenStyle { kNull, kSolid, kDash, kDot, kDashDot, kCustom };
struct Pen {
  PenStyle style = PenStyle::kSolid;
  ULONG rgb = 0;
  LONG width = 0;              // twips; 0 is a cosmetic one-pixel pen
  std::vector<LONG> dashes;    // kCustom: dash and gap lengths in twips
  ULONG cap = 0;               // ENDCAP_*
  ULONG join = 0;              // JOIN_*
};

struct Text {
  std::u16string face = u"DejaVu Sans";
  LONG points = 12;      // em height in points
  double angle = 0;      // degrees counter-clockwise
  bool bold = false;
  POINT at{};            // the baseline start
  std::u16string text;
  ULONG rgb = 0;
  // The application gives the font's glyph indices, not the characters
  // (the engine passes no text with them).
  bool glyphIndices = false;
};

struct Line {
  std::vector<POINT> points;
  Pen pen;
};

enum class ShapeKind { kRectangle, kEllipse, kPolygon };
struct Shape {
  ShapeKind kind = ShapeKind::kRectangle;
  RECT box{};                  // rectangle and ellipse
  std::vector<POINT> points;   // polygon
  Pen pen;
  Brush brush;
  bool winding = false;        // polygon fill rule
};

// An image drawn into dest; a dest without extent (right = left and
// bottom = top) draws it pixel for pixel at its top left.
struct Picture {
  Image image;
  RECT dest{};
};

// The clip region for the commands that follow: a union of rectangles; none
// clips to the page only.
struct Clip {
  std::vector<RECT> rects;
};

using Command = std::variant<Text, Line, Shape, Picture, Clip>;

// A change of the DEVMODE before a page (ResetDC): the fields given replace
// those of the document's DEVMODE.
struct ModeChange {
  std::optional<SHORT> orientation;
  std::optional<SHORT> printQuality;
  std::optional<SHORT> color;
};

struct Page {
  std::optional<ModeChange> modeChange;
  std::vector<Command> commands;
};

struct Document {
  std::u16string name;
  std::vector<Page> pages;
};

// A document handed over a page at a time, so that a long one is never
// held whole.
class PageSource {
 public:
  virtual ~PageSource() = default;
  // The document's name: the job's name.
  virtual std::u16string Name() const = 0;
  // The next page, valid until the next call: null at the end (error left
  // as it was) or when the page cannot be made (error says why).
  virtual const Page* Next(std::string& error) = 0;
};

// A built-in document that draws every kind of command over several pages,
// with a DEVMODE change before its last page.
Document SampleDocument();

// Strict UTF-8 to UTF-16, appended to out; false at the first invalid
// sequence, whose offset goes to bad.
bool DecodeUtf8(std::string_view in, std::u16string& out, std::size_t& bad);

// Plain text paged in a monospaced font (see text_pages.h), held whole;
// false with a message for a file that cannot be read, is not a regular
// file, is larger than 4 MiB or is not valid UTF-8.
bool TextDocument(const std::string& path, Document& document, std::string& error);
// A PNG image scaled to the page; false with a message for a file that
// cannot be read, is not a PNG, is damaged or is larger than 65535 pixels a
// side or 40 million pixels.
bool PngDocument(const std::string& path, Document& document, std::string& error);

}  // namespace printhost
