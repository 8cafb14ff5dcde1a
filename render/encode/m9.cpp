// M9 compression in one pass, 64 input bytes at a time. For each window,
// bit masks of its bytes (zero, equal to the next, beginning a run of
// three...) are combined into the window's command layout: which bytes
// begin a command, which commands are repeats, where each one ends. The
// commands are then written one after another off those masks, so a
// command costs a few instructions and no branch on the data; glyph
// bitmaps are mostly short literals between zero bytes, where this counts.
// The rare command that goes on past its window starts the next window,
// and one longer than a window is finished by scanning bytes.
#include "render/encode/m9.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr BYTE kRepeat = 0x80;
constexpr SIZE_T kSkipField = 15;   // zero skip at or above this: extended
constexpr SIZE_T kCountField = 7;   // count at or above this: extended
constexpr int kSkipShift = 3;
constexpr SIZE_T kRepeatBias = 2;   // a repeat's count is its length - 2
constexpr SIZE_T kLiteralBias = 1;  // a literal's count is its length - 1
constexpr BYTE kExtensionFull = 255;

using Word = std::uint64_t;
constexpr SIZE_T kWordBytes = sizeof(Word);
constexpr Word kEveryByte = 0x0101010101010101u;

constexpr SIZE_T kWindow = 64;     // bytes per window: one bit each in a Word
constexpr SIZE_T kLookahead = 3;   // a byte's part depends on 3 more bytes
constexpr SIZE_T kLanes = 16;

Word Load(const BYTE* p) {
  Word w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

SIZE_T LowestBit(Word w) { return static_cast<SIZE_T>(std::countr_zero(w)); }

// --- Byte scans, for commands longer than a window -------------------------

// Index of the first non-zero byte of a non-zero word, in memory order.
SIZE_T FirstSetByte(Word w) {
  if constexpr (std::endian::native == std::endian::little) {
    return LowestBit(w) / 8;
  } else {
    return static_cast<SIZE_T>(std::countl_zero(w)) / 8;
  }
}

// The first position at or after pos whose byte is not value, or n.
SIZE_T RunEnd(const BYTE* in, SIZE_T pos, SIZE_T n, BYTE value) {
  const Word pattern = kEveryByte * value;
  while (n - pos >= kWordBytes) {
    Word differs = Load(in + pos) ^ pattern;
    if (differs != 0) return pos + FirstSetByte(differs);
    pos += kWordBytes;
  }
  while (pos < n && in[pos] == value) ++pos;
  return pos;
}

// Where a literal that has reached pos ends: before a zero byte, before a
// byte that begins four equal bytes or three equal bytes followed by a zero
// byte (those go better into a repeat), or at n. Three equal bytes followed
// by another byte, or by the end, stay in the literal.
SIZE_T LiteralEnd(const BYTE* in, SIZE_T pos, SIZE_T n) {
  for (; pos < n; ++pos) {
    const BYTE c = in[pos];
    if (c == 0) break;
    if (n - pos >= 4 && in[pos + 1] == c && in[pos + 2] == c && (in[pos + 3] == c || in[pos + 3] == 0)) break;
  }
  return pos;
}

// --- Window layout -------------------------------------------------------------

#if defined(__SSE2__)
using Lanes = __m128i;
Lanes LoadLanes(const BYTE* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
Lanes ZeroLanes() { return _mm_setzero_si128(); }
// Bit k: lane k of a equals lane k of b.
Word EqualLanes(Lanes a, Lanes b) {
  return static_cast<Word>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b))));
}
#else
struct Lanes {
  BYTE b[kLanes];
};
Lanes LoadLanes(const BYTE* p) {
  Lanes lanes;
  std::memcpy(lanes.b, p, kLanes);
  return lanes;
}
Lanes ZeroLanes() { return Lanes{}; }
Word EqualLanes(const Lanes& a, const Lanes& b) {
  Word bits = 0;
  for (SIZE_T k = 0; k < kLanes; ++k) bits |= Word{a.b[k] == b.b[k]} << k;
  return bits;
}
#endif

