#include "render/platform/pdev_heap.h"

#include <cstddef>

#include "platform/runtime/winmem.h"

namespace {

// The link word in front of the caller's bytes, padded so that the caller's
// bytes keep the pool's alignment.
struct alignas(std::max_align_t) Link {
  Link* previous;  // the block allocated before this one, null for the first
};

struct Head {
  Link* last;  // the block allocated last, null when the heap is empty
};

Head* HeadOf(HANDLE heap) { return static_cast<Head*>(heap); }

PVOID CallerBytes(Link* link) { return reinterpret_cast<BYTE*>(link) + sizeof(Link); }

}  // namespace

HANDLE HEAPCREATE() {
  auto* head = static_cast<Head*>(EngAllocMem(0, sizeof(Head), kPdevHeapTag));
  if (head == nullptr) {
    return nullptr;
  }
  head->last = nullptr;
  return head;
}

PVOID HEAPALLOC(HANDLE heap, SIZE_T size) {
  if (heap == nullptr || size > ULONG{0xFFFFFFFF} - sizeof(Link)) {
    return nullptr;
  }
  auto* link =
      static_cast<Link*>(EngAllocMem(0, static_cast<ULONG>(size + sizeof(Link)), kPdevHeapTag));
  if (link == nullptr) {
    return nullptr;
  }
  Head* head = HeadOf(heap);
  link->previous = head->last;
  head->last = link;
  return CallerBytes(link);
}

void HEAPFREE(HANDLE heap, PVOID block) {
  if (heap == nullptr || block == nullptr) {
    return;
  }
  // Only pointers found in the chain are turned back into links, so a
  // foreign pointer is never dereferenced.
  for (Link** at = &HeadOf(heap)->last; *at != nullptr; at = &(*at)->previous) {
    if (CallerBytes(*at) == block) {
      Link* found = *at;
      *at = found->previous;
      EngFreeMem(found);
      return;
    }
  }
}

void HEAPDESTROY(HANDLE heap) {
  if (heap == nullptr) {
    return;
  }
  Link* link = HeadOf(heap)->last;
  while (link != nullptr) {
    Link* previous = link->previous;
    EngFreeMem(link);
    link = previous;
  }
  EngFreeMem(heap);
}
