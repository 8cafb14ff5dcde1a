// The constraint definitions (items, actions, transacts, alerts, alert
// actions, exclusive records) compile field by field with their references
// and macro names; malformed ones are refused with their fault and leave
// nothing behind.
#include <gtest/gtest.h>

#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/control.h"
#include "settings/bkpd/bkpd_pack.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

using kpdtest::Fill;

std::string Ref(DWORD reference) {
  static const char* const kKinds[] = {"#", "j", "i", "a", "t", "al", "aa"};
  const DWORD kind = reference >> 16;
  if (reference == 0) return "0";
  return (kind <= kRefAlertAction ? kKinds[kind] : "?") + std::to_string(reference & 0xFFFF);
}

template <class Entry, class Print>
void DumpLists(std::ostream& os, const char* name, const WorkDefinition<Entry>* lists, Print print) {
  for (const WorkDefinition<Entry>* d = lists; d != nullptr; d = d->next) {
    os << name << " " << d->number << ":";
    for (const Entry* e = d->first; e != nullptr; e = e->next) {
      os << " {";
      print(os, *e);
      os << "}";
    }
    os << "\n";
  }
}

// Every definition of the work, one per line, entries in braces.
std::string Dump(const WorkBKPD* w) {
  std::ostringstream os;
  DumpLists(os, "item", w->items, [](std::ostream& o, const WorkItem& e) {
    o << e.optionValue << " " << Ref(e.hideJudge) << " " << Ref(e.disableJudge);
  });
  DumpLists(os, "action", w->actions, [](std::ostream& o, const WorkAction& e) {
    o << e.targetId << (e.targetKind == kActionStop ? "!" : "=") << e.value;
  });
  DumpLists(os, "transact", w->transacts,
            [](std::ostream& o, const WorkTransact& e) { o << Ref(e.judge) << " " << Ref(e.action); });
  DumpLists(os, "alertaction", w->alertActions, [](std::ostream& o, const WorkAlertAction& e) {
    o << e.groupId << " " << Ref(e.transact) << " " << e.tabId << " " << e.controlId;
  });
  DumpLists(os, "alert", w->alerts, [](std::ostream& o, const WorkAlert& e) {
    o << Ref(e.judge) << " " << e.messageId << " " << e.icon << " " << e.buttons << " " << e.timing << " "
      << Ref(e.alertAction);
  });
  if (w->exclusives != nullptr) {
    os << "exclusive:";
    for (const WorkExclusive* x = w->exclusives; x != nullptr; x = x->next) {
      os << " {" << x->groupId << " " << Ref(x->hideJudge) << " " << Ref(x->disableJudge) << " " << Ref(x->item)
         << " " << Ref(x->alert) << " " << Ref(x->transact) << " " << Ref(x->transact2) << "}";
    }
    os << "\n";
  }
  return os.str();
}

// Groups whose defaults actions take, and two named judges.
constexpr const char* kPrelude = R"(*OpenUI *KPD_IDC_PRESET_CHOICE_PAPERSIZE: PickPage
*DefaultKPD_IDC_PRESET_CHOICE_PAPERSIZE: PAPER_A3
*KPD_IDC_PRESET_CHOICE_PAPERSIZE PAPER_A4: "A4"
*KPD_IDC_PRESET_CHOICE_PAPERSIZE PAPER_A3: "A3"
*CloseUI
*OpenUI *KPD_IDC_PRESET_COPIES: Numeric
*NumericValue: "2 7 1 99"
*CloseUI
*OpenUI *KPD_IDC_PRESET_FUNCSELECTDUPLEX: Boolean
*DefaultKPD_IDC_PRESET_FUNCSELECTDUPLEX: True
*CloseUI
*Judge 1=IsColour: KPD_IDC_PRESET_CHOICE_COLOR == DMCOLOR_COLOR
*Judge 2=IsDuplex: KPD_IDC_PRESET_FUNCSELECTDUPLEX == 1
)";

struct DefinitionCase {
  const char* name;
  const char* text;                 // after the prelude
  std::vector<KpdFault> faults;
  const char* dump;                 // with {v:...} and {g:...} placeholders
};

void PrintTo(const DefinitionCase& c, std::ostream* os) { *os << c.name; }

