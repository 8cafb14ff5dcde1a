// What the bitmap calls of this folder share: the image format a source is
// sent in, the palette that goes with it, colours through a translation and
// temporary bitmaps. Only this folder includes it.
#pragma once

#include "platform/engine/winddi.h"
#include "render/bitmaps/bitmap_transfer.h"

struct PDEV;

namespace bitmaps {

// How a source format is sent: its image format code and the format of the
// bitmap it is first converted to (its own for 1, 4, 8 and 24 bits a pixel;
// 24 bits for any other). sendable is false for a format that must be
// converted.
struct SentFormat {
  BYTE code;
  ULONG intermediate;
  bool sendable;
};
SentFormat SentFormatOf(ULONG engineFormat);

// True when the source's own lines can go into an image record as they lie:
// an engine bitmap with bits in a sendable format whose line length is the
// record's.
bool SendsAsItIs(const SURFOBJ* pso);

// Palette entries of the indexed formats (0 for the others).
ULONG IndexedEntries(ULONG engineFormat);

// True when the translation is the identity grey ramp of the source format
// (or there is no translation table at all): no palette need go.
bool IsGreyRamp(XLATEOBJ* pxlo, ULONG engineFormat);

// The colour index the translation gives a source index. Without a
// translation, or with the trivial one, an index of an indexed format of
// entries colours is its grey level (as when no palette is sent).
ULONG TranslatedColor(XLATEOBJ* pxlo, ULONG index, ULONG entries);

// The palette sent with an image: 3 bytes for each entry of the format, from
// the translation's own entries (the first three bytes of each), the rest
// zero: never more than the translation holds. Taken from the PDEV heap.
class ImagePalette {
 public:
  ImagePalette(PDEV* pdev, XLATEOBJ* pxlo, ULONG engineFormat);
  ~ImagePalette();
  ImagePalette(const ImagePalette&) = delete;
  ImagePalette& operator=(const ImagePalette&) = delete;
  // False when a palette was wanted and could not be had.
  bool ok() const { return ok_; }
  // The bytes, or null when none go.
  const BYTE* bytes() const { return bytes_; }

 private:
  PDEV* pdev_;
  BYTE* bytes_ = nullptr;
  bool ok_ = true;
};

// A bitmap of the driver's own, freed when it goes.
class TempBitmap {
 public:
  TempBitmap(PDEV* pdev, LONG width, LONG height, ULONG format)
      : so_(CreateBitmapSURFOBJ(pdev, &bitmap_, width, height, format)) {}
  ~TempBitmap() { DeleteBitmapSURFOBJ(so_, bitmap_); }
  TempBitmap(const TempBitmap&) = delete;
  TempBitmap& operator=(const TempBitmap&) = delete;
  SURFOBJ* get() const { return so_; }

 private:
  HBITMAP bitmap_ = nullptr;
  SURFOBJ* so_;
};

// A rectangle with its edges in order.
RECTL Ordered(const RECTL& r);

}  // namespace bitmaps
