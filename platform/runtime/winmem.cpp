// The global heap and the engine pool of the stand-in. Every live block is
// registered, so frees are checked, tests can count what is still allocated,
// and a test can make one chosen allocation fail.
#include "platform/runtime/winmem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/base/control.h"
#include "platform/base/winerror.h"

namespace {

enum class Pool : BYTE { kGlobal, kEngine };

struct Block {
  SIZE_T size;
  ULONG tag;
  Pool pool;
  UINT locks;
};

struct Heap {
  std::mutex lock;
  std::unordered_map<const void*, Block> blocks;
  std::size_t failCountdown = 0;  // 0: no allocation is made to fail
  std::size_t invalidFrees = 0;
};

Heap& TheHeap() {
  static Heap* heap = new Heap;  // lives until process exit
  return *heap;
}

// Larger requests fail as out of memory rather than exhaust the host.
constexpr SIZE_T kMaxBlock = SIZE_T{1} << 30;
// Engine blocks not asked to be zeroed get this, so code that relies on
// zeroed memory shows itself.
constexpr int kUnzeroedFill = 0xA5;

void* OutOfMemory() {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

void* Allocate(Pool pool, SIZE_T bytes, ULONG tag, bool zero) {
  Heap& heap = TheHeap();
  {
    std::lock_guard guard(heap.lock);
    if (heap.failCountdown > 0 && --heap.failCountdown == 0) return OutOfMemory();
  }
  if (bytes > kMaxBlock) return OutOfMemory();
  const SIZE_T size = std::max<SIZE_T>(bytes, 1);
  void* p = zero ? std::calloc(1, size) : std::malloc(size);
  if (p == nullptr) return OutOfMemory();
  if (!zero) std::memset(p, kUnzeroedFill, size);
  try {
    std::lock_guard guard(heap.lock);
    heap.blocks.emplace(p, Block{bytes, tag, pool, 0});
  } catch (const std::bad_alloc&) {
    std::free(p);
    return OutOfMemory();
  }
  return p;
}

// Unregisters and frees a live block of the pool; false for anything else.
bool Free(Pool pool, void* p) {
  Heap& heap = TheHeap();
  {
    std::lock_guard guard(heap.lock);
    auto it = heap.blocks.find(p);
    if (it == heap.blocks.end() || it->second.pool != pool) {
      ++heap.invalidFrees;
      return false;
    }
    heap.blocks.erase(it);
  }
  std::free(p);
  return true;
}

// Runs f on the live global block at p under the lock; false if there is none.
template <class F>
bool WithGlobalBlock(const void* p, F f) {
  Heap& heap = TheHeap();
  std::lock_guard guard(heap.lock);
  auto it = heap.blocks.find(p);
  if (it == heap.blocks.end() || it->second.pool != Pool::kGlobal) return false;
  f(it->second);
  return true;
}

}  // namespace

namespace plat {

std::size_t LiveBlocks() {
  Heap& heap = TheHeap();
  std::lock_guard guard(heap.lock);
  return heap.blocks.size();
}

std::size_t LiveBlocksTagged(ULONG tag) {
  Heap& heap = TheHeap();
  std::lock_guard guard(heap.lock);
  return static_cast<std::size_t>(std::count_if(
      heap.blocks.begin(), heap.blocks.end(),
      [&](auto& b) { return b.second.pool == Pool::kEngine && b.second.tag == tag; }));
}

std::size_t InvalidFrees() {
  Heap& heap = TheHeap();
  std::lock_guard guard(heap.lock);
  return heap.invalidFrees;
}

void FailAllocationAt(std::size_t n) {
  Heap& heap = TheHeap();
  std::lock_guard guard(heap.lock);
  heap.failCountdown = n;
}

}  // namespace plat

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) { return Allocate(Pool::kGlobal, bytes, 0, true); }

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (mem == nullptr || Free(Pool::kGlobal, mem)) return nullptr;
  SetLastError(ERROR_INVALID_HANDLE);
  return mem;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  SIZE_T size = 0;
  if (!WithGlobalBlock(mem, [&](Block& b) { size = b.size; })) SetLastError(ERROR_INVALID_HANDLE);
  return size;
}

LPVOID GlobalLock(HGLOBAL mem) {
  if (WithGlobalBlock(mem, [](Block& b) { ++b.locks; })) return mem;
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

BOOL GlobalUnlock(HGLOBAL mem) {
  DWORD error = ERROR_INVALID_HANDLE;
  BOOL stillLocked = FALSE;
  WithGlobalBlock(mem, [&](Block& b) {
    error = b.locks == 0 ? ERROR_NOT_LOCKED : NO_ERROR;
    if (b.locks > 0) --b.locks;
    stillLocked = b.locks > 0 ? TRUE : FALSE;
  });
  SetLastError(error);
  return stillLocked;
}

PVOID EngAllocMem(ULONG flags, ULONG bytes, ULONG tag) {
  return Allocate(Pool::kEngine, bytes, tag, (flags & FL_ZERO_MEMORY) != 0);
}

void EngFreeMem(PVOID mem) {
  if (mem != nullptr && !Free(Pool::kEngine, mem)) EngSetLastError(ERROR_INVALID_PARAMETER);
}
