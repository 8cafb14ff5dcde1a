// Reads arbitrary bytes as a set file, with every flag word a read takes,
// into a printer context of the colour sample description on a simulated
// machine. A read that fails must leave the context's settings as they
// were, printer information likewise, and nothing may leak. The seed
// corpus is fuzz/corpus/setfile_reader/.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/base/control.h"
#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/files/winfile.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "storage/setfiles/set_file.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

constexpr const char16_t* kPrinterName = u"Studio C7";
constexpr const char16_t* kSetPath = u"C:\\Sets\\fuzz.rst";
constexpr const char16_t* kSettingsIni = u"C:\\_kesm\\kesmusr.ini";
constexpr DWORD kSheetMode = 0x80000000;

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

// One machine with one printer of the colour model and one context on it
// for the whole run; every input starts from the same settings.
struct Bench {
  plat::ScopedMachine machine;
  HANDLE printer = nullptr;
  UCB* ucb = nullptr;
  std::vector<BYTE> settings;

  Bench() {
    // The context opens with the description it finds as its driver's data
    // file.
    std::error_code error;
    std::filesystem::copy_file(KESM_TEST_DATA "/kpd/kesm_c7_colour.kpd",
                               plat::DriverFilesFolder() / "kesmc7.kpd",
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) std::abort();
    plat::DriverSetup driver;
    driver.name = u"Kesm C7 Colour";
    driver.driverFile = u"kesmgr.dll";
    driver.dataFile = u"kesmc7.kpd";
    driver.configFile = u"kesmui.dll";
    plat::PrinterSetup setup;
    setup.name = kPrinterName;
    setup.driverName = driver.name;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (plat::AddPrinterDriver(driver) != ERROR_SUCCESS || plat::AddPrinter(setup) != ERROR_SUCCESS ||
        !OpenPrinterW(kPrinterName, &printer, &defaults)) {
      std::abort();
    }
    CreateDirectoryW(u"C:\\Sets", nullptr);
    CreateDirectoryW(u"C:\\_kesm", nullptr);
    ucb = GetUcb(printer, printer, 0, kSheetMode);
    if (ucb == nullptr || ucb->pDCB == nullptr || ucb->pBKPD == nullptr) std::abort();
    settings = Current();
  }
  ~Bench() {
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
    ClosePrinter(printer);
  }

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

void PutFile(const uint8_t* data, size_t size) {
  HANDLE file = CreateFileW(kSetPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  DWORD written = 0;
  if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) || written != size) std::abort();
  CloseHandle(file);
}

// A read that fails changes no setting.
void Read(Bench& bench, BOOL (*read)(Bench&, DWORD), DWORD flags) {
  bench.Reset();
  const std::vector<BYTE> before = bench.Current();
  if (!read(bench, flags) && bench.Current() != before) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  Bench& bench = TheBench();
  PutFile(data, size);
  DeleteFileW(kSettingsIni);  // the stores the repairs write start empty
  const fuzz::PlatformBalance balance;
  for (DWORD flags : kReadFlags) {
    Read(bench, [](Bench& b, DWORD f) { return ReadSetFile(b.printer, kSetPath, f, b.ucb); }, flags);
  }
  for (DWORD flags : {DWORD{0}, kSetFileBatchInstall}) {
    Read(bench, [](Bench& b, DWORD f) { return ReadSetFilePrnInfo(kSetPath, f, b.ucb); }, flags);
  }
  return 0;
}
