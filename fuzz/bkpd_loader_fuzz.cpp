// Feeds arbitrary bytes, as a cache file would hold them, to the
// compiled-description loader; a block it accepts is walked whole through
// the accessors, judges and command trees included. The bytes are loaded
// from a buffer of exactly their size, so a read even one byte past the end
// is caught.
//
// Its seeds are the packed samples. A mutation of a seed that changes its
// length would be refused at once for a header total that no longer
// matches, so the mutator writes the new length into the header: the
// mutated blocks reach the loader's later checks.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/bkpd/bkpd_load.h"
#include "tests/settings/bkpd/bkpd_sample.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int /*seed*/) {
  size = LLVMFuzzerMutate(data, size, maxSize);
  constexpr std::size_t kTotal = offsetof(BKPDHEADER, totalSize);
  if (size >= kTotal + sizeof(DWORD)) {
    const auto total = static_cast<DWORD>(size);
    std::memcpy(data + kTotal, &total, sizeof total);
  }
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::PlatformBalance balance;
  const auto block = fuzz::ExactCopy(data, size);
  if (PCBKPD b = UnpackPpdData(block.get(), size)) {
    (void)sample::Describe(b);
  }
  return 0;
}
