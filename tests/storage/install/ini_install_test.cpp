// The INI merges of an install and an upgrade: the driver INI's job-merge
// keys into the printer's settings (install, upgrade, default set file),
// the driver's free sizes and watermarks into a stale shared INI, the free
// sizes of the driver's default set file, the repair of per-user entries,
// and the bidi model data.
#include <string>

#include "platform/profile/winprofile.h"
#include "storage/install/bidi_install.h"
#include "storage/install/ini_install.h"
#include "storage/install/install_keys.h"
#include "storage/stores/watermark_store.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr const char16_t* kDriverIniPath = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\kesmdrv.ini";

class IniMerges : public InstallTest {};

TEST(InstallKeys, TheTablesHoldTheirRows) {
  EXPECT_EQ(IniKey.size(), 18u);
  EXPECT_EQ(IniKeyInstall.size(), 4u);
  EXPECT_TRUE(IniKeyValidate.empty());
  EXPECT_EQ(gidFreesize.size(), 5u);
  EXPECT_LE(gidWaterMark.size(), 28u);
  EXPECT_EQ(gidWaterMark.front(), 117);
}

TEST_F(IniMerges, InstallTakesTheDriversKeysAndUpgradeKeepsTheUsers) {
  storage_test::Put(kDriverIni, "[jp]\r\nMergeKey=Driver\r\nDrvDefJobMergePath2k=C:\\Merge\r\n"
                                "DrvDefJobMergePathnt=C:\\Old\r\nDrvDefJobMergePath=C:\\Never\r\n");
  UCB* ucb = OpenOn(office_);
  ASSERT_TRUE(IniFileProcForInstall(ucb, kIniProcInstall, nullptr));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "MergeKey"), "Driver");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "DrvDefJobMergePath"), "C:\\Merge");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "SAVEPrnMethod"), "");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "0");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "DefaultRst"), "<none>");

  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Office 2F", u"MergeKey", u"Mine"));
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Office 2F", u"SAVEPrnMethod", u"Mine"));
  ASSERT_TRUE(IniFileProcForInstall(ucb, kIniProcUpgrade, nullptr));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "MergeKey"), "Mine") << "the driver has a value: kept";
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "SAVEPrnMethod"), "") << "the driver has none: written empty";
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "1");

  ASSERT_TRUE(IniFileProcForInstall(ucb, kIniProcDefaultRst, u"C:\\_kesm\\office.rsb"));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "DefaultRst"), "C:\\_kesm\\office.rsb");
  Release(ucb);
}

