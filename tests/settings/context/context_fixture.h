// A machine with the fictional Kesm 4200 driver (the plain sample
// description as its data file) and two printers, a clock the test drives,
// and a check that every context the test opened is gone at its end: the
// cache is emptied and the live blocks are counted against those after a
// first open listed the description.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "platform/base/winerror.h"
#include "platform/spooler/winspool.h"
#include "settings/context/context_arrays.h"
#include "settings/context/context_block.h"
#include "settings/context/context_open.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "tests/storage/printer_setup.h"

namespace context_test {

inline constexpr const char16_t* kDriverName = u"Kesm 4200 Series";
inline constexpr const char16_t* kOffice = u"Office 2F";
inline constexpr const char16_t* kLobby = u"Lobby";
inline constexpr DWORD kSheetMode = 0x80000000;  // the property sheets' mode word

class ContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(kDriverName, u"KESM4200.KPD", u"kesmus.hlp"));
    for (const char16_t* name : {kOffice, kLobby}) {
      ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(name, kDriverName));
    }
    office_ = Open(kOffice);
    lobby_ = Open(kLobby);
    ASSERT_NE(office_, nullptr);
    ASSERT_NE(lobby_, nullptr);
    // The description, once loaded, stays listed for the process: it is
    // loaded before the count starts.
    UCB* first = OpenContext(office_);
    ASSERT_NE(first, nullptr);
    FreeUcb(first);
    FreeStoredUcb(TRUE);
    plat::SetClock(SYSTEMTIME{2024, 3, 0, 14, 9, 30, 0, 0}, 100000);
    baseline_ = plat::LiveBlocks();
  }

  void TearDown() override {
    FreeStoredUcb(TRUE);
    EXPECT_EQ(plat::LiveBlocks(), baseline_) << "a context or one of its blocks leaked";
    BKPDAddrFree();
    EXPECT_EQ(plat::InvalidFrees(), invalidFrees_);
    for (HANDLE h : handles_) ClosePrinter(h);
    plat::UseRealClock();
  }

  // A new spooler handle on the printer, closed at the end of the test.
  HANDLE Open(const char16_t* name) {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name, &h, &defaults)) return nullptr;
    handles_.push_back(h);
    return h;
  }

  UCB* OpenContext(HANDLE printer, DWORD mode = kSheetMode) { return GetUcb(printer, printer, 0, mode); }

  plat::ScopedMachine machine_;
  HANDLE office_ = nullptr;
  HANDLE lobby_ = nullptr;
  std::size_t baseline_ = 0;
  std::size_t invalidFrees_ = plat::InvalidFrees();
  std::vector<HANDLE> handles_;
};

// Gives the DCB image an array of `count` entries, each byte `fill`.
inline void PutArray(DCB* dcb, const DcbOwnedArray& array, WORD count, BYTE fill) {
  auto* entries = static_cast<BYTE*>(GetMemPtr(std::size_t{count} * array.entrySize));
  ASSERT_NE(entries, nullptr);
  std::memset(entries, fill, std::size_t{count} * array.entrySize);
  SetDcbArray(dcb, array, {count, entries});
}

// True when the image holds `count` entries of byte `fill` in that array.
inline bool HoldsArray(const DCB* dcb, const DcbOwnedArray& array, WORD count, BYTE fill) {
  const DcbArray held = GetDcbArray(dcb, array);
  if (held.count != count || held.entries == nullptr) return false;
  for (std::size_t i = 0; i < std::size_t{count} * array.entrySize; ++i) {
    if (held.entries[i] != fill) return false;
  }
  return true;
}

}  // namespace context_test
