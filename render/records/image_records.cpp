#include "render/records/image_records.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "render/pdev/pdev.h"
#include "render/records/record_write.h"

namespace {

constexpr std::size_t kPaletteAt = kImageHeadBytes;
constexpr ULONG kPaletteEntryBytes = 3;

// Bits a pixel and palette entries of a format code.
struct FormatInfo {
  ULONG bits;
  ULONG entries;
};
FormatInfo InfoOf(BYTE format) {
  switch (format & 0x0F) {
    case kImage1Bit:
      return {1, 2};
    case kImage4Bit:
      return {4, 16};
    case kImage8Bit:
      return {8, 256};
    default:
      return {24, 0};
  }
}

// The call's bitmap and where it goes.
struct Image {
  LONG x, y, cx, cy;
  LONG sourceX, sourceY, width, height;
  BYTE format;
  const BYTE* pixels;
  const BYTE* palette;
  BOOL bottomUp;
  LONG delta;  // from one line to the next; 0: the record's line length
};

// The start of line i of the caller's bitmap.
const BYTE* Line(const Image& image, const ImageLayout& layout, ULONG i) {
  const auto lineStep = image.delta != 0 ? static_cast<std::ptrdiff_t>(image.delta)
                                         : static_cast<std::ptrdiff_t>(layout.lineBytes) * (image.bottomUp ? -1 : 1);
  return image.pixels + static_cast<std::ptrdiff_t>(i) * lineStep;
}

// Checks what a record of the image needs; its layout, or ok false.
ImageLayout Prepare(const Image& image) {
  ImageLayout layout = ImageRecordLayout(image.format, image.width, image.height, image.palette != nullptr);
  if (layout.ok && layout.lines > 0 && layout.lineBytes > 0 && image.pixels == nullptr) layout.ok = false;
  return layout;
}

// a + b as the record's 32-bit field takes it, wrapping rather than
// overflowing for positions no page has.
LONG Plus(LONG a, LONG b) { return static_cast<LONG>(static_cast<ULONG>(a) + static_cast<ULONG>(b)); }

void PutHead(BYTE* record, const Image& image, const ImageLayout& layout) {
  record[2] = static_cast<BYTE>(image.format | (layout.paletteBytes == 0 ? kImageNoPalette : 0));
  StoreLE<ULONG>(record, 4, layout.length);
  idl::StoreRect(record, 8, RECTL{image.x, image.y, Plus(image.x, image.cx), Plus(image.y, image.cy)});
  const LONG fields[] = {image.sourceX, image.sourceY, image.width, image.height, image.x, image.y, image.cx, image.cy};
  for (std::size_t i = 0; i < std::size(fields); ++i) StoreLE<LONG>(record, 24 + 4 * i, fields[i]);
  if (layout.paletteBytes > 0) StoreBytes(record, kPaletteAt, image.palette, layout.paletteBytes);
}

// Copies count bytes of the record's body (its lines, then zero filler),
// starting at body offset from.
void CopyBody(BYTE* out, const Image& image, const ImageLayout& layout, std::uint64_t from, std::size_t count) {
  const std::uint64_t lineBytes = layout.lineBytes;
  const std::uint64_t bitmapBytes = lineBytes * layout.lines;
  while (count > 0) {
    std::size_t take = count;
    if (from < bitmapBytes) {
      const auto line = static_cast<ULONG>(from / lineBytes);
      const auto offset = static_cast<std::size_t>(from % lineBytes);
      take = std::min<std::size_t>(count, static_cast<std::size_t>(lineBytes) - offset);
      std::memcpy(out, Line(image, layout, line) + offset, take);
    } else {
      std::memset(out, 0, take);
    }
    out += take;
    from += take;
    count -= take;
  }
}

}  // namespace

