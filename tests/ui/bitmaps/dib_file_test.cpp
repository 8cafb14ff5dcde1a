// Picture files a user picks: well-formed ones load at their size, and every
// hostile one (cut short, huge, headers that lie about the rest) is refused
// before memory is taken for it, with the reason.
#include "ui/bitmaps/dib_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/machine.h"
#include "platform/files/winpath.h"

namespace {

using Bytes = std::vector<BYTE>;

// A bottom-up 8-bit picture of width x lines, full colour table, each pixel
// its column number.
Bytes EightBitPicture(LONG width, LONG lines) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 8 + 31) / 32 * 4;
  const std::uint32_t pixels = stride * static_cast<std::uint32_t>(lines < 0 ? -lines : lines);
  Bytes b(kDibHeadBytes + 1024 + pixels, 0);
  b[0] = 'B';
  b[1] = 'M';
  const std::uint32_t size = static_cast<std::uint32_t>(b.size());
  std::memcpy(&b[2], &size, 4);
  const std::uint32_t offset = kDibHeadBytes + 1024;
  std::memcpy(&b[10], &offset, 4);
  BITMAPINFOHEADER h{40, width, lines, 1, 8, BI_RGB, pixels, 0, 0, 0, 0};
  std::memcpy(&b[14], &h, sizeof h);
  for (int i = 0; i < 256; ++i) {
    b[kDibHeadBytes + 4 * i] = static_cast<BYTE>(i);
    b[kDibHeadBytes + 4 * i + 1] = static_cast<BYTE>(255 - i);
  }
  for (std::uint32_t i = 0; i < pixels; ++i) b[offset + i] = static_cast<BYTE>(i % stride);
  return b;
}

template <typename T>
void Put(Bytes& b, std::size_t at, T value) {
  std::memcpy(&b[at], &value, sizeof value);
}

