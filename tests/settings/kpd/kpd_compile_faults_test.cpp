// Malformed descriptions fail cleanly: each bad entry is refused with its
// reason, the rest compiles, nothing leaks, and nothing is read past the
// end of a value.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string_view>

#include "tests/settings/kpd/kpd_compile_sample.h"
#include "platform/base/control.h"
#include "settings/tables/keyword_tables.h"

namespace {

using kpdtest::FindGroup;
using kpdtest::Options;

using kpdtest::G;

using kpdtest::Faults;

struct BadSample {
  const char* file;
  std::vector<KpdFault> faults;
  bool compiles = true;
  std::function<void(PCBKPD)> check = nullptr;
};

void PrintTo(const BadSample& s, std::ostream* os) { *os << s.file; }

const UiGroup* Group(PCBKPD b, const char* keyword, WORD sub = 0) { return FindGroup(b, G(keyword), sub); }

const BadSample kBadSamples[] = {
    {"option_in_string_group.kpd",
     {KpdFault::kWrongGroupType},
     true,
     [](PCBKPD b) {
       const UiGroup* g = Group(b, "KPD_IDC_PRINTTYPE_JOBPASSWORD");
       ASSERT_NE(g, nullptr);
       ASSERT_NE(BkpdStringValue(b, g), nullptr);
       EXPECT_EQ(BkpdStringValue(b, g)->maxLength, 8);
     }},
    {"numeric_value_in_pickone.kpd",
     {KpdFault::kWrongGroupType},
     true,
     [](PCBKPD b) {
       const UiGroup* g = Group(b, "KPD_IDC_PRESET_CHOICE_COLOR");
       ASSERT_NE(g, nullptr);
       EXPECT_EQ(Options(b, g).size(), 1u);
     }},
    {"page_value_in_slot_group.kpd", {KpdFault::kWrongGroupType}},
    {"slot_paper_other_group.kpd",
     {KpdFault::kUnknownOption},
     true,
     [](PCBKPD b) {
       const UiGroup* g = Group(b, "KPD_IDC_PRESET_CHOICE_SOURCETRAY");
       ASSERT_NE(g, nullptr);
       const UiSlotOption* tray = BkpdSlotOption(b, g, BkpdFirstOption(b, g));
       ASSERT_NE(tray, nullptr);
       EXPECT_EQ(tray->paperCount, 0u);
     }},
    {"long_type_word.kpd",
     {KpdFault::kTypeWordTooLong, KpdFault::kUnknownKeyword},
     true,
     [](PCBKPD b) { EXPECT_EQ(BkpdFirstGroup(b), nullptr); }},
    {"number_too_big.kpd",
     {KpdFault::kNumberRange},
     true,
     [](PCBKPD b) { EXPECT_EQ(BkpdNumericValue(b, Group(b, "KPD_IDC_PRESET_COPIES")), nullptr); }},
    {"sub_group_number_too_big.kpd",
     {KpdFault::kNumberRange},
     true,
     [](PCBKPD b) {
       const UiGroup* g = BkpdFirstGroup(b);
       ASSERT_NE(g, nullptr);
       EXPECT_EQ(g->subGroupId, 0);
       EXPECT_EQ(BkpdNext(b, g), nullptr);
     }},
    {"missing_closeui.kpd",
     {KpdFault::kGroupNotClosed},
     true,
     [](PCBKPD b) {
       const UiGroup* colour = Group(b, "KPD_IDC_PRESET_CHOICE_COLOR");
       const UiGroup* fold = Group(b, "KPD_IDC_FINISH_CHOICE_Z_FOLD_TYPE");
       ASSERT_NE(colour, nullptr);
       ASSERT_NE(fold, nullptr);
       EXPECT_EQ(colour->defaultIndex, 1);
       EXPECT_EQ(Options(b, colour).size(), 2u);
       EXPECT_EQ(Options(b, fold).size(), 1u);
     }},
    {"unclosed_at_end.kpd",
     {KpdFault::kGroupNotClosed},
     true,
     [](PCBKPD b) {
       const UiGroup* colour = Group(b, "KPD_IDC_PRESET_CHOICE_COLOR");
       ASSERT_NE(colour, nullptr);
       EXPECT_EQ(colour->defaultIndex, 1);
     }},
    {"trailing_percent.kpd", {}, false},
    {"unknown_keywords.kpd",
     {KpdFault::kUnknownKeyword, KpdFault::kUnknownGroup},
     true,
     [](PCBKPD b) { EXPECT_EQ(BkpdFirstGroup(b), nullptr); }},
    {"bad_strings.kpd", {KpdFault::kBadValue, KpdFault::kNumberRange}},
    {"judge_ends_on_operator.kpd",
     {KpdFault::kBadJudge},
     true,
     [](PCBKPD b) {
       const ExclusiveRecord* x = BkpdFirstExclusive(b);
       ASSERT_NE(x, nullptr);
       EXPECT_EQ(BkpdJudge(b, x->hideJudge).size(), 4u);  // judge 2: copies 1 > end
     }},
    {"judge_not_before_group.kpd",
     {KpdFault::kBadJudge},
     true,
     [](PCBKPD b) {
       const ExclusiveRecord* x = BkpdFirstExclusive(b);
       ASSERT_NE(x, nullptr);
       const auto judge = BkpdJudge(b, x->hideJudge);
       ASSERT_EQ(judge.size(), 5u);
       EXPECT_EQ(judge[3].kind, kJudgeOperator);
       EXPECT_EQ(judge[3].value, kJudgeOpNot);
     }},
    {"judge_number_too_big.kpd", {KpdFault::kNumberRange}},
    {"guard_names_no_judge.kpd",
     {KpdFault::kUnknownJudge},
     true,
     [](PCBKPD b) {
       const ExclusiveRecord* x = BkpdFirstExclusive(b);
       ASSERT_NE(x, nullptr);
       EXPECT_EQ(x->transact, 0u);  // no transact at all, rather than an unguarded one
       const ExclusiveTransact* t = BkpdTransactList(b, x->transact2);
       ASSERT_NE(t, nullptr);
       EXPECT_EQ(BkpdJudge(b, t->judge).size(), 4u);  // judge 2: copies 1 > end
     }},
    {"command_guard_names_no_judge.kpd",
     {KpdFault::kUnknownJudge},
     true,
     [](PCBKPD b) { EXPECT_EQ(BkpdCommandGroup(b, kBkpdJobStart), nullptr); }},
    {"definition_without_braces.kpd", {KpdFault::kUnclosedBraces}},
    {"command_blocks_too_deep.kpd",
     {KpdFault::kTooDeep},
     true,
     [](PCBKPD b) {
       EXPECT_NE(BkpdCommandGroup(b, kBkpdJobStart), nullptr);
       EXPECT_EQ(BkpdCommandGroup(b, kBkpdJobEnd), nullptr);
     }},
    {"judge_too_long.kpd", {KpdFault::kJudgeTooLong}},
};

class BadSamples : public testing::TestWithParam<BadSample> {};

TEST_P(BadSamples, RefuseTheFaultyEntryAndKeepTheRest) {
  const BadSample& s = GetParam();
  const std::string text = kpdtest::Fixture("bad/" + std::string(s.file));
  ASSERT_FALSE(text.empty());
  ASSERT_TRUE(text.starts_with("*% Fault: ")) << "a malformed sample says what it holds";
  const size_t before = plat::LiveBlocks();
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(text, &report);
  EXPECT_EQ(work != nullptr, s.compiles);
  EXPECT_EQ(Faults(report), s.faults);
  for (const KpdDiagnostic& d : std::span(report.faults, std::min(report.faultCount, kKpdReportedFaults))) {
    EXPECT_LE(d.offset, text.size());
  }
  if (work != nullptr) {
    const kpdtest::Packed packed = kpdtest::PackAndFree(work);
    const PCBKPD b = packed.Load();
    ASSERT_NE(b, nullptr);
    if (s.check) s.check(b);
  } else {
    EXPECT_EQ(report.endResult, kKpdTruncated);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(Compiler, BadSamples, testing::ValuesIn(kBadSamples), [](const auto& info) {
  std::string name = info.param.file;
  name = name.substr(0, name.find('.'));
  std::erase(name, '_');
  return name;
});

// Entries handed to the compiler directly, as no reader would split them:
// values cut short at any point must be refused, never read past.
struct Entry {
  const char* name;
  const char* keyword;
  const char* option1;
  const char* option2;
  std::string value;
  int result;
};

void PrintTo(const Entry& e, std::ostream* os) { *os << e.name; }

using kpdtest::Put;

int Interpret(WorkBKPD* work, PARSEROBJ* p, const char* keyword, const char* option1, const char* option2,
              std::string_view value) {
  Put(p->keyword, keyword);
  Put(p->option1, option1);
  Put(p->option2, option2);
  Put(p->value, value);
  return WorkBKPD_InterpretEntry(work, p);
}

const Entry kEntries[] = {
    {"TrailingPercentInCommand", "CommandString", "1", "", "\"abc%", kKpdSyntax},
    {"TrailingPercentInOption", "KPD_IDC_PRESET_CHOICE_PAPERSIZE", "PAPER_A3", "", "\"A3%", kKpdSyntax},
    {"UnclosedQuoteIsKept", "CommandString", "2", "", "\"abc", kKpdOk},
    {"NumericCutInsideQuote", "NumericValue", "", "", "", kKpdSyntax},
    {"PageValueCutAfterSize", "PageValue", "a", "PAPER_A4", "600", kKpdSyntax},
    {"PageValueCutInsideNumbers", "PageValue", "a", "PAPER_A4", "600 DMORIENTATION_PORTRAIT \"1 2", kKpdOk},
    {"PageValueWithSevenNumbers", "PageValue", "a", "PAPER_A4", "600 DMORIENTATION_PORTRAIT \"1 2 3 4 5 6 7\"",
     kKpdSyntax},
    {"PageValueNumberBeyond32Bits", "PageValue", "a", "PAPER_A4",
     "600 DMORIENTATION_PORTRAIT \"1 2 3 4 5 99999999999\"", kKpdSyntax},
    {"PageValueSizeBeyond16Bits", "PageValue", "a", "PAPER_A4", "70000 DMORIENTATION_PORTRAIT \"1\"",
     kKpdSyntax},
    {"PageMMCutInsideQuote", "PageMMValue", "a", "PAPER_A4", "\"2100", kKpdOk},
    {"PageMMWithoutNumbers", "PageMMValue", "a", "PAPER_A4", "\"\"", kKpdSyntax},
    {"PageValueOfAMissingOption", "PageValue", "a", "PAPER_A5", "600 DMORIENTATION_PORTRAIT \"1\"", kKpdSyntax},
    {"PageValueWithOneOptionWord", "PageValue", "PAPER_A4", "", "600 DMORIENTATION_PORTRAIT \"1\"", kKpdSyntax},
    {"SlotPaperInPaperGroup", "SlotPaper", "a", "PAPER_A4", "{ PAPER_A4 }", kKpdSyntax},
    {"TtfsInPaperGroup", "TTFS", "a", "PAPER_A4", "IDList{ {\"a\" \"b\"} }", kKpdSyntax},
    {"StringValueInPaperGroup", "StringValue", "", "", "8 ASCII", kKpdSyntax},
    {"OptionListCutAfterBrace", "KPD_IDC_PRESET_CHOICE_PAPERSIZE", "", "", "IDList{ {PAPER_A5 \"A5", kKpdOk},
    {"OptionListWithoutIDList", "KPD_IDC_PRESET_CHOICE_PAPERSIZE", "", "", "{ PAPER_A5 }", kKpdSyntax},
    {"DeviceFontsCutInsideEntry", "DeviceFonts", "", "", "IDList{ {\"Kesm Sans\" 1", kKpdOk},
    {"DeviceFontNumberBeyond32Bits", "DeviceFonts", "", "", "IDList{ {\"Kesm Sans\" 4294967296} }", kKpdSyntax},
    {"DeviceFontsWithoutList", "DeviceFonts", "", "", "\"Kesm Sans\"", kKpdSyntax},
    {"OptionCommandCutShort", "OptionCommand", "", "", "{ \"a", kKpdOk},
    {"OptionCommandWithoutBrace", "OptionCommand", "", "", "\"a\"", kKpdSyntax},
    {"DllNameEmpty", "UIResDLLName", "", "", "\"\"", kKpdSyntax},
    {"OpenWithoutStar", "OpenUI", "KPD_IDC_PRESET_COPIES", "", "Numeric", kKpdSyntax},
    {"OpenStarAlone", "OpenUI", "*", "", "Numeric", kKpdSyntax},
    {"IdentityOfUnknownGroup", "OpenUI", "*KPD_IDC_EDIT_OUTPAPERSIZE", "", "Identity *KPD_NoSuch", kKpdSyntax},
    {"IdentityOfGroupNotYetOpened", "OpenUI", "*KPD_IDC_EDIT_OUTPAPERSIZE", "", "Identity *KPD_IDC_PRESET_COPIES",
     kKpdSyntax},
    {"SecondTypeWordTooLong", "OpenUI", "*KPD_IDC_PRESET_COPIES", "", "PickOne | TypeUnknownAndMore", kKpdSyntax},
};

class CutEntries : public testing::TestWithParam<Entry> {};

// Each entry is tried inside an open paper group that has an A4 option.
TEST_P(CutEntries, AreRefusedOrTakenWithinTheirText) {
  const Entry& e = GetParam();
  const size_t before = plat::LiveBlocks();
  {
    KpdCompileReport report{};
    const std::string prelude =
        "*OpenUI *KPD_IDC_PRESET_CHOICE_PAPERSIZE: PickPage\n*KPD_IDC_PRESET_CHOICE_PAPERSIZE PAPER_A4: \"A4\"\n";
    WorkBKPD* work = kpdtest::CompileText(prelude, &report);
    ASSERT_NE(work, nullptr);
    // The end of the text closed the group; open it again as it was.
    PARSEROBJ* p = PARSEROBJ_Create();
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(Interpret(work, p, "OpenUI", "*KPD_IDC_PRESET_CHOICE_PAPERSIZE", "1", "PickPage"), kKpdOk);
    // A value keeps its exact length: nothing after it may be read.
    std::string value = e.value;
    EXPECT_EQ(Interpret(work, p, e.keyword, e.option1, e.option2, value), e.result);
    PARSEROBJ_Free(p);
    kpdtest::PackAndFree(work);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(Compiler, CutEntries, testing::ValuesIn(kEntries),
                         [](const auto& info) { return std::string(info.param.name); });

// Every entry given twice: the later one replaces what it may replace, the
// first option definition stays, and no earlier block is lost.
constexpr const char* kRepeated = R"(*UIResDLLName: "first.dll"
*UIResDLLName: "second.dll"
*OpenUI *KPD_IDC_PRESET_CHOICE_PAPERSIZE: PickPage
*KPD_IDC_PRESET_CHOICE_PAPERSIZE PAPER_A4: "A4"
*KPD_IDC_PRESET_CHOICE_PAPERSIZE PAPER_A4: "A4 AGAIN"
*OptionCommand: { "one" "two" }
*OptionCommand: { "three" }
*PageMMValue a PAPER_A4: "1 2"
*PageMMValue a PAPER_A4: "2100 2970"
*CloseUI
*OpenUI *KPD_IDC_PRESET_CHOICE_PAPERSIZE 1: PickPage
*OptionCommand: { "sub one" }
*OptionCommand: { "sub two" }
*CloseUI
*OpenUI *KPD_IDC_PRESET_CHOICE_SOURCETRAY: PickSlot
*KPD_IDC_PRESET_CHOICE_SOURCETRAY TRAY_TRAY1: "T1"
*SlotPaper a TRAY_TRAY1: { PAPER_A3 }
*SlotPaper a TRAY_TRAY1: { PAPER_A4 PAPER_LETTER }
*CloseUI
*OpenUI *KPD_RADIOLIST_8: FontTbl
*KPD_RADIOLIST_8 KKDMTTFONT_V1: "DEVICE"
*TTFS a KKDMTTFONT_V1: IDList{ {"Old" "Gone"} }
*TTFS a KKDMTTFONT_V1: IDList{ {"Lumen Sans" "Kesm Sans"} {"Lumen Serif" } }
*CloseUI
*OpenUI *KPD_IDC_PRESET_FUNCSELECTDUPLEX: Boolean
*KPD_IDC_PRESET_FUNCSELECTDUPLEX True: "ON ONE"
*KPD_IDC_PRESET_FUNCSELECTDUPLEX True: "ON TWO"
*CloseUI
*OpenUI *KPD_IDC_PRESET_COPIES: Numeric
*NumericValue: 1 "1 2 3 4"
*NumericValue: "5 6"
*CloseUI
*OpenUI *KPD_IDC_PRINTTYPE_JOBPASSWORD: String
*StringValue: 4 ASCII
*StringValue: 6 Capital | ShowCapital
*CloseUI
*DeviceFonts: IDList{ {"Old Sans" 1} }
*DeviceFonts: IDList{ {"Kesm Sans" 1} {"Kesm Mono" 2} }
*FontCartridge: IDList{ {"Old Card" 1} }
*FontCartridge: IDList{ {"Kesm Card" 5} }
)";

TEST(CompilerRepeats, LaterEntriesReplaceWithoutLeaks) {
  const size_t before = plat::LiveBlocks();
  {
    KpdCompileReport report{};
    const kpdtest::Packed packed = kpdtest::PackAndFree(kpdtest::CompileText(kRepeated, &report));
    const PCBKPD b = packed.Load();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(report.faultCount, 0u);
    EXPECT_EQ(kpdtest::Wide(BkpdUiResDllName(b)), L"second.dll");
    const UiGroup* paper = BkpdSlotGroup(b, 8);
    EXPECT_EQ(Options(b, paper).size(), 1u);
    EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdFirstOption(b, paper)->command)), "A4");
    EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdGroupCommands(b, paper)->first)), "three");
    EXPECT_EQ(BkpdGroupCommands(b, paper)->second, 0u);
    EXPECT_EQ(BkpdPageOption(b, paper, BkpdFirstOption(b, paper))->width, 2100u);
    const UiGroup* sub = FindGroup(b, paper->groupId, 1);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdGroupCommands(b, sub)->first)), "sub two");
    const UiGroup* tray = BkpdSlotGroup(b, 13);
    EXPECT_EQ(BkpdSlotPapers(b, BkpdSlotOption(b, tray, BkpdFirstOption(b, tray))).size(), 2u);
    const UiGroup* fonts = BkpdSlotGroup(b, 180);
    const UiFontTblOption* pairs = BkpdFontTblOption(b, fonts, BkpdFirstOption(b, fonts));
    ASSERT_NE(pairs, nullptr);
    EXPECT_EQ(pairs->count, 1u);  // the second pair lacks its device name
    EXPECT_EQ(kpdtest::Text(BkpdFontTblDevice(b, pairs, 0)), "Kesm Sans");
    EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdBooleanValue(b, BkpdSlotGroup(b, 58))->trueCommand)), "ON TWO");
    const UiNumericValue* copies = BkpdNumericValue(b, BkpdSlotGroup(b, 12));
    EXPECT_EQ(copies->lead, 0);  // cleared by the second entry
    EXPECT_EQ(copies->first, 5);
    EXPECT_EQ(copies->third, 0u);
    const UiStringValue* password = BkpdStringValue(b, BkpdSlotGroup(b, 207));
    EXPECT_EQ(password->maxLength, 6);
    EXPECT_EQ(password->displayType, kStrShowCapital);
    EXPECT_EQ(BkpdFontCount(b, false), 2u);
    EXPECT_EQ(BkpdFontCount(b, true), 1u);
    EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdFont(b, true, 0)->name)), "Kesm Card");
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

