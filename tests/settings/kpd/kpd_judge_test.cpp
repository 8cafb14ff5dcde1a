// Judge expressions against the postfix tokens they compile to: strictly
// left to right, parentheses the only grouping, names of earlier judges
// inlined; and every expression that cannot be compiled whole refused with
// its fault rather than shortened into another judge.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "platform/base/control.h"
#include "settings/values/setting_lookup.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

using kpdtest::EntryFeed;

// Tokens as text: a setting as "s<id>", a constant as its number, an
// operator as written, the end token as "end".
std::string Tokens(const WorkJudge* j) {
  static const char* const kOps[] = {"?", "==", "!=", "&&", "||", "!", ">", "<", ">=", "<=", "end"};
  std::string out;
  for (DWORD i = 0; j != nullptr && i < j->areaSize / sizeof(JudgeToken); ++i) {
    const JudgeToken& t = j->tokens[i];
    out += out.empty() ? "" : " ";
    if (t.kind == kJudgeSetting) {
      out += "s" + std::to_string(t.value);
    } else if (t.kind == kJudgeConstant) {
      out += std::to_string(t.value);
    } else {
      out += t.value <= kJudgeOpEnd ? kOps[t.value] : "?";
    }
  }
  return out;
}

const WorkJudge* Judge(const WorkBKPD* w, DWORD number) {
  for (const WorkJudge* j = w->judges; j != nullptr; j = j->next) {
    if (j->number == number) return j;
  }
  return nullptr;
}

// Settings of the expressions: A copies (12), B duplex (58), C colour (15).
bool IsWordChar(char ch) { return isalnum(static_cast<unsigned char>(ch)) != 0 || ch == '_'; }

std::string Expand(std::string expression) {
  const std::pair<char, const char*> names[] = {
      {'A', "KPD_IDC_PRESET_COPIES"}, {'B', "KPD_IDC_PRESET_FUNCSELECTDUPLEX"}, {'C', "KPD_IDC_PRESET_CHOICE_COLOR"}};
  std::string out;
  for (size_t i = 0; i < expression.size(); ++i) {
    const char ch = expression[i];
    const bool alone = (i == 0 || !IsWordChar(expression[i - 1])) &&
                       (i + 1 == expression.size() || !IsWordChar(expression[i + 1]));
    const char* name = nullptr;
    for (const auto& [letter, keyword] : names) {
      if (alone && ch == letter) name = keyword;
    }
    out += name != nullptr ? std::string(name) : std::string(1, ch);
  }
  return out;
}

struct ExpressionCase {
  const char* expression;
  const char* tokens;  // empty when refused
  KpdFault fault;
};

void PrintTo(const ExpressionCase& c, std::ostream* os) { *os << c.expression; }

const ExpressionCase kExpressions[] = {
    {"A == 1", "s12 1 == end", KpdFault::kNone},
    {"!A", "s12 ! end", KpdFault::kNone},
    {"A", "s12 end", KpdFault::kNone},
    {"A == 1 && B", "s12 1 == s58 && end", KpdFault::kNone},
    // No precedence: the order of writing is the order of applying.
    {"A || B && C", "s12 s58 || s15 && end", KpdFault::kNone},
    {"A >= 10 && A <= 20", "s12 10 >= s12 && 20 <= end", KpdFault::kNone},
    {"(A >= 10) && (A <= 20)", "s12 10 >= s12 20 <= && end", KpdFault::kNone},
    {"(B || C) && A", "s58 s15 || s12 && end", KpdFault::kNone},
    {"A != 65535", "s12 65535 != end", KpdFault::kNone},
    {"A > 0 || A < 7", "s12 0 > s12 || 7 < end", KpdFault::kNone},
    {"((A))", "s12 end", KpdFault::kNone},
    {"C == DMCOLOR_MONOCHROME", "", KpdFault::kNone},  // filled in below with the value index
    // Mended: the operator before a parenthesised group applies to it.
    {"A && (B || C)", "s12 s58 s15 || && end", KpdFault::kNone},
    {"!(A == 1)", "s12 1 == ! end", KpdFault::kNone},
    {"!(A == 1) && !(B)", "", KpdFault::kBadJudge},  // "&&" then "!": "&&" meets one value
    // Mended: an expression ending on an operator is refused.
    {"A &&", "", KpdFault::kBadJudge},
    {"A && (B ||)", "", KpdFault::kBadJudge},
    {"!", "", KpdFault::kBadJudge},
    // A '-' cannot start a number: the judge is refused, not cut at "A ==".
    {"A == -1", "", KpdFault::kBadJudge},
    {"A == 65536", "", KpdFault::kNumberRange},
    {"A == 99999999999", "", KpdFault::kNumberRange},
    {"A == 1.5", "", KpdFault::kBadJudge},
    {"A == 1 ; B", "", KpdFault::kBadJudge},
    // Operators not in the table would vanish and change the judge.
    {"A === 1", "", KpdFault::kBadJudge},
    {"!!A", "", KpdFault::kBadJudge},
    // Unbalanced parentheses (no reader hands these over, the compiler
    // refuses them all the same).
    {"(A == 1", "", KpdFault::kBadJudge},
    {"A == 1)", "", KpdFault::kBadJudge},
    {"A == 1 {", "", KpdFault::kBadJudge},
    // The stack-depth check.
    {"A B", "", KpdFault::kBadJudge},
    {"== A", "", KpdFault::kBadJudge},
    {"", "", KpdFault::kBadJudge},
    {"A == NOT_A_KEYWORD", "", KpdFault::kUnknownValue},
};

