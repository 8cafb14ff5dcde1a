// A chapter job end to end: the chapters a user set up are in the printer's
// section of the settings INI, the printer's description switches chapters
// on, and the job header kesmprint writes carries the chapter plan after
// the chapter switch.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/profile/winprofile.h"
#include "platform/system/winsys.h"
#include "tests/render/job_stream_decoder.h"
#include "tools/kesmprint/kesmprint.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrinter = "Chapter C9";
constexpr const char16_t* kPrinterW = u"Chapter C9";

class ChapterJob : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kesmprint-chapter-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    previous_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  int Print(const std::vector<std::string>& arguments, std::string* err) {
    kesmprint::Options options;
    std::string error;
    if (!kesmprint::ParseArguments(arguments, options, error)) {
      *err = error;
      return 2;
    }
    std::ostringstream out, errors;
    const int code = kesmprint::Run(options, folder_ / "machine", out, errors);
    *err = errors.str();
    return code;
  }
  // The chapter keys into the printer's section of the settings INI the
  // rendering library reads: no document event told it of a user's own, so
  // it reads the one of the system folder.
  static void PutChapters(const std::vector<std::pair<const char16_t*, const char16_t*>>& keys) {
    WCHAR folder[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryW(folder, MAX_PATH), 0u);
    const std::u16string ini = std::u16string(folder) + u"\\kesmusr.ini";
    for (const auto& [key, value] : keys) {
      ASSERT_TRUE(WritePrivateProfileStringW(kPrinterW, key, value, ini.c_str())) << GetLastError();
    }
  }
  // The job header's text.
  std::string Header(const std::string& file) {
    std::ifstream in(folder_ / file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const jobstream::Decoded stream = jobstream::Decode(bytes);
    EXPECT_TRUE(stream.ok()) << stream.error;
    for (const jobstream::Block& block : stream.blocks) {
      if (block.tag == 0xF3) return std::string(block.payload.begin(), block.payload.end());
    }
    return {};
  }

  fs::path folder_;
  fs::path previous_;
};

TEST_F(ChapterJob, TheJobHeaderCarriesTheChaptersOfTheSettingsIni) {
  std::string err;
  const std::string description = KESM_TEST_DATA "/kpd/kesm_c9_chapter.kpd";
  ASSERT_EQ(Print({"--printer", kPrinter, "--description", description, "-o", "plain.kesm"}, &err), 0) << err;
  const std::string plain = Header("plain.kesm");
  EXPECT_NE(plain.find("@PJL SET CHAPTER = ON"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("CHAPTERPAGENUMBER"), std::string::npos) << "no chapters set up yet";

  // Chapters on pages 2 (a sheet from tray 1, copied) and 4 (a break), two
  // distinct chapter trays allowed.
  ASSERT_NO_FATAL_FAILURE(PutChapters({{u"ChapterMax", u"8"},
                                       {u"ChapterTrayMax", u"2"},
                                       {u"wdmChapterNum", u"2"},
                                       {u"wdmChapterPage1", u"2"},
                                       {u"wdmChapterTray1", u"1"},
                                       {u"wdmChapterKind1", u"0"},
                                       {u"wdmChapterPrint1", u"1"},
                                       {u"wdmChapterPage2", u"4"},
                                       {u"wdmChapterKind2", u"1"}}));
  ASSERT_EQ(Print({"--printer", kPrinter, "-o", "chapters.kesm"}, &err), 0) << err;
  const std::string header = Header("chapters.kesm");
  const std::string plan =
      "@PJL SET CHAPTER = ON \r\n"
      "@PJL SET CHAPTERPRINTDUPLEX1 = OFF \r\n"
      "@PJL SET CHAPTERPAGENUMBER1 = 2 \r\n@PJL SET CHAPTERPAGE1 = COPY \r\n"
      "@PJL SET CHAPTERPAGETRAY1 = CHAPTERPRINTTRAY1 \r\n"
      "@PJL SET CHAPTERPAGENUMBER2 = 4 \r\n@PJL SET CHAPTERPAGE2 = BREAK \r\n";
  EXPECT_NE(header.find(plan), std::string::npos) << header;
}

}  // namespace
