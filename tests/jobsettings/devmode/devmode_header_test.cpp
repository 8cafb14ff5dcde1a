#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "settings/context/context_block.h"

namespace {

// A whole driver DEVMODE as bytes, the way it crosses process boundaries.
struct DevmodeBytes {
  alignas(4) std::array<BYTE, kSizeofKesmDM> bytes{};
  DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(bytes.data()); }
  DWORD u32(std::size_t at) const {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<DWORD>(bytes[at + 3]) << 24;
  }
  WORD u16(std::size_t at) const { return static_cast<WORD>(bytes[at] | bytes[at + 1] << 8); }
};

TEST(DevmodeSizes, AreThoseOfTheNtLayout) {
  EXPECT_EQ(sizeofDM(), 220);
  EXPECT_EQ(sizeofPrivDM351(), 1016);
  EXPECT_EQ(sizeofPrivDM(), 1016);
  EXPECT_EQ(sizeofKesmDM(), 1236);
  EXPECT_EQ(sizeofPrnDM(), 1020);
  EXPECT_EQ(sizeofDCB(), 5372);
}

TEST(PrivHeader, WrittenHeaderReadsBackThroughEveryAccessor) {
  DevmodeBytes d;
  ASSERT_TRUE(DevCBSetPrivHeader(d.dm(), nullptr));
  EXPECT_EQ(0, std::memcmp(&d.bytes[220], "KESM", 4));
  EXPECT_EQ(d.u32(224), 0u) << "the signature has no terminator of its own";
  EXPECT_EQ(GetKDMdwPrivDataByDM(d.dm()), 0x76697270u);
  EXPECT_EQ(0, std::memcmp(&d.bytes[349], "priv", 4));
  EXPECT_EQ(GetKDMdwSizeByDM(d.dm()), 1016u);
  EXPECT_EQ(GetKDMdwVersionByDM(d.dm()), 310u);
  EXPECT_EQ(d.u16(361), 0);
  EXPECT_EQ(d.u16(363), 1236);
  EXPECT_EQ(d.u16(365), 2256);
  // Nothing outside the header fields is touched.
  for (std::size_t i = 228; i < 349; ++i) EXPECT_EQ(d.bytes[i], 0) << i;
  EXPECT_EQ(d.bytes[367], 0);
  for (std::size_t i = 368; i < d.bytes.size(); ++i) ASSERT_EQ(d.bytes[i], 0) << i;
}

TEST(PrivHeader, TakesTheModelValuesOfTheContext) {
  DP dp = fgDP;
  std::memcpy(dp.privSignature, "xyzw", 4);
  dp.dwPrivVersion = 311;
  UCB ucb{};
  ucb.pDP = &dp;
  DevmodeBytes d;
  DevCBSetPrivHeader(d.dm(), &ucb);
  EXPECT_EQ(0, std::memcmp(&d.bytes[349], "xyzw", 4));
  EXPECT_EQ(GetKDMdwVersionByDM(d.dm()), 311u);
}

// The word after the signature is a setting (raw and plexor modes); building
// defaults or converting a DEVMODE rewrites the header and must keep it.
TEST(PrivHeader, RewriteKeepsTheSettingInTheReservedWord) {
  DevmodeBytes d;
  DevCBSetPrivHeader(d.dm(), nullptr);
  d.bytes[224] = 0x05;
  d.bytes[227] = 0x80;
  DevCBSetPrivHeader(d.dm(), nullptr);
  EXPECT_EQ(d.u32(224), 0x80000005u);
  DevCBSetPrivHeaderOffset(d.dm());
  EXPECT_EQ(d.u32(224), 0x80000005u);
}

TEST(PrivHeader, OffsetRewriteTouchesOnlyTheThreeWords) {
  DevmodeBytes d;
  d.bytes.fill(0xAA);
  ASSERT_TRUE(DevCBSetPrivHeaderOffset(d.dm()));
  EXPECT_EQ(d.u16(361), 0);
  EXPECT_EQ(d.u16(363), 1236);
  EXPECT_EQ(d.u16(365), 2256);
  EXPECT_EQ(d.bytes[360], 0xAA);
  EXPECT_EQ(d.bytes[367], 0xAA);
  EXPECT_EQ(d.u32(357), 0xAAAAAAAAu);
}

TEST(PrivHeader, BlockOffsetsDoNotMoveWithDmSize) {
  DevmodeBytes d;
  d.dm()->dmSize = 212;
  DevCBSetPrivHeader(d.dm(), nullptr);
  EXPECT_EQ(d.u16(363), 1236);
  EXPECT_EQ(GetDocumentDevmodePrivateDocHeaderWithoutUCB(d.dm()), d.bytes.data() + 220);
}

TEST(PrivHeader, NullDevmodeIsRefusedAndReadsAsZero) {
  EXPECT_FALSE(DevCBSetPrivHeader(nullptr, nullptr));
  EXPECT_FALSE(DevCBSetPrivHeaderOffset(nullptr));
  EXPECT_EQ(GetKDMdwPrivDataByDM(nullptr), 0u);
  EXPECT_EQ(GetKDMMachineIDByDM(nullptr), 0);
  EXPECT_EQ(GetDocumentDevmodePrivateDocHeaderWithoutUCB(nullptr), nullptr);
  EXPECT_FALSE(SetKDMFrontFuncByDM(nullptr, 1));
}

TEST(PrivateFields, ModelBytesAreReadAtTheirOffsets) {
  DevmodeBytes d;
  d.bytes[368] = 0xA9;
  d.bytes[811] = 1;
  EXPECT_EQ(GetKDMMachineIDByDM(d.dm()), 0xA9);
  EXPECT_EQ(GetKDMDriverTypeByDM(d.dm()), 1);
}

struct WholeWordCase {
  const char* name;
  std::size_t offset;
  std::size_t width;
  BOOL (*set)(DEVMODEW*, DWORD);
  DWORD (*get)(const DEVMODEW*);
  DWORD written;
  DWORD stored;
};

DWORD GetQualityFunc(const DEVMODEW* dm) { return GetKDMQualityFuncByDM(dm); }

// The setters keep only the bits the device defines; the higher bits of the
// word become zero even when they were set before.
TEST(PrivateFields, WholeWordSettersKeepOnlyTheirBits) {
  const WholeWordCase cases[] = {
      {"QualityFunc", 576, 2, SetKDMQualityFuncByDM, GetQualityFunc, 0x12345678, 0x5678},
      {"FrontFunc", 852, 4, SetKDMFrontFuncByDM, GetKDMFrontFuncByDM, 0x1FF, 0xFF},
      {"FrontFunc", 852, 4, SetKDMFrontFuncByDM, GetKDMFrontFuncByDM, 0x100, 0},
      {"Hidden2Func", 896, 4, SetKDMHidden2FuncByDM, GetKDMHidden2FuncByDM, 0xFFFFFFFF, 0xFFFF},
  };
  for (const auto& c : cases) {
    DevmodeBytes d;
    std::memset(&d.bytes[c.offset], 0xEE, c.width);
    ASSERT_TRUE(c.set(d.dm(), c.written)) << c.name;
    EXPECT_EQ(c.get(d.dm()), c.stored) << c.name;
    DWORD raw = 0;
    for (std::size_t i = 0; i < c.width; ++i) raw |= static_cast<DWORD>(d.bytes[c.offset + i]) << (8 * i);
    EXPECT_EQ(raw, c.stored) << c.name;
    EXPECT_EQ(d.bytes[c.offset + c.width], 0) << c.name << ": the next field is untouched";
  }
}

}  // namespace
