// The global heap and the engine pool of the stand-in. Every live block is
// registered, so frees are checked, tests can count what is still allocated,
// and a test can make one chosen allocation fail.
//
// Each block carries its record in a header just before the address handed
// out. Whether an address is a live block is answered by a bitmap over the
// address space, one bit for each 16-byte step, without reading the memory
// at the address: a block freed before or a pointer into the middle of a
// block is refused before anything is touched. Live blocks are counted, in
// all and by engine tag, with atomic counters. Allocation and free cost the
// same whatever the number of live blocks, touch only memory next to the
// block and a bitmap word, and take no lock.
#include "platform/runtime/winmem.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/base/control.h"
#include "platform/base/winerror.h"

namespace {

enum class Pool : BYTE { kGlobal, kEngine };

// The record before each block; its size keeps the block 16-aligned.
struct alignas(16) Block {
  SIZE_T size;
  ULONG tag;
  Pool pool;
  std::atomic<UINT> locks;
};
static_assert(sizeof(Block) % 16 == 0);

void* AddressOf(Block* b) { return b + 1; }
Block* BlockAt(void* p) { return static_cast<Block*>(p) - 1; }

// One bit for each 16-byte step of the address space below 2^48 (every
// address the host hands out), set while a live block starts there. Three
// levels: a leaf covers 4 MB, a middle table 32 GB; both are made on first
// use and kept, so a lookup never waits on a lock.
class LiveBits {
 public:
  static constexpr int kStepBits = 4;
  static constexpr int kLeafBits = 18;
  static constexpr int kMiddleBits = 13;
  static constexpr int kTopBits = 13;
  static_assert(kStepBits + kLeafBits + kMiddleBits + kTopBits == 48);

  static bool Covers(const void* p) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    return a >> 48 == 0 && (a & ((1u << kStepBits) - 1)) == 0;
  }

  // Sets the bit of p; false when its table cannot be made.
  bool Set(const void* p) {
    Word* word = WordOf(p, true);
    if (word == nullptr) return false;
    word->fetch_or(BitOf(p), std::memory_order_acq_rel);
    return true;
  }

  // Clears the bit of p; whether it was set.
  bool Clear(const void* p) {
    Word* word = Covers(p) ? WordOf(p, false) : nullptr;
    return word != nullptr && (word->fetch_and(~BitOf(p), std::memory_order_acq_rel) & BitOf(p)) != 0;
  }

  bool Test(const void* p) {
    Word* word = Covers(p) ? WordOf(p, false) : nullptr;
    return word != nullptr && (word->load(std::memory_order_acquire) & BitOf(p)) != 0;
  }

 private:
  using Word = std::atomic<std::uint64_t>;
  struct Leaf {
    Word words[(std::size_t{1} << kLeafBits) / 64] = {};
  };
  struct Middle {
    std::atomic<Leaf*> leaves[std::size_t{1} << kMiddleBits] = {};
  };

  static std::uint64_t BitOf(const void* p) {
    return std::uint64_t{1} << ((reinterpret_cast<std::uintptr_t>(p) >> kStepBits) & 63);
  }

  // The table in slot, made when make is true and it is missing. Tables
  // live in host memory outside the accounting they keep, and outside
  // operator new, which a program may replace.
  template <class T>
  static T* Get(std::atomic<T*>& slot, bool make) {
    T* table = slot.load(std::memory_order_acquire);
    if (table != nullptr || !make) return table;
    void* raw = std::calloc(1, sizeof(T));
    if (raw == nullptr) return nullptr;
    T* fresh = new (raw) T();
    if (slot.compare_exchange_strong(table, fresh, std::memory_order_acq_rel)) return fresh;
    fresh->~T();  // another thread made it first
    std::free(raw);
    return table;
  }

  Word* WordOf(const void* p, bool make) {
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    const std::size_t step = a >> kStepBits;
    Middle* middle = Get(top_[step >> (kLeafBits + kMiddleBits)], make);
    if (middle == nullptr) return nullptr;
    Leaf* leaf = Get(middle->leaves[(step >> kLeafBits) & ((std::size_t{1} << kMiddleBits) - 1)], make);
    if (leaf == nullptr) return nullptr;
    return &leaf->words[(step & ((std::size_t{1} << kLeafBits) - 1)) / 64];
  }

  std::atomic<Middle*> top_[std::size_t{1} << kTopBits] = {};
};