// The bytes that equal-byte runs beginning at the bits of from cover, where
// bit p of cont says that byte p equals byte p - 1: each run is its first
// byte and the continuing bytes after it. Adding a bit after each run's
// first byte carries through the run's continuing bits and stops at the
// first byte that does not continue it, so runs never disturb one another.
Word RunBodies(Word from, Word cont) { return from | (((cont + (from << 1)) ^ cont) & cont); }

// The command layout of a window; bit i describes byte i. Byte 0 must begin
// a command if it is not zero (windows start at a command or among zero
// bytes).
struct Window {
  Word starts;    // the byte begins a command
  Word repeats;   // ... and that command is a repeat
  Word bounds;    // a command ends before the byte (it is zero or begins one)
};

// The layout of the 64 bytes at p; 67 bytes must be readable there, of
// which the first realBytes are the input (any further ones being zero
// padding that stands for the input's end).
Window LayoutOf(const BYTE* p, SIZE_T realBytes) {
  // Zero bytes, and bytes equal to the next, of the window; the same of the
  // lookahead bytes come in as the top bits of the shifted masks.
  Word zero = 0, equal01 = 0;
  for (SIZE_T k = 0; k < kWindow; k += kLanes) {
    const Lanes here = LoadLanes(p + k);
    zero |= EqualLanes(here, ZeroLanes()) << k;
    equal01 |= EqualLanes(here, LoadLanes(p + k + 1)) << k;
  }
  const BYTE* ahead = p + kWindow;  // bytes 64, 65, 66
  const Word equalAhead = Word{ahead[0] == ahead[1]} | Word{ahead[1] == ahead[2]} << 1;
  const Word zeroAhead = Word{ahead[0] == 0} | Word{ahead[1] == 0} << 1 | Word{ahead[2] == 0} << 2;
  const Word equal12 = equal01 >> 1 | equalAhead << 63;
  const Word equal23 = equal01 >> 2 | equalAhead << 62;
  Word zero3 = zero >> 3 | zeroAhead << 61;
  // Padding after the input's end is the end, not a zero byte: three equal
  // bytes just before it stay in their literal.
  if (realBytes < kWindow + kLookahead) {
    zero3 &= realBytes > kLookahead ? (Word{1} << (realBytes - kLookahead)) - 1 : 0;
  }
  const Word nonZero = ~zero;
  const Word cont = equal01 << 1;
  const Word runStart = nonZero & ~cont;
  const Word threeEqual = runStart & equal01 & equal12;
  // Runs of four or more, and runs of three before a zero byte, are always
  // repeats: a literal that reaches one ends before it.
  const Word longRun = threeEqual & (equal23 | zero3);
  // Runs of exactly three before another byte (or the end) are repeats
  // only where a command begins: after a zero byte or after a repeat.
  const Word shortRun = threeEqual & ~longRun;
  const Word afterZero = nonZero & ~(nonZero << 1);
  Word repeats = longRun | (shortRun & afterZero);
  if (shortRun != 0) {
    for (;;) {  // one run further along a chain of adjacent repeats each time
      const Word more = repeats | (shortRun & RunBodies(repeats, cont) << 1);
      if (more == repeats) break;
      repeats = more;
    }
  }
  // Every other non-zero byte is literal; literals begin after a zero byte
  // or a repeat and end before a zero byte or a repeat.
  const Word literal = nonZero & ~RunBodies(repeats, cont);
  const Word starts = repeats | (literal & ~(literal << 1));
  return {starts, repeats, starts | zero};
}

// --- Output ------------------------------------------------------------------

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

bool ShortHead(SIZE_T skip, SIZE_T count) { return skip < kSkipField && count < kCountField; }

