// The watermark and copy-guard previews drawn over a page picture: a
// preview DC of the test's own (a 32-bit picture filled with one page
// colour) stands where the picture item's held copy would be, so that
// every pixel can be read back and checked against what the combination
// of page and colour must give, worked out here.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "features/stamp/preview_geometry.h"
#include "features/stamp/stamp_module.h"
#include "platform/gdi/wingdi.h"
#include "settings/tables/dialog_tables.h"
#include "storage/stores/watermark_store.h"
#include "tests/features/features_fixture.h"

namespace features_test {
namespace {

constexpr LONG kPictureWidth = 80;
constexpr LONG kPictureHeight = 100;
constexpr RECT kPage{10, 10, 62, 81};
constexpr LONG kBoxWidth = 50;   // the portrait preview box
constexpr LONG kBoxHeight = 69;
constexpr COLORREF kPageColour = RGB(200, 100, 50);

// The watermark descriptor as the run-time correction leaves it.
constexpr std::array<WORD, 16> kDescriptor = {8, 766, 782, 788, 775, 784, 774, 781, 783, 767, 0, 776, 777, 772, 0, 0};
constexpr WORD kFuncText = 766, kFuncFont = 782, kFuncStyle = 788, kFuncFrame = 775, kFuncColour = 784;
constexpr WORD kFuncDensity = 774, kFuncAngle = 781, kFuncPoints = 783, kFuncPosition = 776, kFuncRepeat = 777;
constexpr WORD kFuncForeground = 772;

// Pixels as 0x00RRGGBB, from a COLORREF.
std::uint32_t Pixel(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

class Previews : public FeatureTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(FeatureTest::SetUp());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPictureWidth, -kPictureHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc_, nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    pixels_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    for (LONG i = 0; i < kPictureWidth * kPictureHeight; ++i) pixels_[i] = Pixel(kPageColour);
    ucb_->pWork->dialog.hHoldDC = dc_;
    // A4 at 1200 dpi: eight whole inches on the shorter side.
    S(38, 1200);
    S(47, 14032);
    S(48, 9920);
    S(60, 1);
    S(117, 1);
    SetText(ucb_, kFuncText, u"HH");
    SetText(ucb_, kFuncFont, u"DejaVu Sans");
    S(kFuncStyle, 1);
    S(kFuncFrame, 0);
    S(kFuncColour, 1);
    S(kFuncDensity, 100);
    S(kFuncAngle, 0);
    S(kFuncPoints, 400);
    S(kFuncPosition, 0);
    S(kFuncRepeat, 0);
    S(kFuncForeground, 0);
    preview_.itemId = 2039;
    preview_.pClassData = kDescriptor.data();
  }
  void TearDown() override {
    ucb_->pWork->dialog.hHoldDC = nullptr;
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    FeatureTest::TearDown();
  }

