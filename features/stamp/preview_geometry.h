// The arithmetic of the watermark and copy-guard previews: grey levels and
// colours, the preview font's height, the turned text box and where a box
// goes on the preview bitmap. Plain numbers in, plain numbers out, so the
// drawing code only says where and with what.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"

// 100·sin(d°) and 100·cos(d°) for d = 0..359, rounded; the cosines follow
// the sines directly.
struct SINCOSTABLE {
  SHORT tblSin[360];
  SHORT tblCos[360];
};
static_assert(sizeof(SINCOSTABLE) == 1440);
static_assert(offsetof(SINCOSTABLE, tblCos) == 720);
extern const SINCOSTABLE tblSinCos;

// The tallest text the preview draws, in pixels. A stored size can be any
// number (watermarks come from INI and set files); a preview box is some
// fifty pixels across, so anything taller only costs memory.
inline constexpr LONG kMaxPreviewTextHeight = 1024;

// Grey levels: 255 at density 0, 0 at full density. A density outside its
// range counts as the nearest end of it (0..100 for a watermark; for the
// copy guard only the low byte counts, then 0..5).
BYTE WatermarkGrey(LONG density);
BYTE CopyGuardGrey(LONG density);
// The colour of a colour code at a grey level.
COLORREF PreviewColour(LONG code, BYTE grey);

// Any angle in degrees brought into 0..359.
int PreviewAngle(LONG degrees);
// The table index a point is turned with for a text drawn at that
// (normalised) angle.
int RotationIndex(int angle);
// (x, y) turned by table index a, each product divided by 100 toward 0.
POINT RotatePoint(POINT p, int a);

// The whole inches of the paper's shorter side (the smaller of length and
// width in dots, over the dots per inch); 0 when there is no resolution.
LONG ShorterSideInches(LONG lengthDots, LONG widthDots, LONG resolution);
// The preview font's cell height for a size in points on paper of that
// many inches (> 0) at the escapement given.
LONG PreviewFontHeight(LONG points, LONG inches, LONG escapement);

// The extent widened to the text's ink: the sum of the A, B and C widths,
// plus the first character's overhang to the left and the last one's to
// the right (a one-character text counts only its left overhang).
LONG InkWidth(LONG cx, const ABC* widths, std::size_t count);

// A text box: its corners P0..P3 (top left, bottom left, bottom right, top
// right when unturned), the text origin P4, and the size of the box that
// holds them.
struct PREVIEWBOX {
  POINT pt[5];
  LONG width;
  LONG height;
};
// The cx × cy text with its origin, turned by the angle and shifted so that
// every point lies at or right and below (0, 0).
PREVIEWBOX TurnedBox(LONG cx, LONG cy, POINT origin, int angle);
// The text centred in a square of side max(cx, cy) + 12 and turned about
// the square's centre; the box is the square.
PREVIEWBOX CircledBox(LONG cx, LONG cy, POINT origin, int angle);

// Where a box of size box goes on a bitmap of size bitmap for a placement
// code (anything unknown: top left).
POINT PlaceBox(LONG position, SIZE bitmap, SIZE box);
// The top left of a bitmap of that size centred on the page picture.
POINT WatermarkAnchor(const RECT& page, SIZE bitmap);
POINT CopyGuardAnchor(const RECT& page, SIZE bitmap);

// A bitmap watermark's side on the preview: the image side scaled by the
// percentage, at the resolution, on paper of shorter side s dots (> 0). A
// positive image side never gives less than 1.
LONG ScaledImageSide(LONG side, LONG scale, LONG resolution, LONG shorterSide);
