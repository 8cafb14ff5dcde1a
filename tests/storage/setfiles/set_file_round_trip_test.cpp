// A set file written with each flag word and read back by a new context:
// the section it lands in, the version keys it carries, a setting it
// carries and one it leaves behind.
#include <string>
#include <vector>

#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

struct Trip {
  const char* name;
  DWORD write;  // WriteSetFile flags; kTemplateWrite: WriteSetFileRSD with 0
  DWORD read;   // ReadSetFile flags
  const char* section;
  std::vector<std::string> versionKeys;
  WORD carried;
  LONG_PTR value;
  WORD leftBehind;  // set by the writer; the reader keeps its own value
};

constexpr DWORD kTemplateWrite = 0xFFFFFFFF;
const std::vector<std::string> kAllKeys = {"RstVersion", "RstMachine", "RstLanguage", "RstOSKind"};
const std::vector<std::string> kVersionOnly = {"RstVersion"};

const Trip kTrips[] = {
    // Every setting under the driver name; the DEVMODE's identity stays.
    {"Plain", 0, 0, kDriverSection, kAllKeys, 12, 3, 5},
    // A preset file holds every setting; the recall takes the preset ones.
    {"Preset", kSetFilePreset, kSetFilePreset | kSetFileNoAlert, kPrinterSection, kAllKeys, 119, 2, 12},
    {"PresetOfTheFileDialog", kSetFilePreset | kSetFilePlainSection, kSetFilePreset | kSetFilePlainSection,
     kPrinterSection, kAllKeys, 119, 2, 12},
    {"Quality", kSetFileQuality, kSetFileQuality, kPrinterSection, kAllKeys, 138, -5, 119},
    {"QualityOfTheWorkBlock", kSetFileQuality | kSetFileWorkBlock, kSetFileQuality | kSetFileWorkBlock,
     kPrinterSection, kAllKeys, 807, -7, 138},
    {"Watermark", kSetFileWatermark, kSetFileWatermark, kPrinterSection, kVersionOnly, 779, -3, 119},
    {"FreeSize", kSetFileFreeSize, kSetFileFreeSize, kPrinterSection, kVersionOnly, 753, 12000, 758},
    {"SourceFreeSize", kSetFileSourceFreeSize, kSetFileSourceFreeSize, kPrinterSection, {}, 758, 9000, 753},
    // Written under the batch-install section (the driver-wide name), read
    // by an install read of the preset settings.
    {"Install", kSetFileBatchSection | kSetFilePreset, kSetFileInstall | kSetFilePreset, kLanguageSection, kAllKeys,
     119, 2, 12},
    {"BatchInstall", kSetFileBatchSection, kSetFileBatchInstall, kLanguageSection, kAllKeys, 12, 3, 5},
    {"Bidi", kSetFileBidi, kSetFileBidi, kPrinterSection, kAllKeys, 10012, 512, 12},
    {"Template", kTemplateWrite, kSetFileTemplate, "KESMRsdSection", kAllKeys, 119, 2, 12},
};

void PrintTo(const Trip& trip, std::ostream* os) { *os << trip.name; }

class RoundTrip : public SetFileTest, public ::testing::WithParamInterface<Trip> {};

TEST_P(RoundTrip, TheReaderTakesWhatTheFlagsCarry) {
  const Trip& trip = GetParam();
  const bool toCompanion = trip.write == kTemplateWrite;
  LPCWSTR path = toCompanion ? kCompanionPath : kSetPath;
  UCB* writer = OpenOn(office_);
  Set(writer, trip.carried, trip.value);
  Set(writer, trip.leftBehind, 220);
  const BOOL written = toCompanion ? WriteSetFileRSD(office_, kSetPath, 0, writer)
                                   : WriteSetFile(office_, kSetPath, trip.write, writer);
  ASSERT_TRUE(written);
  EXPECT_EQ(Value(writer, trip.carried), trip.value) << "the writer's settings stay";
  Release(writer);

  const std::string text = storage_test::Get(toCompanion ? kCompanionFile : kSetFile);
  const auto lines = Section(text, trip.section);
  ASSERT_TRUE(lines.has_value()) << text.substr(0, 200);
  EXPECT_EQ(text.rfind("[" + std::string(trip.section) + "]", 0), 0u) << "the section written stands first";
  EXPECT_EQ(VersionKeys(lines), trip.versionKeys);

  UCB* reader = OpenOn(office_);
  Set(reader, trip.carried, 1);
  Set(reader, trip.leftBehind, 7);
  EXPECT_TRUE(ReadSetFile(office_, path, trip.read, reader));
  EXPECT_EQ(DrvGetLastError(reader), 0u);
  EXPECT_EQ(Value(reader, trip.carried), trip.value);
  EXPECT_EQ(Value(reader, trip.leftBehind), 7);
  Release(reader);
}

