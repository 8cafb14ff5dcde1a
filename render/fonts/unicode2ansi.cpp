// UTF-16 to the printer's byte codes.
#include <algorithm>
#include <iterator>

#include "platform/engine/winddi.h"
#include "render/fonts/char_codes.h"

namespace {

// Up to two bytes of one character.
struct Bytes {
  BYTE b[2];
  ULONG n;
};

bool ControlRange(WCHAR c) { return c >= 0x80 && c <= 0x9F; }

const UniCodeRow* FindUniCode(WCHAR c) {
  const auto* end = std::end(UniCodeTable);
  const auto* it = std::lower_bound(std::begin(UniCodeTable), end, c,
                                    [](const UniCodeRow& row, WCHAR value) { return row.unicode < value; });
  return it != end && it->unicode == c ? it : nullptr;
}

Bytes Prefixed(WCHAR c) {
  const USHORT row = spunicode[c >> 8];
  const BYTE low = static_cast<BYTE>(c);
  if ((row & kRowMapped) != 0 || ((row & kRowLowHalf) != 0 && low < 0x50)) {
    return {{static_cast<BYTE>(row >> 8), low}, 2};
  }
  return {{0x80, 0}, 1};
}

Bytes System(WCHAR c) {
  Bytes out{{0, 0}, 0};
  WCHAR unit = c;
  ULONG written = 0;
  EngUnicodeToMultiByteN(reinterpret_cast<PCHAR>(out.b), sizeof out.b, &written, &unit, sizeof unit);
  out.n = std::min<ULONG>(written, 2);
  return out;
}

Bytes Convert(WCHAR c, ULONG mode) {
  if (mode == kAnsiPrefixed) {
    if (c < 0x100) return {{0x9F, static_cast<BYTE>(c)}, 2};
    return Prefixed(c);
  }
  if (c < 0x100 && !ControlRange(c)) {
    if (mode != kAnsiSystem || c < 0xA0) return {{static_cast<BYTE>(c), 0}, 1};
    return System(c);
  }
  const UniCodeRow* row = FindUniCode(c);
  if (mode == kAnsiSystem) {
    // A byte that would start a double-byte character of the system page
    // is not sent alone.
    if (row != nullptr && kanji_tbl[row->code] == 0) return {{row->code, 0}, 1};
    return System(c);
  }
  if (row != nullptr) return {{row->code, 0}, 1};
  return Prefixed(c);
}

}  // namespace

ULONG strwlen(const WCHAR* string) {
  ULONG n = 0;
  while (string[n] != 0) ++n;
  return n;
}

ULONG unicode2ansi(BYTE* dst, ULONG dstBytes, const WCHAR* src, ULONG srcBytes, ULONG mode) {
  ULONG written = 0;
  for (ULONG i = 0; i < srcBytes / 2; ++i) {
    const Bytes b = Convert(src[i], mode);
    if (b.n > dstBytes - written) break;
    for (ULONG k = 0; k < b.n; ++k) dst[written++] = b.b[k];
  }
  return written;
}
