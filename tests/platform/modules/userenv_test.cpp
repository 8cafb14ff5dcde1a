#include "platform/modules/userenv.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/sync/winprocess.h"
#include "platform/security/winsecurity.h"

namespace {

using ProfileFn = BOOL (*)(HANDLE, LPWSTR, LPDWORD);

// The process's token stands for the logged-on user.
class UserProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token_));
    library_ = LoadLibraryW(u"USERENV.DLL");
    ASSERT_NE(library_, nullptr);
    get_ = reinterpret_cast<ProfileFn>(GetProcAddress(library_, "GetUserProfileDirectoryW"));
    ASSERT_NE(get_, nullptr);
  }
  void TearDown() override {
    EXPECT_TRUE(FreeLibrary(library_));
    CloseHandle(token_);
  }

  // The profile folder as the library reports it, after a size probe.
  std::u16string Profile() {
    DWORD size = 0;
    EXPECT_FALSE(get_(token_, nullptr, &size));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::u16string buffer(size, u'#');
    DWORD given = size;
    EXPECT_TRUE(get_(token_, buffer.data(), &given));
    EXPECT_EQ(given, size);
    EXPECT_EQ(buffer.back(), u'\0');
    return buffer.substr(0, size - 1);
  }

  plat::ScopedMachine machine_;
  HANDLE token_ = nullptr;
  HMODULE library_ = nullptr;
  ProfileFn get_ = nullptr;
};

TEST_F(UserProfile, DefaultUserHasAProfileFolderOnTheDrive) {
  EXPECT_EQ(plat::UserName(), u"User");
  EXPECT_EQ(Profile(), u"C:\\Users\\User");
  EXPECT_TRUE(std::filesystem::is_directory(plat::DriveRoot() / "Users" / "User"));
}

TEST_F(UserProfile, TheProfileFollowsTheUserUnlessSetItself) {
  ASSERT_TRUE(plat::SetUserName(u"anna"));
  EXPECT_EQ(Profile(), u"C:\\Users\\anna");
  ASSERT_TRUE(plat::SetUserProfileDirectory(u"C:\\WINNT\\Profiles\\anna"));
  EXPECT_EQ(Profile(), u"C:\\WINNT\\Profiles\\anna");
  EXPECT_TRUE(std::filesystem::is_directory(plat::DriveRoot() / "WINNT" / "Profiles" / "anna"));
  ASSERT_TRUE(plat::SetUserName(u"bert"));
  EXPECT_EQ(Profile(), u"C:\\WINNT\\Profiles\\anna");
}

TEST_F(UserProfile, BadNamesAndFoldersAreRefusedAndChangeNothing) {
  for (const char16_t* name : {u"", u"a\\b", u"a/b", u"a:b", u"a*", u"a?", u"a\"", u"<a>",
                               u"a|b", u"..", u"a\tb"}) {
    EXPECT_FALSE(plat::SetUserName(name));
  }
  for (const char16_t* folder : {u"", u"Users\\anna", u"\\\\server\\anna"}) {
    EXPECT_FALSE(plat::SetUserProfileDirectory(folder));
  }
  EXPECT_EQ(Profile(), u"C:\\Users\\User");
}

TEST_F(UserProfile, ASmallBufferIsLeftAloneAndTheSizeReported) {
  WCHAR buffer[8] = u"keep";
  DWORD size = 8;
  EXPECT_FALSE(get_(token_, buffer, &size));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, 14u);  // C:\Users\User and its terminator
  EXPECT_EQ(std::u16string(buffer), u"keep");

  EXPECT_FALSE(get_(token_, buffer, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  size = 8;
  EXPECT_FALSE(get_(nullptr, buffer, &size));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(size, 8u);
}

// Only a token names a user: another open handle is refused as a token.
TEST_F(UserProfile, AHandleThatIsNoTokenIsRefused) {
  HANDLE notAToken = plat::NewHandle(std::make_shared<plat::KernelObject>());
  WCHAR buffer[MAX_PATH] = u"keep";
  DWORD size = MAX_PATH;
  SetLastError(0);
  EXPECT_FALSE(get_(notAToken, buffer, &size));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(size, DWORD{MAX_PATH});
  EXPECT_EQ(std::u16string(buffer), u"keep");
  EXPECT_TRUE(CloseHandle(notAToken));
}

TEST(UserFacts, EachMachineHasItsOwnUser) {
  {
    plat::ScopedMachine machine;
    ASSERT_TRUE(plat::SetUserName(u"anna"));
    EXPECT_EQ(plat::UserName(), u"anna");
  }
  plat::ScopedMachine machine;
  EXPECT_EQ(plat::UserName(), u"User");
}

}  // namespace
