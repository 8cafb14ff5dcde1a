// Source and destination paper areas: A4 and Letter at 600 dpi in both
// orientations from the description's areas, a free size given by the
// DEVMODE's length and width, the output size that follows the paper, and
// the inputs that must not underflow or divide by zero: margins larger
// than the paper, a resolution of 0 or below, a custom size beyond the
// model's range.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "jobsettings/devmode/paper_codes.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution.h"
#include "platform/base/machine.h"
#include "settings/values/setting_value.h"
#include "tests/settings/context/hand_context.h"
#include "tests/settings/kpd/kpd_compile_sample.h"

namespace {

using Geometry = std::array<LONG_PTR, 6>;  // length, width, printable length and width, left, top

constexpr WORD kSrc = 40;
constexpr WORD kDst = 47;
constexpr SHORT kPortrait = 1;
constexpr SHORT kLandscape = 2;

class PaperAreas : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Hold(kpdtest::Fixture("kesm_paper_areas.kpd"))); }

  void Hold(const std::string& text) {
    packed_ = kpdtest::PackAndFree(kpdtest::CompileText(text, nullptr));
    PCBKPD b = packed_.Load();
    ASSERT_NE(b, nullptr);
    c_.ucb()->pBKPD = b;
    Set(38, 600);
    Set(39, 600);
    dm()->dmPrintQuality = 600;
    dm()->dmOrientation = kPortrait;
  }

  DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(c_.dcb().devmode); }
  UCB* ucb() { return c_.ucb(); }
  void Set(WORD id, LONG_PTR v) { ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb(), id, v)); }
  void Orient(SHORT o) { dm()->dmOrientation = o; }
  Geometry Area(WORD first) {
    Geometry g{};
    for (WORD i = 0; i < 6; ++i) g[i] = GetDevmodeValueDirectByFuncID(ucb(), static_cast<WORD>(first + i), nullptr);
    return g;
  }

  plat::ScopedMachine machine_;
  kesm_test::HandContext c_;
  kpdtest::Packed packed_;
};

struct PaperCase {
  const char* what;
  SHORT paper;
  SHORT orientation;
  Geometry area;
  SHORT length;  // dmPaperLength and dmPaperWidth afterwards, 0.1 mm
  SHORT width;
};

TEST_F(PaperAreas, A4AndLetterAt600DpiInBothOrientations) {
  const PaperCase cases[] = {
      {"A4 portrait", 9, kPortrait, {7016, 4960, 6816, 4760, 100, 100}, 2970, 2100},
      {"A4 landscape, its portrait area turned", 9, kLandscape, {4960, 7016, 4760, 6816, 100, 100}, 2100, 2970},
      {"Letter portrait", 1, kPortrait, {6600, 5100, 6400, 4900, 100, 100}, 2794, 2159},
      {"Letter landscape, an area of its own", 1, kLandscape, {5100, 6600, 4900, 6360, 120, 100}, 2159, 2794},
  };
  for (const PaperCase& k : cases) {
    SCOPED_TRACE(k.what);
    Orient(k.orientation);
    dm()->dmPaperSize = k.paper;
    dm()->dmFields = DM_PAPERLENGTH | DM_PAPERWIDTH;
    SetSrcPaperArea(k.paper, 8, ucb(), dm());
    EXPECT_EQ(Area(kSrc), k.area);
    EXPECT_EQ(dm()->dmPaperLength, k.length);
    EXPECT_EQ(dm()->dmPaperWidth, k.width);
    EXPECT_EQ(dm()->dmFields, DWORD{DM_PAPERSIZE}) << "a description paper is given by its code";
    // The same paper as output size, and "same as the paper".
    for (LONG out : {LONG{k.paper}, kPaperSameAsSource}) {
      Set(46, out);
      Set(47, 0);
      SetDstPaperArea(out, 46, ucb(), dm());
      EXPECT_EQ(Area(kDst), k.area) << out;
    }
  }
}

