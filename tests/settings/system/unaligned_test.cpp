#include <array>

#include <gtest/gtest.h>

#include "settings/system/unaligned.h"

namespace {

// Stored records put words at odd offsets and are read on any host: values
// go in little-endian byte order wherever they sit.
TEST(Unaligned, WordsAtOddOffsetsAreLittleEndian) {
  std::array<BYTE, 16> b{};
  StoreLE<DWORD>(b.data(), 3, 0x11223344);
  EXPECT_EQ(b[3], 0x44);
  EXPECT_EQ(b[6], 0x11);
  EXPECT_EQ(LoadLE<DWORD>(b.data(), 3), 0x11223344u);
  StoreLE<WORD>(b.data(), 9, 0xA1B2);
  EXPECT_EQ(b[9], 0xB2);
  EXPECT_EQ(b[10], 0xA1);
  EXPECT_EQ(b[2], 0);
  EXPECT_EQ(b[7], 0);
  EXPECT_EQ(b[8], 0);
  EXPECT_EQ(b[11], 0);
}

TEST(Unaligned, SignedValuesKeepTheirSign) {
  std::array<BYTE, 8> b{};
  StoreLE<SHORT>(b.data(), 1, -2);
  EXPECT_EQ(LoadLE<SHORT>(b.data(), 1), -2);
  EXPECT_EQ(LoadLE<WORD>(b.data(), 1), 0xFFFE);
  StoreLE<signed char>(b.data(), 5, -1);
  EXPECT_EQ(LoadLE<signed char>(b.data(), 5), -1);
  EXPECT_EQ(LoadLE<BYTE>(b.data(), 5), 255);
}

// A bit setting names bit n of the little-endian word at its offset: bits
// 0-7 are in the first byte, 24-31 in the fourth.
TEST(Unaligned, BitNOfAWordIsBitNMod8OfByteNDiv8) {
  for (int n = 0; n < 32; ++n) {
    std::array<BYTE, 5> b{};
    StoreLE<DWORD>(b.data(), 1, DWORD{1} << n);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(b[1 + i], i == n / 8 ? (1 << (n % 8)) : 0) << "bit " << n;
    }
  }
}

}  // namespace
