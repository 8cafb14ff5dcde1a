// Presets: the list in the settings INI and the set files behind it,
// recall through the cache, files this driver cannot read, the watermark a
// preset refers to, the read-only mark through an upgrade, the names of
// new files.
#include <cstdio>
#include <string>

#include "settings/context/context_block.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

class Presets : public SetFileTest {
 protected:
  // Lists preset index under a set file of C:\Sets.
  void List(UCB* ucb, int index, const std::string& file) {
    const std::u16string key = u"PresetList" + std::u16string(1, static_cast<char16_t>(u'0' + index));
    const std::u16string path = u"C:\\Sets\\" + std::u16string(file.begin(), file.end());
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, key.c_str(), path.c_str()));
  }
  // A preset file of this driver holding the lines.
  static void PutPreset(const std::string& file, const std::string& lines, int version = 310) {
    storage_test::Put("Sets/" + file, "[Office 2F]\r\n" + DriverKeys(version) + lines);
  }
};

TEST_F(Presets, AWrittenPresetIsRecalledWithItsNameAndComment) {
  UCB* writer = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(writer, 0, "p0.rst"));
  Set(writer, 119, 3);
  Set(writer, 12, 5);
  SetText(writer, 762, u"Office draft");
  SetText(writer, 763, u"two-sided, stapled");
  EXPECT_TRUE(WritePresetByID(writer, 0));
  EXPECT_EQ(Ini(writer, kPrinter, u"PresetList0Name"), u"Office draft");
  EXPECT_EQ(Ini(writer, kPrinter, u"PresetList0Comment"), u"two-sided, stapled");
  Release(writer);
  const auto lines = Section(storage_test::Get("Sets/p0.rst"), kPrinterSection);
  EXPECT_EQ(ValueIn(lines, "dmCopies"), "5") << "a preset file holds every setting";

  UCB* reader = OpenOn(office_);
  Set(reader, 12, 2);
  EXPECT_TRUE(ReadPresetByID(reader, 0));
  EXPECT_EQ(Value(reader, 119), 3);
  EXPECT_EQ(Value(reader, 12), 2) << "a recall takes the preset settings only";
  EXPECT_EQ(Text(reader, 762), u"Office draft");
  EXPECT_EQ(Text(reader, 763), u"two-sided, stapled");
  Release(reader);
}

TEST_F(Presets, ASecondRecallComesFromTheCacheUntilAnyPresetIsWritten) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, 0, "p0.rst"));
  ASSERT_NO_FATAL_FAILURE(List(ucb, 1, "p1.rst"));
  PutPreset("p0.rst", "kdmSortType=2\r\n");
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 119), 2);
  PutPreset("p0.rst", "kdmSortType=4\r\n");
  Set(ucb, 119, 0);
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 119), 2) << "from the cache";
  EXPECT_TRUE(WritePresetByID(ucb, 1));
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 119), 4) << "the write emptied the cache";
  Release(ucb);
}

TEST_F(Presets, AParkedContextRecallsAPresetAsItsFileIsNow) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, 0, "p0.rst"));
  PutPreset("p0.rst", "kdmSortType=2\r\n");
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 119), 2);
  FreeUcb(ucb);
  // Rewritten while the context waits, as another process would.
  PutPreset("p0.rst", "kdmSortType=4\r\n");
  UCB* again = OpenOn(office_);
  ASSERT_EQ(again, ucb) << "the parked context serves the open";
  Set(again, 119, 0);
  EXPECT_TRUE(ReadPresetByID(again, 0));
  EXPECT_EQ(Value(again, 119), 4) << "not the recall cached before the context was parked";
  Release(again);
}

