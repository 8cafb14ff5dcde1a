#include <gtest/gtest.h>

#include "platform/base/machine.h"

TEST(Machine, ScopedMachineLaysOutTheTreeAndRemovesIt) {
  std::filesystem::path root;
  {
    plat::ScopedMachine machine;
    root = machine.root();
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(plat::MachineRoot(), root);
    EXPECT_TRUE(std::filesystem::is_directory(plat::DriveRoot() / "Windows" / "System32"));
    EXPECT_TRUE(std::filesystem::is_directory(plat::RegistryStore()));
  }
  EXPECT_FALSE(std::filesystem::exists(root));
  EXPECT_TRUE(plat::MachineRoot().empty());
}
