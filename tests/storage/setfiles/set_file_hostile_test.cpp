// Set files from users and other machines: cut short, sections missing or
// twice, values of the wrong type, out of range or huge, the DEVMODE's
// identity, a newer driver. Each gets its documented result or is refused
// whole, and the reader keeps its settings.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/winerror.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

struct HostileFile {
  const char* fixture;
  DWORD flags;
  BOOL read;
  DWORD lastError;
  LONG_PTR copies;  // dmCopies afterwards (the reader starts with 1)
  LONG_PTR sort;    // kdmSortType afterwards (starts with 1)
};

const HostileFile kHostileFiles[] = {
    {"truncated.rst", 0, TRUE, 0, 4, 2},
    {"truncated_in_version.rst", 0, FALSE, kSetFileVersionMismatch, 1, 1},
    {"duplicate_section.rst", 0, TRUE, 0, 4, 1},
    {"wrong_type.rst", 0, FALSE, 0, 1, 1},
    {"out_of_range.rst", 0, FALSE, 0, 1, 1},
    {"newer_driver.rst", 0, FALSE, kSetFileVersionMismatch, 1, 1},
    {"identity.rst", 0, TRUE, 0, 4, 1},
    {"missing_section.rst", 0, FALSE, kSetFileVersionMismatch, 1, 1},
    {"watermark_out_of_range.rst", kSetFileWatermark, FALSE, 0, 1, 1},
};

void PrintTo(const HostileFile& file, std::ostream* os) { *os << file.fixture; }

class HostileFiles : public SetFileTest, public ::testing::WithParamInterface<HostileFile> {};

TEST_P(HostileFiles, GetTheirDocumentedResultOrAreRefusedWhole) {
  const HostileFile& file = GetParam();
  const std::string text = Fixture(file.fixture);
  ASSERT_FALSE(text.empty());
  storage_test::Put(kSetFile, text);
  UCB* ucb = OpenOn(office_);
  Set(ucb, 12, 1);
  Set(ucb, 119, 1);
  SetText(ucb, 766, u"DRAFT");
  const std::vector<BYTE> before = Snapshot(ucb);
  // The DEVMODE's own sizes, which its defaults gave it.
  const LONG_PTR size = Value(ucb, 4);
  const LONG_PTR extra = Value(ucb, 5);
  ASSERT_EQ(size, 220);
  ASSERT_EQ(extra, 1016);
  EXPECT_EQ(ReadSetFile(office_, kSetPath, file.flags, ucb), file.read);
  EXPECT_EQ(DrvGetLastError(ucb), file.lastError);
  EXPECT_EQ(Value(ucb, 12), file.copies);
  EXPECT_EQ(Value(ucb, 119), file.sort);
  if (!file.read) {
    EXPECT_EQ(Snapshot(ucb), before) << "a refused file changes nothing";
  }
  EXPECT_EQ(Value(ucb, 4), size) << "dmSize";
  EXPECT_EQ(Value(ucb, 5), extra) << "dmDriverExtra";
  EXPECT_EQ(Text(ucb, 1), u"");
  EXPECT_EQ(storage_test::Get(kSetFile), text) << "a read leaves the file";
  Release(ucb);
}

INSTANTIATE_TEST_SUITE_P(SetFileFixtures, HostileFiles, ::testing::ValuesIn(kHostileFiles),
                         [](const auto& info) {
                           std::string name = info.param.fixture;
                           return name.substr(0, name.find('.'));
                         });

// Numbers are taken only when the setting's kind holds them as they stand:
// the walk of a plain read alone, without the validation that follows it
// in ReadSetFile (which holds a value taken to its setting's domain, below).
TEST_F(SetFileTest, ANumberIsTakenOnlyWithinItsSettingsRange) {
  struct Number {
    const char* line;
    WORD id;
    BOOL taken;
    LONG_PTR value;
  };
  const Number numbers[] = {
      {"dmCopies=-32768", 12, TRUE, -32768},         {"dmCopies=32767", 12, TRUE, 32767},
      {"dmCopies=32768", 12, FALSE, 0},              {"dmCopies=-32769", 12, FALSE, 0},
      {"kdmSortType=255", 119, TRUE, 255},           {"kdmSortType=256", 119, FALSE, 0},
      {"kdmSortType=-1", 119, FALSE, 0},             {"kdmBrightness=-128", 138, TRUE, -128},
      {"kdmBrightness=128", 138, FALSE, 0},          {"kdmPaperFreeSizeWidth=4294967295", 340, TRUE, 4294967295},
      {"kdmPaperFreeSizeWidth=4294967296", 340, FALSE, 0},          {"kdmPaperFreeSizeWidth=-1", 340, FALSE, 0},
      {"kdmFuncSelectSort=1", 61, TRUE, 1},          {"kdmFuncSelectSort=2", 61, FALSE, 0},
      {"dmCopies=0x10", 12, FALSE, 0},               {"dmCopies= 4", 12, FALSE, 0},
      {"dmCopies=1e3", 12, FALSE, 0},                {"dmCopies=+7", 12, TRUE, 7},
      {"dmCopies=0000000000000000000004", 12, FALSE, 0},
  };
  for (const Number& number : numbers) {
    SCOPED_TRACE(number.line);
    // The walk reads the printer's section (ReadSetFile points it at the
    // driver's section of a plain file).
    storage_test::Put(kSetFile, "[" + std::string(kPrinterSection) + "]\r\n" + DriverKeys() + number.line + "\r\n");
    UCB* ucb = OpenOn(office_);
    const std::vector<BYTE> before = Snapshot(ucb);
    EXPECT_EQ(ReadWriteSetFile(office_, kSetPath, kSetFileRead, ucb), number.taken);
    if (number.taken) {
      EXPECT_EQ(Value(ucb, number.id), number.value);
    } else {
      EXPECT_EQ(Snapshot(ucb), before);
    }
    Release(ucb);
  }
}

