#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <new>
#include <thread>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/sync/winsync.h"

namespace {

// Result of a call made on another thread.
template <class F>
auto OnOtherThread(F f) {
  decltype(f()) result{};
  std::thread([&] { result = f(); }).join();
  return result;
}

TEST(Mutex, RecursiveForTheOwningThreadAndReleasedOnlyByIt) {
  plat::ScopedMachine machine;
  for (const WCHAR* name : {static_cast<const WCHAR*>(nullptr), u"KesmTestRecursive"}) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 10); }), WAIT_TIMEOUT);
    EXPECT_EQ(OnOtherThread([&] {
                BOOL released = ReleaseMutex(mutex);
                return std::pair(released, GetLastError());
              }),
              std::pair(FALSE, ERROR_NOT_OWNER));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 10); }), WAIT_TIMEOUT);
    EXPECT_TRUE(ReleaseMutex(mutex));  // three waits, three releases
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
    EXPECT_EQ(OnOtherThread([&] {
                DWORD r = WaitForSingleObject(mutex, 0);
                ReleaseMutex(mutex);
                return r;
              }),
              WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(mutex));
  }
}

TEST(Mutex, AbandonedWhenTheOwningThreadEnds) {
  plat::ScopedMachine machine;
  for (const WCHAR* name : {static_cast<const WCHAR*>(nullptr), u"KesmTestThreadEnds"}) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, INFINITE); }), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex));  // an abandoned mutex is owned by the waiter
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(CloseHandle(mutex));
  }
}

TEST(Mutex, NamesWithinOneProcessAndItsThreads) {
  plat::ScopedMachine machine;
  HANDLE first = CreateMutexW(nullptr, TRUE, u"KesmTestName");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

  HANDLE second = CreateMutexW(nullptr, FALSE, u"Local\\KesmTestName");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_NE(second, first);
  EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(second, 0); }), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(second));  // one object: owned through the first handle

  HANDLE otherCase = CreateMutexW(nullptr, TRUE, u"KESMTESTNAME");  // names keep case
  ASSERT_NE(otherCase, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

  for (HANDLE h : {first, second, otherCase}) EXPECT_TRUE(CloseHandle(h));
  HANDLE again = CreateMutexW(nullptr, FALSE, u"KesmTestName");  // all handles closed: new
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_TRUE(CloseHandle(again));
}

