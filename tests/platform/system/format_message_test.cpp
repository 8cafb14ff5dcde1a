// System error texts: the buffer protocols of FormatMessageW and its
// failures, as callers that show a system error in a box rely on them.
#include "platform/system/winmessage.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/winerror.h"
#include "platform/runtime/winmem.h"
#include "platform/system/winsys.h"

namespace {

constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
const DWORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

TEST(FormatMessage, AnAllocatedTextIsFreedWithLocalFree) {
  LPWSTR text = nullptr;
  const DWORD length = FormatMessageW(kFlags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, ERROR_ACCESS_DENIED, kNeutral,
                                      reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::u16string(text), u"Access is denied.\r\n");
  EXPECT_EQ(length, std::u16string(text).size());
  EXPECT_EQ(LocalFree(text), nullptr);
}

TEST(FormatMessage, ACallerBufferGetsTheTextOrAShortBufferError) {
  WCHAR buffer[64];
  EXPECT_EQ(FormatMessageW(kFlags, nullptr, ERROR_FILE_NOT_FOUND, 0, buffer, 64, nullptr), 44u);
  EXPECT_EQ(std::u16string(buffer), u"The system cannot find the file specified.\r\n");
  SetLastError(0);
  EXPECT_EQ(FormatMessageW(kFlags, nullptr, ERROR_FILE_NOT_FOUND, 0, buffer, 44, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

struct FailureCase {
  const char* what;
  DWORD flags;
  DWORD code;
  DWORD language;
  DWORD error;
};

TEST(FormatMessage, FailuresSetTheirLastError) {
  const FailureCase cases[] = {
      {"a code without a text", kFlags, 0x20001234, kNeutral, ERROR_MR_MID_NOT_FOUND},
      {"a language the machine lacks", kFlags, ERROR_ACCESS_DENIED, MAKELANGID(0x11, 1), ERROR_RESOURCE_LANG_NOT_FOUND},
      {"no source", FORMAT_MESSAGE_IGNORE_INSERTS, ERROR_ACCESS_DENIED, kNeutral, ERROR_INVALID_PARAMETER},
  };
  for (const FailureCase& c : cases) {
    LPWSTR text = nullptr;
    SetLastError(0);
    EXPECT_EQ(FormatMessageW(c.flags | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, c.code, c.language,
                             reinterpret_cast<LPWSTR>(&text), 0, nullptr),
              0u)
        << c.what;
    EXPECT_EQ(text, nullptr) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

}  // namespace
