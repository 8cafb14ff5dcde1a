// Quality sets: written and read back with their name, the installed set a
// quality file was made from, and the upgrade over it.
#include <string>

#include "storage/stores/preset_store.h"
#include "tests/storage/setfiles/set_file_fixture.h"

namespace setfile_test {
namespace {

class QualitySets : public SetFileTest {
 protected:
  void List(UCB* ucb, const char16_t* key, const char16_t* path) {
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, key, path));
  }
};

TEST_F(QualitySets, AQualitySetIsWrittenAndReadWithItsName) {
  UCB* writer = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(writer, u"QualityList2", u"C:\\Sets\\photo.rsq"));
  Set(writer, 138, -4);
  Set(writer, 119, 3);
  SetText(writer, 764, u"Photo");
  EXPECT_TRUE(WriteQualityByID(writer, 2));
  EXPECT_EQ(Ini(writer, kPrinter, u"QualityList2Name"), u"Photo");
  Release(writer);
  const auto lines = Section(storage_test::Get("Sets/photo.rsq"), kPrinterSection);
  EXPECT_EQ(ValueIn(lines, "kdmBrightness"), "-4");
  EXPECT_EQ(ValueIn(lines, "kdmSortType"), "<none>") << "quality settings only";

  UCB* reader = OpenOn(office_);
  EXPECT_TRUE(ReadQualityByID(reader, 2));
  EXPECT_EQ(Value(reader, 138), -4);
  EXPECT_EQ(Text(reader, 764), u"Photo");
  EXPECT_FALSE(ReadQualityByID(reader, -1));
  EXPECT_FALSE(ReadQualityByID(reader, kQualitySetsMax));
  EXPECT_FALSE(ReadQualityByID(reader, 3)) << "not listed";
  Release(reader);
}

TEST_F(QualitySets, AQualitySetOfANewerDriverIsNotReadAndKeepsItsName) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, u"QualityList0", u"C:\\Sets\\q0.rsq"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"QualityList0Name", u"Newer"));
  storage_test::Put("Sets/q0.rsq", "[Office 2F]\r\n" + DriverKeys(410) + "kdmBrightness=9\r\n");
  SetText(ucb, 764, u"Current");
  EXPECT_FALSE(ReadQualityByID(ucb, 0));
  EXPECT_EQ(DrvGetLastError(ucb), kSetFileVersionMismatch);
  EXPECT_EQ(Value(ucb, 138), 0);
  EXPECT_EQ(Text(ucb, 764), u"Current");
  Release(ucb);
}

TEST_F(QualitySets, TheInstalledSetIsTheRsqOfTheDriverUseName) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, u"QualityList0", u"C:\\Sets\\q0.rsq"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"QualityList0Name", u"Fine"));
  storage_test::Put("_kesm/q0.rsq", "[jp]\r\nkdmBrightness=7\r\nkdmSmoothing=1\r\n");
  EXPECT_TRUE(ReadInstallQualityByID(ucb, 0));
  EXPECT_EQ(Value(ucb, 138), 7);
  EXPECT_EQ(Text(ucb, 764), u"Fine");
  Release(ucb);
}

TEST_F(QualitySets, AnUpgradeRewritesEachSetOverItsInstalledSet) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(List(ucb, u"QualityList0", u"C:\\Sets\\q0.rsq"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"QualityCount", u"1"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, kPrinter, u"QualityList0Name", u"Fine"));
  storage_test::Put("_kesm/q0.rsq", "[jp]\r\nkdmBrightness=7\r\nkdmSmoothing=1\r\n");
  // Written on an older system: the rewrite gives the OS kind of this one.
  storage_test::Put("Sets/q0.rsq", "[Office 2F]\r\n" + DriverKeys(310, 169, 0, 1) + "kdmBrightness=-2\r\n");
  Set(ucb, 138, 50);
  EXPECT_TRUE(UpgradeQuality(ucb));
  EXPECT_EQ(Value(ucb, 138), 50) << "the settings are put back";
  const auto lines = Section(storage_test::Get("Sets/q0.rsq"), kPrinterSection);
  EXPECT_EQ(ValueIn(lines, "kdmBrightness"), "-2");
  EXPECT_EQ(ValueIn(lines, "kdmSmoothing"), "1");
  EXPECT_EQ(ValueIn(lines, "RstOSKind"), "2") << "rewritten in the current format";
  EXPECT_EQ(Ini(ucb, kPrinter, u"QualityList0Name"), u"Fine");
  Release(ucb);
}

}  // namespace
}  // namespace setfile_test
