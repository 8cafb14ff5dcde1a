// Scratch arrays of the path code on the PDEV heap, for the length of a
// call.
#pragma once

#include <cstdint>

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"

// count values of T on the PDEV heap, freed on scope exit; null when more
// than limit bytes would be needed or the heap is exhausted.
template <typename T>
class HeapArray {
 public:
  HeapArray(PDEV* pdev, std::uint64_t count, std::uint64_t limit) : pdev_(pdev) {
    if (count > 0 && count <= limit / sizeof(T)) {
      data_ = static_cast<T*>(HEAPALLOC(pdev->heap, static_cast<SIZE_T>(count * sizeof(T))));
    }
  }
  ~HeapArray() {
    if (data_ != nullptr) HEAPFREE(pdev_->heap, data_);
  }
  HeapArray(const HeapArray&) = delete;
  HeapArray& operator=(const HeapArray&) = delete;
  T* get() const { return data_; }

 private:
  PDEV* pdev_;
  T* data_ = nullptr;
};
