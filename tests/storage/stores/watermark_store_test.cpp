// Watermarks in the settings INI: counting on write, deleting by moving the
// later entries down before the count drops, per-language entries, the
// driver's own watermarks and those of a batch-install file, and the
// watermark a plain set file brings.
#include <string>

#include "platform/files/winfile.h"
#include "storage/stores/watermark_store.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

class Watermarks : public SetFileTest {
 protected:
  static std::string Entry(int index) { return ValueIn(Section(storage_test::Get(kSettingsIni), "Stamp" + std::to_string(index) + "jp"), "wdmWmChar"); }
  static std::string Count() { return ValueIn(Section(storage_test::Get(kSettingsIni), kLanguageSection), "StampCount"); }

  // Stores watermarks with the texts, as entries 0 ... n - 1.
  void Store(UCB* ucb, std::initializer_list<const char16_t*> texts) {
    int index = 0;
    for (const char16_t* text : texts) {
      SetText(ucb, 766, text);
      ASSERT_TRUE(WriteWatermarkByID(ucb, index++));
    }
  }
};

TEST_F(Watermarks, WritingPastTheCountRaisesItAndTheScratchIndexIsNotCounted) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"jp", u"StampCount", u"3"));
  SetText(ucb, 766, u"URGENT");
  EXPECT_TRUE(WriteWatermarkByID(ucb, 5));
  EXPECT_EQ(ReadWatermarkCount(ucb), 6);
  EXPECT_EQ(Value(ucb, 118), 5);
  EXPECT_TRUE(WriteWatermarkByID(ucb, 256));
  EXPECT_EQ(ReadWatermarkCount(ucb), 6);
  EXPECT_TRUE(WriteWatermarkByID(ucb, 2));
  EXPECT_EQ(ReadWatermarkCount(ucb), 6);
  EXPECT_FALSE(WriteWatermarkByID(ucb, 257));
  EXPECT_FALSE(WriteWatermarkByID(ucb, -1));
  const auto entry = Section(storage_test::Get(kSettingsIni), "Stamp5jp");
  EXPECT_EQ(VersionKeys(entry), (std::vector<std::string>{"RstVersion"}));
  EXPECT_EQ(ValueIn(entry, "kdmWmID"), "5");
  EXPECT_EQ(ValueIn(entry, "kdmSortType"), "<none>") << "watermark settings only";
  Release(ucb);
}

TEST_F(Watermarks, AWatermarkIsReadBackByIndex) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 117, 2);
  Set(ucb, 779, -3);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"DRAFT", u"COPY"}));
  Release(ucb);
  UCB* reader = OpenOn(office_);
  EXPECT_TRUE(ReadWatermarkByID(reader, 0));
  EXPECT_EQ(Text(reader, 766), u"DRAFT");
  EXPECT_EQ(Value(reader, 779), -3);
  EXPECT_EQ(Value(reader, 117), 2);
  EXPECT_EQ(Value(reader, 118), 0);
  Set(reader, 60, 1);
  Set(reader, 118, 1);
  EXPECT_TRUE(GetWatermarkData(reader));
  EXPECT_EQ(Text(reader, 766), u"COPY");
  Set(reader, 60, 0);
  EXPECT_FALSE(GetWatermarkData(reader)) << "watermark printing is off";
  Release(reader);
}

TEST_F(Watermarks, DeletingMovesTheLaterEntriesDownAndThenLowersTheCount) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"ZERO", u"ONE", u"TWO"}));
  SetText(ucb, 766, u"CURRENT");
  EXPECT_TRUE(DeleteWatermarkByID(ucb, 0));
  EXPECT_EQ(Text(ucb, 766), u"CURRENT") << "the settings are put back";
  EXPECT_EQ(Count(), "2");
  EXPECT_EQ(Entry(0), "ONE");
  EXPECT_EQ(Entry(1), "TWO");
  EXPECT_EQ(Entry(2), "TWO") << "the last section stays beyond the count";
  EXPECT_EQ(ValueIn(Section(storage_test::Get(kSettingsIni), "Stamp0jp"), "kdmWmID"), "0");

  EXPECT_FALSE(DeleteWatermarkByID(ucb, 2)) << "past the count";
  EXPECT_FALSE(DeleteWatermarkByID(ucb, -1));
  EXPECT_EQ(Count(), "2");
  EXPECT_TRUE(DeleteWatermarkByID(ucb, 1));
  EXPECT_TRUE(DeleteWatermarkByID(ucb, 0));
  EXPECT_EQ(Count(), "0") << "an empty list is counted as 0";
  EXPECT_FALSE(DeleteWatermarkByID(ucb, 0));
  EXPECT_EQ(Count(), "0");
  Release(ucb);
}

TEST_F(Watermarks, AFailedWriteNeitherCountsNorLowersTheCount) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"ZERO", u"ONE", u"TWO"}));
  const std::string before = storage_test::Get(kSettingsIni);
  ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\kesmusr.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteWatermarkByID(ucb, 3));
  EXPECT_FALSE(DeleteWatermarkByID(ucb, 0));
  EXPECT_EQ(storage_test::Get(kSettingsIni), before) << "no entry lost, the count as it was";
  ASSERT_TRUE(SetFileAttributesW(u"C:\\_kesm\\kesmusr.ini", FILE_ATTRIBUTE_NORMAL));
  Release(ucb);
}

