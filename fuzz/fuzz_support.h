// What every fuzz target checks after each input, beyond what the
// sanitizers see: the stand-in keeps its own registry of blocks, so a block
// of GlobalAlloc or EngAllocMem that outlives the input, or a free of
// something that is not a live block (which the stand-in refuses and
// counts), is invisible to LeakSanitizer and AddressSanitizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/base/control.h"

namespace fuzz {

// Counts the platform's blocks and invalid frees when made and aborts, with
// a message, when the input changed either by the time it goes.
class PlatformBalance {
 public:
  PlatformBalance() : live_(plat::LiveBlocks()), invalid_(plat::InvalidFrees()) {}
  PlatformBalance(const PlatformBalance&) = delete;
  PlatformBalance& operator=(const PlatformBalance&) = delete;
  // The input ended something that was live before it: it must leave this
  // many blocks instead.
  void Expect(std::size_t live) { live_ = live; }
  ~PlatformBalance() {
    plat::FailAllocationAt(0);
    const std::size_t live = plat::LiveBlocks();
    const std::size_t invalid = plat::InvalidFrees();
    if (live != live_) {
      std::fprintf(stderr, "platform blocks: %zu before the input, %zu after\n", live_, live);
      std::abort();
    }
    if (invalid != invalid_) {
      std::fprintf(stderr, "invalid frees: %zu during the input\n", invalid - invalid_);
      std::abort();
    }
  }

 private:
  std::size_t live_;
  std::size_t invalid_;
};

// A copy of the bytes in a heap block of exactly their size, so that a read
// even one byte past the end is caught. Allocations are aligned for any
// record, as the loaders expect of a block.
inline std::unique_ptr<std::uint8_t[]> ExactCopy(const std::uint8_t* data, std::size_t size) {
  auto copy = std::make_unique_for_overwrite<std::uint8_t[]>(size == 0 ? 1 : size);
  if (size != 0) std::memcpy(copy.get(), data, size);
  return copy;
}

// The ANSI code pages the description readers meet: the single-byte one
// and the four double-byte ones.
inline constexpr unsigned kCodePages[] = {1252, 932, 936, 949, 950};

}  // namespace fuzz
