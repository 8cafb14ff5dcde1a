// The files the configuration library writes for the rendering library,
// read by the rendering library where that library keeps them
// (tests/common/shared_files.h): in the system directory on NT 4.0 and in
// the shared folder from Windows 2000 on, as the engine's version tells.
// One test per file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "devicecomm/usercodes/user_codes.h"
#include "render/platform/engine_version.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "tests/common/shared_files.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;

struct Kind {
  const char* what;
  ULONG engine;
  const char* kept;   // the folder the configuration library keeps the file in
  const char* other;  // the other kind's folder
};
const Kind kKinds[] = {
    {"NT 4.0", 0x00020000, kesm_test::kSharedFolderNT4, kesm_test::kSharedFolder},
    {"Windows 2000", kEngineVersionWin2000, kesm_test::kSharedFolder, kesm_test::kSharedFolderNT4},
};

class KernelSharedFiles : public ContextTest {
 protected:
  void TearDown() override {
    KMSetEngineVersion(0);  // as if never enabled
    ContextTest::TearDown();
  }
  static std::string In(const char* folder, const char* name) { return std::string(folder) + "/" + name; }
};

TEST_F(KernelSharedFiles, TheUserCodesAreReadFromTheInstallIniWhereTheyAreKept) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.what);
    KMSetEngineVersion(kind.engine);
    std::filesystem::remove(kesm_test::OnDrive(In(kind.other, kesm_test::kInstallIniName)));
    kesm_test::PutDriveFile(In(kind.kept, kesm_test::kInstallIniName),
                            "[Office 2F]\r\nUserCode=1\r\nUserCodeString=4711\r\n");
    UCB* ucb = GetUcb(office_, office_, 0, kModeRendering);
    ASSERT_NE(ucb, nullptr);
    EXPECT_TRUE(GetUserCodeFromINI(ucb));
    EXPECT_EQ(GetDevmodeValueDirectByFuncID(ucb, kFuncLogCodeUse, nullptr), 1);
    WCHAR code[16] = {};
    GetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncLogCode), code);
    EXPECT_EQ(std::u16string(code), u"4711");
    FreeUcb(ucb);
    std::filesystem::remove(kesm_test::OnDrive(In(kind.kept, kesm_test::kInstallIniName)));
  }
}

TEST_F(KernelSharedFiles, WithoutASentPathTheSettingsIniIsReadWhereItIsKept) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.what);
    KMSetEngineVersion(kind.engine);
    UCB* ucb = GetUcb(office_, office_, 0, kModeRendering);
    ASSERT_NE(ucb, nullptr);
    ucb->pWork->szIniFilePath[0] = 0;
    const LPCWSTR path = GetIniFilePath(ucb);
    ASSERT_NE(path, nullptr);
    std::string relative;
    for (const WCHAR* p = path; *p != 0; ++p) relative += *p == u'\\' ? '/' : static_cast<char>(*p);
    EXPECT_EQ(relative, "C:/" + In(kind.kept, kesm_test::kSettingsIniName));
    FreeUcb(ucb);
  }
}

}  // namespace
}  // namespace context_test
