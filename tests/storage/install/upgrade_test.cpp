// Upgrade: the version rule, the DEVMODE conversion program of the M3i
// description run step by step from each older version (and not for the
// current, a newer or another major version), the conversion of an older
// set file, and the store upgrades that leave a newer driver's entries as
// they are.
#include <cstring>
#include <string>
#include <vector>

#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/system/unaligned.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/install/upgrade.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr WORD kPaper = 8;
constexpr WORD kCopies = 12;
constexpr WORD kConvertVersion = 856;
constexpr LONG_PTR kLetter = 1;
constexpr LONG_PTR kA4 = 9;

TEST(UpgradeVersions, TheRuleOfMajorAndMinorVersions) {
  const struct {
    DWORD stored;
    DWORD current;
    int answer;
  } rows[] = {
      {305, 310, 1}, {309, 310, 1}, {300, 310, 1}, {310, 310, 0}, {311, 310, 0}, {399, 310, 0},
      {410, 310, 0}, {299, 310, 2}, {250, 280, 2}, {250, 250, 2}, {0, 310, 2},   {210, 310, 2},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsUpgradeVersionCheck(row.stored, row.current), row.answer) << row.stored << " -> " << row.current;
  }
  EXPECT_EQ(IsUpgrade(nullptr), -1);
}

class Upgrades : public InstallTest {
 protected:
  // A copy of the context's document DEVMODE stamped with a version.
  static std::vector<BYTE> DevmodeOf(UCB* ucb, DWORD version) {
    const auto* dm = reinterpret_cast<const BYTE*>(GetDocumentDevmode(ucb));
    std::vector<BYTE> image(dm, dm + kSizeofKesmDM);
    StoreLE<DWORD>(image.data(), kOffDwVersion, version);
    return image;
  }
  static DWORD VersionOf(UCB* ucb) { return GetKDMdwVersionByDM(GetDocumentDevmode(ucb)); }
};

// Step 307 turns the paper to A4, step 309 the copies to 9; with more than
// fifty copies step 308 ends the steps.
TEST_F(Upgrades, TheConversionRunsOnceForEachStepFromEveryOlderVersion) {
  struct Row {
    DWORD from;
    LONG_PTR copies;
    int result;
    LONG_PTR paper;
    LONG_PTR copiesAfter;
    LONG_PTR lastStep;
  };
  const Row rows[] = {
      {305, 1, 1, kA4, 9, 310},      {306, 1, 1, kA4, 9, 310},  {307, 1, 1, kLetter, 9, 310},
      {308, 1, 1, kLetter, 9, 310},  {309, 1, 1, kLetter, 1, 310},
      {305, 60, 1, kA4, 60, 310},    // ended by the program at step 308
      {310, 1, 0, kLetter, 1, 0},    {311, 1, 0, kLetter, 1, 0},   {299, 1, 0, kLetter, 1, 0},
      {410, 1, 0, kLetter, 1, 0},
  };
  UCB* ucb = OpenWithDescription();
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.from) + " with " + std::to_string(row.copies) + " copies");
    Set(ucb, kPaper, kLetter);
    Set(ucb, kCopies, row.copies);
    Set(ucb, kConvertVersion, 0);
    EXPECT_EQ(_UpgradeDevmode(row.from, 310, ucb), row.result);
    EXPECT_EQ(Value(ucb, kPaper), row.paper);
    EXPECT_EQ(Value(ucb, kCopies), row.copiesAfter);
    EXPECT_EQ(Value(ucb, kConvertVersion), row.lastStep);
  }
  Release(ucb);
}

