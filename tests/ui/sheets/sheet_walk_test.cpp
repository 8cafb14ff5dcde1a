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
// an empty box). Since the Edit page's controls were rearranged this walk
// first reaches the margin shift edit, whose value OK hands out beyond what
// validation keeps (setting 98: 10800, validation makes it 0): the walk waits
// in fuzz/corpus/sheet_monkey_pending, which scripts/fuzz does not replay,
// until that mend lands; then it moves back and this test is enabled.
TEST_F(SheetWalkSeeds, DISABLED_PageAlertHasText) {
  EXPECT_EQ(Replay(kCorpus / "sheet_monkey_pending" / "boxes-page-alert"), "");
}

// On the alerts printer a walk's OK hands out the paper length and width
// unturned, and validation turns them (settings 9 and 10: 2970 x 2100 come
// back as 2100 x 2970). Enable and move the walk to fuzz/corpus/sheet_monkey
// when the mend lands.
TEST_F(SheetWalkSeeds, DISABLED_AlertsPaperLengthAndWidthAreKept) {
  EXPECT_EQ(Replay(kCorpus / "sheet_monkey_pending" / "ok-validates-alerts-paper-turned"), "");
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
