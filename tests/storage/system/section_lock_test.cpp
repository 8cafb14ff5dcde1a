#include "storage/system/section_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/sync/winsync.h"
#include "tests/storage/storage_support.h"

namespace {

using storage_test::InOtherProcess;

// Whether another process finds the lock held, asked without waiting.
std::u16string LockSeenFromOutside() {
  return InOtherProcess([] {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kSectionMutexName);
    const DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0) ReleaseMutex(mutex);
    return std::u16string(wait == WAIT_TIMEOUT ? u"held" : u"free");
  });
}

// A context whose lock flag is the given value.
storage_test::Context ContextWithLockFlag(INT flag) {
  storage_test::Context context;
  context.work->fTakeLock = flag;
  return context;
}

class SectionLock : public ::testing::Test {
 protected:
  void SetUp() override { InitSection(); }
  void TearDown() override { DeleteSection(); }
  plat::ScopedMachine machine_;
};

TEST_F(SectionLock, NestedPairsHoldUntilTheOutermostRelease) {
  auto context = ContextWithLockFlag(1);
  for (UCB* ucb : {static_cast<UCB*>(nullptr), context.get()}) {
    EnterSection(ucb);
    EnterSection(ucb);
    EXPECT_EQ(LockSeenFromOutside(), u"held");
    LeaveSection(ucb);
    EXPECT_EQ(LockSeenFromOutside(), u"held");
    LeaveSection(ucb);
    EXPECT_EQ(LockSeenFromOutside(), u"free");
  }
}

TEST_F(SectionLock, AContextThatSkipsTheLockNeverTouchesTheMutex) {
  auto context = ContextWithLockFlag(0);
  const std::size_t handles = plat::OpenHandleCount();
  EnterSection(context.get());
  EXPECT_EQ(plat::OpenHandleCount(), handles);  // not even created
  EXPECT_EQ(LockSeenFromOutside(), u"free");

  EnterSection(nullptr);
  LeaveSection(context.get());  // releases nothing of the null context's hold
  EXPECT_EQ(LockSeenFromOutside(), u"held");
  LeaveSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"free");
}

TEST_F(SectionLock, ALeaveWithoutEnterReleasesNothing) {
  LeaveSection(nullptr);  // before any use
  EnterSection(nullptr);
  std::thread([] { LeaveSection(nullptr); }).join();  // this thread holds nothing
  LeaveSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"free");
  LeaveSection(nullptr);  // one more than entered
  EnterSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"held");
  LeaveSection(nullptr);
}

TEST_F(SectionLock, AMutexAbandonedByADeadProcessIsTakenAndGivenBack) {
  const std::u16string died = InOtherProcess([] {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kSectionMutexName);
    return std::u16string(WaitForSingleObject(mutex, 0) == WAIT_OBJECT_0 ? u"took" : u"busy");
  });
  ASSERT_EQ(died, u"took");  // and ended without releasing it
  EnterSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"held");
  LeaveSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"free");
}

// While this thread holds the lock, a second thread of this process and a
// second process each wait the full 20 s, time out and go on. The thread
// that timed out then leaves its section: that must not give up the hold of
// the first thread.
TEST_F(SectionLock, TimedOutWaitersGoOnAndReleaseNothing) {
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  const pid_t child = fork();
  if (child == 0) {
    char byte = 0;
    if (read(go[0], &byte, 1) != 1) _exit(2);
    InitSection();
    EnterSection(nullptr);  // returns after the time-out
    LeaveSection(nullptr);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kSectionMutexName);
    _exit(WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT ? 0 : 1);  // still the parent's
  }
  ASSERT_GT(child, 0);
  EnterSection(nullptr);
  ASSERT_EQ(write(go[1], "g", 1), 1);
  std::thread([] {
    EnterSection(nullptr);  // returns after the time-out
    LeaveSection(nullptr);
  }).join();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  close(go[0]);
  close(go[1]);

  EXPECT_EQ(LockSeenFromOutside(), u"held");
  LeaveSection(nullptr);
  EXPECT_EQ(LockSeenFromOutside(), u"free");
}

TEST_F(SectionLock, ScopedSectionReleasesOnEveryWayOut) {
  {
    ScopedSection section(nullptr);
    EXPECT_EQ(LockSeenFromOutside(), u"held");
  }
  EXPECT_EQ(LockSeenFromOutside(), u"free");
}

}  // namespace