// Mended: a failed allocation anywhere, in the reader or in a handler,
// fails the whole compile; a description silently missing a part (a
// command string, the resource library's name) is never handed over.
TEST(CompilerMemory, EveryFailedAllocationFailsTheCompileAndLeavesNothingBehind) {
  const std::string text = kpdtest::Fixture("kesm_c7_colour.kpd");
  const size_t before = plat::LiveBlocks();
  bool completed = false;
  size_t inHandlers = 0;
  size_t n = 1;
  for (; n < 2000 && !completed; ++n) {
    plat::FailAllocationAt(n);
    KpdCompileReport report{};
    WorkBKPD* work = kpdtest::CompileText(text, &report);
    plat::FailAllocationAt(0);
    if (work != nullptr) {
      // Only a compile whose allocations all succeeded has a result.
      EXPECT_EQ(report.faultCount, 0u) << n;
      completed = true;
    } else {
      EXPECT_EQ(report.endResult, kKpdNoMemory) << n;
      // The sample has no faults of its own: a handler that ran out of
      // memory is the last fault noted.
      if (report.faultCount != 0) {
        ++inHandlers;
        EXPECT_EQ(report.faults[std::min(report.faultCount, kKpdReportedFaults) - 1].fault, KpdFault::kNoMemory)
            << n;
      }
    }
    WorkBKPD_Free(work);
    ASSERT_EQ(plat::LiveBlocks(), before) << n;
  }
  EXPECT_TRUE(completed);
  EXPECT_GT(n, 100u);  // the sample needs many blocks, each of which failed once
  EXPECT_GT(inHandlers, 50u);
}

