// The kernel-mode lock: one engine semaphore for the library, taken whatever
// the context says.
#include "storage/system/section_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "settings/context/context_block.h"

namespace {

class KernelSectionLock : public ::testing::Test {
 protected:
  void SetUp() override { InitSection(); }
  void TearDown() override { DeleteSection(); }
};

TEST_F(KernelSectionLock, NestsOnOneThreadAndFreesAfterTheOutermostLeave) {
  EnterSection(nullptr);
  EnterSection(nullptr);
  LeaveSection(nullptr);
  LeaveSection(nullptr);
  // Another thread can take it now; were it still held, this would not end.
  std::thread([] {
    EnterSection(nullptr);
    LeaveSection(nullptr);
  }).join();
}

TEST_F(KernelSectionLock, ExcludesOtherThreadsEvenForContextsThatSkipTheUserModeLock) {
  WORKAREA work{};
  work.fTakeLock = 0;
  UCB ucb{};
  ucb.pWork = &work;
  std::atomic<int> inside{0};
  std::atomic<int> overlaps{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i) {
        EnterSection(&ucb);
        if (inside.fetch_add(1) != 0) overlaps.fetch_add(1);
        std::this_thread::yield();
        inside.fetch_sub(1);
        LeaveSection(&ucb);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(overlaps.load(), 0);
}

TEST_F(KernelSectionLock, WithoutASemaphoreNothingIsTakenOnAnyThread) {
  DeleteSection();
  EnterSection(nullptr);
  std::thread([] {
    EnterSection(nullptr);
    LeaveSection(nullptr);
  }).join();
  LeaveSection(nullptr);
}

}  // namespace
