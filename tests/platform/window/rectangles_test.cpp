// The rectangle helpers, by table: right and bottom edges lie outside, an
// empty rectangle meets nothing and adds nothing to a union.
#include <gtest/gtest.h>

#include "platform/window/winuser.h"

namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(Rectangles, IntersectionAndUnion) {
  struct Case {
    const char* name;
    RECT a;
    RECT b;
    BOOL meets;
    RECT intersection;
    BOOL unionNotEmpty;
    RECT unionRect;
  };
  const Case cases[] = {
      {"overlapping", {0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}, TRUE, {0, 0, 20, 20}},
      {"touching edges do not meet", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, TRUE, {0, 0, 20, 10}},
      {"an empty one adds nothing", {0, 0, 10, 10}, {50, 50, 50, 60}, FALSE, {0, 0, 0, 0}, TRUE, {0, 0, 10, 10}},
      {"both empty", {3, 3, 3, 3}, {5, 5, 4, 9}, FALSE, {0, 0, 0, 0}, FALSE, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RECT r{1, 1, 1, 1};
    EXPECT_EQ(IntersectRect(&r, &c.a, &c.b), c.meets);
    EXPECT_TRUE(Same(r, c.intersection));
    EXPECT_EQ(UnionRect(&r, &c.a, &c.b), c.unionNotEmpty);
    EXPECT_TRUE(Same(r, c.unionRect));
  }
}

TEST(Rectangles, PointsAndMoves) {
  RECT r{};
  ASSERT_TRUE(SetRect(&r, 10, 20, 30, 40));
  EXPECT_TRUE(PtInRect(&r, POINT{10, 20}));
  EXPECT_FALSE(PtInRect(&r, POINT{30, 39}));  // the right edge is outside
  EXPECT_FALSE(PtInRect(&r, POINT{29, 40}));  // so is the bottom one
  OffsetRect(&r, -10, 5);
  EXPECT_TRUE(Same(r, RECT{0, 25, 20, 45}));
  InflateRect(&r, 2, -3);
  EXPECT_TRUE(Same(r, RECT{-2, 28, 22, 42}));
  EXPECT_FALSE(IsRectEmpty(&r));
  SetRectEmpty(&r);
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
  EXPECT_FALSE(CopyRect(nullptr, &r));
}

}  // namespace