TEST_F(IniMerges, AStaleSharedIniGetsTheDriversEntries) {
  storage_test::Put(kDriverIni,
                    "[jp]\r\nRstVersion=310\r\nbIsBIDISupportForKESM=1\r\nFreeSizeCount=99999\r\nStampCount=1\r\n"
                    "[FreeSize0jp]\r\nRstVersion=310\r\nwdmFreeSizeName=Card\r\nwdmFreeSizeWidth=7000\r\n"
                    "[Stamp0jp]\r\nkdmWmKind=1\r\nwdmWmChar=DRIVER\r\n");
  const struct {
    const char* what;
    std::string shared;
    bool copied;
  } rows[] = {
      {"no version", "[jp]\r\nStampCount=0\r\n", true},
      {"another major version", "[jp]\r\nRstVersion=210\r\n", true},
      {"a version that is no number", "[jp]\r\nRstVersion=3x0\r\n", true},
      {"the same major version", "[jp]\r\nRstVersion=305\r\n", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    storage_test::Put(kSettingsIni, row.shared);
    UCB* ucb = OpenOn(office_);
    EXPECT_TRUE(UpdateIniFileForInstall(kSettingsIniPath, kDriverIniPath, ucb));
    Release(ucb);
    const std::string text = storage_test::Get(kSettingsIni);
    EXPECT_EQ(ValueIn(Section(text, "FreeSize0jp"), "wdmFreeSizeName"), row.copied ? "Card" : "<none>");
    EXPECT_EQ(ValueIn(Section(text, "Stamp0jp"), "wdmWmChar"), row.copied ? "DRIVER" : "<none>");
    if (row.copied) {
      EXPECT_EQ(ValueIn(Section(text, "jp"), "FreeSizeCount"), "10") << "kept within the store";
      EXPECT_EQ(ValueIn(Section(text, "jp"), "RstVersion"), "310");
      EXPECT_EQ(ValueIn(Section(text, "jp"), "bIsBIDISupportForKESM"), "1");
      EXPECT_EQ(ValueIn(Section(text, "FreeSize1jp"), "RstVersion"), "<none>") << "no version copied empty";
    }
  }
}

TEST_F(IniMerges, TheDefaultSetFilesFreeSizesReplaceTheDrivers) {
  storage_test::Put(std::string(kDriverFolder) + "office.rsb", Fixture("office.rsb"));
  const std::string driverIni = "[jp]\r\nDefaultRst=office.rsb\r\nFreeSizeCount=1\r\n";
  storage_test::Put(kDriverIni, driverIni);
  storage_test::SetWriteTime(kDriverIniPath, 1234);
  storage_test::Put(kSettingsIni, "[FreeSize0jp]\r\nwdmFreeSizeName=Old\r\nwdmFreeSizeTray=4\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(CustomIniFileForInstall(kSettingsIniPath, kDriverIniPath, ucb));
  Release(ucb);
  EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeName"), "Card");
  EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeTray"), "1");
  EXPECT_EQ(Ini(kDriverIni, "BatchInstallDone", "BatchInstallDone"), "1");
  HANDLE file = CreateFileW(kDriverIniPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME time{};
  EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
  EXPECT_EQ(time.dwLowDateTime, 1234u) << "the driver INI keeps its time stamp";
}

class Repairs : public InstallTest {
 protected:
  // A watermark of kind 1 written by the store, then the given key removed.
  void PutWatermark(UCB* ucb, const char16_t* removed) {
    Set(ucb, 117, 1);
    SetText(ucb, 766, u"MINE");
    SetText(ucb, 768, u"Mine");
    SetText(ucb, 782, u"Kesm Sans");
    ASSERT_TRUE(WriteWatermarkByID(ucb, 0));
    if (removed != nullptr) WritePrivateProfileStringW(u"Stamp0jp", removed, nullptr, kSettingsIniPath);
    WritePrivateProfileStringW(u"jp", u"FreeSizeCount", u"1", kSettingsIniPath);
    for (const auto& [key, value] : {std::pair{u"wdmFreeSizeName", u""}, {u"wdmFreeSizeWidth", u"7000"},
                                     {u"wdmFreeSizeLength", u"9000"}, {u"wdmFreeSizeTray", u"1"},
                                     {u"wdmFreeSizeOrient", u"1"}}) {
      WritePrivateProfileStringW(u"FreeSize0jp", key, value, kSettingsIniPath);
    }
  }
};

TEST_F(Repairs, AWatermarkOfKindOneNeedsItsTextButNoImage) {
  storage_test::Put(kDriverIni, "[jp]\r\nStampCount=1\r\n[Stamp0jp]\r\nkdmWmKind=1\r\nwdmWmChar=DRIVER\r\n");
  const struct {
    const char16_t* removed;
    std::string charAfter;
  } rows[] = {
      {u"wdmWmImageName", "MINE"},  // not needed: left as it is
      {u"wdmWmChar", "DRIVER"},     // needed: repaired from the driver INI
  };
  for (const auto& row : rows) {
    UCB* ucb = OpenOn(office_);
    ASSERT_NO_FATAL_FAILURE(PutWatermark(ucb, row.removed));
    EXPECT_TRUE(IniFileProcForValidate(ucb));
    Release(ucb);
    EXPECT_EQ(Ini(kSettingsIni, "Stamp0jp", "wdmWmChar"), row.charAfter);
    EXPECT_EQ(Ini(kSettingsIni, "Stamp0jp", "wdmWmImageName"), row.charAfter == "MINE" ? "<none>" : "");
  }
}

TEST_F(Repairs, MissingFreeSizesAreTakenFromTheDriverIni) {
  storage_test::Put(kDriverIni, "[jp]\r\nFreeSizeCount=1\r\n[FreeSize0jp]\r\nwdmFreeSizeName=Card\r\n"
                                "wdmFreeSizeWidth=7000\r\nwdmFreeSizeLength=9000\r\n");
  storage_test::Put(kSettingsIni, "[jp]\r\nFreeSizeCount=0\r\n");
  UCB* ucb = OpenOn(office_);
  Set(ucb, 753, 1111);
  EXPECT_TRUE(IniFileProcForValidate(ucb));
  EXPECT_EQ(Value(ucb, 753), 1111) << "the settings are put back";
  Release(ucb);
  EXPECT_EQ(Ini(kSettingsIni, "jp", "FreeSizeCount"), "1");
  EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeName"), "Card");
  EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeWidth"), "7000");
}

TEST_F(IniMerges, TheBidiModelGoesIntoTheMakersDatabase) {
  storage_test::Put(kDriverIni, "[Models]\r\nKesm 4200 Series=   Kesm 4200\r\n");
  storage_test::Put(std::string(kDriverFolder) + "kesmset.INI", "[Kesm 4200]\r\nLoadDll32=talbidi.dll\r\nVersion32=\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(BidiForInstall(ucb));
  EXPECT_EQ(std::u16string(GetBidiModelName(ucb)), u"Kesm 4200");
  EXPECT_EQ(Ini("Windows/taldb.ini", "Kesm 4200", "LoadDll"), "talbidi.dll");
  EXPECT_EQ(Ini("Windows/taldb.ini", "Kesm 4200", "Version"), "<none>") << "only values that are there";
  EXPECT_EQ(Ini("Windows/taldb.ini", "Kesm 4200", "ResDll"), "kesmdat.dll");
  Release(ucb);
  storage_test::Put(kDriverIni, "[Models]\r\nKesm 4200 Series=" + std::string(40, 'M') + "\r\n");
  UCB* longer = OpenOn(office_);
  EXPECT_FALSE(BidiForInstall(longer)) << "a model name longer than its field is refused";
  EXPECT_EQ(GetBidiModelName(longer), nullptr);
  Release(longer);
  EXPECT_EQ(std::u16string(GetBidiModelNameForINI(u"  \tX")), u"X");
}

}  // namespace
}  // namespace install_test
