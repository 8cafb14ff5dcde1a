// A test machine whose driver carries the rich sample description as its
// data file, with helpers that lay out the BCS cache file beside it, for
// the cache tests of both builds.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/spooler/spoolsetup.h"
#include "settings/cache/bkpd_cache.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"
#include "tests/storage/printer_setup.h"

namespace cache_test {

namespace fs = std::filesystem;

inline constexpr const char16_t* kDriver = u"Kesm C7 Colour";
inline constexpr const char16_t* kPrinter = u"Design Studio";
inline constexpr const char16_t* kRich = u"kesmc7res.dll";   // the resource library each sample names
inline constexpr const char16_t* kPlain = u"kesmm3res.dll";

inline std::u16string Text(LPCWSTR s) { return s == nullptr ? u"(null)" : std::u16string(s); }

inline std::string Bytes(PCBKPD b) { return std::string(reinterpret_cast<const char*>(b), b->totalSize); }

// A sample text with its "FileVersion" value replaced (or the entry
// dropped for an empty version).
inline std::string WithVersion(const std::string& text, const std::string& version) {
  const std::string entry = "*FileVersion: 4.88\n";
  std::string out = text;
  const std::size_t at = out.find(entry);
  EXPECT_NE(at, std::string::npos);
  out.replace(at, entry.size(), version.empty() ? "" : "*FileVersion: " + version + "\n");
  return out;
}

// The packed description of a text.
inline std::string Packed(const std::string& text) {
  const kpdtest::Packed p = kpdtest::PackAndFree(kpdtest::CompileText(text, nullptr));
  EXPECT_FALSE(p.bytes.empty());
  return std::string(p.bytes.begin(), p.bytes.end());
}

class DescriptionCache : public ::testing::Test {
 protected:
  void SetUp() override {
    BKPDAddrFree();
    rich_ = kpdtest::Fixture("kesm_c7_colour.kpd");
    plain_ = kpdtest::Fixture("kesm_m3.kpd");
    ASSERT_NO_FATAL_FAILURE(Install(DataFileName(), rich_));
  }
  // The driver's data file: the rich sample's text under this name.
  virtual const char16_t* DataFileName() const { return u"KESMC7.KPD"; }

  void TearDown() override {
    BKPDAddrFree();
    EXPECT_EQ(plat::LiveBlocks(), baseline_) << "a description or its list node leaked";
    for (HANDLE h : handles_) ClosePrinter(h);
  }

  // The driver with that data file and text, a printer of it, and a handle.
  void Install(const char16_t* dataFile, const std::string& text) {
    dataFile_ = dataFile;
    PutText(text);
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(kDriver, dataFile, nullptr));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(kPrinter, kDriver));
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterW(kPrinter, &h, &defaults));
    handles_.push_back(h);
    printer_ = h;
    baseline_ = plat::LiveBlocks();
  }

  fs::path TextFile() const { return plat::DriverFilesFolder() / fs::path(dataFile_); }
  fs::path CacheFile() const { return fs::path(TextFile()).replace_extension(".BCS"); }
  std::u16string DataPath() const { return plat::DriverFilesDirectory() + u"\\" + dataFile_; }

  void PutText(const std::string& text) const { Write(TextFile(), text); }
  static void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // A cache file `age` newer than the text (older when negative).
  void PutCache(const std::string& bytes, std::chrono::seconds age) const {
    Write(CacheFile(), bytes);
    fs::last_write_time(CacheFile(), fs::last_write_time(TextFile()) + age);
  }
  // Names in the driver folder that a write left behind.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(plat::DriverFilesFolder())) {
      const std::string name = e.path().filename().string();
      if (name.rfind("~ks", 0) == 0) names.push_back(name);
    }
    return names;
  }

  // The description the printer's context would open with.
  PCBKPD Create() {
    kesm_test::HandContext c(printer_);
    return BKPDCreate(c.ucb());
  }

  plat::ScopedMachine machine_;
  std::string rich_;
  std::string plain_;
  std::u16string dataFile_;
  HANDLE printer_ = nullptr;
  std::vector<HANDLE> handles_;
  std::size_t baseline_ = 0;
};

}  // namespace cache_test
