// The front operations: the load bracket, the self-contained operations
// that bind the library around one action, and what each answers and
// leaves behind when a step fails.
#include "devicecomm/jobcodes/job_codes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "devicecomm/jobcodes/jc_upkeep.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/base/winerror.h"
#include "tests/devicecomm/jobcodes/job_code_fixture.h"

namespace jobcode_test {
namespace {

constexpr WORD kFuncUserCode = 203;
constexpr WORD kFuncOwnerName = 204;
constexpr DWORD kFailure = 0x20000005;

class JobCodeFronts : public JobCodeTest {
 protected:
  void SetUserCodeFlags() {
    ASSERT_TRUE(SetKDMUserCodeGetOn(ucb_));
    ASSERT_TRUE(SetKDMUserCodeDLLOn(ucb_));
  }
  bool UserCodeFlagsCleared() {
    const DEVMODEW* dm = reinterpret_cast<const DEVMODEW*>(ucb_->pDCB->devmode);
    return GetKDMRunTimeFlagByDM(dm, KdmRunTimeFlag::UserCodeGet) == 0 &&
           GetKDMRunTimeFlagByDM(dm, KdmRunTimeFlag::UserCodeDLL) == 0;
  }
  bool Unbound() {
    return DrvJCRecord(ucb_)->hModule == nullptr && (library_ == nullptr || lib().interfacesOut == 0);
  }
};

TEST_F(JobCodeFronts, FetchingFreeCodesTakesTheValuesAndUnbinds) {
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  Office().values[kJCKindOwnerName] = jobcodelib::Text(u"Ada");
  ASSERT_NO_FATAL_FAILURE(SetUserCodeFlags());
  EXPECT_EQ(GetFreeJobCode(ucb_, kJCMaskDevmodeCodes), kJCSuccess);
  EXPECT_EQ(Text(ucb_, kFuncUserCode), u"4711");
  EXPECT_EQ(Text(ucb_, kFuncOwnerName), u"Ada");
  EXPECT_EQ(KindsOf("query"), (std::vector<DWORD>{1, 2, 3, 4, 5, 8}));
  EXPECT_EQ(lib().CallsOf("close").size(), 1u);
  EXPECT_TRUE(Unbound());
  EXPECT_TRUE(UserCodeFlagsCleared());
}

TEST_F(JobCodeFronts, FetchingFreeCodesForAPrinterTheLibraryRefusesFetchesNothing) {
  ASSERT_NO_FATAL_FAILURE(SetUserCodeFlags());
  SetText(ucb_, kFuncUserCode, u"1");
  EXPECT_EQ(GetFreeJobCode(ucb_, kJCMaskDevmodeCodes), kJCUnknownPrinter);
  EXPECT_TRUE(lib().CallsOf("query").empty());
  EXPECT_TRUE(lib().CallsOf("get").empty());
  EXPECT_TRUE(lib().CallsOf("close").empty());
  EXPECT_EQ(Text(ucb_, kFuncUserCode), u"1");
  EXPECT_TRUE(Unbound());
  EXPECT_TRUE(UserCodeFlagsCleared());
}

TEST_F(JobCodeFronts, EveryOperationAnswersTheStatusOfTheStepThatFailed) {
  const std::filesystem::path installed = plat::DriveRoot() / kLibraryInSystem;
  struct Case {
    const char* name;
    bool libraryMissing;
    bool registered;
    std::string failingOp;  // forced to answer kFailure
    DWORD operation;
    DWORD status;
  } const cases[] = {
      {"load without the library", true, true, "", kJCOpLoad, ERROR_MOD_NOT_FOUND},
      {"load, open refused", false, false, "", kJCOpLoad, kJCUnknownPrinter},
      {"load", false, true, "", kJCOpLoad, kJCSuccess},
      {"load and fetch all, a query fails", false, true, "query", kJCOpLoadAndGetAll, kFailure},
      {"fetch free codes without the library", true, true, "", kJCOpGetFree, ERROR_MOD_NOT_FOUND},
      {"fetch free codes, a query fails", false, true, "query", kJCOpGetFree, kFailure},
      {"hand out free codes, open refused", false, false, "", kJCOpSetFree, kJCUnknownPrinter},
      {"hand out free codes, a set fails", false, true, "set", kJCOpSetFree, kFailure},
      {"register without the library", true, false, "", kJCOpInit, ERROR_MOD_NOT_FOUND},
      {"register, refused", false, false, "register", kJCOpInit, kFailure},
      {"unregister an unknown printer", false, false, "", kJCOpUnregister, kJCUnknownPrinter},
      {"unload", false, true, "", kJCOpUnload, kJCSuccess},
      {"an unknown operation", false, true, "", 0x40000, kJCSuccess},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.libraryMissing) {
      FreeLibrary(library_);
      library_ = nullptr;
      std::filesystem::remove(installed);
      EXPECT_EQ(GetJobCodeFromDLL(ucb_, c.operation, kJCMaskDevmodeCodes), c.status);
      EXPECT_TRUE(Unbound());
      kesm_test::InstallFile(KESM_JOB_CODE_LIBRARY, kLibraryInSystem);
      library_ = LoadLibraryW(kLibraryPath);
      lib_ = reinterpret_cast<jobcodelib::State* (*)()>(GetProcAddress(library_, "JobCodeLibState"))();
      continue;
    }
    lib().printers.clear();
    lib().forced.clear();
    if (c.registered) Office();
    if (!c.failingOp.empty()) Force(c.failingOp, kFailure);
    EXPECT_EQ(GetJobCodeFromDLL(ucb_, c.operation, kJCMaskDevmodeCodes), c.status);
    lib().forced.clear();
    UnLoadJobCode(ucb_);
    EXPECT_TRUE(Unbound());
  }
}

// A walk reports the first failure but still takes every other kind.
TEST_F(JobCodeFronts, AFailedKindDoesNotStopTheOthers) {
  for (DWORD kind : {1, 2, 3, 4, 5, 8}) Office().values[kind] = jobcodelib::Text(u"v" + std::u16string(1, u'0' + kind));
  Force("query", kFailure, kJCKindOwnerName);
  Force("query", kFailure + 1, kJCKindUserId);
  ASSERT_EQ(LoadJobCode(ucb_), kJCSuccess);
  EXPECT_EQ(GetJobCodeEx(ucb_, kJCMaskDevmodeCodes), kFailure);
  EXPECT_EQ(Text(ucb_, kFuncUserCode), u"v1");
  EXPECT_EQ(Text(ucb_, kFuncOwnerName), u"");
  EXPECT_EQ(Text(ucb_, 208), u"v8");
  EXPECT_EQ(UnLoadJobCode(ucb_), kJCSuccess);
}

// Inside a load bracket a self-contained operation uses the bracket's
// binding and open job codes and leaves both for the calls that follow.
TEST_F(JobCodeFronts, ASelfContainedOperationInsideABracketLeavesTheBracketBound) {
  Office().values[kJCKindUserCode] = jobcodelib::Text(u"4711");
  LoadJobCodeDLLDependOnMachine(ucb_);
  const DWORD handle = DrvJCHandle(ucb_);
  ASSERT_NE(handle, 0u);
  JobCodeDLLDependOnMachine(ucb_, kJCMaskUserCode);
  SetJobCodeDLLDependOnMachine(ucb_, kJCMaskDriverWords);
  EXPECT_TRUE(IsJobCodeRegisterPrinter(ucb_));
  InitJobCodeDLLDependOnMachine(ucb_);
  EXPECT_EQ(DrvJCHandle(ucb_), handle);
  EXPECT_EQ(Text(ucb_, kFuncUserCode), u"4711");
  EXPECT_EQ(lib().CallsOf("getinterface").size(), 1u);
  EXPECT_EQ(lib().CallsOf("open").size(), 1u);
  EXPECT_TRUE(lib().CallsOf("close").empty());
  EXPECT_EQ(lib().interfacesOut, 1);

  SetText(ucb_, kFuncOwnerName, u"Ada");
  SetJobCodeDLLExDependOnMachine(ucb_, kJCMaskGivenCodes);
  EXPECT_EQ(Stored(kJCKindOwnerName), u"Ada");
  UnLoadJobCodeDLLDependOnMachine(ucb_);
  EXPECT_EQ(lib().CallsOf("close").size(), 1u);
  EXPECT_TRUE(Unbound());
}

TEST_F(JobCodeFronts, LoadingAndFetchingAllLeavesTheJobCodesOpen) {
  Office().values[kJCKindTelLine] = jobcodelib::Text(u"4");
  ASSERT_NO_FATAL_FAILURE(SetUserCodeFlags());
  EXPECT_EQ(GetJobCodeFromDLL(ucb_, kJCOpLoadAndGetAll, 0), kJCSuccess);
  EXPECT_EQ(KindsOf("query"), (std::vector<DWORD>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Value(ucb_, 232), 4);
  EXPECT_TRUE(UserCodeFlagsCleared());
  EXPECT_NE(DrvJCHandle(ucb_), 0u);
  EXPECT_EQ(GetJobCodeFromDLL(ucb_, kJCOpUnloadToo, 0), kJCSuccess);
  EXPECT_TRUE(Unbound());
}

TEST_F(JobCodeFronts, RegisteringAndUnregisteringBindOnlyForTheirSpan) {
  ASSERT_NO_FATAL_FAILURE(SetUserCodeFlags());
  InitJobCodeDLLDependOnMachine(ucb_);
  EXPECT_EQ(lib().printers.count(context_test::kOffice), 1u);
  EXPECT_TRUE(UserCodeFlagsCleared());
  EXPECT_TRUE(Unbound());
  EXPECT_EQ(GetJobCodeFromDLL(ucb_, kJCOpUnregister, 0), kJCSuccess);
  EXPECT_EQ(lib().printers.count(context_test::kOffice), 0u);
  EXPECT_TRUE(Unbound());
  EXPECT_TRUE(lib().CallsOf("open").empty());
}

TEST_F(JobCodeFronts, HandingOutFreeCodesSendsTheMasksKindsAndUnbinds) {
  Office();
  SetText(ucb_, kFuncUserCode, u"4711");
  SetJobCodeDLLDependOnMachine(ucb_, kJCMaskUserCode | kJCMaskDriverWords);
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{1, 256, 257, 258}));
  EXPECT_EQ(Stored(kJCKindUserCode), u"4711");
  EXPECT_EQ(Stored(kJCKindProduct), u"KESM");
  EXPECT_TRUE(Unbound());
}

}  // namespace
}  // namespace jobcode_test
