#include <thread>

#include <gtest/gtest.h>

#include "platform/base/winerror.h"

TEST(LastError, IsPerThreadAndSharedBetweenSpellings) {
  SetLastError(ERROR_MORE_DATA);
  EXPECT_EQ(EngGetLastError(), ERROR_MORE_DATA);
  DWORD seenInOtherThread = 1;
  std::thread([&] { seenInOtherThread = GetLastError(); EngSetLastError(87); }).join();
  EXPECT_EQ(seenInOtherThread, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
}
