// Binding a context to the job-code library: where the library is loaded
// from, which interface version it is taken at, what a failed load leaves,
// and that a bound context never asks for a second interface.
#include "devicecomm/jobcodes/jc_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/base/winerror.h"
#include "tests/devicecomm/jobcodes/job_code_fixture.h"

namespace jobcode_test {
namespace {

using JobCodeBinding = JobCodeTest;

bool IsZero(const JCBINDING& record) {
  return record.hModule == nullptr && record.dwJobCode == 0 && record.pfnGetInterface == nullptr &&
         record.pfnDisposeInterface == nullptr && record.pInterface == nullptr && record.wVersion == 0;
}

std::vector<WORD> VersionsAsked(const jobcodelib::State& lib) {
  std::vector<WORD> versions;
  for (const jobcodelib::Call& call : lib.CallsOf("getinterface")) versions.push_back(call.version);
  return versions;
}

TEST_F(JobCodeBinding, TheInterfaceIsTakenAtTheNewestVersionTheLibraryServes) {
  struct Case {
    const char* name;
    std::set<WORD> served;
    bool noInterface;
    DWORD status;
    WORD version;  // bound at, 0 when nothing is bound
    std::vector<WORD> asked;
  } const cases[] = {
      {"258 served", {257, 258, 259}, false, kJCSuccess, 258, {258}},
      {"only 257", {257}, false, kJCSuccess, 257, {258, 257}},
      {"none served: the refusal of 257", {}, false, kJCBadArgument, 0, {258, 257}},
      {"accepted without an interface", {257, 258}, true, kJCNoInterface, 0, {258, 257}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lib().calls.clear();
    lib().versions = c.served;
    lib().noInterface = c.noInterface;
    EXPECT_EQ(DrvJCLoadDll(ucb_), c.status);
    EXPECT_EQ(VersionsAsked(lib()), c.asked);
    const JCBINDING& record = *DrvJCRecord(ucb_);
    if (c.version == 0) {
      EXPECT_TRUE(IsZero(record)) << "a failed load is terminated";
      EXPECT_EQ(lib().calls.size(), c.asked.size()) << "no slot is called without an interface";
    } else {
      EXPECT_EQ(record.wVersion, c.version);
      EXPECT_NE(DrvJCInterface(ucb_), nullptr);
      EXPECT_EQ(DrvJCTerminate(ucb_), kJCSuccess);
      EXPECT_TRUE(IsZero(record));
      EXPECT_EQ(lib().CallsOf("dispose").size(), 1u);
    }
    EXPECT_EQ(lib().interfacesOut, 0);
  }
}

TEST_F(JobCodeBinding, ABoundContextKeepsItsInterfaceAndAsksForNoSecond) {
  Office();
  ASSERT_EQ(DrvJCLoadDll(ucb_), kJCSuccess);
  const JCINTERFACE* first = DrvJCInterface(ucb_);
  EXPECT_EQ(DrvJCLoadDll(ucb_), kJCSuccess);
  EXPECT_EQ(LoadJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCInterface(ucb_), first);
  EXPECT_EQ(lib().CallsOf("getinterface").size(), 1u);
  EXPECT_EQ(lib().interfacesOut, 1);
  EXPECT_EQ(UnLoadJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(lib().interfacesOut, 0);
  EXPECT_EQ(lib().CallsOf("dispose").size(), 1u);
}

// Any module already loaded under the library's name would answer a bare
// name; the binding asks for the file in the system folder.
TEST_F(JobCodeBinding, TheLibraryComesFromTheSystemFolderWhateverElseIsLoadedUnderItsName) {
  FreeLibrary(library_);
  library_ = nullptr;
  kesm_test::InstallFile(KESM_TEST_MODULE, "Temp/TALJC32.DLL");
  HMODULE impostor = LoadLibraryW(u"C:\\Temp\\TALJC32.DLL");
  ASSERT_NE(impostor, nullptr);
  ASSERT_EQ(LoadLibraryW(u"TALJC32.DLL"), impostor) << "a bare name finds the module already loaded";
  FreeLibrary(impostor);

  EXPECT_EQ(DrvJCLoadDll(ucb_), kJCSuccess);
  HMODULE bound = DrvJCRecord(ucb_)->hModule;
  EXPECT_NE(bound, impostor);
  WCHAR path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(bound, path, MAX_PATH);
  EXPECT_EQ(std::u16string(path, length), kLibraryPath);
  DrvJCTerminate(ucb_);
  FreeLibrary(impostor);
}

TEST_F(JobCodeBinding, ALibraryMissingOrWithoutItsExportsLeavesNothingBound) {
  FreeLibrary(library_);
  library_ = nullptr;
  kesm_test::InstallFile(KESM_TEST_MODULE, kLibraryInSystem);
  SetLastError(0);
  EXPECT_EQ(DrvJCLoadDll(ucb_), ERROR_PROC_NOT_FOUND);
  EXPECT_TRUE(IsZero(*DrvJCRecord(ucb_)));
  EXPECT_EQ(GetModuleHandleW(kLibraryPath), nullptr) << "the module is unloaded again";

  std::filesystem::remove(plat::DriveRoot() / kLibraryInSystem);
  EXPECT_EQ(DrvJCLoadDll(ucb_), ERROR_MOD_NOT_FOUND);
  EXPECT_TRUE(IsZero(*DrvJCRecord(ucb_)));
  // Nothing bound: every step after the load does nothing.
  EXPECT_EQ(DrvJCOpenJobCode(ucb_), kJCNoInterface);
  EXPECT_EQ(DrvJCCloseJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCRegisterPrinter(ucb_), kJCNoInterface);
}

TEST_F(JobCodeBinding, OpenAndCloseFollowThePrintersRegistration) {
  ASSERT_EQ(DrvJCLoadDll(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCOpenJobCode(ucb_), kJCUnknownPrinter);
  EXPECT_EQ(DrvJCHandle(ucb_), 0u);
  EXPECT_EQ(lib().CallsOf("open").back().printer, context_test::kOffice);

  EXPECT_EQ(DrvJCRegisterPrinter(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCOpenJobCode(ucb_), kJCSuccess);
  const DWORD handle = DrvJCHandle(ucb_);
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(DrvJCOpenJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(lib().CallsOf("open").size(), 2u) << "an open handle is kept";
  EXPECT_EQ(DrvJCCloseJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCCloseJobCode(ucb_), kJCSuccess);
  ASSERT_EQ(lib().CallsOf("close").size(), 1u);
  EXPECT_EQ(lib().CallsOf("close")[0].handle, handle);

  EXPECT_EQ(DrvJCUnregisterPrinter(ucb_), kJCSuccess);
  EXPECT_EQ(DrvJCUnregisterPrinter(ucb_), kJCUnknownPrinter);
  DrvJCTerminate(ucb_);
}

TEST_F(JobCodeBinding, UnloadingForgetsTheHandleOfTheLibraryThatIsGone) {
  Office();
  ASSERT_EQ(LoadJobCode(ucb_), kJCSuccess);
  ASSERT_NE(DrvJCHandle(ucb_), 0u);
  DrvJCTerminate(ucb_);
  EXPECT_TRUE(IsZero(*DrvJCRecord(ucb_)));
  EXPECT_EQ(GetJobCodeEx(ucb_, kJCMaskDevmodeCodes), kJCSuccess);
  EXPECT_TRUE(lib().CallsOf("query").empty());
}

TEST_F(JobCodeBinding, AContextReleasedWhileBoundGivesTheInterfaceBack) {
  Office();
  ASSERT_EQ(LoadJobCode(ucb_), kJCSuccess);
  Release(ucb_);
  ucb_ = nullptr;
  EXPECT_EQ(lib().interfacesOut, 0);
  EXPECT_EQ(lib().CallsOf("close").size(), 1u);
}

}  // namespace
}  // namespace jobcode_test
