// The numbers behind the watermark and copy-guard previews: the sine and
// cosine table, grey levels and colours, the font height, the turned text
// box, the ink width and where a box goes.
#include "features/stamp/preview_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

int Rounded(double v) { return static_cast<int>(std::lround(v)); }

TEST(PreviewTable, HoldsOneHundredTimesSineAndCosineOfEveryDegree) {
  EXPECT_EQ(tblSinCos.tblSin[0], 0);
  EXPECT_EQ(tblSinCos.tblSin[1], 2);
  EXPECT_EQ(tblSinCos.tblSin[2], 3);
  EXPECT_EQ(tblSinCos.tblSin[3], 5);
  EXPECT_EQ(tblSinCos.tblSin[4], 7);
  EXPECT_EQ(tblSinCos.tblCos[6], 99);
  for (int d = 0; d < 360; ++d) {
    const double radians = d * std::numbers::pi / 180.0;
    EXPECT_EQ(tblSinCos.tblSin[d], Rounded(100 * std::sin(radians))) << d;
    EXPECT_EQ(tblSinCos.tblCos[d], Rounded(100 * std::cos(radians))) << d;
  }
}

struct ColourCase {
  LONG code;
  BYTE grey;
  COLORREF colour;
};

TEST(PreviewColour, EachCodeKeepsItsFullChannelsAndGreysTheOthers) {
  const ColourCase cases[] = {
      {1, 40, RGB(255, 40, 40)},  {2, 40, RGB(40, 255, 40)},   {3, 40, RGB(40, 40, 255)},
      {4, 40, RGB(40, 255, 255)}, {5, 40, RGB(255, 40, 255)},  {6, 40, RGB(255, 255, 40)},
      {0, 40, RGB(40, 40, 40)},   {7, 40, RGB(40, 40, 40)},    {-1, 0, RGB(0, 0, 0)},
  };
  for (const ColourCase& c : cases) EXPECT_EQ(PreviewColour(c.code, c.grey), c.colour) << c.code;
}

struct GreyCase {
  LONG density;
  BYTE grey;
};

TEST(PreviewColour, AWatermarkGreyRunsFromWhiteAtNoDensityToFullColour) {
  const GreyCase cases[] = {{0, 255}, {50, 128}, {100, 0}, {101, 0}, {255, 0}, {-20, 255}};
  for (const GreyCase& c : cases) EXPECT_EQ(WatermarkGrey(c.density), c.grey) << c.density;
  EXPECT_EQ(PreviewColour(0, WatermarkGrey(100)), RGB(0, 0, 0));
  EXPECT_EQ(PreviewColour(3, WatermarkGrey(0)), RGB(255, 255, 255));
}

// Only the low byte of a copy-guard density counts, and what lies past the
// full density counts as full: a density of 6-255 would otherwise make a
// negative grey that spills into the neighbouring colour channels.
TEST(PreviewColour, ACopyGuardDensityCountsItsLowByteAndStopsAtFull) {
  const GreyCase cases[] = {{0, 255}, {1, 204}, {5, 0}, {261, 0}, {256, 255}, {6, 0}, {200, 0}, {255, 0}};
  for (const GreyCase& c : cases) EXPECT_EQ(CopyGuardGrey(c.density), c.grey) << c.density;
  EXPECT_EQ(PreviewColour(1, CopyGuardGrey(5)), PreviewColour(1, WatermarkGrey(100)));
  EXPECT_EQ(PreviewColour(2, CopyGuardGrey(200)), RGB(0, 255, 0));
}

TEST(PreviewFont, HeightIsTheSizeAtFiftyPixelsAnInchOverThePaperInches) {
  EXPECT_EQ(PreviewFontHeight(72, 10, 0), 5);
  EXPECT_EQ(PreviewFontHeight(144, 1, 0), 100);
  EXPECT_EQ(PreviewFontHeight(10, 11, 0), 2) << "too small: two pixels";
  EXPECT_EQ(PreviewFontHeight(10, 11, 450), 3) << "turned and too small: three";
  EXPECT_EQ(PreviewFontHeight(-40, 8, 0), 2);
  EXPECT_EQ(PreviewFontHeight(65535, 1, 0), kMaxPreviewTextHeight);
  EXPECT_EQ(ShorterSideInches(14032, 9920, 1200), 8);
  EXPECT_EQ(ShorterSideInches(14032, 9920, 0), 0);
  EXPECT_EQ(ShorterSideInches(1000, 9920, 1200), 0);
}

TEST(PreviewBox, AtNoAngleTheBoxIsTheTextWithItsOrigin) {
  const PREVIEWBOX box = TurnedBox(40, 20, {1, 5}, 0);
  EXPECT_EQ(box.width, 40);
  EXPECT_EQ(box.height, 20);
  EXPECT_EQ(box.pt[4].x, 1);
  EXPECT_EQ(box.pt[4].y, 5);
  EXPECT_EQ(box.pt[2].x, 40);
  EXPECT_EQ(box.pt[2].y, 20);
}

