// M9 compression. One pass over the input; zero bytes and runs are found a
// machine word at a time, which is what keeps glyph bitmaps (mostly zero
// bytes, short literals between them) cheap.
#include "render/encode/m9.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr BYTE kRepeat = 0x80;
constexpr SIZE_T kSkipField = 15;   // zero skip at or above this: extended
constexpr SIZE_T kCountField = 7;   // count at or above this: extended
constexpr int kSkipShift = 3;
constexpr SIZE_T kMinRepeat = 3;    // shorter runs go into literals
constexpr SIZE_T kRepeatBias = 2;   // a repeat's count is its length - 2
constexpr SIZE_T kLiteralBias = 1;  // a literal's count is its length - 1
constexpr BYTE kExtensionFull = 255;

using Word = std::uint64_t;
constexpr SIZE_T kWordBytes = sizeof(Word);
constexpr Word kEveryByte = 0x0101010101010101u;

Word Load(const BYTE* p) {
  Word w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// Index of the first non-zero byte of a non-zero word, in memory order.
SIZE_T FirstSetByte(Word w) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<SIZE_T>(std::countr_zero(w)) / 8;
  } else {
    return static_cast<SIZE_T>(std::countl_zero(w)) / 8;
  }
}

// The first position at or after pos whose byte differs from every byte of
// pattern (a byte repeated across the word), or n.
SIZE_T SkipBytesOf(const BYTE* in, SIZE_T pos, SIZE_T n, BYTE value) {
  const Word pattern = kEveryByte * value;
  while (n - pos >= kWordBytes) {
    Word differs = Load(in + pos) ^ pattern;
    if (differs != 0) return pos + FirstSetByte(differs);
    pos += kWordBytes;
  }
  while (pos < n && in[pos] == value) ++pos;
  return pos;
}

// The end of a literal that has reached pos: it stops at a zero byte, at
// the end, or before a byte that begins four equal bytes or three equal
// bytes followed by a zero byte (those compress better as a repeat). Three
// equal bytes followed by another byte, or by the end, stay in the literal.
SIZE_T LiteralEnd(const BYTE* in, SIZE_T pos, SIZE_T n) {
  while (pos < n) {
    const BYTE c = in[pos];
    if (c == 0) break;
    if (n - pos >= 3 && in[pos + 1] == c && in[pos + 2] == c) {
      if (n - pos >= 4 && (in[pos + 3] == c || in[pos + 3] == 0)) break;
      pos += 3;  // neither of the next two bytes can begin such a run
    } else {
      ++pos;
    }
  }
  return pos;
}

// Bytes that an extended field's remainder takes.
SIZE_T ExtensionLength(SIZE_T field, SIZE_T limit) {
  return field < limit ? 0 : (field - limit) / kExtensionFull + 1;
}

BYTE* PutExtension(BYTE* out, SIZE_T field, SIZE_T limit) {
  if (field < limit) return out;
  SIZE_T rest = field - limit;
  SIZE_T full = rest / kExtensionFull;
  std::memset(out, kExtensionFull, full);
  out += full;
  *out++ = static_cast<BYTE>(rest % kExtensionFull);
  return out;
}

}  // namespace

LONG M9Compress(const BYTE* input, SIZE_T inputLength, BYTE* output, LONG capacity) {
  if (inputLength == 0) return 0;
  if (input == nullptr) return -1;
  const SIZE_T limit =
      output == nullptr || capacity <= 0 ? 0 : static_cast<SIZE_T>(std::min(capacity, kM9MaxOutput));

  SIZE_T written = 0;
  SIZE_T pos = 0;
  for (;;) {
    const SIZE_T skipStart = pos;
    pos = SkipBytesOf(input, pos, inputLength, 0);
    if (pos == inputLength) break;  // trailing zero bytes need no command
    const SIZE_T skip = pos - skipStart;

    const BYTE value = input[pos];
    const SIZE_T runEnd = SkipBytesOf(input, pos + 1, inputLength, value);
    const bool repeat = runEnd - pos >= kMinRepeat;
    const SIZE_T covered = (repeat ? runEnd : LiteralEnd(input, runEnd, inputLength)) - pos;
    const SIZE_T count = covered - (repeat ? kRepeatBias : kLiteralBias);
    const SIZE_T data = repeat ? 1 : covered;

    const SIZE_T need = 1 + ExtensionLength(skip, kSkipField) + ExtensionLength(count, kCountField) + data;
    if (need > limit - written) return -1;

    BYTE* out = output + written;
    *out++ = static_cast<BYTE>((repeat ? kRepeat : 0) | std::min(skip, kSkipField) << kSkipShift |
                               std::min(count, kCountField));
    out = PutExtension(out, skip, kSkipField);
    out = PutExtension(out, count, kCountField);
    if (repeat) {
      *out++ = value;
    } else {
      std::memcpy(out, input + pos, covered);
      out += covered;
    }
    written = static_cast<SIZE_T>(out - output);
    pos += covered;
  }
  return static_cast<LONG>(written);
}

ULONG Image1BPPM9encode(PDEV* /*pdev*/, const BYTE* bitmap, BYTE* output, LONG capacity,
                        ULONG bytesPerLine, ULONG lines) {
  const LONG length = M9Compress(bitmap, SIZE_T{bytesPerLine} * lines, output, capacity);
  return length > 0 ? static_cast<ULONG>(length) : 0;
}
