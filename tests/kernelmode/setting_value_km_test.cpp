// Value access in the kernel-mode build, whose work area is laid out with
// the data-file name: the bookkeeping words are found where that build
// keeps them.
#include <gtest/gtest.h>

#include "tests/settings/context/hand_context.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"

namespace {

TEST(SettingValueKernelMode, WritesMarkAndPostInTheKernelWorkArea) {
  static_assert(KESM_KERNEL_MODE == 1);
  kesm_test::HandContext ctx;
  GetSFCBbyFuncID(ctx.ucb(), 753)->uiRequest = 0x00040000;
  ASSERT_EQ(ConvertSizeToDevmodeValue(ctx.ucb(), 753, 2100), 9920);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ctx.ucb(), 753, nullptr), 9920);
  EXPECT_EQ(ctx.work().fChanged, 1);
  EXPECT_EQ(GetRequestCode(ctx.ucb()), 0x00040000u);
  DrvSetLastError(ctx.ucb(), 87);
  EXPECT_EQ(ctx.work().dwLastError, 87);
}

}  // namespace
