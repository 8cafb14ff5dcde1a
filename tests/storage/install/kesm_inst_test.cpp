// The install INI "kesmins.ini": the locale rule (country codes 1, 44 and
// 55), values a set-up program left waiting taken over once, a user code
// longer than its field refused, the rewrite after a rename.
#include <string>

#include "platform/system/sysfacts_control.h"
#include "storage/install/kesm_inst.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

constexpr WORD kPaper = 8;
constexpr WORD kLanguage169 = 169;
constexpr WORD kUnit = 171;
constexpr WORD kLocale = 172;

class InstallIni : public InstallTest {};

TEST_F(InstallIni, TheLocaleRuleGivesPaperUnitAndLocaleId) {
  const struct {
    LCID locale;
    WORD id;
    LONG_PTR paper;
    LONG_PTR unit;
  } rows[] = {
      {0x0409, 1, 1, 1},  // country code 1
      {0x0809, 0, 9, 0},  // 44
      {0x0416, 5, 1, 1},  // 55
      {0x0407, 0, 9, 0},  // 49
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.locale);
    ASSERT_TRUE(plat::SetUserDefaultLocale(row.locale));
    std::filesystem::remove(storage_test::Host(kInstallIni));
    UCB* ucb = OpenOn(office_);
    EXPECT_EQ(GetLocalePrimaryID(ucb), row.id);
    EXPECT_TRUE(KesmInstProcForInstall(nullptr, ucb));
    EXPECT_EQ(Value(ucb, kPaper), row.paper);
    EXPECT_EQ(Value(ucb, kUnit), row.unit);
    EXPECT_EQ(Value(ucb, kLocale), row.id);
    EXPECT_EQ(Value(ucb, kLanguage169), 1) << "the description's language";
    EXPECT_EQ(Ini(kInstallIni, "Office 2F", "DefPaper"), std::to_string(row.paper)) << "a missing INI is written";
    EXPECT_EQ(Ini(kInstallIni, "Office 2F", "DefUnit"), std::to_string(row.unit));
    EXPECT_EQ(Ini(kInstallIni, "Office 2F", "DispLang"), "1");
    Release(ucb);
  }
}

TEST_F(InstallIni, WaitingValuesAreTakenOverOnce) {
  ASSERT_TRUE(plat::SetUserDefaultLocale(0x0409));
  storage_test::Put(kInstallIni,
                    "[Office 2F]\r\nKesmInstDone=0\r\nDispLang=1\r\nDefPaper=9\r\nDefUnit=0\r\nUserCode=1\r\n"
                    "UserCodeFIX=1\r\nUserCodeString=4321\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(KesmInstProcForInstall(nullptr, ucb));
  EXPECT_EQ(Value(ucb, kPaper), 9);
  EXPECT_EQ(Value(ucb, kUnit), 0);
  EXPECT_EQ(Value(ucb, kLocale), 1);
  EXPECT_EQ(Value(ucb, 10002), 1);
  EXPECT_EQ(Text(ucb, 10003), u"4321");
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "KesmInstDone"), "1");
  Release(ucb);
  // Taken: the next install derives the defaults again.
  UCB* again = OpenOn(office_);
  EXPECT_FALSE(ReadKesmInstFile(nullptr, again));
  EXPECT_TRUE(KesmInstProcForInstall(nullptr, again));
  EXPECT_EQ(Value(again, kPaper), 1);
  Release(again);
}

TEST_F(InstallIni, AUserCodeLongerThanTheFieldIsRefusedAndTheRestTaken) {
  ASSERT_TRUE(plat::SetUserDefaultLocale(0x0409));
  storage_test::Put(kInstallIni,
                    "[Office 2F]\r\nKesmInstDone=0\r\nDispLang=1\r\nDefPaper=9\r\nDefUnit=7\r\nUserCode=1\r\n"
                    "UserCodeFIX=1\r\nUserCodeString=123456789\r\n");
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(KesmInstProcForInstall(nullptr, ucb));
  EXPECT_EQ(Value(ucb, 10002), 0);
  EXPECT_EQ(Text(ucb, 10003), u"");
  EXPECT_EQ(Value(ucb, kPaper), 9);
  EXPECT_EQ(Value(ucb, kUnit), 1) << "a unit that is no choice falls back to the locale's";
  Release(ucb);
}

TEST_F(InstallIni, NothingWaitsWithoutDispLangOrWithAnotherMark) {
  for (const char* text : {"[Office 2F]\r\nKesmInstDone=0\r\nDefPaper=9\r\n",
                           "[Office 2F]\r\nKesmInstDone=2\r\nDispLang=1\r\n",
                           "[Office 2F]\r\nDispLang=1\r\n"}) {
    SCOPED_TRACE(text);
    storage_test::Put(kInstallIni, text);
    UCB* ucb = OpenOn(office_);
    EXPECT_FALSE(ReadKesmInstFile(nullptr, ucb));
    Release(ucb);
  }
}

TEST_F(InstallIni, TheSectionIsRewrittenAfterARenameAndReadBack) {
  ASSERT_TRUE(plat::SetUserDefaultLocale(0x0409));
  UCB* ucb = OpenOn(office_);
  Set(ucb, kLanguage169, 1);
  Set(ucb, kLocale, 5);
  Set(ucb, kUnit, 1);
  Set(ucb, 10002, 1);
  SetText(ucb, 10003, u"555");
  EXPECT_TRUE(RefreshKesmInstFile(nullptr, ucb));
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "DefPaper"), "1");
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "UserCodeString"), "555");
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "KesmInstDone"), "1") << "read back at once";
  EXPECT_EQ(std::u16string(ucb->pWork->install.szUserCode), u"555");
  EXPECT_TRUE(WriteKesmInstFile(nullptr, kKesmInstWriteCode, ucb));
  EXPECT_EQ(Ini(kInstallIni, "TALVO UserCode", "MRUUserCode"), "555");
  EXPECT_TRUE(WriteKesmInstFile(nullptr, kKesmInstWriteNoCode, ucb));
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "UserCode"), "0");
  EXPECT_EQ(Ini(kInstallIni, "Office 2F", "UserCodeString"), "555") << "type 2 stops there";
  Release(ucb);
}

}  // namespace
}  // namespace install_test
