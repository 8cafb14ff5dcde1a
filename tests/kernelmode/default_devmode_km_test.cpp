// The stored default DEVMODE in the rendering library: read through the
// graphics engine and judged as in the configuration library.
#include "platform/spooler/spoolsetup.h"
#include "storage/properties/default_devmode.h"
#include "tests/settings/context/context_fixture.h"
#include "tests/storage/properties/devmode_samples.h"

namespace context_test {
namespace {

using KernelDefaultDevmode = ContextTest;
using property_test::Bytes;

TEST_F(KernelDefaultDevmode, OursIsTakenAndATruncatedOneIsNot) {
  const Bytes ours = property_test::OurDevmode(5);
  ASSERT_EQ(plat::SetStoredDevModeBytes(kOffice, ours), ERROR_SUCCESS);
  UCB* ucb = GetUcb(office_, office_, 0, kModeRendering);
  ASSERT_NE(ucb, nullptr);
  EXPECT_TRUE(GetDefaultDevmodeFromReg(ucb));
  EXPECT_TRUE(property_test::CurrentDevmode(ucb) == ours);

  const Bytes before = property_test::OurDevmode(1);
  property_test::MakeCurrent(ucb, before);
  ASSERT_EQ(plat::SetStoredDevModeBytes(kOffice, Bytes(ours.begin(), ours.begin() + 900)), ERROR_SUCCESS);
  EXPECT_FALSE(GetDefaultDevmodeFromReg(ucb));
  EXPECT_TRUE(property_test::CurrentDevmode(ucb) == before);
  FreeUcb(ucb);
}

}  // namespace
}  // namespace context_test