TEST(Mutex, BadNames) {
  plat::ScopedMachine machine;
  struct Case {
    std::u16string name;
    DWORD error;
  };
  const Case cases[] = {
      {u"Kesm\\Sub", ERROR_PATH_NOT_FOUND},
      {std::u16string(MAX_PATH + 1, u'm'), ERROR_FILENAME_EXCED_RANGE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CreateMutexW(nullptr, FALSE, c.name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
  HANDLE longest = CreateMutexW(nullptr, FALSE, std::u16string(MAX_PATH, u'\u00e9').c_str());
  EXPECT_NE(longest, nullptr);
  CloseHandle(longest);
  EXPECT_FALSE(ReleaseMutex(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// A child process that takes a named mutex, reports, then on the parent's
// word either releases it and exits or exits holding it.
class MutexHolder {
 public:
  explicit MutexHolder(const WCHAR* name) {
    int up[2], down[2];
    if (pipe(up) != 0 || pipe(down) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(up[0]);
      close(down[1]);
      HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
      char taken = WaitForSingleObject(mutex, INFINITE) == WAIT_OBJECT_0 ? 't' : 'f';
      char word = 0;
      if (write(up[1], &taken, 1) != 1 || read(down[0], &word, 1) != 1) _exit(2);
      if (word == 'r') ReleaseMutex(mutex);
      _exit(0);  // no cleanup: the mutex may still be held
    }
    close(up[1]);
    close(down[0]);
    report_ = up[0];
    command_ = down[1];
  }
  ~MutexHolder() {
    Finish('x');
    close(report_);
    close(command_);
  }
  bool Took() {
    char taken = 0;
    return pid_ > 0 && read(report_, &taken, 1) == 1 && taken == 't';
  }
  // 'r' releases before exiting, anything else exits holding the mutex.
  void Finish(char word) {
    if (pid_ <= 0) return;
    if (write(command_, &word, 1) != 1) kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int report_ = -1;
  int command_ = -1;
};

TEST(Mutex, HeldByAnotherProcess) {
  plat::ScopedMachine machine;
  struct Case {
    char childEnd;
    DWORD afterChild;
  };
  const Case cases[] = {{'r', WAIT_OBJECT_0}, {'x', WAIT_ABANDONED}};
  for (const Case& c : cases) {
    MutexHolder child(u"KesmMutexTse");
    ASSERT_TRUE(child.Took());
    HANDLE mutex = CreateMutexW(nullptr, FALSE, u"KesmMutexTse");
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(WaitForSingleObject(mutex, 20), WAIT_TIMEOUT);
    EXPECT_FALSE(ReleaseMutex(mutex));
    child.Finish(c.childEnd);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), c.afterChild);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // released cleanly now
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(CloseHandle(mutex));
  }
}

TEST(Mutex, ANameNobodyHoldsOpenStartsFresh) {
  plat::ScopedMachine machine;
  {
    MutexHolder child(u"KesmTestFresh");
    ASSERT_TRUE(child.Took());
    child.Finish('x');  // dies owning it, and nobody else has the name open
  }
  HANDLE mutex = CreateMutexW(nullptr, FALSE, u"KesmTestFresh");
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_TRUE(CloseHandle(mutex));
}

TEST(Mutex, AnotherProcessWaitsForThisOne) {
  plat::ScopedMachine machine;
  HANDLE mutex = CreateMutexW(nullptr, TRUE, u"KesmTestParentHolds");
  ASSERT_NE(mutex, nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    HANDLE mine = CreateMutexW(nullptr, FALSE, u"KesmTestParentHolds");
    bool ok = GetLastError() == ERROR_ALREADY_EXISTS && WaitForSingleObject(mine, 20) == WAIT_TIMEOUT;
    _exit(ok ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_TRUE(CloseHandle(mutex));
}

// Keeps opening the named mutex and trying to take it, until told to stop.
void ContendFor(const WCHAR* name, const std::atomic<bool>& stop) {
  while (!stop.load()) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    if (mutex == nullptr) continue;
    const DWORD waited = WaitForSingleObject(mutex, 0);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
}

// Creates the named mutex as its initial owner until it has done so `rounds`
// times (or gives up after many attempts), while something else contends for
// the name. Counts the creations and the calls whose ownership was wrong.
struct Creations {
  int created = 0;
  int wrongOwner = 0;
};
Creations CreateAsInitialOwner(const WCHAR* name, int rounds) {
  Creations result;
  for (int attempt = 0; result.created < rounds && attempt < rounds * 100; ++attempt) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    if (mutex == nullptr) continue;
    if (GetLastError() == ERROR_SUCCESS) {
      ++result.created;
      if (!ReleaseMutex(mutex)) ++result.wrongOwner;
    } else if (ReleaseMutex(mutex)) {
      ++result.wrongOwner;  // opened an existing mutex: the flag must not take it
    }
    CloseHandle(mutex);
  }
  return result;
}

constexpr int kCreationRounds = 2000;

TEST(Mutex, InitialOwnerOwnsWhatItCreatesAgainstAnotherThread) {
  plat::ScopedMachine machine;
  std::atomic<bool> stop{false};
  std::thread contender([&] { ContendFor(u"KesmTestRaceThread", stop); });
  const Creations result = CreateAsInitialOwner(u"KesmTestRaceThread", kCreationRounds);
  stop = true;
  contender.join();
  EXPECT_GT(result.created, 0);
  EXPECT_EQ(result.wrongOwner, 0);
}

TEST(Mutex, InitialOwnerOwnsWhatItCreatesAgainstAnotherProcess) {
  plat::ScopedMachine machine;
  void* shared = mmap(nullptr, sizeof(std::atomic<bool>), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* stop = new (shared) std::atomic<bool>(false);
  pid_t pid = fork();
  if (pid == 0) {
    ContendFor(u"KesmTestRaceProcess", *stop);
    _exit(0);
  }
  ASSERT_GT(pid, 0);
  const Creations result = CreateAsInitialOwner(u"KesmTestRaceProcess", kCreationRounds);
  *stop = true;
  int status = -1;
  EXPECT_EQ(waitpid(pid, &status, 0), pid);
  munmap(shared, sizeof(std::atomic<bool>));
  EXPECT_GT(result.created, 0);
  EXPECT_EQ(result.wrongOwner, 0);
}

}  // namespace
