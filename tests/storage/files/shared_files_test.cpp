// The files the rendering library reads, written by the configuration
// library where that library looks for them (tests/common/shared_files.h):
// one test per file.
#include <gtest/gtest.h>

#include "devicecomm/usercodes/user_codes.h"
#include "platform/profile/winprofile.h"
#include "settings/context/context_names.h"
#include "tests/common/shared_files.h"
#include "tests/storage/properties/property_fixture.h"

namespace property_test {
namespace {

// The shared folder as install leaves it.
using SharedFiles = PropertyTest;

TEST_F(SharedFiles, TheUserCodesGoIntoTheInstallIniOfTheSharedFolder) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NE(ucb, nullptr);
  std::filesystem::remove(kesm_test::OnDrive(kesm_test::kSharedInstallIni));
  EXPECT_TRUE(GetUserCodeFromINI(ucb));
  EXPECT_NE(kesm_test::DriveFileText(kesm_test::kSharedInstallIni).find("[Office 2F]"), std::string::npos);
  Release(ucb);
}

TEST_F(SharedFiles, ThePrintersSettingsGoIntoTheSettingsIniOfTheSharedFolder) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NE(ucb, nullptr);
  EXPECT_TRUE(WritePrivateProfileStringW(u"Office 2F", u"Probe", u"1", GetIniFilePath(ucb)));
  EXPECT_NE(kesm_test::DriveFileText(kesm_test::kSharedSettingsIni).find("Probe=1"), std::string::npos);
  Release(ucb);
}

}  // namespace
}  // namespace property_test
