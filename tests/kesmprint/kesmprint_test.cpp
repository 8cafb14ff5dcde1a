// kesmprint end to end: the sample document printed on a fresh machine in a
// fresh folder, read back with the test decoder; the machine reused; other
// printers, descriptions and documents; and errors as one line with a
// non-zero exit, from the program itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile/winprofile.h"
#include "platform/system/winsys.h"
#include "tests/common/held_clock.h"
#include "tests/common/shared_files.h"
#include "tests/kesmprint/kesmprint_fixture.h"
#include "tests/render/job_stream_decoder.h"
#include "tests/render/record_fields.h"
#include "tools/kesmprint/kesmprint.h"

namespace {

namespace fs = std::filesystem;
using kesmprint_test::KesmPrint;

TEST_F(KesmPrint, WithNoArgumentsTheSampleDocumentIsPrintedOnAFreshMachine) {
  // The header carries the time: both prints see the same second.
  const kesm_test::HeldClock clock(2024, 5, 17, 14, 30, 9);
  const Result first = Print({});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.err, "");
  EXPECT_TRUE(Has(first.out, "set up a simulated machine in")) << first.out;
  EXPECT_TRUE(Has(first.out, "installed the printer Kesm Sample")) << first.out;
  for (int page = 1; page <= 4; ++page) {
    EXPECT_TRUE(Has(first.out, "page " + std::to_string(page) + " of 4")) << first.out;
  }
  const std::vector<std::uint8_t> bytes = Read(folder_ / "sample.kesm");
  const jobstream::Decoded stream = jobstream::Decode(bytes);
  ASSERT_TRUE(stream.ok()) << stream.error;
  EXPECT_EQ(jobstream::CheckOrder(stream), "");
  // Three pages, then the landscape page on a new PDEV after the reset,
  // which opens the job again. The image page's display list takes two
  // blocks, and the text page's three: its wide dashed line is left to the
  // engine, which draws it and copies it back as an image too large for the
  // list's first chunk, and the texts of its fonts add records of their own.
  EXPECT_EQ(jobstream::Letters(stream), "JNHELLLTHELTHELLTJHELT");
  EXPECT_EQ(jobstream::Pages(stream), 4u);
  EXPECT_EQ(jobstream::JobName(stream), "Kesm sample document");
  std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x60) sizes.emplace_back(jobstream::U32(r, 4), jobstream::U32(r, 8));
  }
  const std::pair<std::uint32_t, std::uint32_t> portrait{2450, 3200}, landscape{3200, 2450};
  EXPECT_EQ(sizes, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{portrait, portrait, portrait, landscape}));
  EXPECT_TRUE(Has(first.out, "sample.kesm: 4 pages, 22 blocks, " + std::to_string(bytes.size()) + " bytes in "))
      << first.out;

  // The machine and its printer are reused.
  const Result second = Print({});
  ASSERT_EQ(second.code, 0) << second.err;
  EXPECT_FALSE(Has(second.out, "set up")) << second.out;
  EXPECT_FALSE(Has(second.out, "installed")) << second.out;
  EXPECT_EQ(Read(folder_ / "sample.kesm"), bytes);
}

// The sample's text page: the sample printer's language (the machine's,
// English) offers no device fonts, so the host maps the texts in the
// printer's faces to an engine face, and they go by that face's name like
// the TrueType text; the Japanese characters go as their UTF-16 codes.
TEST_F(KesmPrint, TheTextPagePrintsTheDeviceFaceTextsInAnEngineFace) {
  const Result result = Print({});
  ASSERT_EQ(result.code, 0) << result.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "sample.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::vector<std::u16string> strings;
  std::vector<std::string> faces;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x61) break;
    if (r.opcode == 0x50) faces.emplace_back(reinterpret_cast<const char*>(r.bytes.data() + 24));
    if (r.opcode != 0x52) continue;
    std::u16string text;
    const std::uint16_t count = jobstream::U16(r, 32);
    const std::size_t advances = (r.bytes[2] & 0x80) != 0 ? count : 1;
    for (std::uint16_t i = 0; i < count; ++i) text += static_cast<char16_t>(jobstream::U16(r, 36 + 2 * advances + 2 * i));
    strings.push_back(text);
  }
  const auto has = [&](const std::u16string& text) {
    return std::find(strings.begin(), strings.end(), text) != strings.end();
  };
  EXPECT_TRUE(has(u"Device font \u660E\u671D: \u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8"));
  EXPECT_TRUE(has(u"TrueType: abc abc"));
  EXPECT_NE(std::find(faces.begin(), faces.end(), "DejaVu Sans"), faces.end());
}

