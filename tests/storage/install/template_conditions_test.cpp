// Preset-template conditions: the terms of a condition text, a table of
// texts against the M3i description's hide judges ("&" before "|", every
// term evaluated, "!" for an option that is not hidden, unknown names and
// malformed texts never holding), the groups and alternatives of a
// template's "condition" section, and its "disable" section.
#include <string>

#include "storage/install/template_conditions.h"
#include "tests/storage/install/install_fixture.h"

namespace install_test {
namespace {

class Conditions : public InstallTest {};

TEST_F(Conditions, TheDescriptionCompilesWithoutFaults) { EXPECT_EQ(description_.faults(), 0u); }

TEST(ConditionTerms, ATermIsReadWithItsNegationAndTheOperatorAfterIt) {
  struct Row {
    std::u16string text;
    std::u16string keyword;
    bool negated;
    CondJoin join;
    std::size_t used;
  };
  const Row rows[] = {
      {u"Opt_HDD", u"Opt_HDD", false, CondJoin::kEnd, 7},
      {u"  !Opt_HDD\t| Opt_Duplex", u"Opt_HDD", true, CondJoin::kOr, 12},
      {u"Opt_HDD&Opt_Duplex", u"Opt_HDD", false, CondJoin::kAnd, 8},
      {u"Opt_HDD Opt_Duplex", u"Opt_HDD", false, CondJoin::kEnd, 8},
      {u"  ", u"", false, CondJoin::kEnd, 2},
      {u"| Opt_HDD", u"", false, CondJoin::kEnd, 0},
      {u"! Opt_HDD", u"", false, CondJoin::kEnd, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
    CONDTERM term{};
    EXPECT_EQ(GetCondKeyData(row.text, &term), row.used);
    EXPECT_EQ(term.keyword, row.keyword);
    EXPECT_EQ(term.negated, row.negated && !row.keyword.empty());
    EXPECT_EQ(term.join, row.join);
  }
}

// With one copy only the hard disk is hidden; with six copies duplex is
// hidden too. The punch unit is never hidden, the Q-G finisher has no
// judge, Opt_Tray7 is a value keyword the group does not offer and
// Opt_Nonsense no keyword at all.
TEST_F(Conditions, ATableOfConditionTexts) {
  struct Row {
    const char16_t* text;
    int copies;
    BOOL holds;
  };
  const Row rows[] = {
      {u"Opt_HDD", 1, TRUE},
      {u"!Opt_HDD", 1, FALSE},
      {u"Opt_Duplex", 1, FALSE},
      {u"Opt_Duplex", 6, TRUE},
      {u"Opt_Duplex | Opt_HDD", 1, TRUE},
      {u"Opt_Duplex | Opt_PunchUnit", 1, FALSE},
      {u"!Opt_Duplex & Opt_HDD", 1, TRUE},
      {u"!Opt_Duplex & Opt_HDD", 6, FALSE},
      // Every term of an "or" counts: the last one false does not undo
      // the first one true.
      {u"Opt_HDD | Opt_PunchUnit | Opt_PunchUnit", 1, TRUE},
      {u"Opt_PunchUnit | Opt_PunchUnit | Opt_HDD", 1, TRUE},
      // "&" binds tighter than "|".
      {u"Opt_HDD | Opt_PunchUnit & Opt_Duplex", 1, TRUE},
      {u"Opt_PunchUnit & Opt_Duplex | Opt_HDD", 1, TRUE},
      {u"Opt_HDD & Opt_PunchUnit | Opt_Duplex", 1, FALSE},
      {u"Opt_HDD & Opt_PunchUnit | Opt_Duplex", 6, TRUE},
      {u"Opt_HDD & Opt_Duplex & !Opt_PunchUnit", 6, TRUE},
      // Options without a judge are not hidden.
      {u"Opt_FinQG", 6, FALSE},
      {u"!Opt_FinQG", 6, TRUE},
      {u"!Opt_Tray7", 1, TRUE},
      // A name that is no keyword never holds, with or without "!".
      {u"Opt_Nonsense", 1, FALSE},
      {u"!Opt_Nonsense", 1, FALSE},
      {u"!Opt_Nonsense | Opt_HDD", 1, TRUE},
      // Malformed texts do not hold.
      {u"", 1, FALSE},
      {u"   ", 1, FALSE},
      {u"Opt_HDD |", 1, FALSE},
      {u"| Opt_HDD", 1, FALSE},
      {u"Opt_HDD || Opt_HDD", 1, FALSE},
      {u"Opt_HDD & & Opt_HDD", 1, FALSE},
      {u"Opt_HDD Opt_HDD", 1, FALSE},
      {u"!", 1, FALSE},
      {u"! Opt_HDD", 1, FALSE},
  };
  UCB* ucb = OpenWithDescription();
  for (const Row& row : rows) {
    const std::u16string text(row.text);
    SCOPED_TRACE(std::string(text.begin(), text.end()) + " with " + std::to_string(row.copies) + " copies");
    Set(ucb, 12, row.copies);
    EXPECT_EQ(IsConditionTextTrue(text, ucb), row.holds);
  }
  Release(ucb);
}

TEST_F(Conditions, ATextLongerThanTheFieldDoesNotHold) {
  UCB* ucb = OpenWithDescription();
  std::u16string text = u"Opt_HDD";
  while (text.size() + 10 <= 259) text += u" | Opt_HDD";
  EXPECT_TRUE(IsConditionTextTrue(text, ucb)) << text.size();
  text += u" | Opt_HDD";
  EXPECT_FALSE(IsConditionTextTrue(text, ucb)) << text.size();
  Release(ucb);
}

TEST_F(Conditions, GroupsAndAlternativesOfATemplate) {
  struct Row {
    const char* what;
    std::string section;
    BOOL valid;
  };
  const Row rows[] = {
      {"no condition section", "", TRUE},
      {"one true alternative", "ConditionOption0_0=Opt_HDD\r\n", TRUE},
      {"first false, second true", "ConditionOption0_0=Opt_Duplex\r\nConditionOption0_1=Opt_HDD\r\n", TRUE},
      {"first false, second missing", "ConditionOption0_0=Opt_Duplex\r\n", FALSE},
      {"a gap ends the alternatives", "ConditionOption0_0=Opt_Duplex\r\nConditionOption0_2=Opt_HDD\r\n", FALSE},
      {"a group without alternative 0 holds", "ConditionOption1_1=Opt_Duplex\r\n", TRUE},
      {"every group must hold", "ConditionOption0_0=Opt_HDD\r\nConditionOption3_0=Opt_Duplex\r\n", FALSE},
      {"groups up to 9", "ConditionOption9_9=Opt_Duplex\r\nConditionOption9_0=Opt_HDD\r\n", TRUE},
      {"an overlong alternative fails", "ConditionOption0_0=" + std::string(300, 'x') + "\r\n", FALSE},
  };
  UCB* ucb = OpenWithDescription();
  Set(ucb, 12, 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    storage_test::Put("Sets/icon.rsd", "[jp]\r\nsetname=Icon\r\n[condition]\r\n" + row.section);
    EXPECT_EQ(IsValidConditionPresetIcon(u"C:\\Sets\\icon.rsd", ucb), row.valid);
  }
  Release(ucb);
}

TEST_F(Conditions, ADescriptionWithoutTheConditionGroupTakesEveryTemplate) {
  UCB* ucb = OpenOn(office_);  // the plain sample description
  storage_test::Put("Sets/icon.rsd", "[condition]\r\nConditionOption0_0=Opt_Nonsense\r\n");
  EXPECT_TRUE(IsValidConditionPresetIcon(u"C:\\Sets\\icon.rsd", ucb));
  Release(ucb);
}

TEST_F(Conditions, TheDisableSectionSwitchesATemplateOffForTheRealDriverName) {
  UCB* ucb = OpenOn(office_);
  const struct {
    std::string section;
    BOOL enabled;
  } rows[] = {
      {"", TRUE},
      {"[disable]\r\nKesm 4200 Series=1\r\n", FALSE},
      {"[disable]\r\nKesm 4200 Series=0\r\n", TRUE},
      {"[disable]\r\nKesm 9900 Series=1\r\n", TRUE},
  };
  for (const auto& row : rows) {
    storage_test::Put("Sets/icon.rsd", "[jp]\r\nsetname=Icon\r\n" + row.section);
    EXPECT_EQ(IsValidEnablePresetIcon(u"C:\\Sets\\icon.rsd", ucb), row.enabled) << row.section;
  }
  EXPECT_TRUE(IsValidPresetIcon(u"C:\\Sets\\icon.rsd", ucb));
  Release(ucb);
}

}  // namespace
}  // namespace install_test
