// Keeping the library in step with the printer: whether it knows the
// printer, handing it the user code, and the upgrade that registers a
// printer it does not know.
#include "devicecomm/jobcodes/jc_upkeep.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "devicecomm/usercodes/user_codes.h"
#include "platform/profile/winprofile.h"
#include "storage/files/path_builders.h"
#include "tests/devicecomm/jobcodes/job_code_fixture.h"

namespace jobcode_test {
namespace {

class JobCodeUpkeep : public JobCodeTest {
 protected:
  void PutUserCodeIni(const char16_t* inUse, const char16_t* code) {
    WCHAR path[MAX_PATH];
    ASSERT_NE(AddSystemDirToFileNameEx2(path, MAX_PATH, kUserCodeIniName, ucb_), nullptr);
    ASSERT_TRUE(WritePrivateProfileStringW(context_test::kOffice, u"UserCode", inUse, path));
    ASSERT_TRUE(WritePrivateProfileStringW(context_test::kOffice, u"UserCodeString", code, path));
  }
};

TEST_F(JobCodeUpkeep, APrinterIsRegisteredWhenTheLibraryOpensItsJobCodes) {
  EXPECT_FALSE(IsJobCodeRegisterPrinter(ucb_));
  Office();
  EXPECT_TRUE(IsJobCodeRegisterPrinter(ucb_));
  EXPECT_EQ(lib().CallsOf("close").size(), 1u);
  EXPECT_EQ(DrvJCRecord(ucb_)->hModule, nullptr);
  EXPECT_EQ(lib().interfacesOut, 0);

  FreeLibrary(library_);
  library_ = nullptr;
  std::filesystem::remove(plat::DriveRoot() / kLibraryInSystem);
  EXPECT_FALSE(IsJobCodeRegisterPrinter(ucb_));
}

TEST_F(JobCodeUpkeep, TheUserCodeGoesToTheLibraryOnlyWhenInUseAndSet) {
  struct Case {
    const char16_t* inUse;
    const char16_t* code;
    bool sent;
  } const cases[] = {{u"1", u"4711", true}, {u"0", u"4711", false}, {u"1", u"", false}};
  Office();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code, c.code + std::char_traits<char16_t>::length(c.code)));
    lib().calls.clear();
    SetText(ucb_, 203, u"old");
    ASSERT_NO_FATAL_FAILURE(PutUserCodeIni(c.inUse, c.code));
    EXPECT_TRUE(SetUserCodeForJobCodeDLL(ucb_));
    EXPECT_EQ(Text(ucb_, 203), c.sent ? c.code : u"old");
    EXPECT_EQ(KindsOf("set"), c.sent ? std::vector<DWORD>{kJCKindUserCode} : std::vector<DWORD>{});
  }
  EXPECT_EQ(Stored(kJCKindUserCode), u"4711");
}

TEST_F(JobCodeUpkeep, AnUpgradeRegistersAnUnknownPrinterWithItsUserCode) {
  ASSERT_NO_FATAL_FAILURE(PutUserCodeIni(u"1", u"4711"));
  UpgradeJobCodeDLL(ucb_);
  EXPECT_EQ(lib().printers.count(context_test::kOffice), 1u);
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{1, 256, 257, 258}));
  EXPECT_EQ(Stored(kJCKindUserCode), u"4711");

  lib().calls.clear();
  UpgradeJobCodeDLL(ucb_);
  EXPECT_TRUE(lib().CallsOf("register").empty());
  EXPECT_EQ(KindsOf("set"), (std::vector<DWORD>{256, 257, 258}));
  EXPECT_EQ(lib().interfacesOut, 0);
}

}  // namespace
}  // namespace jobcode_test
