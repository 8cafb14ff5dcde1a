// A pack exported from one simulated machine's printer (its preset with
// conditions, quality set, free size and watermark) and installed on
// another machine through the driver-install INI, an export refused when
// the quality sets outnumber the index characters, a container split into its
// templates at install, and the deletion of a pack, which stays inside
// the package root whatever folder the list file names.
#include <filesystem>
#include <map>
#include <string>

#include "platform/base/machine.h"
#include "storage/install/sequence/install_sequence.h"
#include "storage/pack/pack_files.h"
#include "storage/setfiles/set_file.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr const char16_t* kListPath = u"C:\\Sets\\site.rst";

class Pack : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    storage_test::Put("_kesm/draft.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmSortType=2\r\n"
                                         "[condition]\r\nConditionOption0_0=Opt_HDD\r\n");
    storage_test::Put("_kesm/photo.rsr", "[Office 2F]\r\nRstVersion=310\r\nkdmBrightness=7\r\n");
    storage_test::Put(kSettingsIni,
                      "[Office 2F]\r\nCount=1\r\nPresetList0=C:\\_kesm\\draft.rsr\r\nPresetList0Name=Draft\r\n"
                      "PresetList0Comment=Sorted drafts\r\nQualityCount=1\r\nQualityList0=C:\\_kesm\\photo.rsr\r\n"
                      "QualityList0Name=Photo\r\n[jp]\r\nFreeSizeCount=1\r\nStampCount=1\r\n"
                      "[FreeSize0jp]\r\nRstVersion=310\r\nwdmFreeSizeName=Card\r\n"
                      "[Stamp0jp]\r\nkdmWmKind=1\r\nwdmWmChar=DRAFT\r\n");
  }

  // Exports the pack of the office printer; the package's files by name.
  std::map<std::string, std::string> Export(std::u16string* rsbOut = nullptr) {
    std::map<std::string, std::string> files;
    UCB* ucb = OpenWithDescription();
    WCHAR rsb[MAX_PATH] = {};
    EXPECT_TRUE(CreatePackInstallDirectory(kListPath, rsb, ucb));
    EXPECT_TRUE(WriteSetFile(office_, rsb, kSetFileBatchSection, ucb));
    EXPECT_TRUE(WritePackInstallFiles(kListPath, rsb, ucb));
    Release(ucb);
    if (rsbOut != nullptr) *rsbOut = rsb;
    for (const auto& entry : std::filesystem::directory_iterator(storage_test::Host("_kesm/kesm/20240314093000site"))) {
      files[entry.path().filename().string()] = storage_test::Get("_kesm/kesm/20240314093000site/" +
                                                                 entry.path().filename().string());
    }
    return files;
  }
};

TEST_F(Pack, TheExportNamesItsFilesByTheStamp) {
  std::u16string rsb;
  const auto files = Export(&rsb);
  // 2024-03-14 09:30:00 local time: stamp ST7ME0, the quality sets one on.
  EXPECT_EQ(rsb, u"C:\\_kesm\\kesm\\20240314093000site\\RST7ME01.rsb");
  ASSERT_EQ(files.size(), 3u);
  const std::string& rsbText = files.at("RST7ME01.rsb");
  EXPECT_EQ(ValueIn(Section(rsbText, kLanguage), "NumDeficonfiles"), "1");
  EXPECT_EQ(ValueIn(Section(rsbText, kLanguage), "Deficonfiles1"), "%sysdir%RST7ME00.rsd");
  EXPECT_EQ(ValueIn(Section(rsbText, kLanguage), "Defqualityfiles1"), "%sysdir%RST7ME10.rsq");
  EXPECT_EQ(ValueIn(Section(rsbText, kLanguage), "StampCount"), "1");
  EXPECT_EQ(ValueIn(Section(rsbText, "FreeSize0jp"), "wdmFreeSizeName"), "Card");
  EXPECT_EQ(ValueIn(Section(rsbText, "Stamp0jp"), "wdmWmChar"), "DRAFT");
  EXPECT_EQ(ValueIn(Section(rsbText, "ScenarioInstallData"), "DefaultRstName"), "C:\\Sets\\site.lst");
  const std::string& rsd = files.at("RST7ME00.rsd");
  EXPECT_EQ(ValueIn(Section(rsd, kLanguage), "kdmSortType"), "2");
  EXPECT_EQ(ValueIn(Section(rsd, kLanguage), "setname"), "Draft");
  EXPECT_EQ(ValueIn(Section(rsd, "condition"), "ConditionOption0_0"), "Opt_HDD");
  EXPECT_EQ(ValueIn(Section(files.at("RST7ME10.rsq"), kLanguage), "qualityname"), "Photo");
  const std::string list = storage_test::Get("Sets/site.lst");
  EXPECT_EQ(ValueIn(Section(list, "ScenarioInstallData"), "OtherFiles2"),
            "C:\\_kesm\\kesm\\20240314093000site\\RST7ME10.rsq");
  EXPECT_EQ(ValueIn(Section(list, "ScenarioInstallData"), "DriverVersion"), "4.88");
}

