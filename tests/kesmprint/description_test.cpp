// Descriptions that kesmprint installs: each printer's in a file of its own,
// and a new one printed from at once, not from the compiled cache of the
// one it replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <utility>
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

namespace {

// The data and cache files of the driver folder, with their bytes.
std::map<fs::path, std::string> DriverFiles(const fs::path& machine) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(machine / "drive")) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && extension != ".dll") files[entry.path().filename()] = KesmPrint::Text(entry.path());
  }
  return files;
}

// Descriptions that compile but on which no page can be set up, made from
// a small description that prints.
std::vector<std::pair<std::string, std::string>> BadDescriptions() {
  const std::string good = KesmPrint::Text(KESM_TEST_DATA "/kpd/kesm_r5_render.kpd");
  std::mt19937 random(61);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string utf16 = "\xFF\xFE";
  for (char c : good) utf16 += std::string{c, '\0'};
  std::string absurd = good;
  const std::string area = "\"50 50 2450 3200 2550 3300\"";
  absurd.replace(absurd.find(area), area.size(), "\"0 0 2147483647 2147483647 2147483647 2147483647\"");
  return {{"noise.kpd", noise},
          {"letter.kpd", "Dear reader,\nthis is a letter, not a printer description.\n"},
          {"cut.kpd", good.substr(0, good.size() / 2)},
          {"utf16.kpd", utf16},
          {"absurd.kpd", absurd}};
}

}  // namespace

// A description replaces a working one only when a page can be set up on
// it; otherwise the printer keeps its description and cache, the message
// names the description and why, and the printer goes on printing.
TEST_F(KesmPrint, ADescriptionOnWhichNoPageCanBeSetUpLeavesTheWorkingOne) {
  ASSERT_EQ(Run({"--glyph-bitmaps", "-o", "first.kesm"}).code, 0);
  const auto before = DriverFiles(folder_ / "machine");
  ASSERT_EQ(std::count_if(before.begin(), before.end(), [](const auto& f) { return f.first.extension() == ".BCS"; }),
            1)
      << "a compiled cache to keep";
  for (const auto& [name, bytes] : BadDescriptions()) {
    SCOPED_TRACE(name);
    Write(folder_ / name, bytes);
    const Result refused = Run({"--description", name, "-o", "refused.kesm"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err.rfind("kesmprint: the description " + name + " cannot be ", 0), 0u) << refused.err;
    EXPECT_TRUE(Has(refused.err, "; the printer Kesm Sample keeps its description\n")) << refused.err;
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1);
    EXPECT_TRUE(DriverFiles(folder_ / "machine") == before) << "the description and its cache as they were";
    EXPECT_FALSE(fs::exists(folder_ / "refused.kesm"));
    const Result after = Run({"--glyph-bitmaps", "-o", "after.kesm"});
    EXPECT_EQ(after.code, 0) << after.err;
  }
}

// A new printer from such a description stays installed; the install and
// every later print say that it cannot print and why, naming the user's
// description.
TEST_F(KesmPrint, APrinterInstalledFromADescriptionThatCannotPrintSaysSo) {
  int n = 0;
  for (const auto& [name, bytes] : BadDescriptions()) {
    SCOPED_TRACE(name);
    Write(folder_ / name, bytes);
    const std::string printer = "Bad " + std::to_string(++n);
    const Result installed = Run({"--printer", printer, "--description", name});
    EXPECT_EQ(installed.code, 1);
    EXPECT_TRUE(Has(installed.out, "installed the printer " + printer + " from the description " + name +
                                       ", but it cannot print: no page can be set up on it: "))
        << installed.out;
    EXPECT_EQ(installed.err.rfind("kesmprint: the job of the sample document was not printed: the printer " + printer +
                                      " cannot print with the description " + name + ": no page can be set up on it: ",
                                  0),
              0u)
        << installed.err;
    const Result later = Run({"--printer", printer});
    EXPECT_EQ(later.code, 1);
    EXPECT_FALSE(Has(later.out, "installed")) << later.out;
    EXPECT_TRUE(Has(later.err, "the printer " + printer + " cannot print with the description " + name +
                                   ": no page can be set up on it: "))
        << later.err;
  }
}

// -o naming the description is refused before anything changes: the
// printer keeps the description it had.
TEST_F(KesmPrint, AnOutputThatIsTheDescriptionIsRefusedBeforeTheDescriptionIsTaken) {
  const std::string r5 = KESM_TEST_DATA "/kpd/kesm_r5_render.kpd";
  ASSERT_EQ(Run({"--printer", "Lab", "--description", r5, "-o", "first.kesm"}).code, 0);
  fs::copy_file(KESMPRINT_SAMPLE_DESCRIPTION, folder_ / "desc.kpd");
  const auto before = DriverFiles(folder_ / "machine");
  const Result result = Run({"--printer", "Lab", "--description", "desc.kpd", "-o", "desc.kpd"});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "kesmprint: the output desc.kpd is the description desc.kpd: it would be overwritten\n");
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(DriverFiles(folder_ / "machine") == before) << "the printer's description as it was";
  EXPECT_EQ(Text(folder_ / "desc.kpd"), Text(KESMPRINT_SAMPLE_DESCRIPTION));
}
