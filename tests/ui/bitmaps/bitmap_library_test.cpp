// Which library a picture comes from: both test libraries hold every id,
// the resource library's pictures 2 pixels wide, the bitmap library's 3, so
// the width says where each one was taken from.
#include "ui/bitmaps/bitmap_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/wingdi.h"
#include "tests/ui/engine_machine.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

class BitmapLibrary : public EngineMachine {
 protected:
  // The width of the loaded picture, 0 when none was loaded.
  LONG WidthOf(UINT id) {
    const HBITMAP bitmap = LoadBitmapFromResDll(ucb_, id);
    if (bitmap == nullptr) return 0;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    return info.bmWidth;
  }
};

TEST_F(BitmapLibrary, EachIdRangeIsTakenFromItsLibrary) {
  const struct {
    UINT id;
    LONG width;
  } cases[] = {
      {6001, 2},  // 6001-6228: the resource library
      {6229, 3},  // 6229-6238: the bitmap library, though inside the first resource range's neighbourhood
      {6239, 2},  // 6239-6400: the resource library
      {6401, 3},  // 6401-10000: the bitmap library
      {6000, 0},  // outside every range: not loaded
      {10001, 0},
      {6300, 0},  // in a range, but the library lacks it
  };
  for (const auto& c : cases) EXPECT_EQ(WidthOf(c.id), c.width) << c.id;
}

TEST_F(BitmapLibrary, TheDeviceIndependentPictureComesFromTheSameLibrary) {
  for (const auto& [id, width] : {std::pair<UINT, LONG>{6229, 3}, {6239, 2}}) {
    DWORD bytes = 0;
    const BYTE* picture = LoadBitmapResource(ucb_, id, &bytes);
    ASSERT_NE(picture, nullptr) << id;
    ASSERT_GE(bytes, sizeof(BITMAPINFOHEADER)) << id;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, picture, sizeof header);
    EXPECT_EQ(header.biWidth, width) << id;
  }
  DWORD bytes = 7;
  EXPECT_EQ(LoadBitmapResource(ucb_, 5000, &bytes), nullptr);
  EXPECT_EQ(bytes, 0u);
}

TEST_F(BitmapLibrary, WithoutItsLibraryNoPictureIsLoaded) {
  FreeResDll(ucb_);
  std::filesystem::remove(resourceDll_);
  EXPECT_EQ(WidthOf(6001), 0);
  EXPECT_EQ(WidthOf(6229), 3);
}

}  // namespace
}  // namespace ui_test

namespace ui_test {
namespace {

// The library's own bitmap DLL in the printer's driver directory: every
// picture the pages take from it loads at its size.
class DeliveredBitmaps : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
  }
};

TEST_F(DeliveredBitmaps, EveryPictureOfTheBitmapLibraryLoadsAtItsSize) {
  struct Range {
    UINT first;
    UINT last;
    LONG width;
    LONG height;
  };
  const Range ranges[] = {{6495, 6503, 24, 11}, {6801, 6811, 13, 13}, {7001, 7004, 13, 13}, {7005, 7005, 12, 12},
                          {7006, 7006, 16, 16}, {7445, 7452, 32, 24}};
  for (const Range& r : ranges) {
    for (UINT id = r.first; id <= r.last; ++id) {
      const HBITMAP bitmap = LoadBitmapFromResDll(ucb_, id);
      ASSERT_NE(bitmap, nullptr) << id;
      BITMAP info{};
      GetObjectW(bitmap, sizeof info, &info);
      EXPECT_EQ(info.bmWidth, r.width) << id;
      EXPECT_EQ(info.bmHeight, r.height) << id;
      DeleteObject(bitmap);
    }
  }
}

}  // namespace
}  // namespace ui_test
