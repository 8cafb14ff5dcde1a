// Free sizes: entries of the settings INI and the driver INI, the table
// read once per context, the driver's defaults, the paper ids and units,
// what a plain set file's free size does to the store, and the chapter
// limits.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/units.h"
#include "storage/stores/chapter_limits.h"
#include "storage/stores/freesize_store.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

class FreeSizes : public SetFileTest {
 protected:
  static void Edit(UCB* ucb, const char16_t* name, LONG width, LONG length, WORD tray, WORD orient) {
    SetText(ucb, 752, name);
    Set(ucb, 753, width);
    Set(ucb, 754, length);
    Set(ucb, 755, tray);
    Set(ucb, 756, orient);
  }
  static const FREESIZEINFO& Table(UCB* ucb, int n) { return ucb->pWork->aFreeSizeInfo[n]; }
};

TEST_F(FreeSizes, AnEntryHoldsTheFiveSettingsOfTheFreeSizeBeingEdited) {
  UCB* writer = OpenOn(office_);
  Edit(writer, u"Banner", 9000, 30000, 2, 2);
  SetText(writer, 757, u"Source");
  EXPECT_TRUE(WriteFreesizeByID(writer, 3));
  EXPECT_FALSE(WriteFreesizeByID(writer, 10));
  Release(writer);
  const auto lines = Section(storage_test::Get(kSettingsIni), "FreeSize3jp");
  ASSERT_TRUE(lines.has_value());
  std::vector<std::string> keys;
  for (const auto& line : *lines) keys.push_back(line.first);
  EXPECT_EQ(keys, (std::vector<std::string>{"RstVersion", "wdmFreeSizeName", "wdmFreeSizeWidth", "wdmFreeSizeLength",
                                            "wdmFreeSizeTray", "wdmFreeSizeOrient"}));

  UCB* reader = OpenOn(office_);
  Edit(reader, u"Other", 1, 1, 1, 1);
  EXPECT_TRUE(ReadFreesizeByID(reader, 3));
  EXPECT_EQ(Text(reader, 752), u"Banner");
  EXPECT_EQ(Value(reader, 753), 9000);
  EXPECT_EQ(Value(reader, 754), 30000);
  EXPECT_EQ(Value(reader, 755), 2);
  EXPECT_EQ(Value(reader, 756), 2);
  EXPECT_TRUE(ReadFreesizeByID(reader, 4)) << "an entry never written";
  EXPECT_EQ(Text(reader, 752), u"");
  EXPECT_EQ(Value(reader, 753), 0);
  EXPECT_EQ(Value(reader, 756), 0);
  Release(reader);
}

// The paper-size query of a registered free size loads the stored entry of
// its paper id and answers it in the display unit, turned in landscape.
TEST_F(FreeSizes, ThePaperSizeQueryLoadsTheStoredFreeSizeOfItsPaperId) {
  constexpr WORD kRegistered = 384;
  const int entry = GetFreeSizePaperNum(kRegistered, nullptr, nullptr);
  ASSERT_GE(entry, 0);
  UCB* writer = OpenOn(office_);
  Edit(writer, u"Card", CmnMmOf012Dot(1000, kInternalDpi), CmnMmOf012Dot(2000, kInternalDpi), 2, 1);
  ASSERT_TRUE(WriteFreesizeByID(writer, entry));
  Release(writer);

  UCB* reader = OpenOn(office_);
  Set(reader, 171, 0);  // tenths of a millimetre
  Set(reader, 6, Value(reader, 6) | DM_PAPERSIZE);
  Set(reader, 8, kRegistered);
  Set(reader, 7, 1);
  Set(reader, 753, 0);
  Set(reader, 754, 0);
  MMPAPERSIZE size{};
  ASSERT_EQ(GetmmPaperAreaFreeSize(reader, &size, kRegistered, TRUE), 1);
  EXPECT_EQ(size.width, 1000u);
  EXPECT_EQ(size.length, 2000u);
  Set(reader, 7, 2);
  ASSERT_EQ(GetmmPaperAreaFreeSize(reader, &size, kRegistered, TRUE), 1);
  EXPECT_EQ(size.width, 2000u);
  EXPECT_EQ(size.length, 1000u);
  Release(reader);
}

