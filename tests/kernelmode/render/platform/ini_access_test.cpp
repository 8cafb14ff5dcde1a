// INI files read and rewritten on mapped images, as the rendering library
// does it: the fixture tests/data/render/kernel_profile.ini in a simulated
// machine, files changed through the writable mapping, and memory that runs
// short at every step.
#include "render/platform/ini_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/profile/winprofile.h"
#include "storage/ini/profile.h"
#include "tests/platform/drive_files.h"
#include "tests/platform/scoped_acp.h"

namespace {

using namespace std::string_literals;

constexpr const WCHAR* kIni = u"C:\\kesm\\kesmusr.ini";
constexpr const char* kIniHost = "kesm/kesmusr.ini";

std::string Fixture() {
  std::ifstream in(std::filesystem::path(KESM_TEST_DATA) / "render" / "kernel_profile.ini",
                   std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class KernelIni : public ::testing::Test {
 protected:
  void SetUp() override { drive::Put(kIniHost, Fixture()); }

  // The string read: its result and what the destination then holds.
  static std::u16string Read(LPCWSTR section, LPCWSTR key, DWORD size = 64, DWORD* result = nullptr) {
    WCHAR buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    buffer[63] = 0;
    const DWORD r = KMGetPrivateProfileStringEx(section, key, u"unused", buffer, size, kIni);
    if (result != nullptr) *result = r;
    return buffer;
  }

  plat::ScopedMachine machine_;
};

TEST_F(KernelIni, ReadsValuesOnlyWhereALineStartsWithTheSectionAndTheKey) {
  const struct {
    LPCWSTR section;
    LPCWSTR key;
    INT number;                // -1: the default
    const char16_t* text;      // null: not found
  } cases[] = {
      {u"Office", u"PrnMethod", 12, u"12 ; print method"},
      {u"Office", u"Empty", 0, u""},
      {u"Office", u"Name", 0, u"Quarterly report"},  // past an empty line
      {u"Office", u"Spaced", -1, nullptr},             // blanks around "="
      {u"Office", u"Early", -1, nullptr},              // before its section
      {u"Office", u"Lower", -1, nullptr},              // in the next section
      {u"office", u"Lower", 4, u"4"},                  // sections are case-sensitive
      {u"OFFICE", u"PrnMethod", -1, nullptr},
      {u"Office", u"prnmethod", -1, nullptr},
      {u"Office ,2F,", u"BidiFlag", 1, u"1"},          // text after the header ignored
      {u"Draft", u"PrnMethod", 3, u"3"},
      {u"Draft", u"Last", 7, u"7"},                    // no line end at the end
      {u"Missing", u"PrnMethod", -1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section, c.section + std::char_traits<char16_t>::length(c.section)));
    EXPECT_EQ(KMGetPrivateProfileInt(c.section, c.key, -1, kIni), c.number);
    DWORD result = 9;
    const std::u16string text = Read(c.section, c.key, 64, &result);
    EXPECT_EQ(result, c.text != nullptr ? 1u : 0u);
    EXPECT_EQ(text, c.text != nullptr ? std::u16string(c.text) : std::u16string(63, u'#'));
  }
}

TEST_F(KernelIni, AMissingFileGivesTheDefaultAndNothingIsCreated) {
  EXPECT_EQ(KMGetPrivateProfileInt(u"Office", u"PrnMethod", 77, u"C:\\kesm\\none.ini"), 77);
  WCHAR buffer[8] = u"keep";
  EXPECT_EQ(KMGetPrivateProfileStringEx(u"Office", u"Name", u"x", buffer, 8, u"C:\\kesm\\none.ini"), 0u);
  EXPECT_EQ(std::u16string(buffer), u"keep");
  EXPECT_FALSE(KMWritePrivateProfileString(u"Office", u"Name", u"x", u"C:\\kesm\\none.ini"));
  EXPECT_FALSE(drive::Exists("kesm/none.ini"));
  drive::Put("kesm/empty.ini", "");
  EXPECT_EQ(KMGetPrivateProfileInt(u"Office", u"PrnMethod", 5, u"C:\\kesm\\empty.ini"), 5);
  EXPECT_FALSE(KMWritePrivateProfileString(u"Office", u"PrnMethod", u"1", u"C:\\kesm\\empty.ini"));
  EXPECT_EQ(drive::Get("kesm/empty.ini"), "");
}

TEST_F(KernelIni, AValueLongerThanTheDestinationIsCutAndNoDestinationMeansNoRead) {
  DWORD result = 0;
  EXPECT_EQ(Read(u"Office", u"Name", 4, &result), u"Qua");
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(Read(u"Office", u"Name", 1, &result), u"");
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(Read(u"Office", u"Name", 0, &result), std::u16string(63, u'#'));
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(KMGetPrivateProfileStringEx(u"Office", u"Name", nullptr, nullptr, 10, kIni), 0u);
}

TEST_F(KernelIni, TheProfileFunctionsTurnBracketsIntoCommasAndSayFoundOrNotFound) {
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(u"Office [2F]", u"BidiFlag", 0, kIni), 1u);
  WCHAR buffer[16] = u"keep";
  EXPECT_EQ(KM_UM_GetPrivateProfileString(u"Office", u"Name", u"default", buffer, 16, kIni), 1u);
  EXPECT_EQ(std::u16string(buffer), u"Quarterly repor");
  std::copy_n(u"keep", 5, buffer);
  EXPECT_EQ(KM_UM_GetPrivateProfileString(u"Office", u"None", u"default", buffer, 16, kIni), 0u);
  EXPECT_EQ(std::u16string(buffer), u"keep");
  // A section too long for the 261-character temporary is never found.
  const std::u16string longName(261, u'S');
  EXPECT_EQ(KM_UM_GetPrivateProfileInt(longName.c_str(), u"PrnMethod", 6, kIni), 6u);
  EXPECT_EQ(KM_UM_GetPrivateProfileString(longName.c_str(), u"PrnMethod", u"d", buffer, 16, kIni), 0u);
  EXPECT_FALSE(KM_UM_WritePrivateProfileString(longName.c_str(), u"PrnMethod", u"1", kIni));
}

TEST_F(KernelIni, ARewriteReachesTheFileInPlaceAndTheUserModeReaderSeesIt) {
  const std::string before = drive::Get(kIniHost);
  ASSERT_TRUE(KM_UM_WritePrivateProfileString(u"Office", u"PrnMethod", u"9", kIni));
  std::string expected = before;
  const std::string oldLine = "PrnMethod=12 ; print method\r\n";
  expected.replace(expected.find(oldLine), oldLine.size(), "PrnMethod=9" + std::string(16, ' ') + "\r\n");
  EXPECT_EQ(drive::Get(kIniHost), expected);
  EXPECT_EQ(KMGetPrivateProfileInt(u"Office", u"PrnMethod", -1, kIni), 9);
  EXPECT_EQ(Read(u"Office", u"PrnMethod"), u"9" + std::u16string(16, u' '));
  WCHAR user[32] = {};
  EXPECT_EQ(GetPrivateProfileStringW(u"Office", u"PrnMethod", u"", user, 32, kIni), 1u);
  EXPECT_EQ(std::u16string(user), u"9");

  // The last value of the file, without a line end, has exactly its room.
  ASSERT_TRUE(KMWritePrivateProfileString(u"Draft", u"Last", u"8", kIni));
  EXPECT_EQ(GetPrivateProfileIntW(u"Draft", u"Last", 0, kIni), 8u);
  EXPECT_EQ(drive::Get(kIniHost).size(), before.size());
}

TEST_F(KernelIni, WritesThatCannotBeMadeInPlaceChangeNothing) {
  const std::string before = drive::Get(kIniHost);
  const struct {
    LPCWSTR section;
    LPCWSTR key;
    LPCWSTR value;
  } refused[] = {
      {u"Draft", u"Last", u"10"},          // longer than the old value
      {u"Office", u"Empty", u"1"},         // an empty value has no room
      {u"Office", u"Added", u"1"},         // keys are never added
      {u"New", u"PrnMethod", u"1"},        // nor sections
      {u"Office", u"Spaced", u"1"},
      {u"Office", u"PrnMethod", nullptr},  // nor deleted
      {u"Office", u"PrnMethod", u"1\r\n[Injected]"},
      {u"Office", u"PrnMethod", u"1\n"},
      {nullptr, u"PrnMethod", u"1"},
      {u"Office", nullptr, u"1"},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(KMWritePrivateProfileString(r.section, r.key, r.value, kIni));
  }
  EXPECT_TRUE(KMWritePrivateProfileString(u"Office", u"Empty", u"", kIni));
  EXPECT_EQ(drive::Get(kIniHost), before);
}

TEST_F(KernelIni, WritingNineOverFiveDigitsLeavesFourBlanks) {
  drive::Put(kIniHost, "[Job]\nCount=12345\nNext=1\n");
  ASSERT_TRUE(KMWritePrivateProfileString(u"Job", u"Count", u"9", kIni));
  EXPECT_EQ(drive::Get(kIniHost), "[Job]\nCount=9    \nNext=1\n");
  EXPECT_EQ(KMGetPrivateProfileInt(u"Job", u"Count", 0, kIni), 9);
  EXPECT_EQ(Read(u"Job", u"Count"), u"9    ");
}

TEST_F(KernelIni, DoubleByteNamesAndValuesOnPage932) {
  ScopedAnsiCodePage page(932);
  // "[日本]" and "名前=日本語" in Shift-JIS.
  drive::Put(kIniHost, "[\x93\xfa\x96\x7b]\r\n\x96\xbc\x91\x4f=\x93\xfa\x96\x7b\x8c\xea\r\n");
  EXPECT_EQ(Read(u"日本", u"名前"), u"日本語");
  // Five bytes of room keep two whole characters, never half of the third.
  EXPECT_EQ(Read(u"日本", u"名前", 6), u"日本");
  EXPECT_EQ(Read(u"日本", u"名前", 5), u"日本");
  EXPECT_EQ(Read(u"日本", u"名前", 4), u"日");
}

// Lines are matched by the pattern's bytes, so names with letters from 0xE0
// or control bytes are found on a single-byte page like any other.
TEST_F(KernelIni, NamesWithHighLettersOnPage1252) {
  ScopedAnsiCodePage page(1252);
  drive::Put(kIniHost, "[B\xFCro] note\r\nGr\xF6\xDF" "e=5 cm\r\nTab\tKey=6\r\n");
  EXPECT_EQ(KMGetPrivateProfileInt(u"Büro", u"Größe", -1, kIni), 5);
  EXPECT_EQ(Read(u"Büro", u"Größe"), u"5 cm");
  EXPECT_EQ(KMGetPrivateProfileInt(u"Büro", u"Tab\tKey", -1, kIni), 6);
  ASSERT_TRUE(KMWritePrivateProfileString(u"Büro", u"Größe", u"7 é", kIni));
  EXPECT_EQ(drive::Get(kIniHost), "[B\xFCro] note\r\nGr\xF6\xDF" "e=7 \xE9 \r\nTab\tKey=6\r\n");
}

TEST_F(KernelIni, HostileFilesGiveClearResults) {
  const struct {
    const char* what;
    std::string bytes;
    INT number;            // with default -1
    const char16_t* text;  // null: not found
  } cases[] = {
      {"no line end at all", "[S]\nK=12", 12, u"12"},
      {"ends after the key", "[S]\nK=", 0, u""},
      {"ends inside the key", "[S]\nK", -1, nullptr},
      {"ends inside the section", "[S", -1, nullptr},
      {"only line ends", "\r\n\r\n\n\r", -1, nullptr},
      {"old line ends", "[S]\rK=5\r", 5, u"5"},
      {"NUL bytes", "[S]\n\0K=1\nK=2\0tail\n"s, 2, u"2"},
      {"huge line first", std::string(1 << 20, 'x') + "\n[S]\nK=3\n", 3, u"3"},
      {"too long a number", "[S]\nK=99999999999999999999\n", 2147483647, u"99999999999999999999"},
      {"too small a number", "[S]\nK=-99999999999\n", -2147483647 - 1, u"-99999999999"},
      {"a blank first", "[S]\nK= 12\n", 0, u" 12"},
      {"a tab first", "[S]\nK=\t12\n", 12, u"\t12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    drive::Put(kIniHost, c.bytes);
    EXPECT_EQ(KMGetPrivateProfileInt(u"S", u"K", -1, kIni), c.number);
    DWORD result = 9;
    const std::u16string text = Read(u"S", u"K", 64, &result);
    EXPECT_EQ(result, c.text != nullptr ? 1u : 0u);
    if (c.text != nullptr) {
      EXPECT_EQ(text, c.text);
    }
  }
}

TEST_F(KernelIni, AHugeValueIsCutToTheDestination) {
  drive::Put(kIniHost, "[S]\nK=" + std::string(1 << 20, 'v'));
  EXPECT_EQ(Read(u"S", u"K", 16), std::u16string(15, u'v'));
  EXPECT_FALSE(KMWritePrivateProfileString(u"S", u"K", std::u16string((1 << 20) + 1, u'w').c_str(), kIni));
  ASSERT_TRUE(KMWritePrivateProfileString(u"S", u"K", std::u16string(1 << 20, u'w').c_str(), kIni));
  EXPECT_EQ(drive::Get(kIniHost), "[S]\nK=" + std::string(1 << 20, 'w'));
}

// Every allocation of a read or write may fail: the result is the one for
// a missing key (or the profile read's fallback), and nothing is left.
TEST_F(KernelIni, ShortMemoryAtAnyStepLeavesNothingAllocated) {
  for (std::size_t failAt = 1; failAt <= 6; ++failAt) {
    SCOPED_TRACE(failAt);
    const std::size_t live = plat::LiveBlocks();
    plat::FailAllocationAt(failAt);
    WCHAR buffer[16] = u"keep";
    const DWORD read = KM_UM_GetPrivateProfileString(u"Office", u"Name", u"default", buffer, 16, kIni);
    plat::FailAllocationAt(0);
    if (failAt == 1) {  // the section's temporary: the default is copied
      EXPECT_EQ(read, 7u);
      EXPECT_EQ(std::u16string(buffer), u"default");
    } else {
      EXPECT_TRUE((read == 0 && std::u16string(buffer) == u"keep") ||
                  (read == 1 && std::u16string(buffer) == u"Quarterly repor"));
    }
    plat::FailAllocationAt(failAt);
    const UINT number = KM_UM_GetPrivateProfileInt(u"Office", u"PrnMethod", 40, kIni);
    plat::FailAllocationAt(0);
    EXPECT_TRUE(number == 40 || number == 12);
    plat::FailAllocationAt(failAt);
    // The same value again, so that a write that succeeds changes nothing.
    KM_UM_WritePrivateProfileString(u"Office", u"PrnMethod", u"12 ; print method", kIni);
    plat::FailAllocationAt(0);
    EXPECT_EQ(plat::LiveBlocks(), live);
  }
  EXPECT_EQ(drive::Get(kIniHost), Fixture());
  EXPECT_EQ(plat::InvalidFrees(), 0u);
}

}  // namespace
