// Batch install of the M3i default set file onto a new printer through the
// administrator's driver-install INI (the files copied into place, then
// settings, presets filtered by their conditions, quality sets, free
// sizes, watermark, user code, user id and owner name, and every key
// marked done), a default set file of the driver INI, the user codes of a
// driver-install INI section (a table), a full preset list, and the
// refresh of the preset list after the options changed.
#include <string>

#include "jobsettings/devmode/runtime_flags.h"
#include "storage/install/batch_install.h"
#include "storage/install/default_rst.h"
#include "storage/install/drvinst_ini.h"
#include "storage/install/preset_refresh.h"
#include "storage/stores/preset_store.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr const char16_t* kDrvInstPath = u"C:\\Windows\\System32\\KESM.ini";

class BatchInstall : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    for (const char* file : {"office.rsb", "draft.rsd", "duplex.rsd", "legacy.rsd", "photo.rsq"}) {
      storage_test::Put(std::string(kDriverFolder) + file, Fixture(file));
    }
  }
};

TEST_F(BatchInstall, ADefaultSetFileOfTheDriverInstallIniOntoANewPrinter) {
  storage_test::Put(kDrvInstIni, Fixture("kesm_office.ini"));
  UCB* ucb = OpenWithDescription();
  Set(ucb, 12, 1);
  EXPECT_TRUE(IsAvailableDrvInstIniFile(ucb));
  EXPECT_TRUE(CopyFilesForDrvInst(ucb));
  EXPECT_EQ(storage_test::Get("_kesm/draft.rsd"), Fixture("draft.rsd")) << "copied into the shared directory";
  EXPECT_TRUE(storage_test::Exists("_kesm/draft.rsr")) << "its driver-use copy made";
  EXPECT_EQ(Ini("_kesm/draft.rsr", "Office 2F", "kdmSortType"), "2");
  EXPECT_EQ(Ini("_kesm/draft.rsr", "condition", "ConditionOption0_0"), "Opt_HDD");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SetUserCode"), "<none>");
  EXPECT_EQ(Text(ucb, 10003), u"1234");
  EXPECT_EQ(Value(ucb, 10002), 1);
  EXPECT_EQ(Text(ucb, 202), u"anna01");
  EXPECT_EQ(Text(ucb, 204), u"Anna");
  EXPECT_EQ(ucb->pWork->install.fPrintLogNeeded, 1);

  EXPECT_TRUE(GetDefaultRstForDrvInst(kBatchChecked, ucb));
  EXPECT_EQ(Value(ucb, 12), 2) << "the default settings";
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "1") << "Draft only: Duplex fails, Legacy is disabled";
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList0"), "C:\\_kesm\\draft.rsr");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList0Name"), "Draft");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList0Comment"), "Sorted drafts");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityCount"), "1");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityList0"), "C:\\_kesm\\photo.rsr");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityList0Name"), "Photo");
  EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeName"), "Card");
  EXPECT_EQ(Ini(kSettingsIni, "Stamp0jp", "wdmWmChar"), "DRAFT");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "DefaultRst"), std::string("C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\office.rsb"));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "BatchInstallDone"), "1");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "BatchInstallDone"), "1");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "DrvInstSet"), "1");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "DefaultRst"), "<none>");
  EXPECT_NE(Ini(kDrvInstIni, "Office 2F", "DefaultRstName"), "<none>");
  EXPECT_EQ(Ini(std::string(kDriverFolder) + "office.rsb", "jp", "DrvInstPresetDone"), "1");
  EXPECT_TRUE(IsBatchInstallForCompleteReg(office_, ucb));
  EXPECT_FALSE(IsAvailableDrvInstIniFile(ucb)) << "the section is complete";
  EXPECT_FALSE(GetDefaultRstForDrvInst(kBatchChecked, ucb)) << "and is not installed twice";
  Release(ucb);
}

TEST_F(BatchInstall, AFailedInstallLeavesTheSettingsAndIsStillMarkedDone) {
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nDefaultRst=missing.rsb\r\n");
  UCB* ucb = OpenWithDescription();
  Set(ucb, 12, 5);
  EXPECT_FALSE(GetDefaultRstForDrvInst(0, ucb));
  EXPECT_EQ(Value(ucb, 12), 5);
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "BatchInstallDone"), "1") << "not retried at the next start";
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "DefaultRst"), "<none>");
  Release(ucb);
}

