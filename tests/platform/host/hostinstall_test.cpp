// Installing a copy of a file that running processes may have loaded or
// mapped: an unchanged file is left alone, a changed one is replaced by a
// rename (whoever had the old one keeps it whole), and a copy that cannot
// be finished leaves the installed file as it was and nothing beside it.
#include "platform/host/hostinstall.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "tests/platform/child_process.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ino_t Inode(const fs::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Files beside the installed one that carry its name: temporary files left.
std::vector<std::string> LeftBeside(const fs::path& installed) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(installed.parent_path())) {
    const std::string name = entry.path().filename().string();
    if (entry.path() != installed && name.find(installed.filename().string()) != std::string::npos) {
      names.push_back(name);
    }
  }
  return names;
}

class InstallCopy : public ::testing::Test {
 protected:
  plat::ScopedMachine machine_;
  fs::path source_ = machine_.root() / "source.dll";
  fs::path target_ = machine_.root() / "installed.dll";
};

TEST_F(InstallCopy, AnUnchangedFileIsLeftAlone) {
  Write(source_, "module v1");
  bool replaced = false;
  ASSERT_EQ(plat::hostfile::InstallCopy(source_, target_, &replaced), ERROR_SUCCESS);
  EXPECT_TRUE(replaced);
  const ino_t first = Inode(target_);
  ASSERT_EQ(plat::hostfile::InstallCopy(source_, target_, &replaced), ERROR_SUCCESS);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(Inode(target_), first);
  EXPECT_EQ(Read(target_), "module v1");
}

// A process that mapped the installed file reads the old bytes to their
// end after a shorter file took its place; writing over the file would cut
// its mapping short (SIGBUS).
TEST_F(InstallCopy, AChangedFileIsReplacedByARenameAndAMappingOfTheOldOneStaysWhole) {
  const std::string old(200000, 'o');
  Write(source_, old);
  ASSERT_EQ(plat::hostfile::InstallCopy(source_, target_), ERROR_SUCCESS);
  const int fd = ::open(target_.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  void* view = ::mmap(nullptr, old.size(), PROT_READ, MAP_SHARED, fd, 0);
  ::close(fd);
  ASSERT_NE(view, MAP_FAILED);
  Write(source_, "v2");
  bool replaced = false;
  ASSERT_EQ(plat::hostfile::InstallCopy(source_, target_, &replaced), ERROR_SUCCESS);
  EXPECT_TRUE(replaced);
  EXPECT_EQ(Read(target_), "v2");
  EXPECT_EQ(std::string(static_cast<const char*>(view), old.size()), old);
  ::munmap(view, old.size());
  EXPECT_EQ(LeftBeside(target_), std::vector<std::string>{});
}

TEST_F(InstallCopy, AMissingSourceChangesNothing) {
  Write(target_, "installed");
  EXPECT_EQ(plat::hostfile::InstallCopy(machine_.root() / "missing.dll", target_), DWORD{ERROR_FILE_NOT_FOUND});
  EXPECT_EQ(Read(target_), "installed");
}

// A copy cut short by a full disk (the process's file size limit stands for
// one) fails, and the installed file is the old one with nothing beside it.
TEST_F(InstallCopy, ACopyCutShortLeavesTheInstalledFileAsItWas) {
  Write(target_, "installed");
  Write(source_, std::string(256 * 1024, 'n'));
  const fs::path source = source_, target = target_;
  const int code = RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return plat::hostfile::InstallCopy(source, target) == ERROR_DISK_FULL ? 0 : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Read(target_), "installed");
  EXPECT_EQ(LeftBeside(target_), std::vector<std::string>{});
}

}  // namespace
