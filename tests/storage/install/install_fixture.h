// The install tests' machine: the set-file tests' printers, settings INI
// and set-file folder, the driver directory with its driver INI, the
// system directory with the driver-install INI, the description of the
// fictional Kesm M3i (tests/data/install/kesm_install.kpd) that a test can
// give a context, and the fixtures of tests/data/install.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/settings/kpd/kpd_compile_sample.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace install_test {

using setfile_test::Lines;
using setfile_test::Section;
using setfile_test::ValueIn;

inline constexpr const char* kDriverFolder = "Windows/System32/spool/drivers/w32x86/3/";
inline constexpr const char* kSystemFolder = "Windows/System32/";
inline constexpr const char16_t* kDriverDir = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\";
inline constexpr const char* kDriverIni = "Windows/System32/spool/drivers/w32x86/3/kesmdrv.ini";
inline constexpr const char* kDrvInstIni = "Windows/System32/KESM.ini";
inline constexpr const char* kInstallIni = "_kesm/kesmins.ini";
inline constexpr const char* kSettingsIni = "_kesm/kesmusr.ini";
inline constexpr const char16_t* kSettingsIniPath = u"C:\\_kesm\\kesmusr.ini";
// The section of driver-wide entries of a context whose language is 0.
inline constexpr const char* kLanguage = "jp";

// A fixture file of tests/data/install.
inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KESM_TEST_DATA) + "/install/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The compiled Kesm M3i description.
class InstallDescription {
 public:
  InstallDescription() {
    KpdCompileReport report{};
    packed_ = kpdtest::PackAndFree(kpdtest::CompileText(Fixture("kesm_install.kpd"), &report));
    faults_ = report.faultCount;
  }
  PCBKPD get() const { return packed_.Load(); }
  DWORD faults() const { return faults_; }
  void AttachTo(UCB* ucb) const { ucb->pBKPD = reinterpret_cast<BKPD*>(const_cast<BKPDHEADER*>(get())); }

 private:
  kpdtest::Packed packed_;
  DWORD faults_ = 0;
};

class InstallTest : public setfile_test::SetFileTest {
 protected:
  void SetUp() override {
    SetFileTest::SetUp();
    storage_test::Put(std::string(kDriverFolder) + ".keep", "");
  }

  // A context of the office printer with the Kesm M3i description.
  UCB* OpenWithDescription() {
    UCB* ucb = OpenOn(office_);
    if (ucb != nullptr) description_.AttachTo(ucb);
    return ucb;
  }

  static std::string Ini(const std::string& file, const std::string& section, const std::string& key) {
    return ValueIn(Section(storage_test::Get(file), section), key);
  }

  InstallDescription description_;
};

}  // namespace install_test