TEST(CompilerText, DecodesEscapesAndHexRuns) {
  const char* text = R"(*CommandString 1: "a%"b<1B 4 1b>c%%<41
42>d"
*FileVersion: 12345678901234567890
)";
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(text, &report);
  ASSERT_NE(work, nullptr);
  ASSERT_NE(work->commandStrings, nullptr);
  EXPECT_EQ(std::string(work->commandStrings->text, work->commandStrings->length),
            std::string("a\"b\x1b\x1b" "c%AB" "d") + '\0');
  EXPECT_EQ(kpdtest::Wide(work->header->version), L"12345678901234");
  WorkBKPD_Free(work);
}

// Strings of every length around the decoder's working buffer come out
// whole: plain text, an escape and a hex run at the end.
TEST(CompilerText, LongStringsAreDecodedWhole) {
  for (const std::size_t plain : {1000u, 1020u, 1021u, 1022u, 1023u, 1024u, 1025u, 3000u}) {
    SCOPED_TRACE(plain);
    std::string body;
    for (std::size_t i = 0; i < plain; ++i) body += static_cast<char>('a' + i % 26);
    const std::string text = "*CommandString 1: \"" + body + "%%<41 42>\"\n";
    KpdCompileReport report{};
    WorkBKPD* work = kpdtest::CompileText(text.c_str(), &report);
    ASSERT_NE(work, nullptr);
    ASSERT_NE(work->commandStrings, nullptr);
    EXPECT_EQ(std::string(work->commandStrings->text, work->commandStrings->length), body + "%AB" + '\0');
    WorkBKPD_Free(work);
  }
}

