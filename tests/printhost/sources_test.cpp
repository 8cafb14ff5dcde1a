// Documents from outside files: good files become pages, bad ones a clear
// error and no document.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/printhost/document.h"
#include "tools/printhost/text_pages.h"

namespace {

// A PNG written here byte by byte: an RGB image in one stored (uncompressed)
// zlib block, so that tests can damage it where they like.
class PngBytes {
 public:
  static std::vector<unsigned char> Rgb(std::uint32_t width, std::uint32_t height) {
    std::vector<unsigned char> raw;
    for (std::uint32_t y = 0; y < height; ++y) {
      raw.push_back(0);  // filter: none
      for (std::uint32_t x = 0; x < width; ++x) {
        raw.insert(raw.end(), {static_cast<unsigned char>(x * 40), static_cast<unsigned char>(y * 40), 0x80});
      }
    }
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    std::vector<unsigned char> z = {0x78, 0x01, 0x01, static_cast<unsigned char>(raw.size()),
                                    static_cast<unsigned char>(raw.size() >> 8),
                                    static_cast<unsigned char>(~raw.size()),
                                    static_cast<unsigned char>(~raw.size() >> 8)};
    z.insert(z.end(), raw.begin(), raw.end());
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) { a = (a + c) % 65521; b = (b + a) % 65521; }
    Put32(z, (b << 16) | a);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
  }

 // The image of Rgb(4, 3) whose header declares another size.
  static std::vector<unsigned char> Declaring(std::uint32_t width, std::uint32_t height) {
    std::vector<unsigned char> png = Rgb(4, 3);
    std::vector<unsigned char> ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    std::vector<unsigned char> chunk;
    Chunk(chunk, "IHDR", ihdr);
    std::copy(chunk.begin(), chunk.end(), png.begin() + 8);
    return png;
  }

 private:
  static void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<unsigned char>(x >> s));
  }
  static void Chunk(std::vector<unsigned char>& png, const char* type, const std::vector<unsigned char>& data) {
    Put32(png, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char c : body) {
      crc ^= c;
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    Put32(png, ~crc);
  }
};

class SourcesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  std::string Write(const std::string& name, const std::string& text) {
    return Write(name, std::vector<unsigned char>(text.begin(), text.end()));
  }
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("printhost_sources_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(SourcesTest, TextIsPagedInAMonospacedFont) {
  std::string text;
  for (int i = 0; i < 70; ++i) text += "line " + std::to_string(i) + "\tend\n";
  text += "\fafter a form feed \xC3\xA9\n";
  printhost::Document document;
  std::string error;
  ASSERT_TRUE(printhost::TextDocument(Write("a.txt", text), document, error)) << error;
  ASSERT_EQ(document.pages.size(), 3u);
  EXPECT_EQ(document.pages[0].commands.size(), 60u);
  const auto& first = std::get<printhost::Text>(document.pages[0].commands[0]);
  EXPECT_EQ(first.face, u"DejaVu Sans Mono");
  EXPECT_EQ(first.text, u"line 0  end");
  const auto& last = std::get<printhost::Text>(document.pages[2].commands[0]);
  EXPECT_EQ(last.text, u"after a form feed \u00E9");
}

TEST_F(SourcesTest, BadTextGivesAnErrorAndNoDocument) {
  const std::pair<const char*, std::string> cases[] = {
      {"invalid byte", "good\xFFtext"},
      {"truncated sequence", "ends in \xC3"},
      {"overlong form", "\xC0\xAF"},
      {"surrogate", "\xED\xA0\x80"},
  };
  for (const auto& [what, bytes] : cases) {
    printhost::Document document;
    document.name = u"untouched";
    std::string error;
    EXPECT_FALSE(printhost::TextDocument(Write("bad.txt", bytes), document, error)) << what;
    EXPECT_NE(error.find("not valid UTF-8"), std::string::npos) << what;
    EXPECT_EQ(document.name, u"untouched") << what;
  }
  std::string error;
  printhost::Document document;
  EXPECT_FALSE(printhost::TextDocument((dir_ / "missing.txt").string(), document, error));
  EXPECT_FALSE(printhost::TextDocument(Write("big.txt", std::string((4u << 20) + 1, 'x')), document, error));
  EXPECT_NE(error.find("larger"), std::string::npos);
}