// Turned a quarter counter-clockwise the text runs upwards: its start
// (the origin) comes to the bottom left and the sides swap.
TEST(PreviewBox, AtNinetyDegreesTheSidesSwap) {
  const PREVIEWBOX box = TurnedBox(40, 20, {1, 5}, 90);
  EXPECT_EQ(box.width, 20);
  EXPECT_EQ(box.height, 40);
  EXPECT_EQ(box.pt[0].x, 0);
  EXPECT_EQ(box.pt[0].y, 40);
  EXPECT_EQ(box.pt[4].x, 5);
  EXPECT_EQ(box.pt[4].y, 39);
}

// Watermarks come from INI and set files with any angle: one past a turn,
// or below zero, is the same angle within the turn (an unbounded angle
// would index outside the table).
TEST(PreviewBox, AnglesBeyondATurnAreTheSameAngleWithinIt) {
  EXPECT_EQ(PreviewAngle(450), 90);
  EXPECT_EQ(PreviewAngle(-270), 90);
  EXPECT_EQ(PreviewAngle(32767), 32767 % 360);
  EXPECT_EQ(PreviewAngle(-32768), 360 - 32768 % 360);
  for (const LONG angle : {450L, -270L, 3690L, -32768L, 32767L}) {
    const int a = RotationIndex(static_cast<int>(angle));
    EXPECT_GE(a, 0) << angle;
    EXPECT_LT(a, 360) << angle;
  }
  const PREVIEWBOX quarter = TurnedBox(40, 20, {1, 5}, 90);
  const PREVIEWBOX again = TurnedBox(40, 20, {1, 5}, 450);
  EXPECT_EQ(again.width, quarter.width);
  EXPECT_EQ(again.height, quarter.height);
  EXPECT_EQ(again.pt[4].x, quarter.pt[4].x);
  EXPECT_EQ(again.pt[4].y, quarter.pt[4].y);
}

TEST(PreviewBox, ACircledTextSitsInASquareTwelveWiderThanItsLongerSide) {
  const PREVIEWBOX box = CircledBox(40, 20, {1, 5}, 0);
  EXPECT_EQ(box.width, 52);
  EXPECT_EQ(box.height, 52);
  EXPECT_EQ(box.pt[0].x, 6);
  EXPECT_EQ(box.pt[0].y, 16);
  EXPECT_EQ(box.pt[4].x, 7);
  EXPECT_EQ(box.pt[4].y, 21);
  const PREVIEWBOX turned = CircledBox(40, 20, {1, 5}, 90);
  EXPECT_EQ(turned.width, 52);
  EXPECT_EQ(turned.pt[0].x, 16);  // about the centre (26, 26)
  EXPECT_EQ(turned.pt[0].y, 46);
}

TEST(PreviewInk, AOneCharacterTextIsWidenedByItsLeftOverhangOnly) {
  const ABC one[] = {{-3, 10, -2}};
  EXPECT_EQ(InkWidth(6, one, 1), 8);  // 5 + 3, the right overhang not counted
  const ABC three[] = {{-2, 10, 1}, {1, 10, 1}, {1, 10, -4}};
  EXPECT_EQ(InkWidth(30, three, 3), 34);  // 28 + 2 + 4
  const ABC narrow[] = {{0, 4, 0}};
  EXPECT_EQ(InkWidth(9, narrow, 1), 9) << "never narrower than the extent";
}

struct PlaceCase {
  LONG position;
  POINT at;
};

TEST(PreviewPlace, EachPositionCodeHasItsCornerOrEdge) {
  const SIZE bitmap{48, 67};
  const SIZE box{20, 10};
  const PlaceCase cases[] = {{0, {14, 28}}, {2, {14, 0}},  {4, {28, 0}},  {8, {0, 57}},
                             {16, {14, 57}}, {32, {28, 57}}, {1, {0, 0}}, {64, {0, 0}}};
  for (const PlaceCase& c : cases) {
    const POINT at = PlaceBox(c.position, bitmap, box);
    EXPECT_EQ(at.x, c.at.x) << c.position;
    EXPECT_EQ(at.y, c.at.y) << c.position;
  }
}

TEST(PreviewPlace, TheBitmapsSitAtThePagePicturesCentre) {
  const RECT page{10, 10, 62, 81};
  const POINT tall = WatermarkAnchor(page, {48, 67});
  EXPECT_EQ(tall.x, 36 - 24 - 1);
  EXPECT_EQ(tall.y, 45 - 33 - 2);
  const POINT wide = WatermarkAnchor(page, {66, 48});
  EXPECT_EQ(wide.y, 45 - 24 - 3);
  const POINT guard = CopyGuardAnchor(page, {66, 48});
  EXPECT_EQ(guard.x, 36 - 33 - 2);
  EXPECT_EQ(guard.y, 45 - 24 - 1);
}

TEST(PreviewImage, AScaledSideIsNeverBelowOneNorUnbounded) {
  EXPECT_EQ(ScaledImageSide(600, 100, 600, 4960), 600 * 6 * 50 / 4960);
  EXPECT_EQ(ScaledImageSide(10, 1, 600, 4960), 1);
  EXPECT_EQ(ScaledImageSide(0, 100, 600, 4960), 0);
  EXPECT_LE(ScaledImageSide(8192, 65535, 32767, 1), 4096);
  EXPECT_EQ(ScaledImageSide(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1000), 4096) << "no step overflows";
}

}  // namespace