// The text records of the sample's first page: the faces of its font
// definitions, the codes of its strings, and how many outline characters,
// glyph-bitmap records and images it holds.
struct TextPage {
  std::vector<std::string> faces;
  std::vector<std::u16string> strings;
  std::vector<std::vector<std::int16_t>> advances;  // of each string
  std::size_t outlines = 0;
  std::size_t bitmaps = 0;
  std::size_t images = 0;
  std::size_t textRecords = 0;
};

// The job stream up to the end of its first page: the blocks up to the
// first page trailer (tag 0xF1). A banded page runs to tens of megabytes;
// its first page is enough to read.
std::vector<std::uint8_t> FirstPage(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes(fs::file_size(file));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::size_t at = 0;
  while (at + 8 <= bytes.size()) {
    const std::uint8_t tag = bytes[at];
    const std::size_t length = bytes[at + 4] | bytes[at + 5] << 8 | bytes[at + 6] << 16 |
                               static_cast<std::size_t>(bytes[at + 7]) << 24;
    at = std::min(bytes.size(), at + 8 + length);
    if (tag == 0xF1) break;
  }
  bytes.resize(at);
  return bytes;
}

TextPage ReadTextPage(const jobstream::Decoded& stream) {
  TextPage page;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x61) break;
    if (r.opcode >= 0x50 && r.opcode <= 0x57) ++page.textRecords;
    if (r.opcode == 0x50 || r.opcode == 0x56) {
      page.faces.emplace_back(reinterpret_cast<const char*>(r.bytes.data() + (r.opcode == 0x50 ? 24 : 32)));
    }
    if (r.opcode == 0x51 && (r.bytes[2] & 0x01) != 0) ++page.outlines;
    if (r.opcode >= 0x53 && r.opcode <= 0x57 && r.opcode != 0x56) ++page.bitmaps;
    if (r.opcode == 0x20) ++page.images;
    if (r.opcode != 0x52) continue;
    const std::uint16_t count = jobstream::U16(r, 32);
    const std::size_t advances = (r.bytes[2] & 0x80) != 0 ? count : 1;
    std::u16string text;
    std::vector<std::int16_t> steps;
    for (std::size_t i = 0; i < advances; ++i) steps.push_back(static_cast<std::int16_t>(jobstream::U16(r, 36 + 2 * i)));
    for (std::uint16_t i = 0; i < count; ++i) text += static_cast<char16_t>(jobstream::U16(r, 36 + 2 * advances + 2 * i));
    page.strings.push_back(text);
    page.advances.push_back(steps);
  }
  return page;
}