TEST_F(Presets, TheCacheHasSixteenSlotsAndRestoresABitWithoutItsWord) {
  UCB* ucb = OpenOn(office_);
  EXPECT_EQ(CheckPresetCache(ucb, u"PresetList16", kPresetCacheSave), 0);
  EXPECT_EQ(CheckPresetCache(ucb, u"PresetList16", kPresetCacheRestore), 0);
  EXPECT_EQ(CheckPresetCache(ucb, u"PresetList3", kPresetCacheRestore), 0) << "empty slot";
  Set(ucb, 61, 1);  // a preset bit in the word of the watermark switch (60)
  Set(ucb, 60, 0);
  EXPECT_EQ(CheckPresetCache(ucb, u"presetlist3", kPresetCacheSave), 0);
  Set(ucb, 61, 0);
  Set(ucb, 60, 1);
  EXPECT_EQ(CheckPresetCache(ucb, u"PresetList3", kPresetCacheRestore), 1);
  EXPECT_EQ(Value(ucb, 61), 1);
  EXPECT_EQ(Value(ucb, 60), 1) << "the other bits of the word stay";
  CheckPresetCache(ucb, nullptr, kPresetCacheForget);
  EXPECT_EQ(CheckPresetCache(ucb, u"PresetList3", kPresetCacheRestore), 0);
  CheckPresetCache(ucb, u"PresetList3", kPresetCacheSave);
  Release(ucb);  // the context's end frees the slot
}

TEST_F(Presets, AnIndexOutsideTheListClearsNameAndCommentAndReadsNothing) {
  UCB* ucb = OpenOn(office_);
  SetText(ucb, 762, u"kept?");
  SetText(ucb, 763, u"kept?");
  for (int index : {16, -1}) {
    EXPECT_FALSE(ReadPresetByID(ucb, index));
    EXPECT_EQ(Text(ucb, 762), u"");
    EXPECT_EQ(Text(ucb, 763), u"");
    EXPECT_FALSE(WritePresetByID(ucb, index));
    EXPECT_FALSE(CanOverwritePreset(ucb, index));
  }
  Release(ucb);
}

TEST_F(Presets, AFileOfAnotherDriverIsDroppedFromTheListAndPresetZeroTakesItsPlace) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, 0, "p0.rst"));
  ASSERT_NO_FATAL_FAILURE(List(ucb, 2, "p2.rst"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"PresetList2Name", u"Old booklet"));
  PutPreset("p0.rst", "kdmSortType=1\r\n");
  PutPreset("p2.rst", "kdmSortType=5\r\n", 410);
  EXPECT_TRUE(ReadPresetByID(ucb, 2));
  EXPECT_EQ(Value(ucb, 119), 1);
  EXPECT_EQ(Ini(ucb, kPrinter, u"PresetList2"), u"");
  EXPECT_EQ(Text(ucb, 762), u"Old booklet");
  EXPECT_EQ(DrvGetLastError(ucb), 0u);
  Release(ucb);
}

TEST_F(Presets, APresetKeepsItsWatermarkOnlyWhenTheStoreHasIt) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, 0, "p0.rst"));
  PutPreset("p0.rst", "kdmSortType=1\r\n");
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"jp", u"StampCount", u"2"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Stamp1jp", u"wdmWmChar", u"SECRET"));
  Set(ucb, 60, 1);
  Set(ucb, 117, 2);
  Set(ucb, 118, 1);
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 60), 1);
  EXPECT_EQ(Value(ucb, 118), 1);
  EXPECT_EQ(Text(ucb, 766), u"SECRET");

  CheckPresetCache(ucb, nullptr, kPresetCacheFree);
  Set(ucb, 118, 5);
  EXPECT_TRUE(ReadPresetByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 60), 0) << "beyond the stored watermarks";
  EXPECT_EQ(Value(ucb, 118), 0);
  Release(ucb);
}

TEST_F(Presets, AnUpgradeRewritesAPresetOverItsTemplateAndKeepsTheReadOnlyMark) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, 0, "p0.rst"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"Count", u"1"));
  storage_test::Put("Sets/p0.rst", "[Office 2F]\r\nReadonly=1\r\n" + DriverKeys() + "kdmSortType=3\r\n");
  storage_test::Put("_kesm/p0.rsd", "[jp]\r\n" + DriverKeys() + "kdmSortType=1\r\nkdmHFFontPoint=12\r\n");
  EXPECT_FALSE(CanOverwritePreset(ucb, 0));
  Set(ucb, 12, 9);
  EXPECT_TRUE(UpgradePreset(ucb));
  EXPECT_EQ(Value(ucb, 12), 9) << "the settings are put back";
  const auto lines = Section(storage_test::Get("Sets/p0.rst"), kPrinterSection);
  EXPECT_EQ(ValueIn(lines, "kdmSortType"), "3") << "the user's value over the template's";
  EXPECT_EQ(ValueIn(lines, "kdmHFFontPoint"), "12") << "what the user's file lacked comes from the template";
  EXPECT_EQ(ValueIn(lines, "Readonly"), "1");
  EXPECT_FALSE(CanOverwritePreset(ucb, 0));
  Release(ucb);
}