class JudgeExpressions : public testing::TestWithParam<ExpressionCase> {};

TEST_P(JudgeExpressions, CompileToTheirTokensOrAreRefused) {
  const ExpressionCase& c = GetParam();
  std::string expected = c.tokens;
  if (std::string(c.expression).find("DMCOLOR_MONOCHROME") != std::string::npos) {
    expected = "s15 " + std::to_string(GetSPbyKeyWord("DMCOLOR_MONOCHROME")->valueIndex) + " == end";
  }
  const size_t before = plat::LiveBlocks();
  {
    EntryFeed feed;
    EXPECT_EQ(feed.Feed("Judge", "9", Expand(c.expression)), c.fault) << KpdFaultName(c.fault);
    EXPECT_EQ(Tokens(Judge(feed.work(), 9)), expected);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

INSTANTIATE_TEST_SUITE_P(Compiler, JudgeExpressions, testing::ValuesIn(kExpressions));

// The same through the reader: a judge in a description file.
TEST(JudgeText, CompilesFromTheDescription) {
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(
      "*Judge 3: ((KPD_IDC_PRESET_COPIES > 1)\r\n   && (KPD_IDC_PRESET_FUNCSELECTDUPLEX == 1))\r\n"
      "*Judge 4: KPD_IDC_PRESET_COPIES == 1)\r\n",
      &report);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(Tokens(Judge(work, 3)), "s12 1 > s58 1 == && end");
  EXPECT_EQ(Judge(work, 4), nullptr);  // the reader refuses the stray ')'
  EXPECT_EQ(kpdtest::Faults(report), std::vector<KpdFault>{KpdFault::kSyntax});
  WorkBKPD_Free(work);
}

TEST(JudgeMacros, NameEarlierJudgesWhoseTokensAreInlined) {
  EntryFeed feed;
  ASSERT_EQ(feed.Feed("Judge", "1=Many", Expand("A > 1")), KpdFault::kNone);
  ASSERT_EQ(feed.Feed("Judge", "2=Both", Expand("Many && B == 1")), KpdFault::kNone);
  ASSERT_EQ(feed.Feed("Judge", "3", Expand("!(Both) || Many")), KpdFault::kNone);
  EXPECT_EQ(Tokens(Judge(feed.work(), 2)), "s12 1 > s58 && 1 == end");
  EXPECT_EQ(Tokens(Judge(feed.work(), 3)), "s12 1 > s58 && 1 == ! s12 1 > || end");
  // A name bound twice keeps its first judge.
  ASSERT_EQ(feed.Feed("Judge", "4=Many", Expand("B")), KpdFault::kNone);
  ASSERT_EQ(feed.Feed("Judge", "5", "Many"), KpdFault::kNone);
  EXPECT_EQ(Tokens(Judge(feed.work(), 5)), "s12 1 > end");
}

TEST(JudgeMacros, NamesOfLaterOrRefusedJudgesAreRefused) {
  EntryFeed feed;
  // A judge defined later is not known yet.
  EXPECT_EQ(feed.Feed("Judge", "1", "Later"), KpdFault::kUnknownValue);
  EXPECT_EQ(feed.Feed("Judge", "2=Later", Expand("A")), KpdFault::kNone);
  // The name of a refused judge stays bound, but names no judge.
  EXPECT_EQ(feed.Feed("Judge", "3=Broken", Expand("A &&")), KpdFault::kBadJudge);
  EXPECT_EQ(feed.Feed("Judge", "4", "Broken || Later"), KpdFault::kUnknownJudge);
  // A judge naming itself finds only an earlier judge of its number.
  EXPECT_EQ(feed.Feed("Judge", "5=Self", "Self"), KpdFault::kUnknownJudge);
  EXPECT_EQ(Judge(feed.work(), 1), nullptr);
  EXPECT_EQ(Judge(feed.work(), 4), nullptr);
}

TEST(JudgeNumbers, MustBeOneTo65535) {
  EntryFeed feed;
  EXPECT_EQ(feed.Feed("Judge", "X", Expand("A")), KpdFault::kBadValue);
  EXPECT_EQ(feed.Feed("Judge", "=Name", Expand("A")), KpdFault::kBadValue);
  EXPECT_EQ(feed.Feed("Judge", "65536", Expand("A")), KpdFault::kNumberRange);
  EXPECT_EQ(feed.Feed("Judge", "-3", Expand("A")), KpdFault::kNumberRange);
  EXPECT_EQ(feed.Feed("Judge", "65535", Expand("A")), KpdFault::kNone);
  EXPECT_EQ(feed.work()->judges->next, nullptr);
}

TEST(JudgeLimits, DepthAndNesting) {
  EntryFeed feed;
  const std::string a = Expand("A");
  std::string operands;
  for (int i = 0; i < 128; ++i) operands += a + " ";
  EXPECT_EQ(feed.Feed("Judge", "1", operands), KpdFault::kBadJudge);  // 128 values deep
  // 127 values, then 126 operators bring them back to one.
  std::string deep = a;
  for (int i = 1; i < 127; ++i) deep += " == (" + a;
  deep += std::string(126, ')');
  EXPECT_EQ(feed.Feed("Judge", "2", deep), KpdFault::kNone);
  EXPECT_EQ(feed.Feed("Judge", "3", a + " == (" + deep + ")"), KpdFault::kBadJudge);  // 128 values
  EXPECT_EQ(feed.Feed("Judge", "4", std::string(127, '(') + a + std::string(127, ')')), KpdFault::kNone);
  EXPECT_EQ(feed.Feed("Judge", "5", std::string(128, '(') + a + std::string(128, ')')), KpdFault::kTooDeep);
  EXPECT_EQ(Tokens(Judge(feed.work(), 4)), "s12 end");
}

TEST(JudgeLimits, InliningCannotGrowAJudgePastItsBound) {
  const size_t before = plat::LiveBlocks();
  {
    EntryFeed feed;
    ASSERT_EQ(feed.Feed("Judge", "1=J1", Expand("A == 1")), KpdFault::kNone);
    DWORD number = 2;
    KpdFault fault = KpdFault::kNone;
    // Each judge holds its predecessor twice: the tokens double each time.
    for (; number < 20 && fault == KpdFault::kNone; ++number) {
      const std::string previous = "J" + std::to_string(number - 1);
      fault = feed.Feed("Judge", std::to_string(number) + "=J" + std::to_string(number), previous + " && " + previous);
    }
    EXPECT_EQ(fault, KpdFault::kJudgeTooLong);
    const WorkJudge* longest = Judge(feed.work(), number - 2);
    ASSERT_NE(longest, nullptr);
    EXPECT_LE(longest->areaSize / sizeof(JudgeToken), kJudgeMaxTokens);
    EXPECT_GT(longest->areaSize / sizeof(JudgeToken) * 2, kJudgeMaxTokens);
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
}

}  // namespace
