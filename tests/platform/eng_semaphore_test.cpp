#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/eng_semaphore.h"

namespace {

TEST(EngSemaphore, RecursiveForTheOwnerAndExclusiveForOthers) {
  HSEMAPHORE semaphore = EngCreateSemaphore();
  ASSERT_NE(semaphore, nullptr);
  EngAcquireSemaphore(semaphore);
  EngAcquireSemaphore(semaphore);  // the owner enters again without blocking
  EngReleaseSemaphore(semaphore);

  std::atomic<bool> entered = false;
  std::thread other([&] {
    EngReleaseSemaphore(semaphore);  // not the owner: no effect
    EngAcquireSemaphore(semaphore);
    entered = true;
    EngReleaseSemaphore(semaphore);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered);  // one acquisition is still held
  EngReleaseSemaphore(semaphore);
  other.join();
  EXPECT_TRUE(entered);

  EngAcquireSemaphore(semaphore);  // free again
  EngReleaseSemaphore(semaphore);
  EngDeleteSemaphore(semaphore);
}

}  // namespace
