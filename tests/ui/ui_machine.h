// A machine with one printer of the fictional W2 model (papers, trays,
// output trays and resolutions of its own) whose driver directory holds the
// configuration library's resource DLL under the name the description gives
// it, and the helpers the entry-point tests share: opening the printer and a
// context, reading DEVMODEs, and the check that an entry point left no
// context open.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/machine.h"
#include "platform/files/winpath.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/context_open.h"
#include "tests/settings/description_list_reset.h"
#include "tests/storage/printer_setup.h"

namespace ui_test {

inline constexpr const char16_t* kPrinter = u"Kesm W2 Office";
inline constexpr const char16_t* kDriver = u"Kesm W2 Series";
inline constexpr const char16_t* kDataFile = u"KESMW2RQ.KPD";

using Bytes = std::vector<BYTE>;

class UiMachine : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Install("kesm_w2_request.kpd")); }

  void TearDown() override {
    if (printer_ != nullptr) ClosePrinter(printer_);
    FreeStoredUcb(TRUE);
    BKPDAddrFree();
  }

  // The description as the driver's data file, the driver and the printer
  // (with its attributes), and the resource DLL where the description's
  // name puts it.
  void Install(const char* description, const char16_t* helpFile = u"kesmw2rus.hlp", DWORD attributes = 0) {
    std::filesystem::copy_file(std::filesystem::path(KESM_TEST_DATA) / "kpd" / description,
                               plat::DriverFilesFolder() / std::filesystem::path(kDataFile),
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(kDriver, kDataFile, helpFile));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(kPrinter, kDriver, attributes));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(kPrinter, &printer_, &defaults));
    resourceDll_ = ResourceDllPath();
    ASSERT_FALSE(resourceDll_.empty());
    std::filesystem::create_directories(resourceDll_.parent_path());
    std::filesystem::copy_file(KESM_UI_STRINGS, resourceDll_, std::filesystem::copy_options::overwrite_existing);
  }

  // Where the printer's contexts look for the resource DLL.
  std::filesystem::path ResourceDllPath() {
    UCB* ucb = GetUcb(printer_, printer_, 0, 0x80000000);
    if (ucb == nullptr) return {};
    const std::u16string name = GetResDllName(ucb);
    FreeUcb2(ucb, 1);
    const auto host = plat::HostPathOf(name.c_str());
    return host ? *host : std::filesystem::path();
  }

  static DEVMODEW* Dm(Bytes& b) { return reinterpret_cast<DEVMODEW*>(b.data()); }

  // The number of contexts open (not parked) now.
  static DWORD OpenContexts() { return CountLiveUcb() - CountParkedUcb(); }

  // A buffer of exactly n bytes filled with a marker, so that ASan sees
  // every write past it and a test sees every byte written.
  static Bytes Filled(std::size_t n, BYTE marker = 0xA5) { return Bytes(n, marker); }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
  std::filesystem::path resourceDll_;
};

}  // namespace ui_test
