// The job-code tests' machine: the property tests' printers, the stand-in
// job-code library installed as TALJC32.DLL in the system folder and held
// loaded by the test (so its store lives as long as the test), and a
// context on the office printer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "devicecomm/jobcodes/jc_binding.h"
#include "devicecomm/jobcodes/jc_code_table.h"
#include "devicecomm/jobcodes/jc_codes.h"
#include "devicecomm/jobcodes/job_codes.h"
#include "platform/modules/winmodule.h"
#include "tests/jobcodelib/jobcodelib_state.h"
#include "tests/platform/install_file.h"
#include "tests/storage/properties/property_fixture.h"

namespace jobcode_test {

inline constexpr const char* kLibraryInSystem = "Windows/System32/TALJC32.DLL";
inline constexpr const WCHAR* kLibraryPath = u"C:\\Windows\\System32\\TALJC32.DLL";

class JobCodeTest : public property_test::PropertyTest {
 protected:
  void SetUp() override {
    PropertyTest::SetUp();
    kesm_test::InstallFile(KESM_JOB_CODE_LIBRARY, kLibraryInSystem);
    library_ = LoadLibraryW(kLibraryPath);
    ASSERT_NE(library_, nullptr);
    auto state = reinterpret_cast<jobcodelib::State* (*)()>(GetProcAddress(library_, "JobCodeLibState"));
    ASSERT_NE(state, nullptr);
    lib_ = state();
    ucb_ = OpenOn(office_);
    ASSERT_NE(ucb_, nullptr);
  }

  void TearDown() override {
    if (ucb_ != nullptr) Release(ucb_);
    if (library_ != nullptr) {
      EXPECT_EQ(lib_->interfacesOut, 0) << "an interface was not given back";
      FreeLibrary(library_);
    }
    PropertyTest::TearDown();
  }

  jobcodelib::State& lib() { return *lib_; }
  // The office printer as the library knows it, registered when asked.
  jobcodelib::Printer& Office() { return lib_->printers[context_test::kOffice]; }
  std::u16string Stored(DWORD kind) {
    const auto& values = Office().values;
    const auto found = values.find(kind);
    return found != values.end() ? jobcodelib::TextOf(found->second) : u"<none>";
  }
  // Makes the operation answer the status (for one kind, or every kind
  // when 0), after letting `skip` matching calls through.
  void Force(const std::string& op, DWORD status, DWORD kind = 0, bool acts = false, int skip = 0) {
    jobcodelib::Forced forced;
    forced.op = op;
    forced.kind = kind;
    forced.status = status;
    forced.acts = acts;
    forced.skip = skip;
    lib_->forced.push_back(forced);
  }
  // The kinds of the calls of one operation, in order.
  std::vector<DWORD> KindsOf(const std::string& op) {
    std::vector<DWORD> kinds;
    for (const jobcodelib::Call& call : lib_->CallsOf(op)) kinds.push_back(call.kind);
    return kinds;
  }

  UCB* ucb_ = nullptr;
  HMODULE library_ = nullptr;
  jobcodelib::State* lib_ = nullptr;
};

}  // namespace jobcode_test