// The lines of each page, as their texts (empty lines leave no text).
std::vector<std::vector<std::u16string>> PageTexts(const printhost::Document& document) {
  std::vector<std::vector<std::u16string>> pages;
  for (const auto& page : document.pages) {
    pages.emplace_back();
    for (const auto& command : page.commands) pages.back().push_back(std::get<printhost::Text>(command).text);
  }
  return pages;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "l" + std::to_string(i) + "\n";
  return text;
}

TEST_F(SourcesTest, LineEndsAndFormFeedsMakeTheLinesAndPagesTheTextHas) {
  using Pages = std::vector<std::vector<std::u16string>>;
  const struct {
    const char* what;
    std::string text;
    std::size_t pages;
    Pages first;  // the texts of the first pages, when given
  } rows[] = {
      {"CR only", "one\rtwo\rthree", 1, {{u"one", u"two", u"three"}}},
      {"CR LF", "one\r\ntwo\r\n", 1, {{u"one", u"two"}}},
      {"LF CR is two line ends", "one\n\rtwo", 1, {{u"one", u"two"}}},
      {"a trailing form feed", "one\n\f", 1, {{u"one"}}},
      {"a form feed after a line without its newline", "one\ftwo", 2, {{u"one"}, {u"two"}}},
      {"two form feeds in a row leave a blank page between", "one\f\ftwo", 3, {{u"one"}, {}, {u"two"}}},
      {"form feeds in a row", "one\f\f\ftwo\f\f", 5, {{u"one"}, {}, {}, {u"two"}, {}}},
      {"a form feed first", "\fone", 1, {{u"one"}}},
      {"a newline ending a full page", Lines(60), 1, {}},
      {"a form feed after a full page", Lines(60) + "\f", 1, {}},
      {"one line past a full page", Lines(61), 2, {}},
      {"empty lines take their place", "\n\n\f", 1, {{}}},
      {"nothing", "", 1, {{}}},
      {"a form feed alone", "\f", 1, {{}}},
      {"form feeds only", std::string(1000, '\f'), 999, {{}, {}}},
      {"a form feed after a full page, then another", Lines(60) + "\f\f", 2, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    printhost::Document document;
    std::string error;
    ASSERT_TRUE(printhost::TextDocument(Write("a.txt", row.text), document, error)) << error;
    EXPECT_EQ(document.pages.size(), row.pages);
    const Pages texts = PageTexts(document);
    for (std::size_t i = 0; i < row.first.size() && i < texts.size(); ++i) EXPECT_EQ(texts[i], row.first[i]) << i;
  }
}

// Four mebibytes of form feeds page in one pass: a blank page between each
// two, counted without holding them.
TEST_F(SourcesTest, ATextOfFormFeedsOnlyIsBlankPages) {
  printhost::TextPages pages;
  std::string error;
  ASSERT_TRUE(pages.Open(Write("ff.txt", std::string(4u << 20, '\f')), error)) << error;
  EXPECT_EQ(pages.PageCount(), (4u << 20) - 1);
  const printhost::Page* first = pages.Next(error);
  ASSERT_NE(first, nullptr) << error;
  EXPECT_TRUE(first->commands.empty());
}

// Read in pieces: a character cut by a piece's end is whole, a bad byte far
// into the file is found at its offset, and the pages come one at a time,
// counted beforehand.
TEST_F(SourcesTest, ALongTextIsPagedAsItIsRead) {
  std::string text;
  const std::string line = "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 line\n";
  while (text.size() < 300000) text += line;
  printhost::TextPages pages;
  std::string error;
  ASSERT_TRUE(pages.Open(Write("long.txt", text), error)) << error;
  const std::size_t lines = text.size() / line.size();
  EXPECT_EQ(pages.PageCount(), (lines + 59) / 60);
  std::size_t count = 0;
  while (const printhost::Page* page = pages.Next(error)) {
    ++count;
    for (const auto& command : page->commands) {
      ASSERT_EQ(std::get<printhost::Text>(command).text, u"\u00E9t\u00E9 \u65E5\u672C \U0001F600 line");
    }
  }
  EXPECT_EQ(error, "");
  EXPECT_EQ(count, pages.PageCount());

  const std::size_t far = 200000 / line.size() * line.size();  // a line's start, past the first piece
  text[far] = '\xFF';
  const std::string bad = Write("bad.txt", text);
  EXPECT_FALSE(pages.Open(bad, error));
  EXPECT_EQ(error, bad + " is not valid UTF-8 (at byte " + std::to_string(far) + ")");
}

// However the file is cut into pieces (down to a byte at a time), the pages
// are the same, and a sequence cut short at the end is found wherever the
// cut falls.
TEST_F(SourcesTest, ThePagesDoNotDependOnThePiecesTheFileIsReadIn) {
  std::string text = "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\r\n\rtab\there\f";
  for (int i = 0; i < 5; ++i) text += text;
  const std::string path = Write("pieces.txt", text);
  const auto pagesOf = [&](std::size_t piece) {
    printhost::TextPages pages(piece);
    std::string error;
    EXPECT_TRUE(pages.Open(path, error)) << error;
    std::vector<std::vector<std::u16string>> all;
    while (const printhost::Page* page = pages.Next(error)) {
      all.emplace_back();
      for (const auto& command : page->commands) all.back().push_back(std::get<printhost::Text>(command).text);
    }
    EXPECT_EQ(all.size(), pages.PageCount());
    return all;
  };
  const auto whole = pagesOf(printhost::TextPages::kPieceBytes);
  ASSERT_EQ(whole.size(), 32u);
  EXPECT_EQ(whole[0], (std::vector<std::u16string>{u"\u00E9\u65E5\U0001F600", u"tab     here"}));
  for (std::size_t piece = 1; piece <= 5; ++piece) EXPECT_EQ(pagesOf(piece), whole) << piece;
  const std::string cut = Write("cut.txt", "ab\xE6\x97");
  for (std::size_t piece = 1; piece <= 4; ++piece) {
    printhost::TextPages pages(piece);
    std::string error;
    EXPECT_FALSE(pages.Open(cut, error)) << piece;
    EXPECT_EQ(error, cut + " is not valid UTF-8 (at byte 2)") << piece;
  }
}

TEST_F(SourcesTest, AFolderIsNoDocumentAndANameIsDecodedAsUtf8) {
  printhost::TextPages pages;
  std::string error;
  EXPECT_FALSE(pages.Open(dir_.string(), error));
  EXPECT_EQ(error, dir_.string() + " is a folder, not a document");
  ASSERT_TRUE(pages.Open(Write("r\xC3\xA9sum\xC3\xA9.txt", std::string("x")), error)) << error;
  EXPECT_EQ(pages.Name(), printhost::DocumentName(dir_.string()) + u"/r\u00E9sum\u00E9.txt");
  EXPECT_EQ(printhost::DocumentName("a\xFF\xC3\xA9"), u"a\uFFFD\u00E9");
}

TEST_F(SourcesTest, PngIsScaledToThePage) {
  printhost::Document document;
  std::string error;
  ASSERT_TRUE(printhost::PngDocument(Write("a.png", PngBytes::Rgb(4, 3)), document, error)) << error;
  ASSERT_EQ(document.pages.size(), 1u);
  const auto& picture = std::get<printhost::Picture>(document.pages[0].commands.at(0));
  EXPECT_EQ(picture.image.width, 4);
  EXPECT_EQ(picture.image.height, 3);
  EXPECT_EQ(picture.image.bitsPerPixel, 24);
  // Pixel (1, 2): red 40, green 80, blue 0x80, stored blue first.
  const BYTE* pixel = picture.image.rows.data() + 2 * picture.image.Stride() + 3;
  EXPECT_EQ(pixel[0], 0x80);
  EXPECT_EQ(pixel[1], 80);
  EXPECT_EQ(pixel[2], 40);
  EXPECT_EQ((picture.dest.right - picture.dest.left) * 3, (picture.dest.bottom - picture.dest.top) * 4);
}

TEST_F(SourcesTest, DamagedOrHugePngGivesAnErrorAndNoDocument) {
  const auto good = PngBytes::Rgb(4, 3);
  std::vector<unsigned char> truncated(good.begin(), good.begin() + static_cast<long>(good.size()) - 30);
  std::vector<unsigned char> badCrc = good;
  badCrc[40] ^= 0xFF;  // inside the image data
  std::vector<unsigned char> notPng(good.begin() + 1, good.end());
  const std::pair<const char*, std::vector<unsigned char>> cases[] = {
      {"truncated", truncated},
      {"damaged data", badCrc},
      {"not a png", notPng},
      {"huge declared width", PngBytes::Declaring(100000, 1)},
      {"huge declared area", PngBytes::Declaring(19000, 19000)},
      {"empty", {}},
  };
  for (const auto& [what, bytes] : cases) {
    printhost::Document document;
    document.name = u"untouched";
    std::string error;
    EXPECT_FALSE(printhost::PngDocument(Write("bad.png", bytes), document, error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_EQ(document.name, u"untouched") << what;
  }
}

}  // namespace
