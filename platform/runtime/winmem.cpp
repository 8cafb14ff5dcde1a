// The global heap and the engine pool of the stand-in. Every live block is
// registered, so frees are checked, tests can count what is still allocated,
// and a test can make one chosen allocation fail. The registry is split in
// shards by address, each an open-addressing table under its own lock, so
// that the accounting costs a few memory accesses next to malloc and
// threads rarely meet on one lock.
#include "platform/runtime/winmem.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

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

struct Slot {
  const void* address;  // null: an empty slot
  Block block;
};

std::uint64_t Mix(const void* p) { return reinterpret_cast<std::uintptr_t>(p) * 0x9E3779B97F4A7C15ull; }

constexpr int kShardBits = 6;

// One shard: linear probing, at most half full, deletion by shifting the
// slots of a probe run back (so there are no tombstones).
class alignas(64) Shard {
 public:
  std::mutex lock;

  // False when the table cannot grow.
  bool Insert(const void* p, const Block& block) {
    if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
    slots_[Vacant(p)] = Slot{p, block};
    ++count_;
    return true;
  }

  static constexpr std::size_t kMissing = ~std::size_t{0};

  // The slot of the block at p, or kMissing.
  std::size_t Find(const void* p) const {
    if (capacity_ == 0) return kMissing;
    for (std::size_t at = Home(p);; at = (at + 1) & (capacity_ - 1)) {
      if (slots_[at].address == p) return at;
      if (slots_[at].address == nullptr) return kMissing;
    }
  }

  Block& At(std::size_t slot) { return slots_[slot].block; }

  // Unregisters the block of a slot that Find gave.
  void Erase(std::size_t hole) {
    const std::size_t mask = capacity_ - 1;
    for (std::size_t at = (hole + 1) & mask; slots_[at].address != nullptr; at = (at + 1) & mask) {
      // A later slot of the run moves back into the hole unless its home
      // lies (cyclically) after the hole and up to the slot itself.
      const std::size_t home = Home(slots_[at].address);
      const bool homeBetween = hole <= at ? (home > hole && home <= at) : (home > hole || home <= at);
      if (!homeBetween) {
        slots_[hole] = slots_[at];
        hole = at;
      }
    }
    slots_[hole].address = nullptr;
    --count_;
  }

  std::size_t count() const { return count_; }

  template <class F>
  void ForEach(F f) const {
    for (std::size_t i = 0; i < capacity_; ++i) {
      if (slots_[i].address != nullptr) f(slots_[i].block);
    }
  }

 private:
  std::size_t Home(const void* p) const { return static_cast<std::size_t>(Mix(p) >> 20) & (capacity_ - 1); }

  std::size_t Vacant(const void* p) const {
    std::size_t at = Home(p);
    while (slots_[at].address != nullptr) at = (at + 1) & (capacity_ - 1);
    return at;
  }

  // The table lives in host memory outside the accounting it keeps.
  bool Grow() {
    const std::size_t capacity = capacity_ == 0 ? 256 : capacity_ * 2;
    auto* slots = static_cast<Slot*>(std::calloc(capacity, sizeof(Slot)));
    if (slots == nullptr) return false;
    Slot* old = slots_;
    const std::size_t oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
      if (old[i].address != nullptr) slots_[Vacant(old[i].address)] = old[i];
    }
    std::free(old);
    return true;
  }

  Slot* slots_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t count_ = 0;
};

struct Heap {
  Shard shards[std::size_t{1} << kShardBits];
  std::atomic<std::size_t> failCountdown{0};  // 0: no allocation is made to fail
  std::atomic<std::size_t> invalidFrees{0};

  Shard& ShardOf(const void* p) { return shards[Mix(p) >> (64 - kShardBits)]; }
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

// Whether this allocation is the one a test chose to fail.
bool ChosenToFail(Heap& heap) {
  std::size_t left = heap.failCountdown.load(std::memory_order_relaxed);
  while (left != 0 && !heap.failCountdown.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

void* Allocate(Pool pool, SIZE_T bytes, ULONG tag, bool zero) {
  Heap& heap = TheHeap();
  if (ChosenToFail(heap)) return OutOfMemory();
  if (bytes > kMaxBlock) return OutOfMemory();
  const SIZE_T size = std::max<SIZE_T>(bytes, 1);
  void* p = zero ? std::calloc(1, size) : std::malloc(size);
  if (p == nullptr) return OutOfMemory();
  if (!zero) std::memset(p, kUnzeroedFill, size);
  Shard& shard = heap.ShardOf(p);
  bool registered = false;
  {
    std::lock_guard guard(shard.lock);
    registered = shard.Insert(p, Block{bytes, tag, pool, 0});
  }
  if (!registered) {
    std::free(p);
    return OutOfMemory();
  }
  return p;
}

// Unregisters and frees a live block of the pool; false for anything else.
bool Free(Pool pool, void* p) {
  Heap& heap = TheHeap();
  Shard& shard = heap.ShardOf(p);
  {
    std::lock_guard guard(shard.lock);
    const std::size_t slot = shard.Find(p);
    if (slot == Shard::kMissing || shard.At(slot).pool != pool) {
      heap.invalidFrees.fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    shard.Erase(slot);
  }
  std::free(p);
  return true;
}

// Runs f on the live global block at p under its shard's lock; false if
// there is none.
template <class F>
bool WithGlobalBlock(const void* p, F f) {
  Shard& shard = TheHeap().ShardOf(p);
  std::lock_guard guard(shard.lock);
  const std::size_t slot = shard.Find(p);
  if (slot == Shard::kMissing || shard.At(slot).pool != Pool::kGlobal) return false;
  f(shard.At(slot));
  return true;
}

}  // namespace

namespace plat {

std::size_t LiveBlocks() {
  std::size_t live = 0;
  for (Shard& shard : TheHeap().shards) {
    std::lock_guard guard(shard.lock);
    live += shard.count();
  }
  return live;
}

std::size_t LiveBlocksTagged(ULONG tag) {
  std::size_t live = 0;
  for (Shard& shard : TheHeap().shards) {
    std::lock_guard guard(shard.lock);
    shard.ForEach([&](const Block& b) { live += b.pool == Pool::kEngine && b.tag == tag ? 1 : 0; });
  }
  return live;
}

std::size_t InvalidFrees() { return TheHeap().invalidFrees.load(); }

void FailAllocationAt(std::size_t n) { TheHeap().failCountdown.store(n); }

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