INSTANTIATE_TEST_SUITE_P(EveryFlagWord, RoundTrip, ::testing::ValuesIn(kTrips),
                         [](const auto& info) { return std::string(info.param.name); });

using SetFiles = SetFileTest;

TEST_F(SetFiles, APlainExportAlsoLeavesPrinterInformationAndTemplateDataInTheSharedFolder) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 10012, 1024);
  Set(ucb, 10001, 1);
  ASSERT_TRUE(WriteSetFile(office_, kSetPath, 0, ucb));
  ASSERT_TRUE(WriteSetFileRSD(office_, kSetPath, 0, ucb));
  Release(ucb);
  const std::string exported = storage_test::Get(kSetFile);
  EXPECT_TRUE(Section(exported, kDriverSection).has_value());
  EXPECT_FALSE(Section(exported, "KESMPrnSection").has_value()) << "the user's file holds the settings only";
  const std::string companion = storage_test::Get(kCompanionFile);
  const auto information = Section(companion, "KESMPrnSection");
  EXPECT_EQ(ValueIn(information, "kdmPrinterMemory"), "1024");
  EXPECT_EQ(ValueIn(information, "kdmServerLogCode"), "<none>") << "log codes stay out";
  EXPECT_TRUE(Section(companion, "KESMRsdSection").has_value());
}

TEST_F(SetFiles, PrinterInformationRoundTripsWithoutItsFontSettings) {
  UCB* writer = OpenOn(office_);
  Set(writer, 10012, 2048);
  Set(writer, 10004, 3);  // a font count
  Set(writer, 10010, 5);
  SetText(writer, 1130, u"Stacker");  // a tray name
  Set(writer, 1133, 1);  // a module word
  ASSERT_TRUE(WriteSetFilePrnInfo(kSetPath, 0, writer));
  EXPECT_EQ(Value(writer, 10004), 3) << "the writer keeps its fonts";
  Release(writer);
  const auto information = Section(storage_test::Get(kSetFile), "KESMPrnSection");
  for (const char* font : {"kdmFontTableNum", "kdmFontTable", "kdmDeviceFont", "kdmOptionFont",
                           "kdmInstOptionFontNum", "kdmInstOptionFont"}) {
    EXPECT_EQ(ValueIn(information, font), "0") << font;
  }
  EXPECT_EQ(ValueIn(information, "kdmServerLogCode"), "0") << "only a batch install leaves them out";

  // A file that names font addresses gives them to no context.
  ASSERT_TRUE(WritePrivateProfileStringW(u"KESMPrnSection", u"kdmInstOptionFont", u"305419896", kSetPath));
  ASSERT_TRUE(WritePrivateProfileStringW(u"KESMPrnSection", u"kdmFontTableNum", u"9", kSetPath));
  UCB* reader = OpenOn(office_);
  EXPECT_TRUE(ReadSetFilePrnInfo(kSetPath, 0, reader));
  EXPECT_EQ(Value(reader, 10012), 2048);
  EXPECT_EQ(Text(reader, 1130), u"Stacker");
  EXPECT_EQ(Value(reader, 1133), 1);
  EXPECT_EQ(Value(reader, 10004), 0);
  EXPECT_EQ(Value(reader, 10011), 0);
  Release(reader);
}

TEST_F(SetFiles, APlainImportOfAFileWrittenUnderThePrinterNameReadsThatSection) {
  storage_test::Put(kSetFile, "[Office 2F]\r\n" + DriverKeys() + "dmCopies=9\r\n[Kesm 4200 Series]\r\ndmCopies=4\r\n");
  UCB* ucb = OpenOn(office_);
  Set(ucb, 37, 5);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, 12), 9) << "the driver section has no version";
  EXPECT_EQ(static_cast<BYTE>(Value(ucb, 37)), 255) << "a plain read leaves no preset selected";
  Release(ucb);

  storage_test::Put(kSetFile, "[Office 2F]\r\n" + DriverKeys() + "dmCopies=9\r\n[Kesm 4200 Series]\r\n" + DriverKeys() +
                                  "dmCopies=4\r\nkdmPresetNo=3\r\n");
  ucb = OpenOn(office_);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, 12), 4);
  EXPECT_EQ(static_cast<BYTE>(Value(ucb, 37)), 255);
  Release(ucb);
}

