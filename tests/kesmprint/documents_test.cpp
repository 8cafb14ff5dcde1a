// kesmprint's documents as they reach the stream: the job name of a file
// named in UTF-8, texts paged by their own line ends, pictures too thin for
// a dot, and a spooler that keeps no copy of a delivered job.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/machine.h"
#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"
#include "tests/render/record_fields.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

// The job name goes in the machine's code page (1252): the UTF-8 name's
// characters, not its bytes.
TEST_F(KesmPrint, AUtf8FileNameIsTheJobNameInTheCodePage) {
  Write(folder_ / "r\xC3\xA9sum\xC3\xA9.txt", "A r\xC3\xA9sum\xC3\xA9\n");
  const Result result = Print({"r\xC3\xA9sum\xC3\xA9.txt"});
  ASSERT_EQ(result.code, 0) << result.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "r\xC3\xA9sum\xC3\xA9.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::JobName(stream), "r\xE9sum\xE9.txt");
}

TEST_F(KesmPrint, TextIsPagedByItsOwnLineEndsAndFormFeeds) {
  const struct {
    const char* what;
    std::string text;
    std::size_t pages;
    std::size_t texts;  // text records on the first page
  } rows[] = {
      {"CR only", "one\rtwo\rthree", 1, 3},
      {"a trailing form feed", "one\ntwo\n\f", 1, 2},
      {"form feeds only", std::string(100000, '\f'), 1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Write(folder_ / "t.txt", row.text);
    const Result result = Print({"t.txt"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Has(result.out, "t.kesm: " + std::to_string(row.pages) + " pages")) << result.out;
    const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "t.kesm"));
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::Pages(stream), row.pages);
    std::size_t texts = 0;
    for (const jobstream::Record& r : stream.records) {
      if (r.opcode == 0x61) break;
      if (r.opcode == 0x52) ++texts;
    }
    EXPECT_EQ(texts, row.texts);
  }
}

// Scaled to the page, a 20000 x 1 picture is a fifth of a dot high and a
// 1 x 20000 one a fraction of a dot wide: each still prints a dot's line.
TEST_F(KesmPrint, APictureThinnerThanADotPrintsOne) {
  for (const char* name : {"strip_20000x1", "column_1x20000"}) {
    SCOPED_TRACE(name);
    fs::copy_file(fs::path(KESM_TEST_DATA) / "kesmprint" / (std::string(name) + ".png"),
                  folder_ / (std::string(name) + ".png"));
    const Result result = Print({std::string(name) + ".png"});
    ASSERT_EQ(result.code, 0) << result.err;
    const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / (std::string(name) + ".kesm")));
    ASSERT_TRUE(stream.ok()) << stream.error;
    std::vector<jobstream::Fields> images;
    for (const jobstream::Record& r : stream.records) {
      if (r.opcode == 0x20) images.push_back(jobstream::ReadFields(r));
    }
    ASSERT_EQ(images.size(), 1u) << "the picture is drawn";
    EXPECT_GE(images[0].Value("cx"), 1);
    EXPECT_GE(images[0].Value("cy"), 1);
  }
}

TEST_F(KesmPrint, TheSpoolerKeepsNoCopyOfADeliveredJob) {
  Write(folder_ / "memo.txt", "A memo\n");
  ASSERT_EQ(Print({"memo.txt"}).code, 0);
  ASSERT_EQ(Print({}).code, 0);
  std::vector<fs::path> left;
  for (const auto& entry : fs::recursive_directory_iterator(plat::SpoolerStore())) {
    if (entry.path().extension() == ".spl") left.push_back(entry.path());
  }
  EXPECT_EQ(left, std::vector<fs::path>{});
}

}  // namespace
