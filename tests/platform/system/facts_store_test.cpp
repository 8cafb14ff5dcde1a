// The machine's fact stores shared by its processes: keys written by many
// processes at once are all kept, and a reader finds each key with the one
// value it was given, never a part of a store.
#include "platform/system/sysfacts_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "tests/platform/child_process.h"

namespace {

TEST(FactStores, KeysWrittenByManyProcessesAtOnceAreAllKept) {
  plat::ScopedMachine machine;
  constexpr int kWriters = 8, kKeysEach = 20;
  std::vector<std::function<int()>> bodies;
  for (int w = 0; w < kWriters; ++w) {
    bodies.push_back([w] {
      for (int i = 0; i < kKeysEach; ++i) {
        const std::string key = "key" + std::to_string(w) + "." + std::to_string(i);
        if (!plat::facts::WriteIn("shared", key, "value of " + key)) return 1;
      }
      return 0;
    });
  }
  bodies.push_back([] {
    for (int round = 0; round < 200; ++round) {
      for (int w = 0; w < kWriters; ++w) {
        const std::string key = "key" + std::to_string(w) + ".0";
        const auto value = plat::facts::ReadIn("shared", key);
        if (value && *value != "value of " + key) return 1;
      }
    }
    return 0;
  });
  EXPECT_EQ(RunInChildren(bodies), std::vector<int>(bodies.size(), 0));
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kKeysEach; ++i) {
      const std::string key = "key" + std::to_string(w) + "." + std::to_string(i);
      EXPECT_EQ(plat::facts::ReadIn("shared", key).value_or("<missing>"), "value of " + key);
    }
  }
}

}  // namespace