// The text page in each mode the job's settings choose: the printer's own
// fonts (the driver's Japanese language offers them), outlines for the
// glyph-index text that no device can look up by name, glyph bitmaps for
// every font the printer lacks, and banding, where the engine draws the
// text into the bands and no text record goes.
TEST_F(KesmPrint, TheTextPagePrintsInEachModeTheSettingsChoose) {
  const std::string mincho = "\x96\xBE\x92\xA9";       // the face names in Shift-JIS
  const std::string gothic = "\xBA\xDE\xBC\xAF\xB8";
  const std::u16string japanese = u"Device font \u660E\u671D: \u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8";
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    bool deviceFonts;      // the printer's faces are defined and the Japanese text is their string
    bool japaneseString;   // the Japanese text goes as a string (in a device face or by an engine face's name)
    bool outlines;
    bool bitmaps;
    bool banding;
  } modes[] = {
      {"the printer's language (English)", {}, false, true, true, false, false},
      {"Japanese: device fonts", {"--language", "jp"}, true, true, true, false, false},
      {"glyph bitmaps", {"--glyph-bitmaps"}, false, false, false, true, false},
      {"Japanese with glyph bitmaps", {"--language", "JP", "--glyph-bitmaps"}, true, true, false, true, false},
      {"banding", {"--banding"}, false, false, false, false, true},
  };
  for (const auto& mode : modes) {
    SCOPED_TRACE(mode.what);
    std::vector<std::string> arguments = mode.arguments;
    arguments.insert(arguments.end(), {"-o", "mode.kesm"});
    const Result result = Print(arguments);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Has(result.out, "mode.kesm: 4 pages")) << result.out;
    if (!mode.banding) {
      const jobstream::Decoded whole = jobstream::Decode(Read(folder_ / "mode.kesm"));
      ASSERT_TRUE(whole.ok()) << whole.error;
      EXPECT_EQ(jobstream::CheckOrder(whole), "");
    }
    const jobstream::Decoded stream = jobstream::Decode(FirstPage(folder_ / "mode.kesm"));
    ASSERT_TRUE(stream.ok()) << stream.error;
    EXPECT_EQ(jobstream::Pages(stream), 1u);
    const TextPage page = ReadTextPage(stream);
    const auto has = [](const auto& list, const auto& item) {
      return std::find(list.begin(), list.end(), item) != list.end();
    };
    EXPECT_EQ(has(page.faces, mincho), mode.deviceFonts);
    EXPECT_EQ(has(page.faces, gothic), mode.deviceFonts);
    EXPECT_EQ(has(page.strings, japanese), mode.japaneseString);
    EXPECT_EQ(page.outlines > 0, mode.outlines) << page.outlines;
    EXPECT_EQ(page.bitmaps > 0, mode.bitmaps) << page.bitmaps;
    if (mode.banding) {
      EXPECT_EQ(page.textRecords, 0u);
      EXPECT_GT(page.images, 0u) << "the bands go as images";
    }
    if (mode.deviceFonts) {
      // The device font's widths come by the Shift-JIS codes: a double-byte
      // character advances twice as far as a single-byte one.
      const auto at = std::find(page.strings.begin(), page.strings.end(), japanese);
      ASSERT_NE(at, page.strings.end());
      const std::vector<std::int16_t>& steps = page.advances[static_cast<std::size_t>(at - page.strings.begin())];
      ASSERT_EQ(steps.size(), japanese.size());
      EXPECT_EQ(steps[12], 2 * steps[0]) << "\u660E against D";
    }
  }
}

TEST(KesmPrintArguments, AnUnknownLanguageIsRefused) {
  kesmprint::Options options;
  std::string error;
  EXPECT_FALSE(kesmprint::ParseArguments({"--language", "xx"}, options, error));
  EXPECT_EQ(error, "unknown language xx (the languages are jp, us, cz, dn, gm, sp, fr, it, hn, dt, nw, pl, pr, fn, sw, "
                   "cs, ct, kr, ru)");
  EXPECT_FALSE(kesmprint::ParseArguments({"--language", "jpn"}, options, error));
  EXPECT_TRUE(kesmprint::ParseArguments({"--language", "us", "--banding", "--glyph-bitmaps"}, options, error));
}

// The sample's command trees give the full header: the date and time of
// the (held) clock, the driver and printer names, the copies, the margin,
// the page form, the colour mode on one copy, the language; each page
// names its paper and ends with the trailer line.
TEST_F(KesmPrint, TheSampleCarriesTheFullHeader) {
  Result result;
  {
    const kesm_test::HeldClock clock(2024, 5, 17, 14, 30, 9);
    result = Print({});
  }
  ASSERT_EQ(result.code, 0) << result.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "sample.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::vector<std::string> jobHeaders, pageHeaders, trailers;
  for (const jobstream::Block& b : stream.blocks) {
    const std::string text(b.payload.begin(), b.payload.end());
    if (b.tag == 0xF3 && !Has(text, "JOBNAME")) jobHeaders.push_back(text);
    if (b.tag == 0xF4) pageHeaders.push_back(text);
    if (b.tag == 0xF1) trailers.push_back(text);
  }
  const std::string jobHeader =
      "\x1B%-12345X@PJL \r\n"
      "@PJL SET DATE = \"2024/05/17\" \r\n"
      "@PJL SET TIME = \"14:30:09\" \r\n"
      "@PJL SET KESMDRIVERNAME = \"Kesm Sample Driver\" \r\n"
      "@PJL SET PRINTERNAME = \"Kesm Sample\" \r\n"
      "@PJL SET QTY = 1 \r\n"
      "@PJL SET MARGINODD = 0 \r\n"
      "@PJL SET PAGEFORM = NONE \r\n"
      "@PJL SET RENDERMODE = COLOR \r\n"
      "@PJL ENTER LANGUAGE = KESM \r\n";
  EXPECT_EQ(jobHeaders, (std::vector<std::string>{jobHeader, jobHeader})) << "the reset opens the job again";
  const std::string pageHeader = "@PJL SET PAPER = LETTER \r\n";
  EXPECT_EQ(pageHeaders, std::vector<std::string>(4, pageHeader));
  EXPECT_EQ(trailers, std::vector<std::string>(4, "@PJL SET PAGEEND = ON \r\n"));
}