const DefinitionCase kDefinitions[] = {
    {"ItemFieldsAndAnUnknownOption",
     "*Item 1: { {PAPER_A3 IsDuplex NULL} {PAPER_A4 NULL Judge1} {NOT_A_VALUE NULL NULL} }\n",
     {},
     "item 1: {{v:PAPER_A3} j2 0} {{v:PAPER_A4} 0 j1} {0 0 0}\n"},
    // Braces only group the text: a short entry shifts the next entry's
    // option into its judge field, which names no judge.
    {"ItemOfTwoWordsShiftsTheRest",
     "*Item 1: { {PAPER_A3 IsDuplex} {PAPER_A4 NULL NULL} }\n",
     {KpdFault::kUnknownJudge},
     ""},
    {"ActionTargetsAndValues",
     "*Action 1: { {KPD_IDC_PRESET_COPIES 5} {KPD_IDC_PRESET_CHOICE_COLOR DMCOLOR_MONOCHROME}\n"
     "  {KPD_IDC_PRESET_CHOICE_PAPERSIZE Default} {KPD_IDC_PRESET_COPIES Default}\n"
     "  {KPD_IDC_PRESET_FUNCSELECTDUPLEX Default} {KPD_IDD_DIALOG_OPTION 0} {NO_SUCH_TARGET 3}\n"
     "  {KPD_IDC_PRESET_COPIES Nonsense} {KPD_IDC_PRESET_COPIES 4294967295} }\n",
     {},
     "action 1: {12=5} {15={v:DMCOLOR_MONOCHROME}} {8={v:PAPER_A3}} {12=7} {58=1} {1011!0} {0=3} {12=0} "
     "{12=4294967295}\n"},
    {"ActionValueBeyond32Bits", "*Action 1: { {KPD_IDC_PRESET_COPIES 4294967296} }\n", {KpdFault::kNumberRange}, ""},
    // References to actions may come before the action; a macro name is
    // read when met.
    {"TransactReferences",
     "*Action 3=Mono: { {KPD_IDC_PRESET_CHOICE_COLOR DMCOLOR_MONOCHROME} }\n"
     "*Transact 1: { {IsColour Mono} {NULL Action7} {Judge2 Item1} {IsDuplex Later} }\n"
     "*Action 4=Later: { {KPD_IDC_PRESET_COPIES 1} }\n",
     {},
     "action 3: {15={v:DMCOLOR_MONOCHROME}}\naction 4: {12=1}\ntransact 1: {j1 a3} {0 a7} {j2 0} {j2 0}\n"},
    {"AlertWordsAndReferences",
     "*Alert 1: { {IsColour KPD_DuplexOnMessage MB_ICONQUESTION MB_YESNOCANCEL AlertDialog AlertAction3}\n"
     "  {NULL NoMessage MB_ICONWHAT MB_NOPE Never Alert2} }\n",
     {},
     "alert 1: {j1 320 32 3 3 aa3} {0 0 65535 65535 65535 0}\n"},
    {"AlertActionFields",
     "*AlertAction 2: { {KPD_kdmCallSrc Transact5 KPD_IDD_FINISH KPD_IDC_PRESET_COPIES}\n"
     "  {NOT_A_GROUP NULL NOT_A_TAB NOT_A_CONTROL} }\n",
     {},
     "alertaction 2: {2 t5 1004 2029} {0 0 0 0}\n"},
    {"MacrosOfEveryKind",
     "*Item 3=Paper: { {PAPER_A4 IsColour NULL} }\n"
     "*Action 5=Mono: { {KPD_IDC_PRESET_CHOICE_COLOR DMCOLOR_MONOCHROME} }\n"
     "*Transact 6=Go: { {NULL Mono} }\n"
     "*AlertAction 4=Answers: { {KPD_kdmPlexor Go NULL NULL} }\n"
     "*Alert 5=Warn: { {NULL KPD_DuplexOnMessage MB_ICONSTOP MB_OK AlertAtOnce Answers} }\n"
     "*Exclusive: { {KPD_IDC_PRESET_COPIES IsColour IsDuplex Paper Warn Go Go} }\n",
     {},
     "item 3: {{v:PAPER_A4} j1 0}\naction 5: {15={v:DMCOLOR_MONOCHROME}}\ntransact 6: {0 a5}\n"
     "alertaction 4: {1 t6 0 0}\nalert 5: {0 320 16 0 0 aa4}\n"
     "exclusive: {{g:KPD_IDC_PRESET_COPIES} j1 j2 i3 al5 t6 t6}\n"},
    {"MacroBoundTwiceKeepsItsFirstNumber",
     "*Action 1=M: { {KPD_IDC_PRESET_COPIES 1} }\n*Action 2=M: { {KPD_IDC_PRESET_COPIES 2} }\n"
     "*Transact 1: { {NULL M} }\n",
     {},
     "action 1: {12=1}\naction 2: {12=2}\ntransact 1: {0 a1}\n"},
    {"ShortExclusiveRecord",
     "*Exclusive: { {KPD_IDC_PRESET_COPIES IsColour} }\n",
     {},
     "exclusive: {{g:KPD_IDC_PRESET_COPIES} j1 0 0 0 0 0}\n"},
    // Mended: a later Exclusive entry replaces the earlier records (freed),
    // and a refused one leaves them.
    {"LaterExclusiveReplacesEarlier",
     "*Exclusive: { {KPD_IDC_PRESET_COPIES NULL NULL NULL NULL NULL NULL} }\n"
     "*Exclusive: { {KPD_IDC_PRESET_CHOICE_COLOR IsColour NULL NULL NULL NULL NULL}\n"
     "  {KPD_IDC_PRESET_FUNCSELECTDUPLEX NULL IsDuplex NULL NULL NULL NULL} }\n"
     "*Exclusive: { {KPD_IDC_PRESET_COPIES Judge9 NULL NULL NULL NULL NULL} }\n",
     {KpdFault::kUnknownJudge},
     "exclusive: {{g:KPD_IDC_PRESET_CHOICE_COLOR} j1 0 0 0 0 0} {{g:KPD_IDC_PRESET_FUNCSELECTDUPLEX} 0 j2 0 0 0 0}\n"},
    // Mended: a value whose braces never close (here: none at all) is
    // refused instead of read for ever.
    {"DefinitionWithoutBraces", "*Action 1: KPD_IDC_PRESET_COPIES 5\n*Exclusive: NULL\n",
     {KpdFault::kUnclosedBraces, KpdFault::kUnclosedBraces}, ""},
    {"DefinitionNumbers",
     "*Item Paper: { }\n*Transact 70000: { }\n*Alert 0: { }\n",
     {KpdFault::kBadValue, KpdFault::kNumberRange, KpdFault::kBadValue},
     ""},
    // Mended: a judge reference that names no judge never becomes "always".
    // "Judge3" may come before judge 3; a name stands for its judge only
    // once bound.
    {"JudgeReferencesMustNameAJudge",
     "*Transact 1: { {Judge3 Action1} }\n*Transact 2: { {IsLater Action1} }\n*Judge 3=IsLater: "
     "KPD_IDC_PRESET_COPIES > 1\n*Transact 3: { {JudgeX Action1} }\n*Transact 4: { {Item1 Action1} }\n"
     "*Item 5: { {PAPER_A4 NULL Judge0} }\n*Alert 6: { {Nothing KPD_DuplexOnMessage MB_OK MB_OK AlertAtOnce NULL} }\n"
     "*Transact 7: { {IsLater Action1} }\n",
     {KpdFault::kUnknownJudge, KpdFault::kUnknownJudge, KpdFault::kUnknownJudge, KpdFault::kUnknownJudge,
      KpdFault::kUnknownJudge},
     "transact 1: {j3 a1}\ntransact 7: {j3 a1}\n"},
    // Mended: a judge may be defined after the definitions that name it.
    {"ForwardJudgeReferencesOfEveryKind",
     "*Item 1: { {PAPER_A4 Judge5 Judge6} }\n*Transact 2: { {Judge6 Action1} }\n"
     "*Alert 3: { {Judge5 KPD_DuplexOnMessage MB_ICONSTOP MB_OK AlertAtOnce NULL} }\n"
     "*Exclusive: { {KPD_IDC_PRESET_COPIES Judge6 Judge5 Item1 Alert3 Transact2 NULL} }\n"
     "*Judge 5: KPD_IDC_PRESET_COPIES > 1\n*Judge 6: KPD_IDC_PRESET_COPIES < 9\n",
     {},
     "item 1: {{v:PAPER_A4} j5 j6}\ntransact 2: {j6 a1}\nalert 3: {j5 320 16 0 0 0}\n"
     "exclusive: {{g:KPD_IDC_PRESET_COPIES} j6 j5 i1 al3 t2 0}\n"},
    // A judge that never comes refuses the entries naming it once the whole
    // text is read; the others keep their order, and a refused definition
    // shadows nothing.
    {"JudgesThatNeverComeRefuseTheirEntries",
     "*Item 1: { {PAPER_A4 NULL Judge9} }\n*Item 1: { {PAPER_A3 Judge1 NULL} }\n"
     "*Transact 2: { {Judge8 Action1} }\n"
     "*Alert 3: { {Judge7 KPD_DuplexOnMessage MB_ICONSTOP MB_OK AlertAtOnce NULL} }\n"
     "*Exclusive: { {KPD_IDC_PRESET_COPIES NULL Judge6 NULL NULL NULL NULL} }\n",
     {KpdFault::kUnknownJudge, KpdFault::kUnknownJudge, KpdFault::kUnknownJudge, KpdFault::kUnknownJudge},
     "item 1: {{v:PAPER_A3} j1 0}\n"},
    {"ReferenceNumberBeyond16Bits", "*Transact 1: { {NULL Action70000} }\n*Item 1: { {PAPER_A4 Judge65537 NULL} }\n",
     {KpdFault::kNumberRange, KpdFault::kNumberRange}, ""},
};

