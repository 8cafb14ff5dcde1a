// Engine semaphores over a mutex and a condition variable, with the owning
// thread and its recursion count.
#include "platform/engine/eng_semaphore.h"

#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

struct HSEMAPHORE__ {
  std::mutex lock;
  std::condition_variable freed;
  std::thread::id owner;
  ULONG count = 0;
};

HSEMAPHORE EngCreateSemaphore() { return new (std::nothrow) HSEMAPHORE__; }

void EngAcquireSemaphore(HSEMAPHORE semaphore) {
  if (semaphore == nullptr) return;
  const auto self = std::this_thread::get_id();
  std::unique_lock guard(semaphore->lock);
  if (semaphore->count > 0 && semaphore->owner == self) {
    ++semaphore->count;
    return;
  }
  semaphore->freed.wait(guard, [&] { return semaphore->count == 0; });
  semaphore->owner = self;
  semaphore->count = 1;
}

void EngReleaseSemaphore(HSEMAPHORE semaphore) {
  if (semaphore == nullptr) return;
  std::lock_guard guard(semaphore->lock);
  if (semaphore->count == 0 || semaphore->owner != std::this_thread::get_id()) return;
  if (--semaphore->count == 0) {
    semaphore->owner = std::thread::id();
    semaphore->freed.notify_one();
  }
}

void EngDeleteSemaphore(HSEMAPHORE semaphore) { delete semaphore; }
