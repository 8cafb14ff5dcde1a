// Feeds arbitrary escapes to DrvEscape on PDEVs of the sample printer (the
// description kesmprint installs), one of them in raw mode. The input is
// {escape number (4 bytes), output size (2 bytes), flags (1 byte: bit 0 the
// raw-mode PDEV, bit 1 no input buffer, bit 2 no output buffer), payload};
// the payload is the input buffer and its size the input size. Both buffers
// are exactly as long as said, so any access past them, whatever the
// payload claims, is caught. Each input starts from the same settings and
// replace texts; nothing may stay allocated. The seeds
// (fuzz/corpus/drv_escape/) are a valid payload of each escape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/sample_printer.h"
#include "platform/base/machine.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/spooler/winspool.h"
#include "render/header/replace_strings.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/function_table.h"
#include "render/pdev/pdev.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"

namespace {

// One machine with the sample printer and two PDEVs on it for the whole
// run, the second in raw mode.
struct Bench {
  plat::ScopedMachine machine;
  HANDLE printer = nullptr;
  PDEV* pdevs[2] = {};
  SURFOBJ surfaces[2] = {};
  std::vector<BYTE> settings[2];

  Bench() {
    // The driver image only has to be there: the PDEV maps it for its
    // font resources.
    printer = fuzz::OpenSamplePrinter(KESM_SAMPLE_DESCRIPTION, nullptr);
    DRVENABLEDATA data{};
    if (!DrvEnableDriver(DDI_DRIVER_VERSION_NT5_01, sizeof(data), &data)) std::abort();
    for (int i = 0; i < 2; ++i) {
      GDIINFO gdi{};
      DEVINFO info{};
      HSURF patterns[HS_DDI_MAX] = {};
      WCHAR name[] = u"Kesm Sample";
      DHPDEV dhpdev = DrvEnablePDEV(nullptr, nullptr, HS_DDI_MAX, patterns, sizeof(gdi), &gdi, sizeof(info), &info,
                                    reinterpret_cast<HDEV>(printer), name, printer);
      if (dhpdev == nullptr) std::abort();
      pdevs[i] = reinterpret_cast<PDEV*>(dhpdev);
      surfaces[i].dhpdev = dhpdev;
    }
    pdevs[1]->rawMode = 1;
    for (int i = 0; i < 2; ++i) settings[i] = Current(i);
  }
  ~Bench() {
    for (PDEV* pdev : pdevs) DrvDisablePDEV(reinterpret_cast<DHPDEV>(pdev));
    FreeStoredUcb(TRUE);
    ClosePrinter(printer);
  }

  std::vector<BYTE> Current(int i) const {
    const auto* bytes = reinterpret_cast<const BYTE*>(pdevs[i]->ucb->pDCB);
    return std::vector<BYTE>(bytes, bytes + sizeof(DCB));
  }
  void Reset(int i) {
    std::memcpy(pdevs[i]->ucb->pDCB, settings[i].data(), settings[i].size());
    pdevs[i]->flags &= ~kPdevWriteError;
  }
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7 || size > (1 << 20)) return 0;
  Bench& bench = TheBench();
  ULONG code = 0;
  std::memcpy(&code, data, sizeof(code));
  const ULONG outBytes = static_cast<ULONG>(data[4] | data[5] << 8);
  const BYTE flags = data[6];
  const int which = flags & 1;
  const std::size_t inBytes = size - 7;
  bench.Reset(which);
  ResetReplaceStrings();
  const fuzz::PlatformBalance balance;
  auto input = fuzz::ExactCopy(data + 7, inBytes);
  auto output = fuzz::ExactCopy(data, 0);
  if (outBytes != 0) output = std::make_unique<std::uint8_t[]>(outBytes);
  const bool noInput = (flags & 2) != 0;
  const bool noOutput = (flags & 4) != 0;
  const ULONG result = DrvEscape(&bench.surfaces[which], code, noInput ? 0 : static_cast<ULONG>(inBytes),
                                 noInput ? nullptr : input.get(), noOutput ? 0 : outBytes,
                                 noOutput ? nullptr : output.get());
  // Every escape answers 0 or 1, except PASSTHROUGH: its count or -1.
  if (code != 19 && result > 1) std::abort();
  if (code == 19 && result != 0 && result != 0xFFFFFFFFu && result > inBytes) std::abort();
  return 0;
}