TEST_F(BatchInstall, ASectionWithoutADefaultSetFileIsMarkedDone) {
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSetUserID=bob\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_FALSE(CopyFilesForDrvInst(ucb));
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "BatchInstallDone"), "1");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "BatchInstallDone"), "1");
  EXPECT_EQ(Text(ucb, 202), u"bob");
  EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "DrvInstSet"), "1");
  Release(ucb);
  storage_test::Put(kDrvInstIni, "");
  UCB* other = OpenOn(office_);
  storage_test::Put(kDrvInstIni, "<gone>");
  std::filesystem::remove(storage_test::Host(kDrvInstIni));
  EXPECT_FALSE(CopyFilesForDrvInst(other)) << "no driver-install INI";
  EXPECT_FALSE(storage_test::Exists(kDrvInstIni));
  Release(other);
}

TEST_F(BatchInstall, TheDriverIniDefaultSetFileWithoutADriverInstallIni) {
  storage_test::Put(kDriverIni, "[jp]\r\nDefaultRst=office.rsb\r\n");
  for (const char* file : {"draft.rsd", "duplex.rsd", "legacy.rsd"}) {
    storage_test::Put(std::string("_kesm/") + file, Fixture(file));
  }
  UCB* ucb = OpenWithDescription();
  EXPECT_EQ(GetDefaultRstForInstall(0, 0, ucb), 1);
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "BatchInstallDone"), "1");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "2") << "unchecked: every enabled template";
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList1Name"), "Duplex");
  EXPECT_TRUE(IsBatchInstallForCompleteReg(office_, ucb));
  Release(ucb);
  // Another extension than .rsb is no default set file of the driver INI.
  storage_test::Put(kDriverIni, "[jp]\r\nDefaultRst=draft.rsd\r\n");
  UCB* again = OpenWithDescription();
  Set(again, 12, 5);
  EXPECT_EQ(GetDefaultRstForInstall(0, 2, again), 1);
  EXPECT_EQ(Value(again, 12), 5);
  Release(again);
}

TEST_F(BatchInstall, UserCodesOfTheDriverInstallIni) {
  struct Row {
    const char* line;  // the SetUserCode line, or none
    DWORD taken;
    const char16_t* code;
    LONG_PTR inUse;
    DWORD printLog;
  };
  const Row rows[] = {
      {"SetUserCode=12345678\r\n", 1, u"12345678", 1, 1},
      {"SetUserCode=123456789\r\n", 1, u"old", 1, 0},  // longer than the field: refused, not cut
      {"SetUserCode=12ab\r\n", 1, u"old", 1, 0},
      {"SetUserCode=*\r\n", 0, u"old", 1, 0},  // the same as no key
      {"", 0, u"old", 1, 0},
      {"SetUserCode=\r\n", 1, u"", 0, 0},  // clears the code
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    storage_test::Put(kDrvInstIni, std::string("[Office 2F]\r\n") + row.line + "Other=1\r\n");
    UCB* ucb = OpenOn(office_);
    SetText(ucb, 10003, u"old");
    Set(ucb, 10002, 1);
    DWORD taken = 7;
    EXPECT_TRUE(BatchInstallForUserCode(kDrvInstPath, u"Office 2F", &taken, ucb));
    EXPECT_EQ(taken, row.taken);
    EXPECT_EQ(Text(ucb, 10003), row.code);
    EXPECT_EQ(Value(ucb, 10002), row.inUse);
    EXPECT_EQ(GetKDMPrintLog(ucb), row.printLog);
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SetUserCode"), "<none>") << "removed in every case";
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "Other"), "1");
    Release(ucb);
  }
}

TEST_F(BatchInstall, AnEmptyUserCodeClearsTheInstallIniToo) {
  storage_test::Put(kInstallIni, "[Office 2F]\r\nUserCode=1\r\nUserCodeFIX=1\r\nUserCodeString=777\r\n");
  storage_test::Put(kDrvInstIni, "[Office 2F]\r\nSetUserCode=\r\n");
  UCB* ucb = OpenOn(office_);
  DWORD taken = 0;
  EXPECT_TRUE(BatchInstallForUserCode(kDrvInstPath, u"Office 2F", &taken, ucb));
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "UserCode"), "0");
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "UserCodeFIX"), "0");
  Release(ucb);
}

TEST_F(BatchInstall, UserIdAndOwnerNameAreRefusedWhenTheyDoNotFit) {
  const struct {
    std::string lines;
    const char16_t* id;
    const char16_t* owner;
    BOOL had;
  } rows[] = {
      {"SetUserID=ab12\r\nSetOwnerID=Anna Berg\r\n", u"ab12", u"Anna Berg", TRUE},
      {"SetUserID=abcdefghi\r\n", u"", u"", TRUE},
      {"SetUserID=ab-12\r\n", u"", u"", TRUE},
      {"SetOwnerID=" + std::string(17, 'o') + "\r\n", u"", u"", TRUE},
      {"", u"", u"", FALSE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.lines);
    storage_test::Put(kDrvInstIni, "[Office 2F]\r\n" + row.lines);
    UCB* ucb = OpenOn(office_);
    EXPECT_EQ(BatchInstallForOther(kDrvInstPath, u"Office 2F", ucb), row.had);
    EXPECT_EQ(Text(ucb, 202), row.id);
    EXPECT_EQ(Text(ucb, 204), row.owner);
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SetUserID"), "<none>");
    EXPECT_EQ(Ini(kDrvInstIni, "Office 2F", "SetOwnerID"), "<none>");
    Release(ucb);
  }
}

