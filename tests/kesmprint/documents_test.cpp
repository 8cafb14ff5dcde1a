// kesmprint's documents as they reach the stream: the job name of a file
// named in UTF-8, texts paged by their own line ends, pictures too thin for
// a dot, and a spooler that keeps no copy of a delivered job.
#include <gtest/gtest.h>

#include <algorithm>
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
      {"two form feeds in a row leave a blank page between", "one\f\ftwo\n", 3, 1},
      {"form feeds only", std::string(1000, '\f'), 999, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Write(folder_ / "t.txt", row.text);
    const Result result = Print({"t.txt"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Has(result.out, "t.kesm: " + std::to_string(row.pages) + (row.pages == 1 ? " page," : " pages,")))
        << result.out;
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

namespace {

// Documents that can be read only once: a pipe of the shell's process
// substitution and the standard input. Each is read once, paged and
// printed; its name is the path the shell gave.
TEST_F(KesmPrint, ADocumentFromAPipeIsReadOnce) {
  const Result result = Shell(R"(
"$KESMPRINT" -o substituted.kesm <(printf 'from a pipe\n\f\fits third page\n') || exit 1
printf 'from the standard input\n' | "$KESMPRINT" -o piped.kesm /dev/stdin
)");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "substituted.kesm: 3 pages, ")) << result.out;
  EXPECT_TRUE(Has(result.out, "piped.kesm: 1 page, ")) << result.out;
  for (const char* name : {"substituted.kesm", "piped.kesm"}) {
    SCOPED_TRACE(name);
    const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / name));
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::CheckOrder(stream), "");
  }
  EXPECT_EQ(jobstream::JobName(jobstream::Decode(Read(folder_ / "piped.kesm"))), "/dev/stdin");
}

// A file's name is decoded from UTF-8 and goes into the job name in the
// code page of the run's language: characters the code page has are
// themselves, for texts and pictures alike.
TEST_F(KesmPrint, AFileNameIsTheJobNameInTheLanguagesCodePage) {
  const struct {
    std::string name;      // UTF-8
    const char* language;  // none: the machine's (1252)
    std::string job;       // in the code page
  } rows[] = {
      {"\xC3\xBCn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9.txt", nullptr, "\xFCn\xEF" "c\xF6" "d\xE9.txt"},
      {"\xE6\x97\xA5\xE6\x9C\xAC.txt", "jp", "\x93\xFA\x96\x7B.txt"},
      {"\xE6\x97\xA5\xE6\x9C\xAC.png", "jp", "\x93\xFA\x96\x7B.png"},
      {"\xC3\xA9t\xC3\xA9.png", nullptr, "\xE9t\xE9.png"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.job);
    if (row.name.ends_with(".png")) {
      fs::copy_file(KESM_TEST_DATA "/kesmprint/small_4x3.png", folder_ / row.name);
    } else {
      Write(folder_ / row.name, "A note\n");
    }
    std::vector<std::string> arguments{"-o", "named.kesm", row.name};
    if (row.language != nullptr) arguments.insert(arguments.begin(), {"--language", row.language});
    const Result result = Run(arguments);
    ASSERT_EQ(result.code, 0) << result.err;
    const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "named.kesm"));
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::JobName(stream), row.job);
  }
}

// Pictures up to the sizes the README states print; beyond them the
// message names the picture and the limits.
TEST_F(KesmPrint, PicturesPrintUpToTheStatedSizes) {
  for (const char* name : {"strip_65535x1", "strip_65536x1", "square_7000x7000"}) {
    fs::copy_file(fs::path(KESM_TEST_DATA) / "kesmprint" / (std::string(name) + ".png"),
                  folder_ / (std::string(name) + ".png"));
  }
  const Result widest = Run({"strip_65535x1.png"});
  ASSERT_EQ(widest.code, 0) << widest.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "strip_65535x1.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::vector<jobstream::Fields> images;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x20) images.push_back(jobstream::ReadFields(r));
  }
  ASSERT_EQ(images.size(), 1u);
  EXPECT_GE(images[0].Value("cy"), 1);

  std::string readme = Text(fs::path(KESM_TEST_DATA) / ".." / ".." / "README.md");
  std::replace(readme.begin(), readme.end(), '\n', ' ');
  const std::string limits = "images of up to 65535 pixels a side and 40 million pixels print";
  EXPECT_TRUE(Has(readme, "PNG images (of up to 65535 pixels a side and 40 million pixels)")) << "the README states them";
  const Result beyond = Run({"strip_65536x1.png", "square_7000x7000.png"});
  EXPECT_EQ(beyond.code, 1);
  EXPECT_EQ(beyond.err, "kesmprint: strip_65536x1.png: the image is 65536 x 1 pixels: " + limits +
                            "\nkesmprint: square_7000x7000.png: the image is 7000 x 7000 pixels: " + limits + "\n");
}

// Banded pages go as images of the bands, one under the other; the last
// band of a page ends at the page's bottom, not at the bitmap's, so that no
// lines off the paper are sent.
TEST_F(KesmPrint, BandsAreSentDownToThePagesBottomOnly) {
  Write(folder_ / "one.txt", "A page drawn in bands\n");
  const Result result = Run({"--banding", "one.txt"});
  ASSERT_EQ(result.code, 0) << result.err;
  const std::vector<std::uint8_t> bytes = Read(folder_ / "one.kesm");
  const jobstream::Decoded stream = jobstream::Decode(bytes);
  ASSERT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::Pages(stream), 1u);
  std::vector<jobstream::Fields> bands;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x20) bands.push_back(jobstream::ReadFields(r));
  }
  ASSERT_GE(bands.size(), 2u);
  std::int64_t pixels = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bands[i].Value("y"), i == 0 ? 0 : bands[i - 1].Value("y") + bands[i - 1].Value("cy"));
    EXPECT_EQ(bands[i].Value("height"), bands[i].Value("cy")) << "the lines sent are the lines placed";
    if (i + 1 < bands.size()) {
      EXPECT_EQ(bands[i].Value("cy"), bands[0].Value("cy"));
    }
    pixels += bands[i].Value("cx") * bands[i].Value("cy");
  }
  EXPECT_LT(bands.back().Value("cy"), bands[0].Value("cy")) << "the last band is cut at the page's bottom";
  // The page's colour bands are three bytes a dot and nothing more.
  EXPECT_LT(static_cast<std::int64_t>(bytes.size()), pixels * 3 + 65536);
}

}  // namespace
