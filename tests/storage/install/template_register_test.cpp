// Templates registered as presets and quality sets (names and comments, the
// context's name standing in, "NoName", the checked flag), and user set
// files rebuilt from their templates (sections copied whole or refused,
// the read-only mark, the settings put back).
#include <string>

#include "storage/install/template_register.h"
#include "storage/setfiles/set_file.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

class Registration : public InstallTest {};

TEST_F(Registration, NamesAndCommentsOfARegisteredPreset) {
  const struct {
    const char16_t* name;
    const char16_t* comment;
    const char16_t* heldName;
    const char16_t* heldComment;
    std::string listedName;
    std::string listedComment;
  } rows[] = {
      {u"Given", u"Said", u"Held", u"Held note", "Given", "Said"},
      {u"Given", u"", u"Held", u"Held note", "Given", "Held note"},
      {u"", u"Said", u"Held", u"Held note", "Held", "Said"},
      {u"", u"Said", u"", u"Held note", "NoName", "Said"},
      {u"", u"", u"Held", u"Held note", "NoName", ""},
      {nullptr, nullptr, u"Held", u"Held note", "Held", "Held note"},
      {nullptr, nullptr, u"", u"", "NoName", ""},
  };
  int n = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(n);
    UCB* ucb = OpenOn(office_);
    SetText(ucb, 762, row.heldName);
    SetText(ucb, 763, row.heldComment);
    EXPECT_TRUE(SetPresetIconToIni(u"C:\\_kesm\\t.rsd", u"C:\\_kesm\\t.rsr", row.name, row.comment, 0, ucb));
    Release(ucb);
    const std::string key = "PresetList" + std::to_string(n);
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", key), "C:\\_kesm\\t.rsr");
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", key + "Name"), row.listedName);
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", key + "Comment"), row.listedComment);
    EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), std::to_string(++n));
  }
}

TEST_F(Registration, ACheckedRegistrationSkipsADisabledTemplate) {
  storage_test::Put("_kesm/legacy.rsd", Fixture("legacy.rsd"));
  UCB* ucb = OpenWithDescription();
  EXPECT_TRUE(SetPresetIconToIni(u"C:\\_kesm\\legacy.rsd", u"C:\\_kesm\\legacy.rsr", u"L", u"", kPresetIconChecked, ucb));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "<none>");
  EXPECT_TRUE(SetPresetIconToIni(u"C:\\_kesm\\legacy.rsd", u"C:\\_kesm\\legacy.rsr", u"L", u"", 0, ucb));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "Count"), "1");
  Release(ucb);
}

TEST_F(Registration, QualitySetsAreListedUnderTheirNames) {
  UCB* ucb = OpenOn(office_);
  EXPECT_TRUE(SetQualityToIni(u"a", u"C:\\_kesm\\photo.rsr", u"Photo", 1, ucb));
  EXPECT_TRUE(SetQualityToIni(u"b", u"C:\\_kesm\\plain.rsr", u"", 2, ucb));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityList0Name"), "Photo");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityList1Name"), "NoName");
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityCount"), "2");
  EXPECT_TRUE(ResetQualityData(ucb));
  EXPECT_EQ(Ini(kSettingsIni, "Office 2F", "QualityCount"), "0");
  Release(ucb);
  WCHAR key[64];
  EXPECT_EQ(std::u16string(MakeQualityKeyEx(key, 3, 1)), u"QualityList3Name");
  EXPECT_EQ(std::u16string(MakeQualityKeyEx(key, 3, 0)), u"QualityList3");
}

TEST_F(Registration, AUserFileIsRebuiltFromItsTemplate) {
  std::string draft = Fixture("draft.rsd");
  draft.insert(draft.find("[jp]") + 5, "Readonly=1\r\n");
  storage_test::Put("_kesm/draft.rsd", draft + "[disable]\r\nOther Driver=1\r\n");
  storage_test::Put("_kesm/draft.rsr", "[Office 2F]\r\nkdmSortType=4\r\n[condition]\r\nConditionOption5_5=Old\r\n");
  UCB* ucb = OpenOn(office_);
  Set(ucb, 119, 1);
  EXPECT_TRUE(ReCreateRstFile(u"C:\\_kesm\\draft.rsr", u"C:\\_kesm\\draft.rsd", kSetFilePreset, ucb));
  EXPECT_EQ(Value(ucb, 119), 1) << "the settings are put back";
  Release(ucb);
  const std::string text = storage_test::Get("_kesm/draft.rsr");
  EXPECT_EQ(ValueIn(Section(text, "Office 2F"), "kdmSortType"), "2");
  EXPECT_EQ(ValueIn(Section(text, "Office 2F"), "RstVersion"), "310");
  EXPECT_EQ(ValueIn(Section(text, "Office 2F"), "Readonly"), "1");
  EXPECT_EQ(ValueIn(Section(text, "condition"), "ConditionOption0_0"), "Opt_HDD");
  EXPECT_EQ(ValueIn(Section(text, "condition"), "ConditionOption5_5"), "<none>");
  EXPECT_EQ(ValueIn(Section(text, "disable"), "Other Driver"), "1");
}

TEST_F(Registration, ATemplateWhoseSectionIsTooLongOrMissingChangesNothing) {
  std::string huge = "[jp]\r\nkdmSortType=2\r\n[condition]\r\n";
  for (int i = 0; huge.size() < 40000; ++i) huge += "ConditionOption" + std::to_string(i) + "=Opt_HDD | Opt_Duplex\r\n";
  const std::string user = "[Office 2F]\r\nkdmSortType=4\r\n[condition]\r\nConditionOption0_0=Mine\r\n";
  for (const std::string& templateText : {huge, std::string("[Lobby]\r\nkdmSortType=2\r\n")}) {
    storage_test::Put("_kesm/big.rsd", templateText);
    storage_test::Put("_kesm/big.rsr", user);
    UCB* ucb = OpenOn(office_);
    EXPECT_FALSE(ReCreateRstFile(u"C:\\_kesm\\big.rsr", u"C:\\_kesm\\big.rsd", kSetFilePreset, ucb));
    Release(ucb);
    EXPECT_EQ(storage_test::Get("_kesm/big.rsr"), user);
  }
}

TEST_F(Registration, FileQuestions) {
  storage_test::Put("_kesm/q.rsd", "[jp]\r\nqualityname=Photo\r\nDone=1\r\nZero=0\r\n[Office 2F]\r\nRstVersion=310\r\n");
  UCB* ucb = OpenOn(office_);
  WCHAR name[MAX_PATH];
  EXPECT_EQ(GetQualityNameFromFile(u"C:\\_kesm\\q.rsd", u"jp", name), 0);
  EXPECT_EQ(std::u16string(name), u"Photo");
  EXPECT_TRUE(IsExistPrinterNameSection(u"C:\\_kesm\\q.rsd", ucb));
  EXPECT_FALSE(IsExistPrinterNameSection(u"C:\\_kesm\\none.rsd", ucb));
  EXPECT_TRUE(IsCompleteFromFile(u"C:\\_kesm\\q.rsd", u"jp", u"Done"));
  EXPECT_FALSE(IsCompleteFromFile(u"C:\\_kesm\\q.rsd", u"jp", u"Zero"));
  EXPECT_FALSE(IsCompleteFromFile(u"C:\\_kesm\\q.rsd", u"jp", u"Missing"));
  Release(ucb);
}

}  // namespace
}  // namespace install_test