// A plain read validates what it took: a copy count the parser takes but
// the model does not print comes back within the model's limits.
TEST_F(SetFileTest, APlainReadHoldsWhatItTookToTheSettingsDomain) {
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() + "dmCopies=32767\r\nkdmSortType=255\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_GE(Value(ucb, 12), 1);
  EXPECT_LE(Value(ucb, 12), 999);
  EXPECT_NE(Value(ucb, 119), 255);
  Release(ucb);
}

TEST_F(SetFileTest, HugeValuesAreCutToTheirFieldOrRefused) {
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() + "kdmHFString=" + std::string(20000, 'W') +
                                  "\r\ndmCopies=6\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Text(ucb, 114), std::u16string(32, u'W')) << "cut to the 33-byte field";
  EXPECT_EQ(Value(ucb, 12), 6);
  Release(ucb);

  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() + "dmCopies=" + std::string(20000, '7') + "\r\n");
  ucb = OpenOn(office_);
  Set(ucb, 12, 2);
  EXPECT_FALSE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, 12), 2);
  Release(ucb);
}

// A section longer than any this driver writes is no set file of it: it
// is refused before any key is searched, however it is padded.
TEST_F(SetFileTest, ASectionLargerThanTheScriptBoundIsRefused) {
  std::string padding;
  while (padding.size() < kSetFileScriptBytes) padding += "unknownKey=" + std::string(40, 'j') + "\r\n";
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() + padding + "dmCopies=6\r\n[Other]\r\n");
  UCB* ucb = OpenOn(office_);
  Set(ucb, 12, 2);
  EXPECT_FALSE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(DrvGetLastError(ucb), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(Value(ucb, 12), 2);
  Release(ucb);

  // Just within the bound it is read.
  const std::string head = "[Kesm 4200 Series]\r\n" + DriverKeys();
  const std::string tail = "dmCopies=6\r\n";
  const std::string fill = "pad=" + std::string(kSetFileScriptBytes - head.size() - tail.size() - 6, 'p') + "\r\n";
  ASSERT_EQ(head.size() + fill.size() + tail.size(), kSetFileScriptBytes);
  storage_test::Put(kSetFile, head + fill + tail);
  ucb = OpenOn(office_);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, 12), 6);
  Release(ucb);
}

// The seeds of the set-file reader's fuzz target, read with every flag word
// a read takes: a read that fails changes nothing.
TEST_F(SetFileTest, TheFuzzSeedsAreReadOrRefusedWhole) {
  const DWORD flagWords[] = {0, kSetFilePreset | kSetFileNoAlert, kSetFilePreset | kSetFilePlainSection,
                             kSetFileQuality, kSetFileQuality | kSetFileWorkBlock, kSetFileWatermark,
                             kSetFileFreeSize, kSetFileSourceFreeSize, kSetFileBatchInstall, kSetFileBidi,
                             kSetFileInstall | kSetFilePreset, kSetFileTemplate};
  const std::filesystem::path seeds = std::filesystem::path(KESM_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "setfile_reader";
  int files = 0;
  UCB* ucb = OpenOn(office_);
  for (const auto& seed : std::filesystem::directory_iterator(seeds)) {
    std::ifstream in(seed.path(), std::ios::binary);
    storage_test::Put(kSetFile, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ++files;
    for (DWORD flags : flagWords) {
      SCOPED_TRACE(seed.path().filename().string() + " with flags " + std::to_string(flags));
      const std::vector<BYTE> before = Snapshot(ucb);
      if (!ReadSetFile(office_, kSetPath, flags, ucb)) {
        EXPECT_EQ(Snapshot(ucb), before);
      }
    }
  }
  EXPECT_GT(files, 10);
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