TEST_F(FreeSizes, TheDriversEntriesCountOnlyWhenThereAreTen) {
  UCB* ucb = OpenOn(office_);
  LPCWSTR driverIni = GetDriverIniFilePath(ucb);
  EXPECT_EQ(ReadFreesizeCountFromInstIni(ucb), 0);
  for (const auto& [count, expected] : std::vector<std::pair<const char16_t*, int>>{{u"9", 0}, {u"10", 10}, {u"11", 0}}) {
    ASSERT_TRUE(WritePrivateProfileStringW(u"jp", u"FreeSizeCount", count, driverIni));
    EXPECT_EQ(ReadFreesizeCountFromInstIni(ucb), expected);
  }
  ASSERT_TRUE(WritePrivateProfileStringW(u"FreeSize1jp", u"wdmFreeSizeWidth", u"7000", driverIni));
  Edit(ucb, u"Before", 1, 2, 3, 2);
  EXPECT_TRUE(ReadFreesizeByIDFromInstIni(ucb, 1));
  EXPECT_EQ(Text(ucb, 752), u"") << "name, width and length are cleared first";
  EXPECT_EQ(Value(ucb, 753), 7000);
  EXPECT_EQ(Value(ucb, 754), 0);
  EXPECT_EQ(Value(ucb, 755), 3) << "tray and orientation are kept";
  EXPECT_EQ(Value(ucb, 756), 2);
  EXPECT_EQ(ReadFreesizeCount(ucb), 10);
  EXPECT_EQ(GetFreeSizeRegistNumEx(ucb), 10);
  EXPECT_EQ(GetFreeSizeRegistNum(ucb), 12);
  EXPECT_TRUE(WriteFreesizeCount(ucb, 0));
  EXPECT_EQ(Ini(ucb, u"jp", u"FreeSizeCount"), u"0");
  Release(ucb);
}

TEST_F(FreeSizes, TheTableIsReadOncePerContextUntilTheRequestIsCleared) {
  UCB* ucb = OpenOn(office_);
  Edit(ucb, u"First", 8000, 9000, 1, 1);
  ASSERT_TRUE(WriteFreesizeByID(ucb, 0));
  Edit(ucb, u"Editing", 1, 1, 1, 1);
  EXPECT_TRUE(ReadFreesizeInfoAll(ucb));
  EXPECT_STREQ(Table(ucb, 0).szName, "First");
  EXPECT_EQ(Table(ucb, 0).dwWidth, 8000u);
  EXPECT_EQ(Text(ucb, 752), u"Editing") << "the settings are put back";
  EXPECT_NE(GetRequestCode(ucb) & kRequestFreeSizesRead, 0u);

  Edit(ucb, u"Second", 8500, 9000, 1, 1);
  ASSERT_TRUE(WriteFreesizeByID(ucb, 0));
  EXPECT_TRUE(ReadFreesizeInfoAll(ucb));
  EXPECT_STREQ(Table(ucb, 0).szName, "First") << "read once";
  ResetRequestCode(ucb, kRequestFreeSizesRead);
  EXPECT_TRUE(ReadFreesizeInfoAll(ucb));
  EXPECT_STREQ(Table(ucb, 0).szName, "Second");

  // The table goes back into the store whole.
  std::snprintf(ucb->pWork->aFreeSizeInfo[4].szName, kFreeSizeTextBytes, "Envelope");
  ucb->pWork->aFreeSizeInfo[4].dwWidth = 4000;
  EXPECT_TRUE(WriteFreesizeInfoAll(ucb));
  EXPECT_TRUE(ReadFreesizeByID(ucb, 4));
  EXPECT_EQ(Text(ucb, 752), u"Envelope");
  EXPECT_EQ(Value(ucb, 753), 4000);
  Release(ucb);
}

TEST_F(FreeSizes, MovesBetweenTableAndSettingsKeepTheNameWithinItsField) {
  UCB* ucb = OpenOn(office_);
  SetText(ucb, 757, u"A name that is longer than the field of thirty-two");
  Set(ucb, 758, 6000);
  Set(ucb, 761, 2);
  EXPECT_TRUE(MoveSrcFreesizeInfoFromWork(ucb, 9));
  EXPECT_STREQ(Table(ucb, 9).szName, "A name that is longer than the f");
  EXPECT_EQ(Table(ucb, 9).wOrient, 2);
  EXPECT_TRUE(MoveFreesizeInfoToUiTemp(ucb, 9));
  EXPECT_EQ(Value(ucb, 753), 6000);
  EXPECT_EQ(Value(ucb, 756), 2);
  EXPECT_FALSE(MoveFreesizeInfoToUiTemp(ucb, 10));
  EXPECT_FALSE(MoveSrcFreesizeInfoToWork(ucb, -1));
  Release(ucb);
}

TEST_F(FreeSizes, DefaultsComeFromTheDriverIniElseA4) {
  UCB* ucb = OpenOn(office_);
  ASSERT_TRUE(WritePrivateProfileStringW(u"FreeSize2jp", u"wdmFreeSizeWidth", u"5000", GetDriverIniFilePath(ucb)));
  ASSERT_TRUE(WritePrivateProfileStringW(u"FreeSize2jp", u"wdmFreeSizeOrient", u"2", GetDriverIniFilePath(ucb)));
  EXPECT_TRUE(SetDefaultFreesizeInfoAll(ucb));
  EXPECT_EQ(Table(ucb, 0).dwWidth, 9921u);
  EXPECT_EQ(Table(ucb, 0).dwLength, 14031u);
  EXPECT_EQ(Table(ucb, 0).wTray, 4);
  EXPECT_EQ(Table(ucb, 0).wOrient, 1);
  EXPECT_EQ(Table(ucb, 2).dwWidth, 5000u);
  EXPECT_EQ(Table(ucb, 2).dwLength, 14031u);
  EXPECT_EQ(Table(ucb, 2).wOrient, 2);
  Release(ucb);
}