// The sample's image page: each picture is one image record in the format
// of its depth, with its palette when it has one that is not a grey ramp;
// the mirrored picture is turned before it goes and the clipped one follows
// its clip path.
TEST_F(KesmPrint, TheSamplePicturesGoAsImageRecords) {
  const Result result = Print({});
  ASSERT_EQ(result.code, 0) << result.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "sample.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::vector<jobstream::Fields> images;
  std::vector<std::uint8_t> before;  // the opcode sent right before each image
  int page = -1;
  std::uint8_t last = 0;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x60) ++page;
    if (page == 2 && r.opcode == 0x20) {
      images.push_back(jobstream::ReadFields(r));
      before.push_back(last);
      EXPECT_TRUE(images.back().ok()) << images.back().error;
    }
    last = r.opcode;
  }
  const struct {
    std::int64_t format, width, height, cx, cy;
  } expected[] = {
      {0x80, 64, 32, 64, 32},    // 1 bit at its own size: a bit blt
      {0x01, 40, 20, 600, 300},  // 4 bit stretched
      {0x02, 32, 32, 600, 600},  // 8 bit stretched
      {0x24, 50, 30, 1350, 750}, // 24 bit stretched
      {0x01, 40, 20, 600, 225},  // 4 bit mirrored: turned by the engine first
      {0x82, 24, 24, 24, 24},    // 8 bit of 20 colours
      {0x24, 60, 30, 750, 300},  // 24 bit under a clip of two rectangles
  };
  ASSERT_EQ(images.size(), std::size(expected));
  for (std::size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(images[i].Value("format"), expected[i].format);
    EXPECT_EQ(images[i].Value("width"), expected[i].width);
    EXPECT_EQ(images[i].Value("height"), expected[i].height);
    EXPECT_EQ(images[i].Value("cx"), expected[i].cx);
    EXPECT_EQ(images[i].Value("cy"), expected[i].cy);
  }
  EXPECT_EQ(before.back(), 0x12) << "the clip path goes right before the clipped picture";
  const std::vector<std::uint8_t>& palette = images[5].Blob("palette");
  EXPECT_EQ(std::vector<std::uint8_t>(palette.begin() + 60, palette.end()), std::vector<std::uint8_t>(708, 0))
      << "no entries past the 20 the picture has";
}

TEST_F(KesmPrint, TextDocumentsGoToFilesOfTheirNamesOrToTheOneNamed) {
  std::ofstream(folder_ / "memo.txt") << "First line\nSecond line\n\fAfter a form feed\n";
  std::ofstream(folder_ / "note.txt") << "One page\n";
  const Result both = Print({"memo.txt", "note.txt"});
  ASSERT_EQ(both.code, 0) << both.err;
  const jobstream::Decoded memo = jobstream::Decode(Read(folder_ / "memo.kesm"));
  EXPECT_EQ(jobstream::CheckOrder(memo), "");
  EXPECT_EQ(jobstream::Pages(memo), 2u);
  EXPECT_EQ(jobstream::JobName(memo), "memo.txt");
  EXPECT_EQ(jobstream::Pages(jobstream::Decode(Read(folder_ / "note.kesm"))), 1u);

  const Result named = Print({"-o", "out/job.bin", "note.txt"});
  ASSERT_EQ(named.code, 1) << "the folder of the output does not exist";
  EXPECT_TRUE(Has(named.err, "cannot write out/job.bin")) << named.err;
  fs::create_directory(folder_ / "out");
  ASSERT_EQ(Print({"-o", "out/job.bin", "note.txt"}).code, 0);
  EXPECT_EQ(jobstream::Pages(jobstream::Decode(Read(folder_ / "out" / "job.bin"))), 1u);
}

