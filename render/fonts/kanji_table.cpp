// The Shift-JIS lead bytes: 0x81-0x9F and 0xE0-0xFC.
#include "render/fonts/char_codes.h"

namespace {
constexpr std::array<BYTE, 256> Make() {
  std::array<BYTE, 256> t{};
  for (int b = 0x81; b <= 0x9F; ++b) t[b] = 1;
  for (int b = 0xE0; b <= 0xFC; ++b) t[b] = 1;
  return t;
}
}  // namespace

constexpr std::array<BYTE, 256> kanji_tbl = Make();