TEST_F(FreeSizes, TheUserAndPrintSizesFillAnEntryFromTheDevmode) {
  UCB* ucb = OpenOn(office_);
  Set(ucb, 340, 7000);
  Set(ucb, 343, 2);
  Set(ucb, 344, 8000);
  EXPECT_TRUE(GetFreeSizeInfoNoRegist(ucb, kPaperUser, 1));
  EXPECT_EQ(Table(ucb, 1).dwWidth, 7000u);
  EXPECT_EQ(Table(ucb, 1).wOrient, 2);
  EXPECT_TRUE(GetFreeSizeInfoNoRegist(ucb, kPaperPrintFreeSize, 1));
  EXPECT_EQ(Table(ucb, 1).dwWidth, 8000u);
  EXPECT_FALSE(GetFreeSizeInfoNoRegist(ucb, 384, 1));
  EXPECT_FALSE(GetFreeSizeInfoNoRegist(ucb, kPaperUser, 10));

  Set(ucb, 8, 256);
  Set(ucb, 171, 0);  // millimetres
  EXPECT_TRUE(IsUsePaperMMSize(ucb));
  EXPECT_FALSE(IsUsePaperINCHSize(ucb));
  Set(ucb, 171, 1);  // inches
  EXPECT_FALSE(IsUsePaperMMSize(ucb));
  EXPECT_TRUE(IsUsePaperINCHSize(ucb));
  Set(ucb, 8, 9);
  EXPECT_FALSE(IsUsePaperINCHSize(ucb));
  EXPECT_FALSE(IsUsePaperMMSize(ucb));
  Release(ucb);
}

TEST(FreeSizePapers, PaperIdsAndEntriesMapBothWays) {
  EXPECT_TRUE(IsFreeSizePaperIDByRegist(384));
  EXPECT_TRUE(IsFreeSizePaperIDByRegist(393));
  EXPECT_FALSE(IsFreeSizePaperIDByRegist(383));
  EXPECT_FALSE(IsFreeSizePaperIDByRegist(394));
  EXPECT_FALSE(IsFreeSizePaperIDByRegist(256));
  EXPECT_EQ(GetFreeSizePaperID2(0, 12, nullptr), 384);
  EXPECT_EQ(GetFreeSizePaperID2(9, 12, nullptr), 393);
  EXPECT_EQ(GetFreeSizePaperID2(10, 12, nullptr), 256);
  EXPECT_EQ(GetFreeSizePaperID2(11, 12, nullptr), 448);
  EXPECT_EQ(GetFreeSizePaperID2(11, 10, nullptr), 0) << "count below the entry";
  EXPECT_EQ(GetFreeSizePaperID2(10, 10, nullptr), 0) << "not among the first ten";
  EXPECT_EQ(GetFreeSizePaperID2(12, 12, nullptr), 0);
  int position = -1;
  EXPECT_EQ(GetFreeSizePaperNum(386, nullptr, &position), 2);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(GetFreeSizePaperNum(448, nullptr, &position), 11);
  EXPECT_EQ(position, 11);
  EXPECT_EQ(GetFreeSizePaperNum(9, nullptr, &position), -1);
  EXPECT_EQ(position, 12);
}

TEST(FreeSizeUnits, InchesAndMillimetresConvertSoThatTheWayBackHolds) {
  EXPECT_EQ(ConvertINCHtoMM(100), 254);
  EXPECT_EQ(ConvertMMtoINCH(254), 100);
  EXPECT_EQ(ConvertINCHtoMM(1), 3);
  EXPECT_EQ(ConvertMMtoINCH(3), 1);
  EXPECT_EQ(ConvertINCHtoMM(0), 0);
  for (LONG inch : {1, 7, 55, 850, 1100, 1169}) {
    EXPECT_EQ(ConvertMMtoINCH(ConvertINCHtoMM(inch)), inch) << inch;
  }
}

TEST_F(FreeSizes, AFreeSizeAPlainFileUsesGoesIntoTheStore) {
  storage_test::Put(kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys() +
                                  "kdmOutPaperSize=386\r\nwdmFreeSizeName=Imported\r\nwdmFreeSizeWidth=6100\r\n"
                                  "wdmFreeSizeLength=9100\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(ReadSetFile(office_, kSetPath, 0, ucb));
  const auto entry = Section(storage_test::Get(kSettingsIni), "FreeSize2jp");
  EXPECT_EQ(ValueIn(entry, "wdmFreeSizeName"), "Imported");
  EXPECT_EQ(ValueIn(entry, "wdmFreeSizeWidth"), "6100");
  EXPECT_STREQ(Table(ucb, 2).szName, "Imported");
  Release(ucb);
}

TEST_F(FreeSizes, ChapterLimitsComeFromThePrintersSection) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"ChapterMax", u"5"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"ChapterTrayMax", u"99999"));
  Set(ucb, 832, 4);
  EXPECT_TRUE(ReadChapterMaxInfo(ucb));
  EXPECT_EQ(Value(ucb, 831), 5);
  EXPECT_EQ(Value(ucb, 832), 0) << "a number the setting cannot hold reads as missing";
  EXPECT_EQ(ReadChapterInfo(ucb), 1u);
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