TEST_F(BatchInstall, AFullPresetListTakesNoTemplate) {
  storage_test::Put("_kesm/draft.rsd", Fixture("draft.rsd"));
  UCB* ucb = OpenWithDescription();
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"Count", u"16"));
  const std::u16string rsb = std::u16string(kDriverDir) + u"office.rsb";
  EXPECT_TRUE(BatchInstallForPreset(rsb.c_str(), u"jp", kBatchEnter | kBatchDrvInst | kBatchChecked, ucb, nullptr));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "16");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList16"), "<none>");
  Release(ucb);
}

TEST_F(BatchInstall, TheRefreshDropsPresetsWhoseConditionsFailAndAddsThoseThatNowHold) {
  for (const char* file : {"draft.rsd", "duplex.rsd", "legacy.rsd"}) {
    storage_test::Put(std::string("_kesm/") + file, Fixture(file));
  }
  UCB* ucb = OpenWithDescription();
  const std::u16string rsb = std::u16string(kDriverDir) + u"office.rsb";
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"DefaultRst", rsb.c_str()));
  // The list as a batch install left it with six copies: Draft and Duplex.
  Set(ucb, 12, 6);
  ASSERT_TRUE(BatchInstallForPreset(rsb.c_str(), u"jp", kBatchEnter | kBatchDrvInst | kBatchChecked | kBatchCopy, ucb,
                                    nullptr));
  ASSERT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "2");
  ASSERT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList1Name"), "Duplex");
  // One copy: Duplex no longer applies.
  Set(ucb, 12, 1);
  EXPECT_EQ(BatchInstallForPresetRefresh(ucb, 1), 1);
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "1");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList0Name"), "Draft");
  // Six copies again: Duplex comes back (it is not the first template).
  Set(ucb, 12, 6);
  EXPECT_EQ(BatchInstallForPresetRefresh(ucb, 0), 1);
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "2");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList1"), "C:\\_kesm\\duplex.rsr");
  Release(ucb);
}

TEST_F(BatchInstall, ARefreshWhoseDefaultSetFileCannotBeUsedLeavesTheList) {
  const struct {
    const char* what;
    std::u16string defaultRst;
    std::string rsb;
  } rows[] = {
      {"no default set file", u"", ""},
      {"a missing file", u"C:\\_kesm\\none.rsb", ""},
      {"outside the driver's folders", u"C:\\Sets\\office.rsb", "[jp]\r\nNumDeficonfiles=0\r\n"},
      {"a template that is missing", u"C:\\_kesm\\office.rsb", "[jp]\r\nNumDeficonfiles=2\r\nDeficonfiles1=a.rsd\r\n"},
      {"a template outside", u"C:\\_kesm\\office.rsb", "[jp]\r\nNumDeficonfiles=1\r\nDeficonfiles1=C:\\Sets\\a.rsd\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    if (!row.rsb.empty()) {
      storage_test::Put("_kesm/office.rsb", row.rsb);
      storage_test::Put("Sets/office.rsb", row.rsb);
    }
    UCB* ucb = OpenWithDescription();
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"DefaultRst", row.defaultRst.c_str()));
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"Count", u"1"));
    ASSERT_NO_FATAL_FAILURE(PutIni(ucb, setfile_test::kPrinter, u"PresetList0", u"C:\\_kesm\\x.rsr"));
    EXPECT_EQ(BatchInstallForPresetRefresh(ucb, 0), 0);
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "1");
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetList0"), "C:\\_kesm\\x.rsr");
    Release(ucb);
  }
}

TEST_F(BatchInstall, TheOptionDialogRefreshRunsOncePerPrinter) {
  UCB* ucb = OpenWithDescription();
  PresetRefreshForOptionDialog(ucb, 0);  // asks, and no dialog is there to say OK
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "<none>");
  PresetRefreshForOptionDialog(ucb, 2);  // only tells
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "<none>");
  PresetRefreshForOptionDialog(ucb, 1);
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "PresetRefresh"), "1");
  Release(ucb);
}

}  // namespace
}  // namespace install_test
