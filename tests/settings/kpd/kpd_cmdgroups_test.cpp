// The job command trees: every item form compiles and packs into the tree
// the loaded description gives back; malformed trees are refused with
// their fault and leave the earlier tree of their job type.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/base/control.h"
#include "tests/settings/bkpd/bkpd_sample.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

using kpdtest::Fill;

constexpr const char* kPrelude = R"(*CommandString 1: "ONE"
*CommandString 2: "TWO"
*CommandString 3: "THREE"
*Judge 1=IsColour: KPD_IDC_PRESET_CHOICE_COLOR == DMCOLOR_COLOR
*Judge 2=IsDuplex: KPD_IDC_PRESET_FUNCSELECTDUPLEX == 1
)";

struct TreeCase {
  const char* name;
  const char* text;  // after the prelude
  std::vector<KpdFault> faults;
  const char* trees;  // the loaded trees, with {v:...} and {g:...} placeholders
};

void PrintTo(const TreeCase& c, std::ostream* os) { *os << c.name; }

constexpr const char* kColour = "[1:15 2:{v:DMCOLOR_COLOR} 3:1 3:10 ]";

const TreeCase kTrees[] = {
    {"StringGroupAndFontItems",
     "*CommandGroup: JobStart { Type : StringType 1 Type : GroupType *KPD_IDC_PRESET_COPIES -3\n"
     "  Type : GroupType KPD_IDC_PRESET_CHOICE_COLOR\n  Type : FontType }\n",
     {},
     "JobStart\n  when []\n    string 4 'ONE'\n    group {g:KPD_IDC_PRESET_COPIES} -3\n"
     "    group {g:KPD_IDC_PRESET_CHOICE_COLOR} 0\n    fonts\n"},
    {"EachJobTypeFillsItsSlot",
     "*CommandGroup: PageEnd { Type : StringType 1 }\n*CommandGroup: DocReset { Type : StringType 2 }\n"
     "*CommandGroup: JobEnd { Type : StringType 3 }\n*CommandGroup: PageStart { Type : FontType }\n"
     "*CommandGroup: JobStart { Type : GroupType KPD_IDC_PRESET_COPIES }\n",
     {},
     "JobStart\n  when []\n    group {g:KPD_IDC_PRESET_COPIES} 0\nJobEnd\n  when []\n    string 6 'THREE'\n"
     "DocReset\n  when []\n    string 4 'TWO'\nPageStart\n  when []\n    fonts\nPageEnd\n  when []\n"
     "    string 4 'ONE'\n"},
    {"ConditionalWithElse",
     "*CommandGroup: PageStart { Command : IsColour { Type : StringType 1 } Else { Type : StringType 2 } }\n",
     {},
     "PageStart\n  when []\n    nested\n      when COLOUR\n        string 4 'ONE'\n      else\n"
     "        string 4 'TWO'\n"},
    {"ElseIfChainNests",
     "*CommandGroup: JobStart {\n  Command : IsColour { Type : StringType 1 }\n"
     "  ElseIf : IsDuplex { Type : StringType 2 }\n  ElseIf : NULL { Type : StringType 3 }\n"
     "  Type : FontType\n}\n",
     {},
     "JobStart\n  when []\n    nested\n      when COLOUR\n        string 4 'ONE'\n      else\n        nested\n"
     "          when [1:58 2:1 3:1 3:10 ]\n            string 4 'TWO'\n          else\n            nested\n"
     "              when []\n                string 6 'THREE'\n    fonts\n"},
    {"NullGuardedBlockIsPlain",
     "*CommandGroup: DocReset { Command : NULL { Type : StringType 1 Type : FontType } }\n",
     {},
     "DocReset\n  when []\n    nested\n      when []\n        string 4 'ONE'\n        fonts\n"},
    // Mended: an item word against its colon takes that colon, not the
    // next item's.
    {"ItemWordAgainstItsColon",
     "*CommandGroup: JobEnd { Type: StringType 1 Command: IsColour { Type: FontType } }\n",
     {},
     "JobEnd\n  when []\n    string 4 'ONE'\n    nested\n      when COLOUR\n        fonts\n"},
    {"ConditionalWithoutItsBlockStoresNothing",
     "*CommandGroup: JobStart { Command : IsColour Type : FontType }\n",
     {},
     "JobStart\n  when []\n    fonts\n"},
    // Mended: an unknown group keyword drops its item with its number only;
    // the items after it on the same line stay.
    {"UnknownItemsAreDroppedAndNoted",
     "*CommandGroup: JobStart { Type : GroupType *KPD_NoSuch 3 Type : StringType 0 Type : StringType 1 }\n",
     {KpdFault::kUnknownGroup, KpdFault::kBadValue},
     "JobStart\n  when []\n    string 4 'ONE'\n"},
    {"StringOfNoCommandStringIsEmpty",
     "*CommandGroup: JobStart { Type : StringType 9 }\n",
     {},
     "JobStart\n  when []\n    string 0 ''\n"},
    {"BlockOfNothingLeavesNoTree",
     "*CommandGroup: JobEnd { Type : StringType 1 }\n*CommandGroup: JobEnd { Type : StringType 0 }\n"
     "*CommandGroup: JobStart { }\n",
     {KpdFault::kBadValue},
     ""},
    {"LaterTreeReplacesEarlier",
     "*CommandGroup: PageEnd { Type : StringType 1 }\n*CommandGroup: PageEnd { Type : StringType 2 }\n",
     {},
     "PageEnd\n  when []\n    string 4 'TWO'\n"},
    // Mended: a conditional may name a judge defined after its tree.
    {"GuardsNameJudgesDefinedLater",
     "*CommandGroup: JobEnd { Command : Judge5 { Type : StringType 1 }\n"
     "  ElseIf : Judge6 { Type : StringType 2 } Else { Type : FontType } }\n"
     "*Judge 5: KPD_IDC_PRESET_COPIES > 1\n*Judge 6: KPD_IDC_PRESET_COPIES < 9\n",
     {},
     "JobEnd\n  when []\n    nested\n      when [1:12 2:1 3:6 3:10 ]\n        string 4 'ONE'\n      else\n"
     "        nested\n          when [1:12 2:9 3:7 3:10 ]\n            string 4 'TWO'\n          else\n"
     "            fonts\n"},
    // Trees are put in their slots in the order written: one refused at the
    // end of the text leaves the tree before it, whatever judges that one
    // waited for.
    {"ATreeRefusedAtTheEndKeepsTheOneBefore",
     "*CommandGroup: PageStart { Command : Judge5 { Type : StringType 1 } }\n"
     "*CommandGroup: PageStart { Command : Judge7 { Type : StringType 2 } }\n"
     "*CommandGroup: PageEnd { Command : Judge8 { Type : StringType 2 } }\n"
     "*CommandGroup: PageEnd { Type : StringType 3 }\n"
     "*Judge 5: KPD_IDC_PRESET_COPIES > 1\n",
     {KpdFault::kUnknownJudge, KpdFault::kUnknownJudge},
     "PageStart\n  when []\n    nested\n      when [1:12 2:1 3:6 3:10 ]\n        string 4 'ONE'\n"
     "PageEnd\n  when []\n    string 6 'THREE'\n"},
    // Refused entries leave the earlier tree.
    {"RefusedTreesKeepTheEarlierOne",
     "*CommandGroup: JobStart { Type : StringType 1 }\n"
     "*CommandGroup: JobStart { Command : Judge7 { Type : FontType } }\n"
     "*CommandGroup: JobStart { Command : IsNothing { Type : FontType } }\n"
     "*CommandGroup: JobStart { Command : NULL { Type : FontType } Else { Type : StringType 2 } }\n"
     "*CommandGroup: JobStart { Print : StringType 2 }\n"
     "*CommandGroup: JobStart { Type : PictureType 2 }\n"
     "*CommandGroup: JobStart { Type : GroupType KPD_IDC_PRESET_COPIES 40000 }\n"
     "*CommandGroup: JobStart { Type : StringType 99999999999 }\n"
     "*CommandGroup: JobStart Type : FontType\n"
     "*CommandGroup: PageMiddle { Type : FontType }\n"
     "*CommandGroup:\n",
     {KpdFault::kUnknownJudge, KpdFault::kUnknownJudge, KpdFault::kBadValue, KpdFault::kBadValue,
      KpdFault::kBadValue, KpdFault::kNumberRange, KpdFault::kNumberRange, KpdFault::kBadValue,
      KpdFault::kUnknownValue, KpdFault::kUnknownValue},
     "JobStart\n  when []\n    string 4 'ONE'\n"},
};

