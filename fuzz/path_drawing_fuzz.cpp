// Feeds random paths and clip rectangles to the path drawing calls of the
// rendering library, printed through the print host on the sample printer
// that kesmprint installs. An input is a page of commands, each
// {command byte, count byte, count items of 8 bytes}: command 0 sets the
// clip to count rectangles (none: the page), 1 fills a polygon, 2 strokes
// it, 3 strokes and fills it, 4 strokes an open line, each through count
// points; an item is four little-endian i16 values in twips, a rectangle's
// left, top, right and bottom, or a point and two more values for the pen:
// the first item's third value is the pen's width (0 a cosmetic pen), its
// fourth picks the pen's style, cap and join and the fill rule. Points
// and rectangles may lie anywhere, inverted or off the page, but a shape
// is kept small: its first point is where the input puts it, each further
// point lies within 1024 twips of it (its values taken as offsets in
// thirty-seconds), at most 64 points a shape (further items are skipped),
// the pen at most 255 twips wide and a dashed or dotted one at least 60
// (its dashes are multiples of its width), so that an input
// draws few pixels while reaching every edge of the page (the engine draws
// a path on the printer's surface through a copy of the area it covers). Each input
// prints as one page of a document kept open, which must print or fail
// cleanly with nothing left allocated. The seeds (fuzz/corpus/path_drawing/)
// are the shapes of the sample document's clipped paths.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/sample_host.h"
#include "platform/base/machine.h"
#include "platform/engine/objects/pathobj.h"
#include "tools/printhost/print_host.h"

namespace {

constexpr std::size_t kItemBytes = 8;
constexpr std::size_t kMaxCommands = 64;
constexpr std::size_t kMaxPoints = 64;  // a shape's; further items are skipped
constexpr LONG kMaxPenWidth = 0xFF;  // twips
constexpr LONG kShortestDash = 60;   // twips
constexpr int kOffsetShift = 5;       // a further point's offset: its value / 32

LONG I16(const std::uint8_t* at) { return static_cast<std::int16_t>(at[0] | at[1] << 8); }

printhost::Pen PenOf(const std::uint8_t* item) {
  printhost::Pen pen;
  const LONG width = I16(item + 4) & kMaxPenWidth;
  const auto choice = static_cast<std::uint16_t>(I16(item + 6));
  static constexpr printhost::PenStyle kStyles[] = {printhost::PenStyle::kSolid, printhost::PenStyle::kDash,
                                                    printhost::PenStyle::kDot, printhost::PenStyle::kDashDot,
                                                    printhost::PenStyle::kCustom};
  pen.style = kStyles[choice % 5];
  pen.width = width < 0 ? 0 : width;
  // A styled wide pen's dashes are multiples of its width: at least 60
  // twips, as custom dashes are below.
  if (pen.width > 0 && pen.style != printhost::PenStyle::kSolid && pen.style != printhost::PenStyle::kCustom) {
    pen.width = std::max(pen.width, kShortestDash);
  }
  pen.cap = (choice >> 3) % 3;
  pen.join = (choice >> 5) % 3;
  // Dashes of at least 60 twips: the engine's own stroking of shorter ones
  // on long lines is slow, not wrong.
  if (pen.style == printhost::PenStyle::kCustom) {
    pen.dashes = {kShortestDash + (I16(item) & 0x3FF), kShortestDash + (I16(item + 2) & 0x3FF)};
  }
  pen.rgb = choice << 8;
  return pen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 16)) return 0;
  fuzz::SampleHost& host = fuzz::TheSampleHost();
  printhost::Page page;
  std::size_t at = 0;
  for (std::size_t n = 0; n < kMaxCommands && at + 2 <= size; ++n) {
    const std::uint8_t command = data[at] % 5;
    const std::size_t count = data[at + 1];
    at += 2;
    if (size - at < count * kItemBytes) break;
    const std::uint8_t* items = data + at;
    at += count * kItemBytes;
    if (command == 0) {
      printhost::Clip clip;
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* r = items + i * kItemBytes;
        clip.rects.push_back(RECT{I16(r), I16(r + 2), I16(r + 4), I16(r + 6)});
      }
      page.commands.push_back(clip);
      continue;
    }
    if (count == 0) continue;
    std::vector<POINT> points;
    const POINT first{I16(items), I16(items + 2)};
    points.push_back(first);
    for (std::size_t i = 1; i < std::min(count, kMaxPoints); ++i) {
      const std::uint8_t* item = items + i * kItemBytes;
      points.push_back(POINT{first.x + (I16(item) >> kOffsetShift), first.y + (I16(item + 2) >> kOffsetShift)});
    }
    const printhost::Pen pen = PenOf(items);
    if (command == 4) {
      page.commands.push_back(printhost::Line{points, pen});
      continue;
    }
    printhost::Shape shape;
    shape.kind = printhost::ShapeKind::kPolygon;
    shape.points = points;
    shape.winding = (I16(items + 6) & 0x80) != 0;
    if (command == 1) {
      shape.pen = printhost::Pen{};
      shape.pen.style = printhost::PenStyle::kNull;
    } else {
      shape.pen = pen;
    }
    if (command != 2) shape.brush = printhost::Brush{printhost::BrushKind::kSolid, pen.rgb ^ 0xFFFFFF, 0, {}};
    page.commands.push_back(shape);
  }
  host.PrintPage(page);
  return 0;
}