// Live engine blocks by tag: open addressing over a fixed table, a slot
// claimed for a tag on its first block and kept.
class TagCounts {
 public:
  // The counter of tag, null when the table is full.
  std::atomic<std::size_t>* Of(ULONG tag, bool claim) {
    const std::uint64_t key = std::uint64_t{tag} | kUsed;
    for (std::size_t i = 0, at = (tag * 0x9E3779B9u) >> (32 - kBits); i < kSlots; ++i, at = (at + 1) % kSlots) {
      std::uint64_t seen = slots_[at].key.load(std::memory_order_acquire);
      if (seen == 0) {
        if (!claim) return nullptr;
        if (slots_[at].key.compare_exchange_strong(seen, key, std::memory_order_acq_rel)) return &slots_[at].count;
      }
      if (seen == key) return &slots_[at].count;
    }
    return nullptr;
  }

 private:
  static constexpr int kBits = 12;
  static constexpr std::size_t kSlots = std::size_t{1} << kBits;
  static constexpr std::uint64_t kUsed = std::uint64_t{1} << 32;
  struct Slot {
    std::atomic<std::uint64_t> key{0};  // 0: free; else the tag with kUsed
    std::atomic<std::size_t> count{0};
  };
  Slot slots_[kSlots];
};

struct Heap {
  LiveBits live;
  TagCounts tags;
  std::atomic<std::size_t> liveBlocks{0};
  std::atomic<std::size_t> failCountdown{0};  // 0: no allocation is made to fail
  std::atomic<std::size_t> invalidFrees{0};
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
  std::atomic<std::size_t>* tagged = pool == Pool::kEngine ? heap.tags.Of(tag, true) : nullptr;
  if (pool == Pool::kEngine && tagged == nullptr) return OutOfMemory();  // too many distinct tags
  const SIZE_T size = std::max<SIZE_T>(bytes, 1);
  void* raw = zero ? std::calloc(1, sizeof(Block) + size) : std::malloc(sizeof(Block) + size);
  if (raw == nullptr) return OutOfMemory();
  Block* b = new (raw) Block{bytes, tag, pool, {0}};
  void* p = AddressOf(b);
  if (!zero) std::memset(p, kUnzeroedFill, size);
  if (!LiveBits::Covers(p) || !heap.live.Set(p)) {
    b->~Block();
    std::free(raw);
    return OutOfMemory();
  }
  heap.liveBlocks.fetch_add(1, std::memory_order_relaxed);
  if (tagged != nullptr) tagged->fetch_add(1, std::memory_order_relaxed);
  return p;
}

// Unregisters and frees a live block of the pool; false for anything else.
// The bit is taken first, so of two frees of one block only one proceeds.
bool Free(Pool pool, void* p) {
  Heap& heap = TheHeap();
  if (!heap.live.Test(p) || BlockAt(p)->pool != pool || !heap.live.Clear(p)) {
    heap.invalidFrees.fetch_add(1, std::memory_order_relaxed);
    return false;
  }
  Block* b = BlockAt(p);
  heap.liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  if (pool == Pool::kEngine) heap.tags.Of(b->tag, false)->fetch_sub(1, std::memory_order_relaxed);
  b->~Block();
  std::free(b);
  return true;
}

// Runs f on the live global block at p; false if there is none.
template <class F>
bool WithGlobalBlock(const void* p, F f) {
  if (!TheHeap().live.Test(p)) return false;
  Block* b = BlockAt(const_cast<void*>(p));
  if (b->pool != Pool::kGlobal) return false;
  f(*b);
  return true;
}

}  // namespace

namespace plat {

std::size_t LiveBlocks() { return TheHeap().liveBlocks.load(); }

std::size_t LiveBlocksTagged(ULONG tag) {
  std::atomic<std::size_t>* tagged = TheHeap().tags.Of(tag, false);
  return tagged == nullptr ? 0 : tagged->load();
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
  if (WithGlobalBlock(mem, [](Block& b) { b.locks.fetch_add(1); })) return mem;
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

BOOL GlobalUnlock(HGLOBAL mem) {
  DWORD error = ERROR_INVALID_HANDLE;
  BOOL stillLocked = FALSE;
  WithGlobalBlock(mem, [&](Block& b) {
    UINT locks = b.locks.load();
    while (locks > 0 && !b.locks.compare_exchange_weak(locks, locks - 1)) {
    }
    error = locks == 0 ? ERROR_NOT_LOCKED : NO_ERROR;
    stillLocked = locks > 1 ? TRUE : FALSE;
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
