// Every description of tests/data/kpd compiles, packs and loads to exactly
// what its golden files in tests/data/kpd/golden hold: the packed block byte
// for byte (<name>.bkpd), and the compile's CRC, end result, faults and the
// loader's answer (<name>.txt). The golden files pin the compiler's output
// while its insides change. After a change that is meant to alter the
// output, run this test with KESM_UPDATE_GOLDEN=1 to write them anew, and
// review the difference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(KESM_TEST_DATA) / "kpd";
const fs::path kGolden = kFixtures / "golden";

struct Compiled {
  std::vector<BYTE> block;
  std::string summary;
};

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Compiled Compile(const std::string& text) {
  KpdCompileReport report{};
  WorkBKPD* work = kpdtest::CompileText(text, &report);
  std::ostringstream summary;
  summary << "compiled " << (work != nullptr ? "yes" : "no") << "\n";
  summary << "crc " << (work != nullptr ? work->crc : 0) << "\n";
  summary << "end " << report.endResult << "\n";
  summary << "faults " << report.faultCount << "\n";
  for (DWORD i = 0; i < report.faultCount && i < kKpdReportedFaults; ++i) {
    summary << "  " << KpdFaultName(report.faults[i].fault) << " at " << report.faults[i].offset << "\n";
  }
  Compiled out;
  out.block = kpdtest::PackAndFree(work).bytes;
  BkpdCheckResult check{};
  const BOOL sound = out.block.empty() ? FALSE : BKPDCheck(out.block.data(), out.block.size(), &check);
  summary << "packed " << out.block.size() << "\n";
  summary << "loads " << (sound ? "yes" : BkpdFaultName(check.fault)) << "\n";
  out.summary = summary.str();
  return out;
}

std::vector<fs::path> Fixtures() {
  std::vector<fs::path> names;
  for (const auto& entry : fs::recursive_directory_iterator(kFixtures)) {
    if (entry.is_regular_file() && entry.path().extension() == ".kpd") {
      names.push_back(fs::relative(entry.path(), kFixtures));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(KpdGolden, EveryFixtureCompilesToItsGoldenFiles) {
  const bool update = std::getenv("KESM_UPDATE_GOLDEN") != nullptr;
  const std::vector<fs::path> fixtures = Fixtures();
  ASSERT_GT(fixtures.size(), 3u);
  for (const fs::path& name : fixtures) {
    SCOPED_TRACE(name.string());
    const Compiled got = Compile(ReadFile(kFixtures / name));
    fs::path block = kGolden / name;
    block.replace_extension(".bkpd");
    fs::path summary = kGolden / name;
    summary.replace_extension(".txt");
    if (update) {
      fs::create_directories(block.parent_path());
      std::ofstream(block, std::ios::binary)
          .write(reinterpret_cast<const char*>(got.block.data()), static_cast<std::streamsize>(got.block.size()));
      std::ofstream(summary, std::ios::binary) << got.summary;
      continue;
    }
    ASSERT_TRUE(fs::exists(block)) << "no golden file; write them with KESM_UPDATE_GOLDEN=1";
    EXPECT_EQ(got.summary, ReadFile(summary));
    const std::string want = ReadFile(block);
    ASSERT_EQ(got.block.size(), want.size());
    std::size_t first = 0;
    while (first < want.size() && static_cast<char>(got.block[first]) == want[first]) ++first;
    EXPECT_EQ(first, want.size()) << "the packed block differs first at byte " << first;
  }
}

}  // namespace
