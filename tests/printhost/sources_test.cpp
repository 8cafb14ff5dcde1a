// Documents from outside files: good files become pages, bad ones a clear
// error and no document.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/printhost/document.h"

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
