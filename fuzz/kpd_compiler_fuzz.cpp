// Feeds arbitrary text to the description compiler. Whatever compiles must
// pack into a block the loader accepts, and everything is freed again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/base/control.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/kpd/kpd_compile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0xFFFFFFFFu) {
    return 0;
  }
  const std::size_t before = plat::LiveBlocks();
  KpdCompileReport report{};
  WorkBKPD* work = WorkBKPD_CreateFromText(data, static_cast<DWORD>(size), &report);
  if (work != nullptr) {
    DWORD blockSize = 0;
    if (BKPDGetWriteSize(work, &blockSize)) {
      std::vector<BYTE> block(blockSize);
      if (!PackPpdData(block.data(), blockSize, work) || UnpackPpdData(block.data(), block.size()) == nullptr) {
        std::abort();  // the packer wrote what the loader refuses
      }
    }
    WorkBKPD_Free(work);
  }
  if (plat::LiveBlocks() != before) {
    std::abort();
  }
  return 0;
}