// An entry that cannot be read stops the delete before the count drops:
// an entry may then stand twice, but none falls out of the count.
TEST_F(Watermarks, ADeleteStoppedHalfWayHidesNoEntry) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"ZERO", u"ONE", u"TWO", u"THREE"}));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Stamp2jp", u"kdmWmKind", u"300"));
  EXPECT_FALSE(DeleteWatermarkByID(ucb, 0));
  EXPECT_EQ(Count(), "4");
  EXPECT_EQ(Entry(0), "ONE");
  EXPECT_EQ(Entry(1), "ONE");
  EXPECT_EQ(Entry(2), "TWO");
  EXPECT_EQ(Entry(3), "THREE");
  Release(ucb);
}

TEST_F(Watermarks, EachDisplayLanguageHasItsOwnWatermarks) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"JAPANESE"}));
  Set(ucb, 169, 1);
  WCHAR key[64] = {};
  const std::u16string english = MakeWatermarkKey(key, 0, 0, ucb);
  EXPECT_NE(english, u"Stamp0jp");
  EXPECT_EQ(ReadWatermarkCount(ucb), 0);
  SetText(ucb, 766, u"ENGLISH");
  EXPECT_TRUE(WriteWatermarkByID(ucb, 0));
  Set(ucb, 169, 0);
  EXPECT_EQ(ReadWatermarkCount(ucb), 1);
  EXPECT_TRUE(ReadWatermarkByID(ucb, 0));
  EXPECT_EQ(Text(ucb, 766), u"JAPANESE");
  Release(ucb);
}

TEST_F(Watermarks, AnUpgradeRewritesEveryEntryInTheCurrentFormat) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"jp", u"StampCount", u"2"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Stamp0jp", u"wdmWmChar", u"OLD ZERO"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Stamp1jp", u"wdmWmChar", u"OLD ONE"));
  SetText(ucb, 766, u"CURRENT");
  EXPECT_TRUE(UpgradeWatermark(ucb));
  EXPECT_EQ(Text(ucb, 766), u"CURRENT");
  const std::string ini = storage_test::Get(kSettingsIni);
  EXPECT_EQ(ValueIn(Section(ini, "Stamp1jp"), "RstVersion"), "310");
  EXPECT_EQ(ValueIn(Section(ini, "Stamp1jp"), "wdmWmChar"), "OLD ONE");
  EXPECT_EQ(ValueIn(Section(ini, "Stamp1jp"), "kdmWmID"), "1");
  Release(ucb);
}

TEST_F(Watermarks, TheDriversAndABatchFilesWatermarksAreReadFromThoseFiles) {
  UCB* ucb = OpenOn(office_);
  LPCWSTR driverIni = GetDriverIniFilePath(ucb);
  ASSERT_TRUE(WritePrivateProfileStringW(u"jp", u"StampCount", u"2", driverIni));
  ASSERT_TRUE(WritePrivateProfileStringW(u"Stamp1jp", u"wdmWmChar", u"CONFIDENTIAL", driverIni));
  EXPECT_EQ(ReadWatermarkCountFromInstIni(ucb), 2);
  EXPECT_TRUE(ReadWatermarkByIDFromInstIni(ucb, 1));
  EXPECT_EQ(Text(ucb, 766), u"CONFIDENTIAL");
  EXPECT_EQ(Value(ucb, 118), 1);
  EXPECT_EQ(ReadWatermarkCount(ucb), 0) << "the user's store is another";

  storage_test::Put("Sets/KESM.ini", "[Batch]\r\nStampCount=4\r\n[Stamp3jp]\r\nwdmWmChar=BATCH\r\n");
  EXPECT_EQ(ReadWatermarkCountDrvInst(u"C:\\Sets\\KESM.ini", u"Batch", ucb), 4);
  EXPECT_TRUE(ReadWatermarkByIDDrvInst(u"C:\\Sets\\KESM.ini", 0, 3, ucb));
  EXPECT_EQ(Text(ucb, 766), u"BATCH");
  EXPECT_TRUE(ReadWatermarkByKeyDrvInst(u"C:\\Sets\\KESM.ini", 0, u"Stamp1jp", ucb)) << "a missing entry reads nothing";
  EXPECT_EQ(Text(ucb, 766), u"BATCH");
  Release(ucb);
}

TEST_F(Watermarks, AWatermarkAPlainFileBringsBeyondTheStoredOnesBecomesANewEntry) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(Store(ucb, {u"ZERO"}));
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() +
                                  "kdmFuncSelectWaterMark=1\r\nkdmWmKind=1\r\nkdmWmID=40\r\nwdmWmChar=IMPORTED\r\n");
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, 118), 1);
  EXPECT_EQ(Count(), "2");
  EXPECT_EQ(Entry(1), "IMPORTED");
  EXPECT_EQ(Entry(0), "ZERO");
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
