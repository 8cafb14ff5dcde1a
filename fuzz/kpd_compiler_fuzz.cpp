// Feeds arbitrary text to the description compiler. The first byte picks
// the code page (bit 0: 932, else 1252) and an allocation to fail (bits
// 1-7: n, the (n + 1)-th allocation of a second compile); the rest is the
// text, read from a buffer of exactly its size.
//
// The text is compiled twice: as it is, and with that allocation failing.
// Whatever compiles must pack into a block the loader accepts, and the
// loaded block is walked whole through the accessors; an allocation that
// fails must fail the compile or leave a sound description, and nothing
// may stay allocated either way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "settings/bkpd/bkpd_load.h"
#include "settings/bkpd/bkpd_pack.h"
#include "settings/kpd/kpd_compile.h"
#include "tests/settings/bkpd/bkpd_sample.h"

namespace {

void CompilePackWalk(const uint8_t* text, DWORD size, std::size_t failAt) {
  plat::FailAllocationAt(failAt);
  KpdCompileReport report{};
  WorkBKPD* work = WorkBKPD_CreateFromText(text, size, &report);
  plat::FailAllocationAt(0);
  if (work == nullptr) {
    return;
  }
  DWORD blockSize = 0;
  if (BKPDGetWriteSize(work, &blockSize)) {
    std::vector<BYTE> block(blockSize);
    if (!PackPpdData(block.data(), blockSize, work)) {
      std::abort();  // the size pass promised room the packer did not find
    }
    const auto loaded = fuzz::ExactCopy(block.data(), block.size());
    PCBKPD b = UnpackPpdData(loaded.get(), block.size());
    if (b == nullptr) {
      std::abort();  // the packer wrote what the loader refuses
    }
    (void)sample::Describe(b);
  }
  WorkBKPD_Free(work);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 0xFFFFFFFFu) {
    return 0;
  }
  fuzz::PlatformBalance balance;
  plat::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
  const auto text = fuzz::ExactCopy(data + 1, size - 1);
  const auto textSize = static_cast<DWORD>(size - 1);
  CompilePackWalk(text.get(), textSize, 0);
  CompilePackWalk(text.get(), textSize, (data[0] >> 1) + 1u);
  return 0;
}
