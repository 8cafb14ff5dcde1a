// What the machine shows to be at fault when a call of the stand-in fails:
// nothing on a sound machine, else one line naming the folder or file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"

namespace {

namespace fs = std::filesystem;

TEST(MachineFault, ASoundMachineShowsNone) {
  plat::ScopedMachine machine;
  EXPECT_EQ(plat::MachineFault(), "");
  EXPECT_EQ(plat::WithMachineFault("it failed"), "it failed");
}

TEST(MachineFault, NamesTheDriveTheStoreOrTheLockAtFault) {
  plat::ScopedMachine machine;
  const fs::path root = machine.root();
  fs::remove_all(plat::DriveRoot());
  EXPECT_EQ(plat::MachineFault(), "the drive C: of the machine, " + plat::DriveRoot().string() +
                                      ", is missing or not a folder");
  fs::create_directories(plat::DriveRoot());
  std::ofstream(root / "registry" / "HKLM.hive", std::ios::binary) << "not a hive";
  EXPECT_EQ(plat::WithMachineFault("it failed"),
            "it failed: the registry hive " + (root / "registry" / "HKLM.hive").string() + " is damaged");
  fs::remove(root / "registry" / "HKLM.hive");
  fs::remove(root / "system" / "facts.lock");
  fs::create_directory(root / "system" / "facts.lock");
  EXPECT_EQ(plat::MachineFault().rfind("the lock " + (root / "system" / "facts.lock").string() +
                                           " of the fact store " + (root / "system" / "facts").string() +
                                           " cannot be opened: ",
                                       0),
            0u)
      << plat::MachineFault();
}

TEST(MachineFault, WithoutAMachineSaysSo) {
  const fs::path previous = plat::MachineRoot();
  if (!previous.empty()) GTEST_SKIP() << "a machine is set";
  EXPECT_EQ(plat::MachineFault(), "no machine folder is set");
}

}  // namespace
