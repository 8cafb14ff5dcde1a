// The sheet monkey's kept walks, replayed as the fuzz target walks them:
// every walk of fuzz/corpus/sheet_monkey keeps every rule a sheet keeps
// (tests/common/sheet_walk.h). A walk that once broke a rule stays there
// as a seed, with a test of its own where the rule needs naming.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/common/sheet_walk.h"

namespace ui_test {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(KESM_TEST_DATA) / ".." / ".." / "fuzz" / "corpus";

std::vector<std::uint8_t> ReadSeed(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Describe(const std::vector<kesm_test::WalkFinding>& findings) {
  std::string text;
  for (const auto& finding : findings) text += finding.rule + ": " + finding.detail + "\n";
  return text;
}

class SheetWalkSeeds : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(walks_.setupError(), ""); }

  // The rules a kept walk breaks, by name and detail ("" when none).
  std::string Replay(const std::filesystem::path& seed) {
    const std::vector<std::uint8_t> input = ReadSeed(seed);
    EXPECT_FALSE(input.empty()) << seed;
    return Describe(walks_.Walk(input));
  }

  kesm_test::SheetWalks walks_;
};

TEST_F(SheetWalkSeeds, EveryKeptWalkKeepsEveryRule) {
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "sheet_monkey")) seeds.push_back(entry.path());
  std::sort(seeds.begin(), seeds.end());
  ASSERT_FALSE(seeds.empty());
  for (const auto& seed : seeds) EXPECT_EQ(Replay(seed), "") << seed.filename();
}

// The copies alert of the page-alert printer shows its text (it once showed
// an empty box). On its way this walk types a margin shift wider than
// validation keeps (setting 98: 10800 came back as 0), which the edit now
// holds as validation does.
TEST_F(SheetWalkSeeds, PageAlertHasText) {
  EXPECT_EQ(Replay(kCorpus / "sheet_monkey" / "boxes-page-alert"), "");
}

// On the alerts printer, whose description gives A4 no printable area, the
// walk turns the paper and presses OK: the length and width go out turned
// as validation turns them (settings 9 and 10 once went out as 2970 x 2100
// and came back as 2100 x 2970).
TEST_F(SheetWalkSeeds, AlertsPaperLengthAndWidthAreKept) {
  EXPECT_EQ(Replay(kCorpus / "sheet_monkey" / "ok-validates-alerts-paper-turned"), "");
}

// Each printer's sheets open and close again, and the first byte of a walk
// reaches every printer.
TEST_F(SheetWalkSeeds, EveryPrinterOpensBothSheets) {
  for (std::uint8_t printer = 0; printer < kesm_test::WalkPrinters().size(); ++printer) {
    for (const std::uint8_t sheet : {0, 1}) {
      const std::vector<std::uint8_t> input{printer, sheet};
      EXPECT_EQ(Describe(walks_.Walk(input)), "") << kesm_test::WalkPrinters()[printer].description;
    }
  }
}


}  // namespace
}  // namespace ui_test
