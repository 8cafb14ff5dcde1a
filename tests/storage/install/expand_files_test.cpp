// The programs of the driver INI's "Expand File" section: each runs hidden
// in its folder, one after the other; only bare names of the driver
// directory run, and a program that does not end in time is left behind
// while the next one starts.
#include <chrono>
#include <filesystem>
#include <string>

#include "storage/install/expand_files.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

class ExpandFiles : public InstallTest {
 protected:
  static void PutProgram(const std::string& relative, const std::string& body) {
    storage_test::Put(relative, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(storage_test::Host(relative), std::filesystem::perms::owner_all);
  }
};

TEST_F(ExpandFiles, ProgramsRunInTheirFoldersAndOnlyFromTheDriverDirectory) {
  PutProgram(std::string(kDriverFolder) + "mark.sh", "echo ran >> expanded.txt");
  PutProgram(std::string(kDriverFolder) + "slow.sh", "sleep 3; echo late >> late.txt");
  PutProgram("Windows/System32/spool/drivers/w32x86/evil.sh", "echo evil >> evil.txt");
  PutProgram("Windows/System32/evil2.sh", "echo evil >> evil.txt");
  storage_test::Put(kDriverIni,
                    "[Expand File]\r\nSystemDirfiles=3\r\nSystemDir1=mark.sh\r\nSystemDir2=..\\evil.sh\r\n"
                    "SystemDir3=C:\\Windows\\System32\\evil2.sh\r\nDriverDirfiles=4\r\nDriverDir1=slow.sh\r\n"
                    "DriverDir2=\r\nDriverDir3=mark.sh\r\nDriverDir4=missing.sh\r\n");
  UCB* ucb = OpenOn(office_);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ExpandDriverFilesWithin(ucb, 300), 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the slow program was not waited for";
  Release(ucb);
  EXPECT_EQ(storage_test::Get("Windows/System32/expanded.txt"), "ran\n");
  EXPECT_EQ(storage_test::Get(std::string(kDriverFolder) + "expanded.txt"), "ran\n");
  EXPECT_FALSE(storage_test::Exists("Windows/System32/evil.txt"));
  EXPECT_FALSE(storage_test::Exists("Windows/System32/spool/drivers/w32x86/evil.txt"));
  EXPECT_FALSE(storage_test::Exists(std::string(kDriverFolder) + "evil.txt"));
}

TEST_F(ExpandFiles, HugeCountsAreReadOnlyUpToTheLimit) {
  PutProgram(std::string(kDriverFolder) + "mark.sh", "echo ran >> expanded.txt");
  std::string ini = "[Expand File]\r\nDriverDirfiles=100000\r\n";
  for (int i = 1; i <= 40; ++i) ini += "DriverDir" + std::to_string(i) + "=mark.sh\r\n";
  storage_test::Put(kDriverIni, ini);
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(ExpandDriverFilesWithin(ucb, 5000), kExpandProgramsMax);
  Release(ucb);
}

TEST_F(ExpandFiles, NothingRunsWithoutTheSection) {
  storage_test::Put(kDriverIni, "[jp]\r\nRstVersion=310\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(ExpandDriverFiles(ucb), 0);
  Release(ucb);
}

}  // namespace
}  // namespace install_test