class Definitions : public testing::TestWithParam<DefinitionCase> {};

TEST_P(Definitions, CompileFieldByField) {
  const DefinitionCase& c = GetParam();
  const size_t before = plat::LiveBlocks();
  {
    KpdCompileReport report{};
    WorkBKPD* work = kpdtest::CompileText(std::string(kPrelude) + c.text, &report);
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(kpdtest::Faults(report), c.faults);
    EXPECT_EQ(Dump(work), Fill(c.dump));
    // Whatever compiled packs into a block the loader accepts.
    EXPECT_NE(kpdtest::PackAndFree(work).Load(), nullptr);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(Compiler, Definitions, testing::ValuesIn(kDefinitions),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Tokens(std::span<const JudgeToken> tokens) {
  std::string out;
  for (const JudgeToken& t : tokens) out += std::to_string(t.kind) + ":" + std::to_string(t.value) + " ";
  return out;
}

// Every kind of reference to a judge defined later links to that judge in
// the loaded description.
TEST(ForwardJudgeReferences, LinkToTheJudgesDefinedLater) {
  const char* text =
      "*Exclusive: { {KPD_IDC_PRESET_COPIES Judge6 Judge5 Item1 Alert3 Transact2 NULL} }\n"
      "*Item 1: { {PAPER_A4 Judge5 Judge6} }\n*Transact 2: { {Judge6 Action1} }\n"
      "*Alert 3: { {Judge5 KPD_DuplexOnMessage MB_ICONSTOP MB_OK AlertAtOnce NULL} }\n"
      "*Action 1: { {KPD_IDC_PRESET_COPIES 2} }\n"
      "*Judge 5: KPD_IDC_PRESET_COPIES > 1\n*Judge 6: KPD_IDC_PRESET_COPIES < 9\n";
  const std::string five = "1:12 2:1 3:6 3:10 ";
  const std::string six = "1:12 2:9 3:7 3:10 ";
  const size_t before = plat::LiveBlocks();
  {
    KpdCompileReport report{};
    const kpdtest::Packed packed = kpdtest::PackAndFree(kpdtest::CompileText(text, &report));
    EXPECT_EQ(report.faultCount, 0u);
    const PCBKPD b = packed.Load();
    ASSERT_NE(b, nullptr);
    const ExclusiveRecord* x = BkpdFirstExclusive(b);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(Tokens(BkpdJudge(b, x->hideJudge)), six);
    EXPECT_EQ(Tokens(BkpdJudge(b, x->disableJudge)), five);
    const ExclusiveItem* item = BkpdItemList(b, x->itemList);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Tokens(BkpdJudge(b, item->hideJudge)), five);
    EXPECT_EQ(Tokens(BkpdJudge(b, item->disableJudge)), six);
    const ExclusiveTransact* transact = BkpdTransactList(b, x->transact);
    ASSERT_NE(transact, nullptr);
    EXPECT_EQ(Tokens(BkpdJudge(b, transact->judge)), six);
    ASSERT_NE(BkpdActionList(b, transact->actionList), nullptr);
    EXPECT_EQ(BkpdActionList(b, transact->actionList)->value, 2u);
    const ExclusiveAlert* alert = BkpdAlertList(b, x->alertList);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(Tokens(BkpdJudge(b, alert->judge)), five);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

// A judge that never comes is noted where its entry is, as a reference
// refused at once would be, among the faults in the order of the text.
TEST(ForwardJudgeReferences, AJudgeThatNeverComesIsNotedAtItsEntry) {
  const std::string head = std::string(kPrelude) + "*Judge 9: KPD_IDC_PRESET_COPIES >\n";  // refused
  const std::string tail = "*Transact 3: { {IsColour Item1} }\n*Nonsense: 1\n";
  KpdCompileReport never{};
  KpdCompileReport atOnce{};
  WorkBKPD* a = kpdtest::CompileText(head + "*Transact 2: { {Judge9 Action1} }\n" + tail, &never);
  WorkBKPD* b = kpdtest::CompileText(head + "*Transact 2: { {Judge0 Action1} }\n" + tail, &atOnce);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Dump(a), "transact 3: {j1 0}\n");
  EXPECT_EQ(Dump(b), Dump(a));
  WorkBKPD_Free(a);
  WorkBKPD_Free(b);
  EXPECT_EQ(kpdtest::Faults(never),
            (std::vector<KpdFault>{KpdFault::kBadJudge, KpdFault::kUnknownJudge, KpdFault::kUnknownKeyword}));
  ASSERT_EQ(never.faultCount, atOnce.faultCount);
  for (DWORD i = 0; i < never.faultCount; ++i) {
    EXPECT_EQ(never.faults[i].fault, atOnce.faults[i].fault) << i;
    EXPECT_EQ(never.faults[i].offset, atOnce.faults[i].offset) << i;
  }
  EXPECT_LT(never.faults[0].offset, never.faults[1].offset);
  EXPECT_LT(never.faults[1].offset, never.faults[2].offset);
}

// With more faults than the report keeps, one found at the end of the text
// still takes its place among the first ones kept.
TEST(ForwardJudgeReferences, AFaultFoundAtTheEndKeepsItsPlaceInAFullReport) {
  std::string text = "*Transact 1: { {Judge9 Action1} }\n";
  for (DWORD i = 0; i < kKpdReportedFaults + 8; ++i) text += "*Nonsense: 1\n";
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(text, &report);
  ASSERT_NE(work, nullptr);
  WorkBKPD_Free(work);
  EXPECT_EQ(report.faultCount, kKpdReportedFaults + 9);
  EXPECT_EQ(report.faults[0].fault, KpdFault::kUnknownJudge);
  for (DWORD i = 1; i < kKpdReportedFaults; ++i) {
    EXPECT_EQ(report.faults[i].fault, KpdFault::kUnknownKeyword) << i;
    EXPECT_LT(report.faults[i - 1].offset, report.faults[i].offset) << i;
  }
}

// An entry handed over on its own has no end of text to wait for: the
// judges it names must exist already.
TEST(ForwardJudgeReferences, AnEntryOnItsOwnNeedsItsJudgesAlready) {
  kpdtest::EntryFeed feed;
  EXPECT_EQ(feed.Feed("Transact", "1", "{ {Judge4 Action1} }"), KpdFault::kUnknownJudge);
  EXPECT_EQ(feed.Feed("CommandGroup", "", "JobStart { Command : Judge4 { Type : FontType } }"),
            KpdFault::kUnknownJudge);
  EXPECT_EQ(Dump(feed.work()), "");
  EXPECT_EQ(feed.work()->header->commandGroups[kBkpdJobStart], nullptr);
  ASSERT_EQ(feed.Feed("Judge", "4", "KPD_IDC_PRESET_COPIES > 1"), KpdFault::kNone);
  EXPECT_EQ(feed.Feed("Transact", "1", "{ {Judge4 Action1} }"), KpdFault::kNone);
  EXPECT_EQ(feed.Feed("CommandGroup", "", "JobStart { Command : Judge4 { Type : FontType } }"), KpdFault::kNone);
  EXPECT_EQ(Dump(feed.work()), "transact 1: {j4 a1}\n");
  EXPECT_NE(feed.work()->header->commandGroups[kBkpdJobStart], nullptr);
}

// Values no reader would hand over: an unclosed or unopened brace.
TEST(DefinitionBraces, UnbalancedBracesAreRefused) {
  kpdtest::EntryFeed feed;
  EXPECT_EQ(feed.Feed("Action", "1", "{ {KPD_IDC_PRESET_COPIES 5}"), KpdFault::kUnclosedBraces);
  EXPECT_EQ(feed.Feed("Action", "2", "} {KPD_IDC_PRESET_COPIES 5}"), KpdFault::kBadValue);
  EXPECT_EQ(feed.Feed("Exclusive", "", "{ {KPD_IDC_PRESET_COPIES"), KpdFault::kUnclosedBraces);
  EXPECT_EQ(feed.Feed("Action", "3", "{ {KPD_IDC_PRESET_COPIES 5} } trailing words"), KpdFault::kNone);
  EXPECT_EQ(Dump(feed.work()), "action 3: {12=5}\n");
}

}  // namespace
