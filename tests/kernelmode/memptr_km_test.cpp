// Memory of the shared settings code in the kernel-mode build: zeroed
// engine pool with the settings tag.
#include <gtest/gtest.h>

#include "platform/base/control.h"
#include "settings/system/memptr.h"

namespace {

constexpr ULONG kTag = 'D' | ('p' << 8) | ('s' << 16) | (static_cast<ULONG>('m') << 24);

TEST(KernelMemory, BlocksAreZeroedEnginePoolWithTheSettingsTag) {
  const size_t before = plat::LiveBlocksTagged(kTag);
  auto* block = static_cast<BYTE*>(GetMemPtr(64));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(plat::LiveBlocksTagged(kTag), before + 1);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(block[i], 0) << i;
  }
  FreeMemPtr(block);
  FreeMemPtr(nullptr);
  EXPECT_EQ(plat::LiveBlocksTagged(kTag), before);
}

}  // namespace
