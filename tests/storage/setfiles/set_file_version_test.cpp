// The version keys: which files each kind of read accepts and which it
// converts, what each kind of write puts in, and what a refused file does
// to the reader (nothing, and the read fails with last error 1).
#include <string>

#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

struct VersionCase {
  const char* name;
  DWORD flags;        // kSetFileRead is added
  const char* keys;   // the section's text; null: no such section
  BOOL byHundreds;
  BOOL accepted;
  WORD convertFrom;
};

constexpr DWORD kPlain = 0;
const VersionCase kVersionCases[] = {
    {"ThisVersion", kPlain, "RstVersion=310\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, TRUE, 0},
    {"AnOlderMinorVersionIsConverted", kPlain, "RstVersion=305\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, TRUE, 305},
    {"ANewerMinorVersionIsTakenAsItIs", kPlain, "RstVersion=399\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, TRUE, 0},
    {"AnExactCheckRefusesANewerMinor", kPlain, "RstVersion=399\r\nRstMachine=169\r\nRstLanguage=0\r\n", FALSE, FALSE, 0},
    {"AnExactCheckTakesThisVersion", kPlain, "RstVersion=310\r\nRstMachine=169\r\nRstLanguage=0\r\n", FALSE, TRUE, 0},
    {"ANewerMajorVersionIsRefused", kPlain, "RstVersion=410\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"AnOlderMajorVersionIsRefused", kPlain, "RstVersion=299\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"ANegativeVersionIsRefused", kPlain, "RstVersion=-310\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"NoVersion", kPlain, "RstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"NoMachine", kPlain, "RstVersion=310\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"NoLanguage", kPlain, "RstVersion=310\r\nRstMachine=169\r\n", TRUE, FALSE, 0},
    {"AnotherMachine", kPlain, "RstVersion=310\r\nRstMachine=170\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"AnotherLanguage", kPlain, "RstVersion=310\r\nRstMachine=169\r\nRstLanguage=3\r\n", TRUE, FALSE, 0},
    {"TheLanguageIsComparedIn16Bits", kPlain, "RstVersion=310\r\nRstMachine=169\r\nRstLanguage=65536\r\n", TRUE, TRUE, 0},
    {"NoSection", kPlain, nullptr, TRUE, FALSE, 0},
    {"APresetIsCheckedAsAPlainFile", kSetFilePreset, "RstVersion=410\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"AQualitySetIsCheckedToo", kSetFileQuality, "RstVersion=410\r\nRstMachine=169\r\nRstLanguage=0\r\n", TRUE, FALSE, 0},
    {"AWatermarkWithoutVersionIsTaken", kSetFileWatermark, "", TRUE, TRUE, 0},
    {"AnOlderWatermarkIsConverted", kSetFileWatermark, "RstVersion=305\r\n", TRUE, TRUE, 305},
    {"AWatermarkOfAnotherMachineIsTaken", kSetFileWatermark, "RstVersion=310\r\nRstMachine=1\r\n", TRUE, TRUE, 0},
    {"AWatermarkOfANewerMajorIsTakenUnconverted", kSetFileWatermark, "RstVersion=410\r\n", TRUE, TRUE, 0},
    {"AnOlderFreeSizeIsConverted", kSetFileFreeSize, "RstVersion=305\r\n", TRUE, TRUE, 305},
    {"ASourceFreeSizeHasNoVersion", kSetFileSourceFreeSize, "RstVersion=305\r\n", TRUE, TRUE, 0},
    {"ABatchInstallHasNoVersion", kSetFileBatchInstall, "RstVersion=410\r\n", TRUE, TRUE, 0},
    {"AnInstallReadIsNotChecked", kSetFileInstall | kSetFilePreset, nullptr, TRUE, TRUE, 0},
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class VersionCases : public SetFileTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCases, DecideWhetherAndFromWhereTheReadConverts) {
  const VersionCase& c = GetParam();
  UCB* ucb = OpenOn(office_);
  WORD convertFrom = 0xBEEF;
  EXPECT_EQ(CheckRstVersion(kSetPath, u"Office 2F", c.flags | kSetFileRead, FALSE, ucb, c.keys, nullptr,
                            c.byHundreds, &convertFrom),
            c.accepted);
  EXPECT_EQ(convertFrom, c.accepted ? c.convertFrom : 0);
  Release(ucb);
}

INSTANTIATE_TEST_SUITE_P(SetFileVersions, VersionCases, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

using VersionKeysOfFiles = SetFileTest;

TEST_F(VersionKeysOfFiles, IsValidRstVersionComparesTheHundredsOf16BitVersions) {
  EXPECT_TRUE(IsValidRstVersion(399, 310));
  EXPECT_TRUE(IsValidRstVersion(300, 310));
  EXPECT_FALSE(IsValidRstVersion(299, 310));
  EXPECT_FALSE(IsValidRstVersion(410, 310));
  EXPECT_TRUE(IsValidRstVersion(0x10000 + 310, 310));
}

TEST_F(VersionKeysOfFiles, AWriteGetsTheKeysItsKindCarries) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 169, 4);
  Set(ucb, 608, 2);
  char buffer[256] = {};
  SetFileScript script{buffer, sizeof buffer, 0};
  EXPECT_TRUE(WriteSetFileVerInfo(kSetPath, &script, ucb, u"Office 2F", FALSE));
  EXPECT_EQ(std::string(buffer), "RstVersion=310\r\nRstMachine=169\r\nRstLanguage=4\r\nRstOSKind=2\r\n");
  script.position = 0;
  EXPECT_TRUE(WriteSetFileVerInfo(kSetPath, &script, ucb, u"Office 2F", TRUE));
  EXPECT_EQ(std::string(buffer), "RstVersion=310\r\n");
  SetFileScript tooSmall{buffer, 20, 0};
  EXPECT_FALSE(WriteSetFileVerInfo(kSetPath, &tooSmall, ucb, u"Office 2F", FALSE));

  // Without a script the keys go into the file's section.
  EXPECT_TRUE(WriteSetFileVerInfo(kSetPath, nullptr, ucb, u"Office [2F]", FALSE));
  const auto lines = Section(storage_test::Get(kSetFile), "Office ,2F,");
  EXPECT_EQ(VersionKeys(lines), (std::vector<std::string>{"RstVersion", "RstMachine", "RstLanguage", "RstOSKind"}));
  EXPECT_EQ(ValueIn(lines, "RstLanguage"), "4");
  Release(ucb);
}

TEST_F(VersionKeysOfFiles, TheOSKindOfAFileIsReadFromThePrinterSection) {
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(GetOSKindFromRSD(kSetPath, ucb), 0xFFFFu);
  storage_test::Put(kSetFile, "[Office 2F]\r\nRstOSKind=1\r\n");
  EXPECT_EQ(GetOSKindFromRSD(kSetPath, ucb), 1u);
  Release(ucb);
}

TEST_F(VersionKeysOfFiles, ARefusedFileFailsTheReadWithLastError1AndChangesNothing) {
  struct Refused {
    const char* what;
    DWORD flags;
    std::string text;
  };
  const Refused files[] = {
      {"a newer driver's file", 0, "[Kesm 4200 Series]\r\n" + DriverKeys(410) + "dmCopies=4\r\n"},
      {"another machine's file", 0, "[Kesm 4200 Series]\r\n" + DriverKeys(310, 12) + "dmCopies=4\r\n"},
      {"a file without the section", 0, "[Lobby]\r\n" + DriverKeys() + "dmCopies=4\r\n"},
      {"a preset of another language", kSetFilePreset | kSetFileNoAlert,
       "[Office 2F]\r\n" + DriverKeys(310, 169, 2) + "kdmSortType=1\r\n"},
      {"a quality set of a newer driver", kSetFileQuality,
       "[Office 2F]\r\n" + DriverKeys(410) + "kdmBrightness=4\r\n"},
  };
  for (const Refused& file : files) {
    SCOPED_TRACE(file.what);
    storage_test::Put(kSetFile, file.text);
    UCB* ucb = OpenOn(office_);
    const std::vector<BYTE> before = Snapshot(ucb);
    EXPECT_FALSE(ReadSetFile(office_, kSetPath, file.flags, ucb));
    EXPECT_EQ(DrvGetLastError(ucb), kSetFileVersionMismatch);
    EXPECT_EQ(Snapshot(ucb), before);
    Release(ucb);
  }
}

}  // namespace
}  // namespace setfile_test