ImageLayout ImageRecordLayout(BYTE format, LONG width, LONG height, bool palette) {
  ImageLayout layout{};
  if (width < 0 || height < 0) return layout;
  const FormatInfo info = InfoOf(format);
  const std::uint64_t paletteBytes = palette ? std::uint64_t{info.entries} * kPaletteEntryBytes : 0;
  const std::uint64_t lineBytes = (std::uint64_t(width) * info.bits + 31) / 32 * 4;
  const std::uint64_t length = idl::RoundUp4(kImageHeadBytes + paletteBytes + lineBytes * std::uint64_t(height));
  if (length > idl::kMaxRecordBytes) return layout;
  layout.ok = true;
  layout.bits = info.bits;
  layout.paletteBytes = static_cast<ULONG>(paletteBytes);
  layout.lineBytes = static_cast<ULONG>(lineBytes);
  layout.lines = static_cast<ULONG>(height);
  layout.length = static_cast<ULONG>(length);
  return layout;
}

namespace {

BYTE* OnePiece(JobStream* stream, const Image& image) {
  const ImageLayout layout = Prepare(image);
  if (!layout.ok) return nullptr;
  BYTE* record = idl::NewRecord(stream, kOpImage, layout.length);
  if (record == nullptr) return nullptr;
  PutHead(record, image, layout);
  const std::size_t bodyAt = kImageHeadBytes + layout.paletteBytes;
  CopyBody(record + bodyAt, image, layout, 0, layout.length - bodyAt);
  return record;
}

BYTE* InPieces(JobStream* stream, const Image& image);

}  // namespace

BYTE* PrnIdlStretchBlt(JobStream* stream, LONG x, LONG y, LONG cx, LONG cy, LONG sourceX, LONG sourceY, LONG width,
                       LONG height, BYTE format, const BYTE* pixels, const BYTE* palette, BOOL bottomUp) {
  BYTE* record =
      OnePiece(stream, Image{x, y, cx, cy, sourceX, sourceY, width, height, format, pixels, palette, bottomUp, 0});
  if (record != nullptr && stream->pdev->banding != 0) record[3] = kImageBanding;
  return record;
}

BOOL PrnIdlStretchBltDirect(JobStream* stream, LONG x, LONG y, LONG cx, LONG cy, LONG sourceX, LONG sourceY, LONG width,
                            LONG height, BYTE format, const BYTE* pixels, const BYTE* palette, BOOL bottomUp) {
  const Image image{x, y, cx, cy, sourceX, sourceY, width, height, format, pixels, palette, bottomUp, 0};
  return InPieces(stream, image) != nullptr ? TRUE : FALSE;
}

BYTE* PrnIdlImageLines(JobStream* stream, const RECTL& dest, LONG width, LONG height, BYTE format,
                       const BYTE* top, LONG delta, const BYTE* palette, BOOL inPieces) {
  const Image image{dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0, width, height,
                    format, top, palette, FALSE, delta};
  return inPieces ? InPieces(stream, image) : OnePiece(stream, image);
}

namespace {

BYTE* InPieces(JobStream* stream, const Image& image) {
  const ImageLayout layout = Prepare(image);
  if (!layout.ok) return nullptr;
  const DlMark mark = dl_mark(stream);
  // The head and the palette, and when they end off a multiple of 4 the
  // first body bytes up to one.
  const auto headBytes = static_cast<ULONG>(idl::RoundUp4(kImageHeadBytes + layout.paletteBytes));
  BYTE* head = idl::NewRecord(stream, kOpImage, headBytes);
  if (head == nullptr) return nullptr;
  PutHead(head, image, layout);
  const std::size_t bodyAt = kImageHeadBytes + layout.paletteBytes;
  CopyBody(head + bodyAt, image, layout, 0, headBytes - bodyAt);
  std::uint64_t from = headBytes - bodyAt;
  ULONG left = layout.length - headBytes;
  while (left > 0) {
    const ULONG piece = layout.lineBytes > 0 ? std::min(left, layout.lineBytes) : left;
    BYTE* at = dl_alloc(stream, piece);
    if (at == nullptr) {
      if (!dl_rewind(stream, mark)) stream->pdev->flags |= kPdevWriteError;
      return nullptr;
    }
    CopyBody(at, image, layout, from, piece);
    from += piece;
    left -= piece;
  }
  return head;
}

}  // namespace