TEST_F(Pack, APackExportedOnOneMachineInstallsOnAnother) {
  const auto files = Export();
  storage_test::InChild([&files] {
    plat::ScopedMachine other;
    ASSERT_NO_FATAL_FAILURE(storage_test::AddKesmDriver(setfile_test::kDriver, u"KESM4200.KPD", u"kesmjp.hlp"));
    ASSERT_NO_FATAL_FAILURE(storage_test::AddLocalPrinter(u"Annex", setfile_test::kDriver));
    storage_test::Put("_kesm/.keep", "");
    for (const auto& [name, text] : files) storage_test::Put(std::string(kDriverFolder) + name, text);
    storage_test::Put(kDriverIni, "[jp]\r\nRstVersion=310\r\n");
    // The administrator names the package's default set file for the
    // printer in the driver-install INI.
    storage_test::Put(kDrvInstIni, "[Annex]\r\nDefaultRst=RST7ME01.rsb\r\n");
    storage_test::Printer annex(u"Annex");
    ASSERT_TRUE(InitDriverProc(annex.get(), nullptr, kInstallInitialise));
    EXPECT_EQ(Ini(kSettingsIni, "Annex", "Count"), "1");
    EXPECT_EQ(Ini(kSettingsIni, "Annex", "PresetList0Name"), "Draft");
    EXPECT_EQ(Ini(kSettingsIni, "Annex", "QualityList0Name"), "Photo");
    EXPECT_EQ(Ini(kSettingsIni, "FreeSize0jp", "wdmFreeSizeName"), "Card");
    EXPECT_EQ(Ini(kSettingsIni, "Stamp0jp", "wdmWmChar"), "DRAFT");
    EXPECT_EQ(Ini("_kesm/RST7ME00.rsr", "Annex", "kdmSortType"), "2");
    EXPECT_EQ(Ini(kSettingsIni, "Annex", "PackInstallDone"), "1");
    EXPECT_EQ(Ini(kDrvInstIni, "Annex", "BatchInstallDone"), "1");
    FreeStoredUcb(TRUE);
  });
}

TEST_F(Pack, MoreQualitySetsThanIndexCharactersAreRefused) {
  UCB* ucb = OpenWithDescription();
  ASSERT_NO_FATAL_FAILURE(PutIni(ucb, u"Office 2F", u"QualityCount", u"37"));
  WCHAR rsb[MAX_PATH] = {};
  ASSERT_TRUE(CreatePackInstallDirectory(kListPath, rsb, ucb));
  EXPECT_FALSE(WritePackInstallFiles(kListPath, rsb, ucb)) << "two sets would share a file name";
  EXPECT_FALSE(storage_test::Exists("Sets/site.lst"));
  Release(ucb);
}

TEST_F(Pack, AContainerIsSplitIntoItsTemplatesAtInstall) {
  storage_test::Put(std::string(kDriverFolder) + "site.rsb",
                    "[jp]\r\nDeficonfiles0=%sysdir%box.rsx\r\nNumDeficonfiles=1\r\nDeficonfiles1=%sysdir%a.rsd\r\n"
                    "Defqualityfiles0=%sysdir%box.rsx\r\nNumDefqualityfiles=1\r\nDefqualityfiles1=%sysdir%q.rsq\r\n");
  storage_test::Put("_kesm/box.rsx", "[conditiona.rsd]\r\nConditionOption0_0=Opt_HDD\r\n[jpa.rsd]\r\nsetname=A\r\n"
                                     "[jpq.rsq]\r\nqualityname=Q\r\n[jpother.rsd]\r\nsetname=Other\r\n");
  storage_test::Put(kDriverIni, "[jp]\r\nDefaultRst=site.rsb\r\n");
  UCB* ucb = OpenWithDescription();
  EXPECT_TRUE(SeparateRSXFiles(ucb));
  EXPECT_EQ(Ini("_kesm/a.rsd", "condition", "ConditionOption0_0"), "Opt_HDD");
  EXPECT_EQ(Ini("_kesm/a.rsd", "jp", "setname"), "A");
  EXPECT_EQ(Ini("_kesm/q.rsq", "jp", "qualityname"), "Q");
  EXPECT_FALSE(storage_test::Exists("_kesm/other.rsd")) << "only listed templates";
  Release(ucb);
}

TEST_F(Pack, DeletingAPackStaysInsideThePackageRoot) {
  Export();
  UCB* ucb = OpenWithDescription();
  storage_test::Put("Keep/precious.txt", "mine");
  storage_test::Put("_kesm/kesm/keep.txt", "root file");
  const struct {
    const char* defaultRst;
    bool packageDeleted;
  } rows[] = {
      {"C:\\Keep\\precious.rsb", false},
      {"C:\\_kesm\\kesm\\..\\..\\Keep\\x.rsb", false},
      {"..\\..\\Keep\\x.rsb", false},  // the current directory is the system directory
      {"..\\..", false},
      {"C:\\_kesm\\kesm\\..\\x.rsb", false},
      {"C:\\_kesm\\kesm\\...\\x.rsb", false},
      {"C:\\_kesm\\kesm\\.. \\x.rsb", false},  // Windows drops trailing blanks and dots
      {"C:\\_kesm\\kesm\\x.rsb", false},
      {"C:\\_kesm\\kesm\\*\\x.rsb", false},
      {"C:\\_kesm\\kesm\\20240314093000site\\RST7ME01.rsb", true},
  };
  for (const auto& row : rows) {
    storage_test::Put("Sets/site.lst", std::string("[ScenarioInstallData]\r\nDefaultRst=") + row.defaultRst + "\r\n");
    EXPECT_TRUE(DeletePackInstall(kListPath, ucb));
    EXPECT_FALSE(storage_test::Exists("Sets/site.lst")) << "the list file goes";
    EXPECT_EQ(storage_test::Get("Keep/precious.txt"), "mine") << row.defaultRst;
    EXPECT_EQ(storage_test::Get("_kesm/kesm/keep.txt"), "root file") << row.defaultRst;
    EXPECT_TRUE(storage_test::Exists(kSettingsIni)) << row.defaultRst;
    EXPECT_EQ(!storage_test::Exists("_kesm/kesm/20240314093000site"), row.packageDeleted) << row.defaultRst;
  }
  EXPECT_TRUE(DeletePackInstall(kListPath, ucb)) << "no list file: nothing to do";
  Release(ucb);
}

}  // namespace
}  // namespace install_test
