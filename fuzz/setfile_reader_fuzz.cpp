// Reads arbitrary bytes as a set file into a printer context of the
// colour sample description on a simulated machine. The input is {read
// (1 byte), the file}: the first byte picks one of the reads (a set-file
// read with one of its flag words, or a read of printer information), so
// that an input costs one read and the fuzzer finds each read's paths on
// its own. A read that fails must leave the context's settings as they
// were, printer information likewise, and no block of the platform may
// outlive the input or be freed twice. The seed corpus is
// fuzz/corpus/setfile_reader/.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/bench_machine.h"
#include "fuzz/fuzz_support.h"
#include "platform/base/handles.h"
#include "platform/files/winfile.h"
#include "platform/files/winpath.h"
#include "settings/context/context_block.h"
#include "storage/setfiles/set_file.h"

namespace {

constexpr const char16_t* kSetPath = u"C:\\Sets\\fuzz.rst";
constexpr const char16_t* kSettingsIni = u"C:\\_kesm\\kesmusr.ini";

constexpr std::array<DWORD, 12> kReadFlags = {
    0,
    kSetFilePreset | kSetFileNoAlert,
    kSetFilePreset | kSetFilePlainSection,
    kSetFileQuality,
    kSetFileQuality | kSetFileWorkBlock,
    kSetFileWatermark,
    kSetFileFreeSize,
    kSetFileSourceFreeSize,
    kSetFileBatchInstall,
    kSetFileBidi,
    kSetFileInstall | kSetFilePreset,
    kSetFileTemplate,
};
// The reads of printer information: of a file, and of a batch install.
constexpr std::array<DWORD, 2> kInformationFlags = {0, kSetFileBatchInstall};

// The benchmarks' machine, its driver's data file holding the colour sample
// description (a context's open reads the description from the data
// file), and one context on it for the whole run; every input starts from
// the same settings.
struct Bench {
  kesm_bench::BenchMachine machine{kesm_bench::RichSample()};
  UCB* ucb = nullptr;
  std::vector<BYTE> settings;

  Bench() {
    if (!machine.ok()) std::abort();
    CreateDirectoryW(u"C:\\Sets", nullptr);
    CreateDirectoryW(u"C:\\_kesm", nullptr);
    ucb = machine.Open();
    if (ucb == nullptr || ucb->pDCB == nullptr || ucb->pBKPD == nullptr) std::abort();
    settings = Current();
  }
  ~Bench() { FreeUcb(ucb); }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  HANDLE printer() const { return machine.printer(); }
  std::vector<BYTE> Current() const {
    const auto* bytes = reinterpret_cast<const BYTE*>(ucb->pDCB);
    return std::vector<BYTE>(bytes, bytes + sizeof(DCB));
  }
  void Reset() { std::memcpy(ucb->pDCB, settings.data(), settings.size()); }
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

// The input as the set file, written straight to the machine's folder:
// the file layer of the stand-in is not what this target reads.
void PutFile(const uint8_t* data, size_t size) {
  static const std::filesystem::path host = [] {
    const auto path = plat::HostPathOf(kSetPath);
    if (!path) std::abort();
    return *path;
  }();
  // A new file each time: a file cut to nothing and written again is
  // flushed to the disk when it closes (the file system guards a rewrite
  // that way), which cost more than the read itself.
  std::error_code error;
  std::filesystem::remove(host, error);
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
}

// A read that fails changes no setting.
void Read(Bench& bench, BOOL (*read)(Bench&, DWORD), DWORD flags) {
  bench.Reset();
  const std::vector<BYTE> before = bench.Current();
  if (!read(bench, flags) && bench.Current() != before) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 1 << 20) return 0;
  Bench& bench = TheBench();
  PutFile(data + 1, size - 1);
  DeleteFileW(kSettingsIni);  // the stores the repairs write start empty
  fuzz::PlatformBalance balance;
  const std::size_t pick = data[0] % (kReadFlags.size() + kInformationFlags.size());
  if (pick < kReadFlags.size()) {
    Read(bench, [](Bench& b, DWORD f) { return ReadSetFile(b.printer(), kSetPath, f, b.ucb); }, kReadFlags[pick]);
  } else {
    Read(bench, [](Bench& b, DWORD f) { return ReadSetFilePrnInfo(kSetPath, f, b.ucb); },
         kInformationFlags[pick - kReadFlags.size()]);
  }
  return 0;
}
