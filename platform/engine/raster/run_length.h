// Run-length compressed bitmaps (4 and 8 bits per pixel) read as plain
// ones. The stream is input from outside the engine: every run is held to
// the bitmap and to the stream's end. Internal to the engine.
#pragma once

#include <cstddef>
#include <span>

#include "platform/engine/objects/ddi_types.h"

namespace plat::eng {

// The uncompressed format a run-length format decodes to (BMF_4BPP for
// BMF_4RLE, BMF_8BPP for BMF_8RLE); 0 for any other format.
ULONG DecodedFormat(ULONG iFormat);

// How a decoding ended.
enum class RunLengthEnd {
  kEndOfBitmap,  // the end-of-bitmap escape
  kDataEnd,      // the stream ran out first: what it gave is kept
  kBadArguments, // an unknown format or a buffer too small for the bitmap
};

// Decodes the stream of a bitmap of width x height in a run-length format
// into out: height lines of delta bytes in DecodedFormat, the top line
// first (the stream's first line is the bitmap's bottom one). out is
// written only inside the bitmap: pixels of a run or a delta beyond the
// right edge or past the top line are dropped, the stream read on. Pixels
// the stream leaves out (skipped by a delta or an early end of line or
// data) are left as out held them. Never reads past the stream's end: a
// run cut short by it keeps the pixels it has.
RunLengthEnd DecodeRunLength(ULONG iFormat, std::span<const BYTE> stream, LONG width, LONG height,
                             std::span<BYTE> out, LONG delta);

}  // namespace plat::eng
