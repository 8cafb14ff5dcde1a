// Feeds arbitrary bytes to the compiled-description loader; a block it
// accepts is walked whole through the accessors, judges and command trees
// included. Its seeds (fuzz/corpus/bkpd_loader) are the packed samples.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/settings/bkpd/bkpd_sample.h"
#include "settings/bkpd/bkpd_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The loader wants an aligned block, as an allocation gives.
  std::vector<DWORD> block((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (size != 0) {
    std::memcpy(block.data(), data, size);
  }
  if (PCBKPD b = UnpackPpdData(block.data(), size)) {
    (void)sample::Describe(b);
  }
  return 0;
}