TEST_F(PaperAreas, APaperWithoutAreaWritesNothing) {
  const Geometry before = {1, 2, 3, 4, 5, 6};
  for (WORD i = 0; i < 6; ++i) Set(static_cast<WORD>(kSrc + i), before[i]);
  Set(38, 1200);  // the description has no area at 1200 dpi
  SetSrcPaperArea(9, 8, ucb(), dm());
  EXPECT_EQ(Area(kSrc), before);
  Set(38, 600);
  SetSrcPaperArea(70, 8, ucb(), dm());  // not a paper of the description
  EXPECT_EQ(Area(kSrc), before);
}

// 200 x 150 mm: 9448 x 7086 dots at 1200 dpi (the largest even counts
// within the size), halved at 600 dpi; the user size's margins come off
// once.
TEST_F(PaperAreas, AFreeSizeGivenByLengthAndWidth) {
  dm()->dmPaperSize = kPaperFreeSize;
  dm()->dmPaperLength = 2000;
  dm()->dmPaperWidth = 1500;
  SetSrcPaperAreaOfFreeSize(dm(), ucb());
  EXPECT_EQ(Area(kSrc), (Geometry{4724, 3543, 4664, 3493, 50, 60}));
  dm()->dmPrintQuality = 300;
  SetSrcPaperAreaOfFreeSize(dm(), ucb());
  EXPECT_EQ(Area(kSrc), (Geometry{2362, 1771, 2302, 1721, 50, 60}));
}

TEST_F(PaperAreas, ResolutionsOfZeroOrBelowAreTheModelsDefault) {
  dm()->dmPaperLength = 2000;
  dm()->dmPaperWidth = 1500;
  SetSrcPaperAreaOfFreeSize(dm(), ucb());
  const Geometry at600 = Area(kSrc);
  for (SHORT quality : {SHORT{0}, SHORT{-1}, SHORT{-4}, SHORT{-32768}}) {
    SCOPED_TRACE(quality);
    Set(kSrc, 0);
    dm()->dmPrintQuality = quality;
    SetSrcPaperAreaOfFreeSize(dm(), ucb());
    EXPECT_EQ(Area(kSrc), at600);
  }
  EXPECT_EQ(UsableResolution(0, ucb()), 600u);
  EXPECT_EQ(UsableResolution(1200, ucb()), 1200u);
}

// The model takes 6600-21636 dots of length and 6600-14412 of width at
// 1200 dpi.
TEST_F(PaperAreas, ACustomSizeIsHeldToTheModelsRange) {
  struct Case {
    SHORT length;
    SHORT width;
    LONG_PTR lengthDots;  // at 600 dpi
    LONG_PTR widthDots;
  };
  const Case cases[] = {
      {32767, 32767, 10818, 7206},  // beyond both maxima
      {10, 10, 3300, 3300},         // below both minima
      {-5, 0, 3300, 3300},          // not a size at all
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.length);
    dm()->dmPaperLength = k.length;
    dm()->dmPaperWidth = k.width;
    SetSrcPaperAreaOfFreeSize(dm(), ucb());
    EXPECT_EQ(Area(kSrc)[0], k.lengthDots);
    EXPECT_EQ(Area(kSrc)[1], k.widthDots);
  }
  EXPECT_EQ(ClampFreeSizeTenthsMm(2000, true, ucb()), 2000);
  EXPECT_EQ(ClampFreeSizeTenthsMm(32767, true, ucb()), 4580);
  EXPECT_EQ(ClampFreeSizeTenthsMm(32767, false, ucb()), 3051);
  EXPECT_EQ(ClampFreeSizeTenthsMm(0, false, ucb()), 1397);
}

// A description whose user-size margins are larger than any free size:
// the printable size stops at 0 instead of wrapping round.
TEST_F(PaperAreas, MarginsLargerThanThePaperLeaveNoPrintableArea) {
  std::string text = kpdtest::Fixture("kesm_paper_areas.kpd");
  const std::string from = "\"50 60 0 0 0 0\"";
  text.replace(text.find(from), from.size(), "\"30000 30000 0 0 0 0\"");
  ASSERT_NO_FATAL_FAILURE(Hold(text));
  dm()->dmPaperLength = 2000;
  dm()->dmPaperWidth = 1500;
  SetSrcPaperAreaOfFreeSize(dm(), ucb());
  EXPECT_EQ(Area(kSrc), (Geometry{4724, 3543, 0, 0, 30000, 30000}));
}

}  // namespace
