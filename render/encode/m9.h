// M9: the byte-oriented run-length code of the glyph bitmap records. Each
// command byte says how many zero bytes come first (bits 6-3), whether a
// single repeated byte or a literal follows (bit 7) and how many bytes it
// covers (bits 2-0); a field at its maximum (15, 7) continues in extension
// bytes of 255 and a final byte below 255, zero skip before count, then the
// data. Zero bytes are only ever skipped, never sent; trailing zero bytes
// make no command at all, so the receiver needs the plain length as well.
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;

// A compressed block's length travels in 16 bits: no output is longer.
inline constexpr LONG kM9MaxOutput = 0xFFFF;

// Compresses input into output and returns the number of bytes written
// (0 for an input of zero bytes only), or -1 when the output does not fit
// in capacity bytes or would be longer than kM9MaxOutput (refused, never
// wrapped). No byte is written at or past output + capacity, but bytes past
// the block's end within it may be (the block's last command may leave
// scratch after it). A capacity of 0 or less holds nothing. One pass, no
// allocation.
LONG M9Compress(const BYTE* input, SIZE_T inputLength, BYTE* output, LONG capacity);

// Compresses a 1-bit bitmap of lines x bytesPerLine bytes with M9Compress
// and returns the compressed length, or 0 when it did not fit (the caller
// then sends the bitmap as it is) or when the bitmap is all white (zero
// bytes only), which needs no data. The device record is not used.
ULONG Image1BPPM9encode(PDEV* pdev, const BYTE* bitmap, BYTE* output, LONG capacity,
                        ULONG bytesPerLine, ULONG lines);