  void Watermark() { MakeWaterMarkBitmap(ucb_, &preview_, kBoxWidth, kBoxHeight, 0, &kPage); }
  void CopyGuard(WORD item) {
    ICB guard{};
    guard.itemId = item;
    MakeCopyProtectBitmap(ucb_, &guard, kBoxWidth, kBoxHeight, 0, &kPage);
  }
  std::uint32_t At(LONG x, LONG y) const { return pixels_[y * kPictureWidth + x]; }
  // The bitmap's place on the picture: (width − 2) × (height − 2) at the
  // anchor worked out from the page's centre.
  static RECT Box(LONG dx, LONG dy) {
    const LONG w = kBoxWidth - 2, h = kBoxHeight - 2;
    const LONG x = (kPage.left + kPage.right) / 2 - w / 2 + dx;
    const LONG y = (kPage.top + kPage.bottom) / 2 - h / 2 + dy;
    return {x, y, x + w, y + h};
  }
  static RECT WatermarkBox() { return Box(-1, -2); }
  static RECT CopyGuardBox() { return Box(-2, -2); }
  static bool Inside(const RECT& r, LONG x, LONG y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
  // Pixels that changed outside the box.
  int ChangedOutside(const RECT& box) const {
    int changed = 0;
    for (LONG y = 0; y < kPictureHeight; ++y) {
      for (LONG x = 0; x < kPictureWidth; ++x) {
        if (!Inside(box, x, y) && At(x, y) != Pixel(kPageColour)) ++changed;
      }
    }
    return changed;
  }
  int Count(std::uint32_t value) const {
    int n = 0;
    for (LONG i = 0; i < kPictureWidth * kPictureHeight; ++i) n += pixels_[i] == value ? 1 : 0;
    return n;
  }
  int Changed() const { return kPictureWidth * kPictureHeight - Count(Pixel(kPageColour)); }

  std::vector<std::uint32_t> Picture() const { return {pixels_, pixels_ + kPictureWidth * kPictureHeight}; }
  void ResetPicture() {
    for (LONG i = 0; i < kPictureWidth * kPictureHeight; ++i) pixels_[i] = Pixel(kPageColour);
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  ICB preview_{};
};

// Under the page picture the watermark is combined by AND: its text takes
// the page's bits that the colour has, and no pixel gains a bit.
TEST_F(Previews, UnderThePageTheTextIsThePageAndItsColour) {
  Watermark();
  const std::uint32_t page = Pixel(kPageColour);
  const std::uint32_t ink = page & Pixel(RGB(255, 0, 0));
  EXPECT_GT(Count(ink), 30) << "the text's solid strokes";
  EXPECT_EQ(ChangedOutside(WatermarkBox()), 0);
  for (LONG i = 0; i < kPictureWidth * kPictureHeight; ++i) ASSERT_EQ(pixels_[i] & ~page, 0u) << i;
}

TEST_F(Previews, OverThePageTheTextIsItsOwnColour) {
  S(kFuncForeground, 1);
  S(kFuncColour, 3);
  S(kFuncDensity, 50);
  Watermark();
  const std::uint32_t ink = Pixel(RGB(128, 128, 255));  // grey 255·50/100, blue full
  EXPECT_GT(Count(ink), 30);
  EXPECT_EQ(ChangedOutside(WatermarkBox()), 0);
}

TEST_F(Previews, NoDensityOverWhiteShowsNothing) {
  S(kFuncDensity, 0);
  Watermark();
  EXPECT_EQ(Changed(), 0);
}

TEST_F(Previews, WatermarksOffOrAnotherKindDrawNothing) {
  S(60, 0);
  Watermark();
  EXPECT_EQ(Changed(), 0);
  S(60, 1);
  S(117, 3);
  Watermark();
  EXPECT_EQ(Changed(), 0);
}

// Paper of under an inch on its shorter side, or no resolution, gives the
// font height no scale: the preview is left out rather than dividing by
// zero.
TEST_F(Previews, PaperUnderAnInchOrNoResolutionDrawsNoPreview) {
  struct Paper {
    LONG resolution, length, width;
  };
  for (const Paper& p : {Paper{1200, 14032, 1000}, Paper{0, 14032, 9920}, Paper{-600, 14032, 9920}}) {
    S(38, p.resolution);
    S(47, p.length);
    S(48, p.width);
    S(79, 1);
    Watermark();
    CopyGuard(2931);
    EXPECT_EQ(Changed(), 0) << p.resolution << " " << p.width;
  }
}

TEST_F(Previews, TheCopyGuardPatternFillsItsWholeBox) {
  S(79, 1);
  S(512, 2);
  S(513, 261);  // only the low byte counts: 5, full
  CopyGuard(2931);
  const RECT box = CopyGuardBox();
  const std::uint32_t green = Pixel(RGB(0, 255, 0));
  for (LONG y = 0; y < kPictureHeight; ++y) {
    for (LONG x = 0; x < kPictureWidth; ++x) {
      ASSERT_EQ(At(x, y), Inside(box, x, y) ? green : Pixel(kPageColour)) << x << "," << y;
    }
  }
}

TEST_F(Previews, ACopyGuardDensityPastFullIsFullColour) {
  S(79, 1);
  S(512, 2);
  S(513, 200);
  CopyGuard(2931);
  EXPECT_EQ(Count(Pixel(RGB(0, 255, 0))), (kBoxWidth - 2) * (kBoxHeight - 2));
}

TEST_F(Previews, TheCopyGuardTextRepeatsOverThePageOnlyForItsItems) {
  S(79, 1);
  S(512, 0);
  S(513, 5);
  SetText(ucb_, 524, u"COPY");
  SetText(ucb_, 525, u"DejaVu Sans");
  S(527, 200);
  S(519, 1);
  S(520, 1);
  CopyGuard(2039);
  EXPECT_EQ(Changed(), 0) << "not a copy-guard item";
  CopyGuard(2943);
  EXPECT_GT(Count(0), 20) << "black text";
  EXPECT_EQ(ChangedOutside(CopyGuardBox()), 0);
}

// Outlined characters against plain ones: the outline is drawn in the ink,
// next to where plain text has ink, and the inside of a thick stroke (whose
// plain pixels all have ink around them) keeps the page's colour.
struct OutlineCheck {
  int outline = 0;      // pixels of the outlined text in the ink
  int strays = 0;       // changed pixels not in the ink, or away from the plain text
  int deep = 0;         // plain pixels deep inside a stroke
  int deepInked = 0;    // of those, inked in the outlined text
};

OutlineCheck CompareOutline(const std::vector<std::uint32_t>& plain, const std::vector<std::uint32_t>& outlined,
                            std::uint32_t ink, std::uint32_t page) {
  OutlineCheck c;
  auto at = [](const std::vector<std::uint32_t>& p, LONG x, LONG y) {
    return x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight ? ~0u : p[y * kPictureWidth + x];
  };
  auto all = [&](LONG x, LONG y, int reach, auto test) {
    for (int dy = -reach; dy <= reach; ++dy) {
      for (int dx = -reach; dx <= reach; ++dx) {
        if (!test(at(plain, x + dx, y + dy))) return false;
      }
    }
    return true;
  };
  for (LONG y = 0; y < kPictureHeight; ++y) {
    for (LONG x = 0; x < kPictureWidth; ++x) {
      const std::uint32_t o = at(outlined, x, y);
      if (o == ink) {
        ++c.outline;
        if (all(x, y, 1, [&](std::uint32_t v) { return v != ink; })) ++c.strays;
      } else if (o != page) {
        ++c.strays;
      }
      if (all(x, y, 2, [&](std::uint32_t v) { return v == ink; })) {
        ++c.deep;
        if (o != page) ++c.deepInked;
      }
    }
  }
  return c;
}

TEST_F(Previews, FrameThreeAndTheCopyGuardOutlineDrawOutlinedCharacters) {
  struct Case {
    const char* name;
    bool copyGuard;
  };
  for (const Case c : {Case{"watermark frame 3", false}, Case{"copy guard setting 517", true}}) {
    SCOPED_TRACE(c.name);
    const std::uint32_t ink = c.copyGuard ? 0u : Pixel(RGB(255, 0, 0));
    auto draw = [&](bool outlined) {
      ResetPicture();
      if (c.copyGuard) {
        S(79, 1);
        S(512, 0);
        S(513, 5);
        S(515, 0);
        S(517, outlined ? 1 : 0);
        SetText(ucb_, 524, u"H");
        SetText(ucb_, 525, u"DejaVu Sans");
        S(526, 1);
        S(527, 600);
        S(519, 0);
        S(523, 0);
        CopyGuard(2943);
      } else {
        SetText(ucb_, kFuncText, u"H");
        S(kFuncForeground, 1);
        S(kFuncPoints, 600);
        S(kFuncFrame, outlined ? 3 : 0);
        Watermark();
      }
      return Picture();
    };
    const std::vector<std::uint32_t> plain = draw(false);
    const std::vector<std::uint32_t> outlined = draw(true);
    const OutlineCheck check = CompareOutline(plain, outlined, ink, Pixel(kPageColour));
    EXPECT_GT(check.deep, 10) << "the plain H has thick strokes";
    EXPECT_GT(check.outline, 40) << "the outline is drawn in the ink";
    EXPECT_EQ(check.strays, 0);
    EXPECT_EQ(check.deepInked, 0) << "the inside of the strokes keeps the page";
  }
}

// Watermarks come from INI and set files: whatever angle, size, density,
// frame, colour or position an entry holds, the preview stays inside its
// box, and nothing breaks.
TEST_F(Previews, HostileStoredWatermarksStayInsideTheirBox) {
  struct Entry {
    const char16_t* key;
    const char16_t* value;
  };
  const std::array<std::array<Entry, 6>, 4> entries = {{
      {{{u"wdmWmAngle", u"32767"}, {u"wdmWmFontPoint", u"65535"}, {u"wdmWmDensity", u"255"},
        {u"wdmWmEffect", u"2"}, {u"wdmWmPosiTile", u"1"}, {u"wdmWmColor", u"255"}}},
      {{{u"wdmWmAngle", u"-32768"}, {u"wdmWmFontPoint", u"1"}, {u"wdmWmDensity", u"101"},
        {u"wdmWmEffect", u"1"}, {u"wdmWmPosiTile", u"1"}, {u"wdmWmPosi", u"255"}}},
      {{{u"wdmWmAngle", u"725"}, {u"wdmWmFontPoint", u"0"}, {u"wdmWmDensity", u"0"},
        {u"wdmWmEffect", u"3"}, {u"wdmWmFontStyle", u"255"}, {u"wdmWmPosi", u"32"}}},
      {{{u"wdmWmAngle", u"-450"}, {u"wdmWmFontPoint", u"30000"}, {u"wdmWmDensity", u"100"},
        {u"wdmWmEffect", u"2"}, {u"wdmWmPosiTile", u"0"}, {u"wdmWmOpaque", u"1"}}},
  }};
  PutText(u"jp", u"StampCount", u"4");
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::u16string section = u"Stamp" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"jp";
    PutText(section.c_str(), u"kdmWmKind", u"1");
    PutText(section.c_str(), u"wdmWmChar", u"HOSTILE");
    PutText(section.c_str(), u"wdmWmFontName", u"DejaVu Sans");
    for (const Entry& e : entries[i]) PutText(section.c_str(), e.key, e.value);
  }
  for (int i = 0; i < 4; ++i) {
    ReadWatermarkByID(ucb_, i);
    S(60, 1);
    Watermark();
    EXPECT_EQ(ChangedOutside(WatermarkBox()), 0) << i;
  }
}

}  // namespace
}  // namespace features_test