// A quoted value begins at its first quote, whatever comes before it; a
// value without one is the empty string. Inside a braced list entry the
// search stops at the entry's closing brace, so an entry without its
// string never takes the next entry's.
TEST(CompilerText, QuotedValueBeginsAtItsFirstQuote) {
  const char* text = R"(*CommandString 1: abc "X"
*CommandString 2: no quote at all
*UIResDLLName: library "kesm.dll"
*OpenUI *KPD_IDC_PRESET_CHOICE_COLOR: PickOne
*KPD_IDC_PRESET_CHOICE_COLOR: IDList{ {DMCOLOR_COLOR} {DMCOLOR_MONOCHROME "MONO"} }
*CloseUI
*OpenUI *KPD_IDC_PRESET_FUNCSELECTDUPLEX: Boolean
*KPD_IDC_PRESET_FUNCSELECTDUPLEX True: on "ON"
*OptionCommand: { "FIRST" }
*CloseUI
*DeviceFonts: IDList{ {1} {"Kesm Sans" 2} }
)";
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(text, &report);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(Faults(report), std::vector<KpdFault>{KpdFault::kBadValue});  // string 2
  ASSERT_NE(work->commandStrings, nullptr);
  EXPECT_EQ(std::string(work->commandStrings->text), "X");
  EXPECT_EQ(work->commandStrings->next, nullptr);
  EXPECT_EQ(kpdtest::Wide(work->header->uiResDllName), L"kesm.dll");
  const kpdtest::Packed packed = kpdtest::PackAndFree(work);
  const PCBKPD b = packed.Load();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Options(b, Group(b, "KPD_IDC_PRESET_CHOICE_COLOR")),
            (std::vector<std::string>{std::to_string(kpdtest::V("DMCOLOR_COLOR")) + ":-",
                                      std::to_string(kpdtest::V("DMCOLOR_MONOCHROME")) + ":MONO"}));
  const UiGroup* duplex = Group(b, "KPD_IDC_PRESET_FUNCSELECTDUPLEX");
  EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdBooleanValue(b, duplex)->trueCommand)), "ON");
  EXPECT_EQ(kpdtest::Text(BkpdAnsi(b, BkpdGroupCommands(b, duplex)->first)), "FIRST");
  EXPECT_EQ(BkpdGroupCommands(b, duplex)->second, 0u);
  EXPECT_EQ(BkpdFontCount(b, false), 0u);  // the list ends at the entry without a name
}