TEST_F(KesmPrint, AnotherPrinterIsInstalledFromTheDescriptionGivenAndKeepsIt) {
  const std::string description = KESM_TEST_DATA "/kpd/kesm_r5_render.kpd";
  const Result first = Print({"--printer", "Lab R5", "--description", description});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_TRUE(Has(first.out, "installed the printer Lab R5")) << first.out;
  EXPECT_TRUE(Has(first.out, "printing the sample document on Lab R5")) << first.out;
  const Result again = Print({"--printer", "Lab R5"});
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_FALSE(Has(again.out, "installed")) << again.out;
  // The description replaced on the installed printer.
  const Result replaced = Print({"--printer", "Lab R5", "--description", KESMPRINT_SAMPLE_DESCRIPTION});
  ASSERT_EQ(replaced.code, 0) << replaced.err;
  EXPECT_TRUE(Has(replaced.out, "now uses the description")) << replaced.out;
}

TEST_F(KesmPrint, EachErrorIsOneLineAndNothingIsPrinted) {
  const struct {
    const char* what;
    std::vector<std::string> arguments;
    int code;
    const char* message;
  } rows[] = {
      {"a missing document", {"missing.txt"}, 1, "kesmprint: cannot open missing.txt\n"},
      {"a missing description", {"--description", "none.kpd"}, 1,
       "kesmprint: cannot read the description none.kpd; the printer Kesm Sample was not installed\n"},
      {"a printer name with a backslash", {"--printer", "a\\b"}, 1,
       "kesmprint: there is no printer a\\b on the machine, and it cannot be installed: a name with a backslash "
       "cannot be installed\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Result result = Print(row.arguments);
    EXPECT_EQ(result.code, row.code);
    EXPECT_EQ(result.err, row.message);
    EXPECT_FALSE(Has(result.out, "printing")) << result.out;
  }
  EXPECT_FALSE(fs::exists(folder_ / "sample.kesm"));
}

TEST(KesmPrintArguments, TheCommandLineIsTakenOrRefusedWithAReason) {
  const struct {
    std::vector<std::string> arguments;
    const char* error;  // empty: taken
  } rows[] = {
      {{}, ""},
      {{"--printer", "P", "--description", "d.kpd", "-o", "x.kesm", "doc.txt"}, ""},
      {{"a.txt", "b.png"}, ""},
      {{"-o", "x.kesm", "a.txt", "b.txt"}, "-o names one file: give one document with it"},
      {{"--printer"}, "--printer needs a value"},
      {{"-o", ""}, "-o needs a value"},
      {{"--fast"}, "unknown option --fast"},
  };
  for (const auto& row : rows) {
    kesmprint::Options options;
    std::string error;
    EXPECT_EQ(kesmprint::ParseArguments(row.arguments, options, error), std::string(row.error).empty());
    EXPECT_EQ(error, row.error);
  }
}

// The program as a user runs it: the exit code and the one line of each
// error.
TEST_F(KesmPrint, TheProgramExitsWithACodeAndOneLinePerError) {
  const std::string program = KESMPRINT_PROGRAM;
  const std::string machine = "KESM_MACHINE='" + (folder_ / "machine").string() + "' ";
  auto run = [&](const std::string& arguments) {
    const std::string command = machine + "'" + program + "' " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  auto text = [&](const char* name) {
    std::ifstream in(folder_ / name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  EXPECT_EQ(run(""), 0) << text("err.txt");
  EXPECT_TRUE(fs::exists(folder_ / "sample.kesm"));
  EXPECT_EQ(run("--fast"), 2);
  EXPECT_EQ(text("err.txt"), "kesmprint: unknown option --fast (kesmprint --help shows the usage)\n");
  EXPECT_EQ(run("missing.txt"), 1);
  EXPECT_EQ(text("err.txt"), "kesmprint: cannot open missing.txt\n");
  EXPECT_EQ(run("--help"), 0);
  EXPECT_TRUE(Has(text("out.txt"), "usage: kesmprint"));
}

// The README shows the sample's summary line as the program prints it, and
// every option of the usage.
TEST_F(KesmPrint, TheReadmeShowsTheSummaryAndTheOptionsAsTheyAre) {
  const std::string readme = Text(fs::path(KESM_TEST_DATA) / ".." / ".." / "README.md");
  ASSERT_FALSE(readme.empty());
  const Result result = Print({});
  ASSERT_EQ(result.code, 0) << result.err;
  const std::size_t at = result.out.find("sample.kesm: ");
  ASSERT_NE(at, std::string::npos) << result.out;
  const std::string summary = result.out.substr(at, result.out.find(" blocks", at) + 7 - at);
  EXPECT_TRUE(Has(readme, "    " + summary + ", <size> bytes in <time> s\n")) << summary;
  const std::string usage = kesmprint::Usage();
  const std::string synopsis = usage.substr(0, usage.find("\n  "));
  for (std::size_t i = synopsis.find('['); i != std::string::npos; i = synopsis.find('[', i + 1)) {
    const std::string option = synopsis.substr(i + 1, synopsis.find(']', i) - i - 1);
    if (option == "DOCUMENT...") continue;
    EXPECT_TRUE(Has(readme, "[" + option + "]")) << option << " in the README's command line";
    EXPECT_TRUE(Has(readme, "| `" + option + "` |")) << option << " in the README's table of options";
  }
}

// The README and the usage say what the program does: every language code
// the driver takes is listed in both, every program path of the README is
// where the build puts that program, and the first run's build notice does
// not read as an error.
TEST_F(KesmPrint, TheReadmeAndTheUsageNameWhatIsThere) {
  const fs::path root = fs::path(KESM_TEST_DATA) / ".." / "..";
  const std::string readme = Text(root / "README.md");
  ASSERT_FALSE(readme.empty());
  const std::string codes = kesmprint::LanguageCodes();
  EXPECT_TRUE(Has(kesmprint::Usage(), codes)) << codes;
  for (std::size_t at = 0; at < codes.size();) {
    const std::string code = codes.substr(at, codes.find(", ", at) - at);
    kesmprint::Options options;
    std::string error;
    EXPECT_TRUE(kesmprint::ParseArguments({"--language", code}, options, error)) << code;
    EXPECT_TRUE(Has(readme, "`" + code + "` (")) << code << " in the README";
    at = codes.find(", ", at) == std::string::npos ? codes.size() : codes.find(", ", at) + 2;
  }
  // build-rel/FOLDER/NAME: FOLDER's CMakeLists.txt makes NAME.
  std::size_t programs = 0;
  for (std::size_t at = readme.find("build-rel/"); at != std::string::npos; at = readme.find("build-rel/", at + 1)) {
    const std::size_t end = readme.find_first_of(" `\n", at);
    const fs::path path = readme.substr(at + 10, end - at - 10);
    if (path.empty() || path.parent_path().empty()) continue;
    ++programs;
    EXPECT_TRUE(Has(Text(root / path.parent_path() / "CMakeLists.txt"), "add_executable(" + path.filename().string() + " "))
        << path;
  }
  EXPECT_GE(programs, 3u);
  const std::string script = Text(root / "scripts" / "kesmprint");
  const std::size_t at = script.find("first time takes a few minutes");
  ASSERT_NE(at, std::string::npos);
  const std::string notice = script.substr(script.rfind('\n', at) + 1, script.find('\n', at) - script.rfind('\n', at));
  EXPECT_FALSE(Has(notice, "\"kesmprint:")) << notice;
  EXPECT_TRUE(Has(readme, notice.substr(notice.find('"') + 1, 21))) << "the README quotes it";
}

// The sample's shape page as path records: strokes, fills and a
// stroke-and-fill in one record each (a shape with a pattern or hatch brush
// fills and strokes apart), each drawing under its clip: a rectangle, a
// region of two rectangles sent as its outline, and the resets between.
TEST_F(KesmPrint, TheSamplesShapesGoAsPathRecordsUnderTheirClips) {
  const Result printed = Print({});
  ASSERT_EQ(printed.code, 0) << printed.err;
  const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / "sample.kesm"));
  ASSERT_TRUE(stream.ok()) << stream.error;
  std::vector<std::string> shapes;
  std::size_t page = 0;
  for (const jobstream::Record& r : stream.records) {
    if (r.opcode == 0x61) ++page;
    if (page != 1) continue;
    const jobstream::Fields f = jobstream::ReadFields(r);
    ASSERT_TRUE(f.ok()) << jobstream::Describe(f);
    if (r.opcode == 0x11 || r.opcode == 0x12) {
      shapes.push_back((r.opcode == 0x11 ? "curves " : "lines ") + std::to_string(f.Value("kind")) + " of " +
                       std::to_string(f.subpaths.size()));
    }
    if (r.opcode == 0x10 && f.Value("kind") == 5) shapes.push_back("clip rectangle");
    if (r.opcode == 0x37) shapes.push_back("reset clip");
  }
  // The ellipse: a curved outline stroked and filled at once.
  EXPECT_NE(std::find(shapes.begin(), shapes.end(), "curves 11 of 1"), shapes.end());
  // The page ends with its clipped paths: the region's outline (a clip path
  // of two closed subpaths), the polygon stroked and filled, the line
  // stroked, the rectangle clip, the pen-less polygon filled, the clip
  // reset and the last line stroked.
  const std::vector<std::string> clipped{"lines 29 of 2", "lines 11 of 1", "lines 0 of 1", "clip rectangle",
                                         "lines 9 of 1",  "reset clip",    "lines 0 of 1"};
  ASSERT_GE(shapes.size(), clipped.size());
  EXPECT_EQ(std::vector<std::string>(shapes.end() - static_cast<std::ptrdiff_t>(clipped.size()), shapes.end()),
            clipped);
}

// A chapter job: the chapters a user set up are in the printer's section
// of the settings INI the rendering library reads (no document event told
// it of a user's own, so the one of the system folder), the description
// switches chapters on, and the job header carries the chapter plan after
// the chapter switch.
TEST_F(KesmPrint, AChapterJobCarriesTheChaptersOfTheSettingsIniInItsHeader) {
  const std::string description = KESM_TEST_DATA "/kpd/kesm_c9_chapter.kpd";
  const auto header = [&](const char* file) {
    const jobstream::Decoded stream = jobstream::Decode(Read(folder_ / file));
    EXPECT_TRUE(stream.ok()) << stream.error;
    for (const jobstream::Block& block : stream.blocks) {
      if (block.tag == 0xF3) return std::string(block.payload.begin(), block.payload.end());
    }
    return std::string();
  };
  const Result plain = Print({"--printer", "Chapter C9", "--description", description, "-o", "plain.kesm"});
  ASSERT_EQ(plain.code, 0) << plain.err;
  EXPECT_TRUE(Has(header("plain.kesm"), "@PJL SET CHAPTER = ON")) << header("plain.kesm");
  EXPECT_FALSE(Has(header("plain.kesm"), "CHAPTERPAGENUMBER")) << "no chapters set up yet";

  // Chapters on pages 2 (a sheet from tray 1, copied) and 4 (a break), two
  // distinct chapter trays allowed.
  // The settings INI where the configuration library keeps it for a
  // printer without per-user settings: the shared folder.
  const std::filesystem::path shared = kesm_test::OnDrive(kesm_test::kSharedFolder);
  std::filesystem::create_directories(shared);
  const std::u16string ini = u"C:\\_kesm\\kesmusr.ini";
  const std::pair<const char16_t*, const char16_t*> keys[] = {
      {u"ChapterMax", u"8"},      {u"ChapterTrayMax", u"2"},  {u"wdmChapterNum", u"2"},
      {u"wdmChapterPage1", u"2"}, {u"wdmChapterTray1", u"1"}, {u"wdmChapterKind1", u"0"},
      {u"wdmChapterPrint1", u"1"}, {u"wdmChapterPage2", u"4"}, {u"wdmChapterKind2", u"1"}};
  for (const auto& [key, value] : keys) ASSERT_TRUE(WritePrivateProfileStringW(u"Chapter C9", key, value, ini.c_str()));
  const Result chapters = Print({"--printer", "Chapter C9", "-o", "chapters.kesm"});
  ASSERT_EQ(chapters.code, 0) << chapters.err;
  const std::string plan =
      "@PJL SET CHAPTER = ON \r\n"
      "@PJL SET CHAPTERPRINTDUPLEX1 = OFF \r\n"
      "@PJL SET CHAPTERPAGENUMBER1 = 2 \r\n@PJL SET CHAPTERPAGE1 = COPY \r\n"
      "@PJL SET CHAPTERPAGETRAY1 = CHAPTERPRINTTRAY1 \r\n"
      "@PJL SET CHAPTERPAGENUMBER2 = 4 \r\n@PJL SET CHAPTERPAGE2 = BREAK \r\n";
  EXPECT_TRUE(Has(header("chapters.kesm"), plan)) << header("chapters.kesm");
}

}  // namespace