class CommandTrees : public testing::TestWithParam<TreeCase> {};

std::string Expected(const char* trees) {
  std::string text = trees;
  for (size_t at = text.find("COLOUR"); at != std::string::npos; at = text.find("COLOUR")) {
    text.replace(at, 6, kColour);
  }
  return Fill(text);
}

TEST_P(CommandTrees, CompileToTheTreesTheLoaderGivesBack) {
  const TreeCase& c = GetParam();
  const size_t before = plat::LiveBlocks();
  {
    KpdCompileReport report{};
    const kpdtest::Packed packed =
        kpdtest::PackAndFree(kpdtest::CompileText(std::string(kPrelude) + c.text, &report));
    EXPECT_EQ(kpdtest::Faults(report), c.faults);
    const PCBKPD b = packed.Load();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(sample::DescribeCommandTrees(b), Expected(c.trees));
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(Compiler, CommandTrees, testing::ValuesIn(kTrees),
                         [](const auto& info) { return std::string(info.param.name); });

// Nested blocks up to the depth a compiled description holds.
std::string NullBlocks(int levels) {
  std::string value = "JobStart {";
  for (int i = 0; i < levels; ++i) value += " Command : NULL {";
  value += " Type : FontType";
  for (int i = 0; i <= levels; ++i) value += " }";
  return value;
}

std::string ElseIfChain(int elseIfs) {
  std::string value = "PageEnd { Command : Judge1 { Type : FontType }";
  for (int i = 0; i < elseIfs; ++i) value += " ElseIf : Judge1 { Type : FontType }";
  return value + " }";
}

TEST(CommandTreeLimits, NestingIsBoundedAsTheLoaderBoundsIt) {
  const size_t before = plat::LiveBlocks();
  {
    kpdtest::EntryFeed feed;
    ASSERT_EQ(feed.Feed("Judge", "1", "KPD_IDC_PRESET_COPIES > 1"), KpdFault::kNone);
    EXPECT_EQ(feed.Feed("CommandGroup", "", NullBlocks(kBkpdMaxCommandDepth - 1)), KpdFault::kNone);
    EXPECT_EQ(feed.Feed("CommandGroup", "", NullBlocks(kBkpdMaxCommandDepth)), KpdFault::kTooDeep);
    EXPECT_EQ(feed.Feed("CommandGroup", "", NullBlocks(1000)), KpdFault::kTooDeep);
    // The conditional block is one level, each ElseIf one more.
    EXPECT_EQ(feed.Feed("CommandGroup", "", ElseIfChain(kBkpdMaxCommandDepth - 2)), KpdFault::kNone);
    EXPECT_EQ(feed.Feed("CommandGroup", "", ElseIfChain(kBkpdMaxCommandDepth - 1)), KpdFault::kTooDeep);
    // What was taken packs whole: nothing is cut at the loader's bound.
    const kpdtest::Packed packed = kpdtest::PackAndFree(feed.Release());
    const PCBKPD b = packed.Load();
    ASSERT_NE(b, nullptr);
    int depth = 0;
    for (const BKPDCOMMANDGROUP* g = BkpdCommandGroup(b, kBkpdJobStart); g != nullptr; ++depth) {
      const CmdNestedEntry* n = BkpdAsNestedEntry(b, BkpdCommandMain(b, g));
      g = n == nullptr ? nullptr : BkpdNestedGroup(b, n);
    }
    EXPECT_EQ(depth, static_cast<int>(kBkpdMaxCommandDepth));
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

// Values no reader would hand over: a block whose brace never closes.
TEST(CommandTreeBraces, UnclosedBlocksAreRefused) {
  kpdtest::EntryFeed feed;
  EXPECT_EQ(feed.Feed("CommandGroup", "", "JobStart { Type : FontType"), KpdFault::kUnclosedBraces);
  EXPECT_EQ(feed.Feed("CommandGroup", "", "JobStart { Command : NULL { Type : FontType }"),
            KpdFault::kUnclosedBraces);
  EXPECT_EQ(feed.Feed("CommandGroup", "", "JobStart { Type : FontType } trailing"), KpdFault::kNone);
  EXPECT_NE(feed.work()->header->commandGroups[kBkpdJobStart], nullptr);
}

}  // namespace