// Writes the command for the length input bytes at in (readable bytes from
// there on), after skip zero bytes, at out; returns the end of what it
// wrote, or null when that would pass outEnd.
BYTE* PutCommand(BYTE* out, const BYTE* outEnd, const BYTE* in, SIZE_T readable, SIZE_T skip, SIZE_T length,
                 bool repeat) {
  const SIZE_T count = length - (repeat ? kRepeatBias : kLiteralBias);
  const SIZE_T data = repeat ? 1 : length;
  const BYTE head = static_cast<BYTE>((repeat ? kRepeat : 0) | std::min(skip, kSkipField) << kSkipShift |
                                      std::min(count, kCountField));
  const SIZE_T room = static_cast<SIZE_T>(outEnd - out);
  if (ShortHead(skip, count) && room > kWordBytes && readable >= kWordBytes) [[likely]] {
    // The command byte and a word of input (a repeat's byte is its first):
    // what follows the command is scratch, within the room.
    *out = head;
    std::memcpy(out + 1, in, kWordBytes);
    return out + 1 + data;
  }
  if (1 + ExtensionLength(skip, kSkipField) + ExtensionLength(count, kCountField) + data > room) return nullptr;
  *out++ = head;
  out = PutExtension(out, skip, kSkipField);
  out = PutExtension(out, count, kCountField);
  std::memcpy(out, in, data);
  return out + data;
}

// The layout of the window at base, padding the input's last bytes with
// zero bytes for the loads.
Window WindowAt(const BYTE* in, SIZE_T n, SIZE_T base) {
  const SIZE_T available = n - base;
  if (available >= kWindow + kLookahead) [[likely]] return LayoutOf(in + base, available);
  BYTE padded[kWindow + kLanes] = {};
  std::memcpy(padded, in + base, available);
  return LayoutOf(padded, available);
}

constexpr SIZE_T kDoesNotFit = ~SIZE_T{0};

// Writes the whole input as commands from output on; the block's length, or
// kDoesNotFit when it does not fit before outEnd. Locals only: the output
// bytes may alias anything, so state kept in memory would be reloaded after
// every byte written.
SIZE_T PutCommands(const BYTE* in, SIZE_T n, BYTE* const output, const BYTE* outEnd) {
  BYTE* out = output;
  const BYTE* const inEnd = in + n;
  const BYTE* zerosFrom = in;  // input from here to the next command is zero bytes
  const BYTE* window = in;
  while (window < inEnd) {
    const Window w = WindowAt(in, n, static_cast<SIZE_T>(window - in));
    // Where the next window starts: where this one ends, unless a command
    // runs on past it.
    const BYTE* next = window + std::min(kWindow, static_cast<SIZE_T>(inEnd - window));
    for (Word starts = w.starts; starts != 0; starts &= starts - 1) {
      const SIZE_T start = LowestBit(starts);
      const bool repeat = (w.repeats >> start & 1) != 0;
      const Word after = w.bounds >> start >> 1;
      const BYTE* const first = window + start;
      const BYTE* last = first + 1 + LowestBit(after);  // one past the command
      if (after == 0) [[unlikely]] {  // the command goes on past the window
        if (start > 0) {  // the next window starts with it
          next = first;
          break;
        }
        const SIZE_T from = static_cast<SIZE_T>(window - in) + kWindow;
        last = in + (repeat ? RunEnd(in, from, n, *first) : LiteralEnd(in, from, n));
        next = last;
      }
      out = PutCommand(out, outEnd, first, static_cast<SIZE_T>(inEnd - first), static_cast<SIZE_T>(first - zerosFrom),
                       static_cast<SIZE_T>(last - first), repeat);
      if (out == nullptr) return kDoesNotFit;
      zerosFrom = last;
    }
    window = next;
  }
  return static_cast<SIZE_T>(out - output);
}

}  // namespace

LONG M9Compress(const BYTE* input, SIZE_T inputLength, BYTE* output, LONG capacity) {
  if (inputLength == 0) return 0;
  if (input == nullptr) return -1;
  const SIZE_T limit =
      output == nullptr || capacity <= 0 ? 0 : static_cast<SIZE_T>(std::min(capacity, kM9MaxOutput));
  const SIZE_T length = PutCommands(input, inputLength, output, output + limit);
  return length == kDoesNotFit ? -1 : static_cast<LONG>(length);
}

ULONG Image1BPPM9encode(PDEV* /*pdev*/, const BYTE* bitmap, BYTE* output, LONG capacity,
                        ULONG bytesPerLine, ULONG lines) {
  const LONG length = M9Compress(bitmap, SIZE_T{bytesPerLine} * lines, output, capacity);
  return length > 0 ? static_cast<ULONG>(length) : 0;
}