class DibFileTest : public ::testing::Test {
 protected:
  // Writes the bytes as C:\picture.bmp and returns its path.
  LPCWSTR Write(const Bytes& bytes) {
    const auto host = plat::HostPathOf(kPath);
    EXPECT_TRUE(host.has_value());
    std::ofstream out(*host, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return kPath;
  }

  static constexpr const char16_t* kPath = u"C:\\picture.bmp";
  plat::ScopedMachine machine_;
};

TEST_F(DibFileTest, AWellFormedPictureLoadsAtItsSize) {
  for (const LONG lines : {3, -3}) {  // bottom-up and top-down
    LONG width = -1, height = -1;
    DibFault fault = DibFault::kReadFailed;
    const HBITMAP bitmap = LoadBitmapFileEx(Write(EightBitPicture(5, lines)), &width, &height, &fault);
    ASSERT_NE(bitmap, nullptr) << DibFaultText(fault);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    DeleteObject(bitmap);
    HANDLE file = nullptr;
    EXPECT_TRUE(IsBitmapFile(kPath, &file));
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
}

TEST_F(DibFileTest, ThePicturesOfTheTestsLoad) {
  for (const char* name : {"two_colours_1bpp.bmp", "scrambled_palette_4bpp.bmp", "scrambled_palette_8bpp.bmp",
                           "direct_colours_24bpp.bmp"}) {
    std::ifstream in(std::string(KESM_TEST_DATA) + "/gdi/" + name, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LONG width = 0, height = 0;
    DibFault fault = DibFault::kReadFailed;
    const HBITMAP bitmap = LoadBitmapFileEx(Write(bytes), &width, &height, &fault);
    EXPECT_NE(bitmap, nullptr) << name << ": " << DibFaultText(fault);
    EXPECT_GT(width, 0) << name;
    EXPECT_GT(height, 0) << name;
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

struct HostileCase {
  const char* what;
  std::function<void(Bytes&)> spoil;
  DibFault fault;
};

TEST_F(DibFileTest, HostileFilesAreRefusedWithTheirReason) {
  const std::vector<HostileCase> cases = {
      {"empty file", [](Bytes& b) { b.clear(); }, DibFault::kShortHeader},
      {"cut inside the info header", [](Bytes& b) { b.resize(30); }, DibFault::kShortHeader},
      {"an OS/2 core header (12)", [](Bytes& b) { Put<DWORD>(b, 14, 12); }, DibFault::kNotInfoHeader},
      {"a version 5 header (124)", [](Bytes& b) { Put<DWORD>(b, 14, 124); }, DibFault::kNotInfoHeader},
      {"not a picture at all", [](Bytes& b) { std::memset(b.data(), 'x', b.size()); }, DibFault::kNotInfoHeader},
      {"two planes", [](Bytes& b) { Put<WORD>(b, 26, 2); }, DibFault::kPlanes},
      {"bit count 0", [](Bytes& b) { Put<WORD>(b, 28, 0); }, DibFault::kBitCount},
      {"bit count 7", [](Bytes& b) { Put<WORD>(b, 28, 7); }, DibFault::kBitCount},
      {"bit count 65535", [](Bytes& b) { Put<WORD>(b, 28, 0xFFFF); }, DibFault::kBitCount},
      {"run-length compressed", [](Bytes& b) { Put<DWORD>(b, 30, 1); }, DibFault::kCompression},
      {"bit fields", [](Bytes& b) { Put<DWORD>(b, 30, 3); }, DibFault::kCompression},
      {"more colours than 8 bits hold", [](Bytes& b) { Put<DWORD>(b, 46, 257); }, DibFault::kColourCount},
      {"width 0", [](Bytes& b) { Put<LONG>(b, 18, 0); }, DibFault::kDimensions},
      {"negative width", [](Bytes& b) { Put<LONG>(b, 18, -5); }, DibFault::kDimensions},
      {"height 0", [](Bytes& b) { Put<LONG>(b, 22, 0); }, DibFault::kDimensions},
      {"huge width", [](Bytes& b) { Put<LONG>(b, 18, 0x7FFFFFFF); }, DibFault::kTooLarge},
      {"huge height", [](Bytes& b) { Put<LONG>(b, 22, 0x7FFFFFFF); }, DibFault::kTooLarge},
      {"most negative height", [](Bytes& b) { Put<LONG>(b, 22, static_cast<LONG>(0x80000000u)); },
       DibFault::kTooLarge},
      {"sides within bounds, area not", [](Bytes& b) { Put<LONG>(b, 18, 8192); Put<LONG>(b, 22, 8192); },
       DibFault::kTooLarge},
      {"width lies past the pixels", [](Bytes& b) { Put<LONG>(b, 18, 400); }, DibFault::kTruncated},
      {"height lies past the pixels", [](Bytes& b) { Put<LONG>(b, 22, 300); }, DibFault::kTruncated},
      {"last line cut", [](Bytes& b) { b.resize(b.size() - 1); }, DibFault::kTruncated},
      {"colour table cut", [](Bytes& b) { b.resize(kDibHeadBytes + 100); }, DibFault::kTruncated},
  };
  for (const HostileCase& c : cases) {
    Bytes bytes = EightBitPicture(5, 3);
    c.spoil(bytes);
    LONG width = -1, height = -1;
    DibFault fault = DibFault::kNone;
    const HBITMAP bitmap = LoadBitmapFileEx(Write(bytes), &width, &height, &fault);
    EXPECT_EQ(bitmap, nullptr) << c.what;
    EXPECT_EQ(width, 0) << c.what;
    EXPECT_EQ(height, 0) << c.what;
    EXPECT_STREQ(DibFaultText(fault), DibFaultText(c.fault)) << c.what;
    HANDLE file = nullptr;
    EXPECT_FALSE(IsBitmapFile(kPath, &file)) << c.what;
    EXPECT_EQ(file, INVALID_HANDLE_VALUE) << c.what;
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

TEST_F(DibFileTest, ColourCountsWithinTheDepthAreTaken) {
  for (const DWORD used : {0u, 16u, 256u}) {
    Bytes bytes = EightBitPicture(5, 3);
    Put<DWORD>(bytes, 46, used);
    Put<DWORD>(bytes, 50, 0x400);  // important colours: never read
    LONG width = 0, height = 0;
    const HBITMAP bitmap = LoadBitmapFile(Write(bytes), &width, &height);
    EXPECT_NE(bitmap, nullptr) << used;
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

TEST_F(DibFileTest, TheFuzzersFindingsStayRefused) {
  // A 4-bit picture whose colour count says 16 million: it once passed the
  // reader and was then refused by GDI.
  std::ifstream in(std::string(KESM_TEST_DATA) + "/../../fuzz/corpus/dib_file/crash-colour-count-beyond-depth",
                   std::ios::binary);
  ASSERT_TRUE(in.good());
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  DibFault fault = DibFault::kNone;
  EXPECT_EQ(LoadBitmapFileEx(Write(bytes), nullptr, nullptr, &fault), nullptr);
  EXPECT_STREQ(DibFaultText(fault), DibFaultText(DibFault::kColourCount));
}

TEST_F(DibFileTest, AMissingFileYieldsNoPictureAndNoSize) {
  LONG width = -1, height = -1;
  EXPECT_EQ(LoadBitmapFile(u"C:\\nowhere.bmp", &width, &height), nullptr);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_FALSE(IsBitmapFile(u"C:\\nowhere.bmp", nullptr));
}

}  // namespace