TEST_F(Upgrades, AnOlderDevmodeIsConvertedAndStampedANewerOneIsLeftAsItIs) {
  UCB* ucb = OpenWithDescription();
  Set(ucb, kPaper, kLetter);
  std::vector<BYTE> older = DevmodeOf(ucb, 306);
  EXPECT_EQ(IsUpgrade(reinterpret_cast<DEVMODEW*>(older.data())), 1);
  EXPECT_EQ(UpgradeDevmode(reinterpret_cast<DEVMODEW*>(older.data()), ucb), 1);
  EXPECT_EQ(Value(ucb, kPaper), kA4);
  EXPECT_EQ(VersionOf(ucb), 310u);

  for (DWORD version : {311u, 399u, 410u, 299u}) {
    SCOPED_TRACE(version);
    StoreLE<DWORD>(GetDocumentDevmode(ucb), kOffDwVersion, version);
    Set(ucb, kPaper, kLetter);
    std::vector<BYTE> other = DevmodeOf(ucb, version);
    EXPECT_EQ(UpgradeDevmode(reinterpret_cast<DEVMODEW*>(other.data()), ucb), 0);
    EXPECT_EQ(Value(ucb, kPaper), kLetter);
    EXPECT_EQ(VersionOf(ucb), version) << "neither lowered nor raised";
  }
  Release(ucb);
}

TEST_F(Upgrades, ADescriptionWithoutAProgramLeavesTheSettingsButRaisesTheVersion) {
  UCB* ucb = OpenOn(office_);  // the plain sample description
  Set(ucb, kCopies, 4);
  std::vector<BYTE> older = DevmodeOf(ucb, 305);
  EXPECT_EQ(UpgradeDevmode(reinterpret_cast<DEVMODEW*>(older.data()), ucb), 0);
  EXPECT_EQ(Value(ucb, kCopies), 4);
  EXPECT_EQ(VersionOf(ucb), 310u);
  Release(ucb);
}

TEST_F(Upgrades, ASetFileOfAnOlderMinorVersionIsConvertedAfterItIsRead) {
  UCB* ucb = OpenWithDescription();
  storage_test::Put(setfile_test::kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys(308) + "dmCopies=3\r\n");
  ASSERT_TRUE(ReadSetFile(office_, setfile_test::kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, kCopies), 9) << "step 309 ran on the values read";
  storage_test::Put(setfile_test::kSetFile, "[Kesm 4200 Series]\r\n" + DriverKeys(310) + "dmCopies=3\r\n");
  ASSERT_TRUE(ReadSetFile(office_, setfile_test::kSetPath, 0, ucb));
  EXPECT_EQ(Value(ucb, kCopies), 3);
  Release(ucb);
}

TEST_F(Upgrades, TheStoreUpgradeRewritesOlderEntriesAndLeavesANewerDriversAlone) {
  UCB* ucb = OpenOn(office_);
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"Count", u"2"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"PresetList0", u"C:\\Sets\\old.rst"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"PresetList1", u"C:\\Sets\\new.rst"));
  const std::string newer = "[Office 2F]\r\n" + DriverKeys(315) + "kdmSortType=2\r\nkdmFutureSetting=7\r\n";
  storage_test::Put("Sets/old.rst", "[Office 2F]\r\n" + DriverKeys(305) + "kdmSortType=3\r\n");
  storage_test::Put("Sets/new.rst", newer);
  // A watermark entry of a newer driver in the settings INI.
  const std::string settings = storage_test::Get(kSettingsIni);
  storage_test::Put(kSettingsIni, settings + "[jp]\r\nStampCount=1\r\n[Stamp0jp]\r\nRstVersion=420\r\nkdmWmKind=1\r\n");
  EXPECT_EQ(UpgradeProperties(office_, ucb), 1);
  Release(ucb);
  EXPECT_EQ(ValueIn(Section(storage_test::Get("Sets/old.rst"), "Office 2F"), "RstVersion"), "310");
  EXPECT_EQ(ValueIn(Section(storage_test::Get("Sets/old.rst"), "Office 2F"), "kdmSortType"), "3");
  EXPECT_EQ(storage_test::Get("Sets/new.rst"), newer) << "a newer driver's preset is not rewritten as ours";
  EXPECT_EQ(Ini(kSettingsIni, "Stamp0jp", "RstVersion"), "420");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "1") << "the settings INI in upgrade mode";
}

}  // namespace
}  // namespace install_test
