// User codes in the rendering library: the install INI is read without an
// existence test, never created, and its writes only replace values that
// are already there.
#include "devicecomm/usercodes/user_codes.h"

#include <filesystem>

#include "platform/files/winfile.h"
#include "platform/profile/winprofile.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/files/directories.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;

class KernelUserCodes : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    ucb_ = GetUcb(office_, office_, 0, kModeRendering);
    ASSERT_NE(ucb_, nullptr);
    WCHAR folder[MAX_PATH];
    ASSERT_NE(KM_UM_GetSystemDirectoryEx(folder, MAX_PATH, ucb_), 0u);
    path_ = std::u16string(folder) + u"\\" + kUserCodeIniName;
  }
  void TearDown() override {
    FreeUcb(ucb_);
    ContextTest::TearDown();
  }
  std::u16string IniValue(const char16_t* section, const char16_t* key) {
    WCHAR text[300] = {};
    GetPrivateProfileStringW(section, key, u"<none>", text, 300, path_.c_str());
    return text;
  }
  std::u16string Code() {
    WCHAR text[16] = {};
    GetDevmodeStringBySFCB(ucb_, GetSFCBbyFuncID(ucb_, kFuncLogCode), text);
    return text;
  }

  UCB* ucb_ = nullptr;
  std::u16string path_;
};

TEST_F(KernelUserCodes, AMissingIniIsNotCreated) {
  EXPECT_TRUE(GetUserCodeFromINI(ucb_));
  EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, kFuncLogCodeUse, nullptr), 0);
  EXPECT_EQ(Code(), u"");
}

TEST_F(KernelUserCodes, OnlyValuesAlreadyThereAreReplaced) {
  ASSERT_TRUE(WritePrivateProfileStringW(kOffice, u"UserCodeString", u"old", path_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(kUserCodeMruSection, u"MRUUserCode", u"808", path_.c_str()));
  EXPECT_TRUE(GetUserCodeFromINI(ucb_));
  EXPECT_EQ(Code(), u"808");
  EXPECT_EQ(IniValue(kOffice, u"UserCodeString"), u"808");
  EXPECT_EQ(IniValue(kOffice, u"UserCode"), u"<none>");
}

TEST_F(KernelUserCodes, APrinterWithEntriesIsRead) {
  ASSERT_TRUE(WritePrivateProfileStringW(kOffice, u"UserCode", u"1", path_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(kOffice, u"UserCodeString", u"4711", path_.c_str()));
  EXPECT_TRUE(GetUserCodeFromINI(ucb_));
  EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb_, kFuncLogCodeUse, nullptr), 1);
  EXPECT_EQ(Code(), u"4711");
}

}  // namespace
}  // namespace context_test