TEST(CompilerText, DigitAndAlphanumericChecks) {
  EXPECT_TRUE(_isdigit("0123"));
  EXPECT_TRUE(_isdigit(""));
  EXPECT_FALSE(_isdigit("12a"));
  EXPECT_TRUE(_isalnum("Tray7"));
  EXPECT_FALSE(_isalnum("Tray_7"));
  EXPECT_FALSE(_isalnum(nullptr));
}

}  // namespace

// A maximum length is a count: a negative one is refused, not stored as a
// huge unsigned limit, and the record keeps its earlier length.
TEST(CompilerRanges, NegativeStringLengthIsRefused) {
  const std::string text =
      "*OpenUI *KPD_IDC_PRINTTYPE_JOBPASSWORD: String\n"
      "*StringValue: 4 ASCII\n"
      "*StringValue: -5 ASCII\n"
      "*CloseUI\n";
  KpdCompileReport report{};
  const kpdtest::Packed packed = kpdtest::PackAndFree(kpdtest::CompileText(text, &report));
  ASSERT_EQ(report.faultCount, 1u);
  EXPECT_EQ(report.faults[0].fault, KpdFault::kNumberRange);
  const PCBKPD b = packed.Load();
  ASSERT_NE(b, nullptr);
  const UiGroup* g = nullptr;
  for (const UiGroup* group = BkpdFirstGroup(b); group != nullptr; group = BkpdNext(b, group)) {
    if (BkpdStringValue(b, group) != nullptr) g = group;
  }
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(BkpdStringValue(b, g)->maxLength, 4);
}
