// The attribute table shared by the processes of a machine: attributes set
// on different files by many processes at once are all kept.
#include "platform/files/fileattrs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "tests/platform/child_process.h"

namespace {

TEST(FileAttributes, AttributesSetByManyProcessesAtOnceAreAllKept) {
  plat::ScopedMachine machine;
  constexpr int kWriters = 8, kFilesEach = 10;
  const auto file = [](int w, int i) {
    return plat::DriveRoot() / ("f" + std::to_string(w) + "_" + std::to_string(i) + ".txt");
  };
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kFilesEach; ++i) std::ofstream(file(w, i)) << "x";
  }
  std::vector<std::function<int()>> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back([&file, w] {
      for (int i = 0; i < kFilesEach; ++i) {
        if (!plat::attrs::Set(file(w, i), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)) return 1;
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(writers), std::vector<int>(kWriters, 0));
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kFilesEach; ++i) {
      EXPECT_EQ(plat::attrs::Of(file(w, i)), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY})
          << file(w, i);
    }
  }
}

}  // namespace