// Every text setting tells a key the file lacks from an empty value, as the
// copy-protect text (524) must: a missing key leaves the text, an empty one
// empties it. A file written before a text setting existed, or by hand,
// then keeps the texts it does not mention.
TEST_F(SetFiles, ATextKeyTheFileLacksLeavesTheTextAndAnEmptyOneEmptiesIt) {
  const struct {
    WORD id;
    const char* key;
  } texts[] = {{524, "kdmCopyProtectChar"}, {114, "kdmHFString"}};
  for (const auto& text : texts) {
    SCOPED_TRACE(text.key);
    UCB* ucb = OpenOn(office_);
    SetText(ucb, text.id, u"Kept");
    storage_test::Put(kSetFile, "[Office 2F]\r\n" + DriverKeys() + "dmCopies=2\r\n");
    EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
    EXPECT_EQ(Value(ucb, 12), 2);
    EXPECT_EQ(Text(ucb, text.id), u"Kept") << "a missing key";
    storage_test::Put(kSetFile, "[Office 2F]\r\n" + DriverKeys() + text.key + "=\r\n");
    EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
    EXPECT_EQ(Text(ucb, text.id), u"") << "an empty value";
    Release(ucb);
  }
}

TEST_F(SetFiles, AFreeSizeReadTouchesOnlyItsFiveSettings) {
  storage_test::Put(kSetFile, "[Office 2F]\r\nRstVersion=310\r\nwdmFreeSizeName=Banner\r\nwdmFreeSizeWidth=9000\r\n"
                              "wdmFreeSizeLength=30000\r\nwdmFreeSizeTray=2\r\nwdmFreeSizeOrient=2\r\n"
                              "dmCopies=8\r\nwdmSrcFreeSizeWidth=5\r\n");
  UCB* ucb = OpenOn(office_);
  const std::vector<BYTE> before = Snapshot(ucb);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, kSetFileFreeSize, ucb));
  EXPECT_EQ(Text(ucb, 752), u"Banner");
  EXPECT_EQ(Value(ucb, 753), 9000);
  EXPECT_EQ(Value(ucb, 754), 30000);
  EXPECT_EQ(Value(ucb, 755), 2);
  EXPECT_EQ(Value(ucb, 756), 2);
  const std::vector<BYTE> after = Snapshot(ucb);
  const BYTE* work = ucb->pDCB->workDM;
  const std::size_t first = static_cast<std::size_t>(work - reinterpret_cast<const BYTE*>(ucb->pDCB)) + 16;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i >= first && i < first + 48) continue;  // 752-756 at work offsets 16-63
    ASSERT_EQ(before[i], after[i]) << "byte " << i;
  }
  Release(ucb);
}

TEST_F(SetFiles, AValueThatCannotGoIntoTheSectionFailsTheWriteAndLeavesTheFile) {
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\nold=1\r\n[Other]\r\nkept=1\r\n");
  UCB* ucb = OpenOn(office_);
  SetText(ucb, 763, u"first line\r\ndmCopies=99");
  EXPECT_FALSE(WriteSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(storage_test::Get(kSetFile), "[Kesm 4200 Series]\r\nold=1\r\n[Other]\r\nkept=1\r\n");
  EXPECT_FALSE(storage_test::Exists(kCompanionFile));
  Release(ucb);
}

TEST_F(SetFiles, APathThatIsNotAbsoluteFailsWithoutTouchingAFile) {
  UCB* ucb = OpenOn(office_);
  for (const char16_t* path : {u"", u"office.rst", u"Sets\\office.rst"}) {
    EXPECT_FALSE(WriteSetFile(office_, path, 0, ucb));
    EXPECT_FALSE(ReadSetFile(office_, path, 0, ucb));
    EXPECT_EQ(DrvGetLastError(ucb), 0u);
  }
  EXPECT_EQ(storage_test::CountEntries("Sets"), 1) << "only the folder's marker";
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
