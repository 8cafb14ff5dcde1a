// Descriptions that kesmprint installs: each printer's in a file of its own,
// and a new one printed from at once, not from the compiled cache of the
// one it replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/spooler/spoolsetup.h"
#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

// The installed descriptions' texts (the data files of the driver folder).
std::vector<std::string> InstalledDescriptions() {
  std::vector<std::string> texts;
  for (const auto& entry : fs::directory_iterator(plat::DriverFilesFolder())) {
    if (entry.path().extension() == ".KPD") texts.push_back(KesmPrint::Text(entry.path()));
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The names of these two printers make the same data-file name at first
// (their names' hashes agree in the bits the name takes).
TEST_F(KesmPrint, PrintersWhoseDataFileNamesWouldAgreeKeepTheirOwnDescriptions) {
  const std::string sample = KESMPRINT_SAMPLE_DESCRIPTION;
  const std::string r5 = KESM_TEST_DATA "/kpd/kesm_r5_render.kpd";
  ASSERT_EQ(Print({"--printer", "Lab 22969", "--description", sample}).code, 0);
  ASSERT_EQ(Print({"--printer", "Lab 76814", "--description", r5}).code, 0);
  std::vector<std::string> expected{Text(sample), Text(r5)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(InstalledDescriptions(), expected);
  const Result again = Print({"--printer", "Lab 22969", "-o", "again.kesm"});
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_TRUE(Has(Text(folder_ / "again.kesm"), "@PJL SET PRINTERNAME = \"Lab 22969\"")) << "the sample's header";
}

// The configuration side of a run (a job that chooses settings) leaves the
// compiled cache beside the description; the rendering library takes that
// cache without comparing times. A new description replaces the cache too.
TEST_F(KesmPrint, ANewDescriptionIsPrintedFromAtOnce) {
  ASSERT_EQ(Print({"--printer", "Cached", "--glyph-bitmaps", "-o", "first.kesm"}).code, 0);
  bool cached = false;
  for (const auto& entry : fs::directory_iterator(plat::DriverFilesFolder())) {
    cached = cached || entry.path().extension() == ".BCS";
  }
  ASSERT_TRUE(cached) << "the run left a compiled cache";
  EXPECT_TRUE(Has(Text(folder_ / "first.kesm"), "@PJL SET QTY = 1")) << "the sample's copies line";

  std::string changed = Text(KESMPRINT_SAMPLE_DESCRIPTION);
  const std::string quantity = "@PJL SET QTY = ";
  changed.replace(changed.find(quantity), quantity.size(), "@PJL SET COPIES = ");
  Write(folder_ / "changed.kpd", changed);
  const Result result = Print({"--printer", "Cached", "--description", "changed.kpd", "-o", "second.kesm"});
  ASSERT_EQ(result.code, 0) << result.err;
  const std::string second = Text(folder_ / "second.kesm");
  EXPECT_TRUE(Has(second, "@PJL SET COPIES = 1")) << "printed from the new description";
  EXPECT_FALSE(Has(second, "@PJL SET QTY")) << "not from the old cache";
}

}  // namespace
