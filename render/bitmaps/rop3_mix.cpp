#include "render/bitmaps/rop3_mix.h"

#include <array>

namespace {

// The ROP3s that combine only pattern and destination, in mix-code order.
constexpr BYTE kPatternRop3s[16] = {0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F,
                                    0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA, 0xFF};

constexpr std::array<BYTE, 256> MakeRop3ToMix() {
  std::array<BYTE, 256> table{};
  for (int i = 0; i < 16; ++i) table[kPatternRop3s[i]] = static_cast<BYTE>(i + 1);
  return table;
}
constexpr std::array<BYTE, 256> kRop3ToMix = MakeRop3ToMix();

}  // namespace

BYTE Rop3ToMix(BYTE rop3) { return kRop3ToMix[rop3]; }

