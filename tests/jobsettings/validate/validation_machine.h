// A machine with one printer of a fictional Kesm driver whose data file is
// one of the test descriptions, and the helpers the DEVMODE validation
// tests share: opening a context, copying its DEVMODE, and reading a
// setting. Every context opened is freed at the end, and nothing may leak.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/spooler/winspool.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_value.h"
#include "tests/storage/printer_setup.h"

namespace validation_test {

inline constexpr DWORD kSheetMode = 0x80000000;
inline constexpr const char16_t* kPrinter = u"Desk";

using Bytes = std::vector<BYTE>;

class ValidationMachine : public ::testing::Test {
 protected:
  // The driver's data file holds the named description of tests/data/kpd;
  // a stored default DEVMODE for the printer when one is given, and the
  // printer's attributes.
  void Install(const char* description, const Bytes& storedDefault = {}, DWORD attributes = 0) {
    InstallFile(std::filesystem::path(KESM_TEST_DATA) / "kpd" / description, storedDefault, attributes);
  }
  // The same with the description file given by its path.
  void InstallFile(const std::filesystem::path& description, const Bytes& storedDefault = {}, DWORD attributes = 0) {
    std::filesystem::copy_file(description, plat::DriverFilesFolder() / "KESMTEST.KPD",
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(u"Kesm Test", u"KESMTEST.KPD", nullptr));
    plat::PrinterSetup printer;
    printer.name = kPrinter;
    printer.driverName = u"Kesm Test";
    printer.defaultDevMode = storedDefault;
    printer.attributes = attributes;
    ASSERT_EQ(plat::AddPrinter(printer), ERROR_SUCCESS);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(kPrinter, &printer_, &defaults));
  }

  void TearDown() override {
    for (UCB* ucb : opened_) FreeUcb2(ucb, 1);
    FreeStoredUcb(TRUE);
    BKPDAddrFree();
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  // A new context of the printer, freed at the end of the test.
  UCB* Open() {
    UCB* ucb = GetUcb2(printer_, printer_, 0, 0, kSheetMode);
    if (ucb != nullptr) opened_.push_back(ucb);
    return ucb;
  }

  static DEVMODEW* Dm(UCB* ucb) { return reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode); }
  static Bytes Image(UCB* ucb) { return Bytes(ucb->pDCB->devmode, ucb->pDCB->devmode + kSizeofKesmDM); }
  static DEVMODEW* Dm(Bytes& b) { return reinterpret_cast<DEVMODEW*>(b.data()); }
  static LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }
  static void Set(UCB* ucb, WORD id, LONG_PTR v) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb, id, v)); }

  // What must hold of a context of the V5 validation sample after any
  // validation or open, whatever DEVMODE it was given.
  void ExpectSound(UCB* ucb, const Bytes& runTimeBefore) {
    const DEVMODEW* dm = Dm(ucb);
    const BYTE* image = ucb->pDCB->devmode;
    EXPECT_EQ(Bytes(image + kOffRunTimeFlags, image + kSizeofKesmDM), runTimeBefore) << "run-time flags";
    EXPECT_TRUE(IsMyValidDevmode(dm, 0));
    EXPECT_EQ(dm->dmSize, 220);
    EXPECT_EQ(dm->dmDriverExtra, 1016);
    EXPECT_EQ(LoadLE<WORD>(image, kOffBlockOffsets + 2), kDcbBlock2Offset);
    EXPECT_EQ(LoadLE<WORD>(image, kOffBlockOffsets + 4), kDcbBlock3Offset);
    for (const KdmTextField& f : kKdmTextFields) {
      const std::size_t last = f.offset + f.size - (f.wide ? 2 : 1);
      EXPECT_EQ(image[last], 0) << "text at " << f.offset;
    }
    EXPECT_GT(dm->dmPrintQuality, 0);
    EXPECT_EQ(dm->dmYResolution, dm->dmPrintQuality);
    EXPECT_GT(Value(ucb, 38), 0);
    EXPECT_GT(Value(ucb, 39), 0);
    EXPECT_TRUE(dm->dmOrientation == 1 || dm->dmOrientation == 2);
    EXPECT_TRUE(dm->dmCopies >= 1 && dm->dmCopies <= 99) << dm->dmCopies;
    EXPECT_TRUE(dm->dmScale >= 1 && dm->dmScale <= 1000) << dm->dmScale;
    // The private settings the description covers stay within it.
    EXPECT_EQ(Value(ucb, 35), 169);
    EXPECT_EQ(Value(ucb, 242), 1);
    EXPECT_TRUE(Value(ucb, 89) >= 20 && Value(ucb, 89) <= 400) << Value(ucb, 89);
    EXPECT_TRUE(Value(ucb, 118) >= 0 && Value(ucb, 118) <= 31) << Value(ucb, 118);
    for (WORD first : {WORD{40}, WORD{47}}) {
      EXPECT_LE(Value(ucb, first + 2), Value(ucb, first)) << "printable length of " << first;
      EXPECT_LE(Value(ucb, first + 3), Value(ucb, first + 1)) << "printable width of " << first;
    }
  }

  plat::ScopedMachine machine_;
  HANDLE printer_ = nullptr;
  std::vector<UCB*> opened_;
};

}  // namespace validation_test