TEST_F(Presets, CountsAreReadWithinTheirRange) {
  UCB* ucb = OpenOn(office_);
  const std::pair<const char16_t*, int> counts[] = {{u"3", 3}, {u"99", 16}, {u"-3", 0}, {u"abc", 0}, {u"", 0}};
  for (const auto& [text, count] : counts) {
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"Count", text));
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"QualityCount", text));
    EXPECT_EQ(ReadPresetCount(ucb), count);
    EXPECT_EQ(ReadQualityCount(ucb), count == 16 ? 99 : count);
  }
  Release(ucb);
}

TEST_F(Presets, AFailedWriteLeavesTheListAsItWas) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"PresetList4Name", u"Before"));
  SetText(ucb, 762, u"After");
  EXPECT_FALSE(WritePresetByID(ucb, 4)) << "the key names no file";
  EXPECT_EQ(Ini(ucb, kPrinter, u"PresetList4Name"), u"Before");
  Release(ucb);
}

TEST_F(Presets, ANewFileNameIsTheFirstNotInUse) {
  storage_test::Put("_kesm/user0000.rst", "[Office 2F]\r\nRstMachine=169\r\n");
  storage_test::Put("_kesm/user0001.rst", "[Office 2F]\r\nRstMachine=169\r\n[Lobby]\r\nRstMachine=169\r\n");
  storage_test::Put("_kesm/user0003.rst", "[Office 2F]\r\nRstMachine=169\r\n");
  UCB* ucb = OpenOn(office_);
  WCHAR name[kRstNameChars] = {};
  EXPECT_TRUE(GetNewRstFileName(ucb, name));
  EXPECT_EQ(std::u16string(name), u"C:\\_kesm\\user0002.rst");
  storage_test::Put("_kesm/user0002.rst", "[Office 2F]\r\nRstMachine=0\r\n[Lobby]\r\nRstMachine=169\r\n");
  EXPECT_TRUE(GetNewRstFileName(ucb, name));
  EXPECT_EQ(std::u16string(name), u"C:\\_kesm\\user0002.rst") << "another printer's section leaves it free";
  Release(ucb);
}

TEST_F(Presets, WhenEveryNameIsInUseNoneIsHandedOut) {
  for (int n = 0; n < kRstNameTries; ++n) {
    char file[32];
    std::snprintf(file, sizeof file, "_kesm/user%04d.rst", n);
    storage_test::Put(file, "[Office 2F]\r\nRstMachine=169\r\n");
  }
  UCB* ucb = OpenOn(office_);
  WCHAR name[kRstNameChars] = u"stale";
  EXPECT_FALSE(GetNewRstFileName(ucb, name));
  EXPECT_EQ(name[0], 0);
  Release(ucb);
}

TEST_F(Presets, AReadOnlyMarkIsOneExactly) {
  UCB* ucb = OpenOn(office_);
  const std::pair<const char*, BOOL> marks[] = {{"Readonly=1", FALSE}, {"Readonly=2", TRUE}, {"Readonly=0", TRUE}};
  for (const auto& [line, overwritable] : marks) {
    storage_test::Put(kSetFile, std::string("[Office 2F]\r\n") + line + "\r\n");
    EXPECT_EQ(CanOverwriteRst(ucb, kSetPath), overwritable) << line;
  }
  storage_test::Put(kSetFile, "[Lobby]\r\nReadonly=1\r\n");
  EXPECT_TRUE(CanOverwriteRst(ucb, kSetPath)) << "another printer's mark";
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
