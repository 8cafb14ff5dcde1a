// The spooler of a machine that several processes use at once: jobs of
// different processes never share an id or a job file, and a driver or a
// printer that several install at the same moment is installed once, whole,
// and the others are told it is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/spooler/spooljob.h"
#include "platform/spooler/spoolstore.h"
#include "tests/platform/child_process.h"
#include "tests/platform/spooler/spool_fixture.h"

namespace {

namespace fs = std::filesystem;

// Prints jobs whose only content is "<writer>-<job>"; 0 when all went well.
int PrintJobs(int writer, int jobs) {
  Printer printer(kLocalPrinter);
  if (printer.get() == nullptr) return 1;
  for (int i = 0; i < jobs; ++i) {
    WCHAR name[] = u"doc";
    DOC_INFO_1W info{name, nullptr, nullptr};
    if (StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info)) == 0) return 2;
    std::string text = std::to_string(writer) + "-" + std::to_string(i);
    DWORD written = 0;
    if (!WritePrinter(printer.get(), text.data(), static_cast<DWORD>(text.size()), &written)) return 3;
    if (!EndDocPrinter(printer.get())) return 4;
  }
  return 0;
}

TEST_F(SpoolerTest, JobsOfDifferentProcessesNeverShareAnIdOrAFile) {
  constexpr int kWriters = 8, kJobsEach = 5;
  std::vector<std::function<int()>> writers;
  for (int w = 0; w < kWriters; ++w) writers.push_back([w] { return PrintJobs(w, kJobsEach); });
  EXPECT_EQ(RunInChildren(writers), std::vector<int>(kWriters, 0));
  std::set<std::string> contents;
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(plat::SpoolerStore() / "jobs")) {
    std::ifstream in(entry.path(), std::ios::binary);
    contents.insert(std::string(std::istreambuf_iterator<char>(in), {}));
    ++files;
  }
  EXPECT_EQ(files, std::size_t{kWriters * kJobsEach});
  std::set<std::string> expected;
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kJobsEach; ++i) expected.insert(std::to_string(w) + "-" + std::to_string(i));
  }
  EXPECT_EQ(contents, expected);
  // This process goes on from the machine's count.
  Printer printer(kLocalPrinter);
  WCHAR name[] = u"doc";
  DOC_INFO_1W info{name, nullptr, nullptr};
  EXPECT_EQ(StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info)), DWORD{kWriters * kJobsEach + 1});
  EXPECT_TRUE(AbortPrinter(printer.get()));
}

TEST_F(SpoolerTest, ADamagedJobCounterIsRefusedAndLeftAsItWas) {
  const fs::path counter = plat::SpoolerStore() / "jobid";
  std::ofstream(counter, std::ios::binary) << "abcdef";
  Printer printer(kLocalPrinter);
  WCHAR name[] = u"doc";
  DOC_INFO_1W info{name, nullptr, nullptr};
  EXPECT_EQ(StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&info)), 0u);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_DATA});
  std::ifstream in(counter, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abcdef");
}

// What a process did to install the driver and the printer: bit 0, it
// installed the driver; bit 1, it added the printer; 4, something failed.
int InstallBoth() {
  plat::DriverSetup driver = KxDriver();
  driver.name = u"Raced Driver";
  const DWORD installed = plat::AddPrinterDriver(driver);
  plat::PrinterSetup printer;
  printer.name = u"Raced Printer";
  printer.driverName = driver.name;
  const DWORD added = plat::AddPrinter(printer);
  if ((installed != ERROR_SUCCESS && installed != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) ||
      (added != ERROR_SUCCESS && added != ERROR_PRINTER_ALREADY_EXISTS)) {
    return 4;
  }
  return (installed == ERROR_SUCCESS ? 1 : 0) | (added == ERROR_SUCCESS ? 2 : 0);
}

TEST_F(SpoolerTest, ProcessesInstallingOnePrinterAtOnceInstallItOnce) {
  constexpr int kInstallers = 8;
  const std::vector<int> codes = RunInChildren(std::vector<std::function<int()>>(kInstallers, InstallBoth));
  EXPECT_EQ(std::count_if(codes.begin(), codes.end(), [](int c) { return c >= 0 && c < 4 && (c & 1); }), 1);
  EXPECT_EQ(std::count_if(codes.begin(), codes.end(), [](int c) { return c >= 0 && c < 4 && (c & 2); }), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 4), 0);
  std::shared_ptr<const plat::spool::PrinterTable> table;
  ASSERT_EQ(plat::spool::ReadPrinters(true, table), ERROR_SUCCESS);
  ASSERT_NE(table->Find(u"Raced Printer"), nullptr);
  EXPECT_EQ(table->Find(u"Raced Printer")->driverName, u"Raced Driver");
  // Counted in the stored table itself; returning an error writes nothing.
  std::size_t named = 0;
  plat::spool::ChangePrinters([&](std::vector<plat::spool::PrinterRecord>& printers) {
    named = static_cast<std::size_t>(std::count_if(printers.begin(), printers.end(), [](const auto& p) {
      return p.name == u"Raced Printer";
    }));
    return DWORD{ERROR_INVALID_FUNCTION};
  });
  EXPECT_EQ(named, 1u);
}

// Readers find a driver being installed either whole or not at all.
TEST_F(SpoolerTest, ADriverBeingInstalledIsFoundWholeOrNotAtAll) {
  constexpr int kDrivers = 6;
  std::vector<std::function<int()>> bodies;
  for (int d = 0; d < kDrivers; ++d) {
    bodies.push_back([d] {
      plat::DriverSetup driver = KxDriver();
      driver.name = u"Driver " + std::u16string(1, char16_t(u'A' + d));
      return plat::AddPrinterDriver(driver) == ERROR_SUCCESS ? 0 : 1;
    });
  }
  for (int r = 0; r < 2; ++r) {
    bodies.push_back([] {
      for (int round = 0; round < 100; ++round) {
        for (int d = 0; d < kDrivers; ++d) {
          plat::spool::DriverRecord record;
          const DWORD rc = plat::spool::ReadDriver(*plat::spool::FindEnvironment(nullptr),
                                                   u"Driver " + std::u16string(1, char16_t(u'A' + d)), record);
          if (rc == ERROR_UNKNOWN_PRINTER_DRIVER) continue;
          if (rc != ERROR_SUCCESS || record.driverFile != u"kesmgr.dll" || record.dataFile != u"KESM4510.KPD" ||
              record.dependentFiles.size() != 2) {
            return 1;
          }
        }
      }
      return 0;
    });
  }
  EXPECT_EQ(RunInChildren(bodies), std::vector<int>(bodies.size(), 0));
}

}  // namespace
