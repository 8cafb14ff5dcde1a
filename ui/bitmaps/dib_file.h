// Pictures a user picks as files: Windows-format device-independent bitmaps
// read from disk, every header field checked against the file's own length
// before anything is allocated, and turned into a bitmap of the display.
// Configuration library only.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"

// Why a file was not taken as a picture.
enum class DibFault {
  kNone,
  kShortHeader,    // shorter than the file and info headers
  kNotInfoHeader,  // the info-header size is not 40
  kPlanes,         // not one plane
  kBitCount,       // not 1, 4, 8, 16, 24 or 32 bits a pixel
  kCompression,    // not plain RGB
  kColourCount,    // more colours used than the bit count allows
  kDimensions,     // width or height zero or negative width
  kTooLarge,       // more pixels than a picture of the pages may have
  kTruncated,      // the colour table or the pixels run past the file's end
  kReadFailed,     // the file could not be opened or read
  kCount
};

// A short English name of the fault, for logs and test messages.
const char* DibFaultText(DibFault fault);

// The largest picture taken: a side of this many pixels and this many pixels
// in all (a page picture is a few hundred pixels a side).
inline constexpr std::int64_t kDibMaxSide = 8192;
inline constexpr std::int64_t kDibMaxPixels = 16 * 1024 * 1024;

// Where the parts of a checked file lie.
struct DibLayout {
  BITMAPINFOHEADER header;
  std::uint32_t paletteBytes;  // 4 x 2^bits for up to 8 bits a pixel, else 0
  std::uint32_t pixelBytes;    // whole lines, each padded to 32 bits
};

// The file header and the info header are the first 54 bytes.
inline constexpr std::uint32_t kDibHeadBytes = 14 + 40;

// Checks the first kDibHeadBytes of a file of fileLength bytes. The colour
// table and the pixels follow the headers directly.
DibFault CheckDibHead(const BYTE* head, std::uint64_t fileLength, DibLayout* layout);

// The source a picture is read from, in order.
class DibSource {
 public:
  virtual ~DibSource() = default;
  // Reads exactly bytes bytes; false when fewer are there.
  virtual bool Read(void* buffer, std::uint32_t bytes) = 0;
  virtual std::uint64_t Length() const = 0;
};

// A picture read whole: its info header and colour table (as BITMAPINFO
// bytes) and its pixels.
struct DibImage {
  std::vector<BYTE> info;
  std::vector<BYTE> pixels;
  LONG width = 0;
  LONG height = 0;  // lines, always positive
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// Reads a checked picture from the source; pixels are read in pieces of at
// most 0x4000 bytes.
DibFault ReadDib(DibSource& source, DibImage* image);

// A bitmap of the display's format holding the picture; null when GDI
// refuses it.
HBITMAP MakeDisplayBitmap(const DibImage& image);

// TRUE when the file at path is a picture this reader takes; file, when
// given, receives the handle of the open file (the caller closes it),
// positioned at its start.
BOOL IsBitmapFile(LPCWSTR path, HANDLE* file);
// The picture of the file as a display bitmap, its width and height out;
// null and 0 x 0 for a file that is not taken.
HBITMAP LoadBitmapFile(LPCWSTR path, LONG* width, LONG* height);
// The same with the reason a file was refused.
HBITMAP LoadBitmapFileEx(LPCWSTR path, LONG* width, LONG* height, DibFault* fault);
