#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/engine/eng_semaphore.h"

namespace {

TEST(EngSemaphore, RecursiveForTheOwnerAndExclusiveForOtherThreads) {
  HSEMAPHORE semaphore = EngCreateSemaphore();
  ASSERT_NE(semaphore, nullptr);
  EngAcquireSemaphore(semaphore);
  EngAcquireSemaphore(semaphore);  // the owner enters again without blocking
  EngReleaseSemaphore(semaphore);

  // The other thread signals just before it asks; the owner lets go only
  // after that, and the other may enter only after the owner let go.
  std::promise<void> asking;
  std::atomic<bool> released = false;
  std::atomic<bool> entered = false;
  bool enteredAfterRelease = false;
  std::thread other([&] {
    EngReleaseSemaphore(semaphore);  // not the owner: no effect
    asking.set_value();
    EngAcquireSemaphore(semaphore);
    enteredAfterRelease = released;
    entered = true;
    EngReleaseSemaphore(semaphore);
  });
  asking.get_future().wait();
  EXPECT_FALSE(entered);  // one acquisition is still held
  released = true;
  EngReleaseSemaphore(semaphore);
  other.join();
  EXPECT_TRUE(entered);
  EXPECT_TRUE(enteredAfterRelease);

  EngAcquireSemaphore(semaphore);  // free again
  EngReleaseSemaphore(semaphore);
  EngDeleteSemaphore(semaphore);
}

}  // namespace
