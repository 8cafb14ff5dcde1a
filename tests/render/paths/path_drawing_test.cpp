// The path drawing calls as the records they send: a table per operation,
// mix and clip complexity, the clip cache, strokes of several closed
// subpaths, brushes, and hostile paths and clips that must print or fail
// cleanly with no part of a record left in the page.
#include <algorithm>

#include "platform/base/winerror.h"
#include "render/paths/draw_setup.h"
#include "render/paths/path_records.h"
#include "render/paths/region_cache.h"
#include "tests/render/paths/path_fixture.h"

namespace render_test {
namespace {

enum class Op { kStroke, kFillAlternate, kFillWinding, kStrokeAndFill };
enum class ClipKind { kNone, kRect, kComplex };

struct OpCase {
  const char* what;
  Op op;
  MIX mix;
  ClipKind clip;
  std::vector<std::uint8_t> opcodes;  // the page's records
  std::uint8_t rop3;
  std::int64_t mode;      // background mode
  std::int64_t pathKind;  // of the last record
};

constexpr std::uint8_t kLineRecords[] = {0x33, 0x34, 0x35, 0x36};

std::vector<std::uint8_t> With(std::vector<std::uint8_t> head, std::vector<std::uint8_t> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}
const std::vector<std::uint8_t> kLines(std::begin(kLineRecords), std::end(kLineRecords));

const OpCase kOps[] = {
    {"stroke, copy, no clip", Op::kStroke, kCopyPen, ClipKind::kNone, With(kLines, {0x40, 0x32, 0x31, 0x30, 0x12}),
     0xCC, 2, 0x08},
    {"stroke, xor, rectangle", Op::kStroke, kXorOverNop, ClipKind::kRect,
     With(kLines, {0x40, 0x32, 0x31, 0x10, 0x30, 0x12}), 0x66, 1, 0x08},
    {"stroke, copy, complex", Op::kStroke, kCopyPen, ClipKind::kComplex,
     With(kLines, {0x40, 0x32, 0x31, 0x12, 0x30, 0x12}), 0xCC, 2, 0x08},
    {"alternate fill, xor, no clip", Op::kFillAlternate, kXorOverNop, ClipKind::kNone, {0x40, 0x30, 0x32, 0x31, 0x12},
     0x66, 1, 0x09},
    {"alternate fill, copy, rectangle", Op::kFillAlternate, kCopyPen, ClipKind::kRect,
     {0x40, 0x30, 0x32, 0x31, 0x10, 0x12}, 0xCC, 2, 0x09},
    {"winding fill, copy, complex", Op::kFillWinding, kCopyPen, ClipKind::kComplex,
     {0x40, 0x30, 0x32, 0x31, 0x12, 0x12}, 0xCC, 2, 0x0A},
    {"winding fill, black, rectangle", Op::kFillWinding, R2_COPYPEN << 8 | R2_BLACK, ClipKind::kRect,
     {0x40, 0x30, 0x32, 0x31, 0x10, 0x12}, 0xFF, 2, 0x0A},  // black in the printer's sense
    {"stroke and fill, copy, no clip", Op::kStrokeAndFill, kCopyPen, ClipKind::kNone,
     With(kLines, {0x40, 0x32, 0x31, 0x30, 0x12}), 0xCC, 2, 0x0C},
    {"stroke and fill, xor, rectangle", Op::kStrokeAndFill, kXorOverNop, ClipKind::kRect,
     With(kLines, {0x40, 0x32, 0x31, 0x10, 0x30, 0x12}), 0x66, 1, 0x0C},
    {"stroke and fill, copy, complex", Op::kStrokeAndFill, kCopyPen, ClipKind::kComplex,
     With(kLines, {0x40, 0x32, 0x31, 0x12, 0x30, 0x12}), 0xCC, 2, 0x0C},
};

class PathDrawing : public PathTest {
 protected:
  BOOL Run(Op op, PATHOBJ* path, CLIPOBJ* clip, MIX mix) {
    LINEATTRS line = CosmeticLine();
    POINTL org{0, 0};
    switch (op) {
      case Op::kStroke:
        return DrvStrokePath(so(), path, clip, &identity_, pen_.get(), &org, &line, mix);
      case Op::kFillAlternate:
        return DrvFillPath(so(), path, clip, fill_.get(), &org, mix, FP_ALTERNATEMODE);
      case Op::kFillWinding:
        return DrvFillPath(so(), path, clip, fill_.get(), &org, mix, FP_WINDINGMODE);
      case Op::kStrokeAndFill:
        return DrvStrokeAndFillPath(so(), path, clip, &identity_, pen_.get(), &line, fill_.get(), &org, mix,
                                    FP_WINDINGMODE);
    }
    return FALSE;
  }

  // An empty display list on a page that has been sent nothing yet, with
  // no clip in force.
  void StartAfresh() {
    Clear();
    pdev_->lastSent = DrawingState{};
    *static_cast<RegionCache*>(pdev_->regionCache) = RegionCache{};
  }

  // The records of the page, with their fields.
  std::vector<jobstream::Fields> SentFields() {
    std::vector<jobstream::Fields> out;
    for (const jobstream::Record& r : PageRecords(CloseDocument(), 0)) out.push_back(jobstream::ReadFields(r));
    return out;
  }

  plat::eng::Xform identity_;
  std::unique_ptr<plat::eng::Brush> pen_ = Solid(0x0000FF);  // blue low: the engine's order
  std::unique_ptr<plat::eng::Brush> fill_ = Solid(0x00FF00);
};

TEST_F(PathDrawing, EachOperationSendsItsAttributesClipAndPath) {
  for (const OpCase& c : kOps) {
    SCOPED_TRACE(c.what);
    StartAfresh();
    plat::eng::Path path;
    AddBox(path, 10, 20, 110, 220);
    plat::eng::Clip clip = plat::eng::Clip::Trivial({0, 0, 500, 500});
    if (c.clip == ClipKind::kRect) clip = plat::eng::Clip::Region({{5, 5, 100, 100}}, {0, 0, 500, 500}, 7);
    if (c.clip == ClipKind::kComplex) {
      clip = plat::eng::Clip::Region({{0, 0, 50, 50}, {60, 0, 100, 50}}, {0, 0, 500, 500}, 8);
    }
    ASSERT_TRUE(Run(c.op, &path, c.clip == ClipKind::kNone ? nullptr : &clip, c.mix));
    const jobstream::Decoded listed = ReadListed();
    ASSERT_TRUE(listed.ok()) << listed.error;
    std::vector<jobstream::Fields> records;
    for (const auto& r : listed.records) records.push_back(jobstream::ReadFields(r));
    std::vector<std::uint8_t> opcodes;
    for (const auto& f : records) {
      EXPECT_TRUE(f.ok()) << jobstream::Describe(f);
      opcodes.push_back(f.opcode);
    }
    ASSERT_EQ(opcodes, c.opcodes);
    auto find = [&](std::uint8_t opcode) {
      return *std::find_if(records.begin(), records.end(), [&](const auto& f) { return f.opcode == opcode; });
    };
    EXPECT_EQ(find(0x31).Value("rop3"), c.rop3);
    EXPECT_EQ(find(0x32).Value("mode"), c.mode);
    const jobstream::Fields& path_ = records.back();
    EXPECT_EQ(path_.Value("kind"), c.pathKind);
    ASSERT_EQ(path_.subpaths.size(), 1u);
    EXPECT_EQ(path_.subpaths[0].start, (jobstream::Point{160, 320}));
    EXPECT_EQ(path_.Value("bounds.left"), 10);
    EXPECT_EQ(path_.Value("bounds.bottom"), 220);
    // The colours go red first: the pen's blue is the high byte.
    const jobstream::Fields& color = find(0x30);
    EXPECT_EQ(color.Value("foreground"), c.op == Op::kStroke ? 0xFF0000 : 0x00FF00);
    EXPECT_EQ(color.Has("third"), c.op == Op::kStrokeAndFill);
    if (c.clip == ClipKind::kRect) {
      const jobstream::Fields& rect = find(0x10);
      EXPECT_EQ(rect.Value("kind"), 5);
      EXPECT_EQ(rect.Value("rect.right"), 100);
    }
    if (c.clip == ClipKind::kComplex) {
      EXPECT_EQ(find(0x12).Value("kind"), 0x1D) << "a clip path of two closed subpaths";
    }
  }
}

TEST_F(PathDrawing, TwoStrokesUnderOneClipRectangleSendItOnce) {
  plat::eng::Path path;
  AddPolygon(path, {{0, 0}, {40, 40}}, false);
  auto clip = plat::eng::Clip::Region({{5, 5, 30, 30}}, {0, 0, 100, 100}, 9);
  auto other = plat::eng::Clip::Region({{5, 5, 30, 30}}, {0, 0, 100, 100}, 10);  // same rectangle, new id
  ASSERT_TRUE(Run(Op::kStroke, &path, &clip, kCopyPen));
  ASSERT_TRUE(Run(Op::kStroke, &path, &other, kCopyPen));
  const auto opcodes = SentOpcodes();
  EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), 0x10), 1);
  EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), 0x12), 2);
}

TEST_F(PathDrawing, ATrivialClipAfterARectangleResetsItOnce) {
  plat::eng::Path path;
  AddPolygon(path, {{0, 0}, {40, 40}}, false);
  auto rect = plat::eng::Clip::Region({{5, 5, 30, 30}}, {0, 0, 100, 100}, 11);
  auto trivial = plat::eng::Clip::Trivial({0, 0, 100, 100});
  ASSERT_TRUE(Run(Op::kStroke, &path, &rect, kCopyPen));
  ASSERT_TRUE(Run(Op::kStroke, &path, &trivial, kCopyPen));
  ASSERT_TRUE(Run(Op::kStroke, &path, nullptr, kCopyPen));
  EXPECT_EQ(SentOpcodes(), With(kLines, {0x40, 0x32, 0x31, 0x10, 0x30, 0x12, 0x37, 0x12, 0x12}));
}

TEST_F(PathDrawing, AComplexClipIsSentOncePerIdAndAgainOnTheNextPage) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 40, 40);
  auto clip = plat::eng::Clip::Region({{0, 0, 10, 10}, {20, 0, 30, 10}}, {0, 0, 100, 100}, 12);
  ASSERT_TRUE(Run(Op::kFillAlternate, &path, &clip, kCopyPen));
  ASSERT_TRUE(Run(Op::kFillAlternate, &path, &clip, kCopyPen));
  ASSERT_TRUE(DrvSendPage(so()));
  ASSERT_TRUE(DrvStartPage(so()));
  ASSERT_TRUE(Run(Op::kFillAlternate, &path, &clip, kCopyPen));
  const jobstream::Decoded decoded = CloseDocument();
  // Clip paths: a path record of two closed subpaths, kind 5.
  auto clipPaths = [&](std::size_t page) {
    std::size_t n = 0;
    for (const auto& r : PageRecords(decoded, page)) {
      if (r.opcode == 0x12 && jobstream::ReadFields(r).Value("kind") == 0x1D) ++n;
    }
    return n;
  };
  EXPECT_EQ(clipPaths(0), 1u);
  EXPECT_EQ(clipPaths(1), 1u) << "a new page has no clip of the last";
}

TEST_F(PathDrawing, AStrokeOfTwoClosedSubpathsMakesOneRecordEach) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  path.AddEllipse(RECTFX{LTOFX(20), LTOFX(0), LTOFX(40), LTOFX(20)});
  AddPolygon(path, {{50, 0}, {60, 10}}, false);
  ASSERT_TRUE(Run(Op::kStroke, &path, nullptr, kCopyPen));
  std::vector<std::string> paths;
  for (const auto& f : SentFields()) {
    EXPECT_TRUE(f.ok()) << jobstream::Describe(f);
    if (f.opcode == 0x11 || f.opcode == 0x12) {
      paths.push_back(std::to_string(f.opcode) + " kind " + std::to_string(f.Value("kind")) + " subpaths " +
                      std::to_string(f.subpaths.size()) + " estimate " + std::to_string(f.Value("estimate")));
    }
  }
  // Once a curve has been sent, the later records carry the curve opcode.
  EXPECT_EQ(paths, (std::vector<std::string>{"18 kind 8 subpaths 1 estimate 12", "17 kind 8 subpaths 1 estimate 31",
                                             "17 kind 0 subpaths 1 estimate 6"}));
}

TEST_F(PathDrawing, AFillOfSeveralSubpathsIsOneRecord) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  AddBox(path, 20, 0, 30, 10);
  ASSERT_TRUE(Run(Op::kFillAlternate, &path, nullptr, kCopyPen));
  const auto records = SentFields();
  EXPECT_EQ(records.back().Value("kind"), 0x19);
  EXPECT_EQ(records.back().subpaths.size(), 2u);
}

TEST_F(PathDrawing, APatternPenIsRefusedWithAnErrorAndNothingSent) {
  plat::eng::Path path;
  AddPolygon(path, {{0, 0}, {40, 40}}, false);
  auto pattern = plat::eng::Brush::Pattern(nullptr, nullptr);
  LINEATTRS line = CosmeticLine();
  POINTL org{0, 0};
  EngSetLastError(0);
  EXPECT_FALSE(DrvStrokePath(so(), &path, nullptr, &identity_, pattern.get(), &org, &line, kCopyPen));
  EXPECT_EQ(EngGetLastError(), ERROR_NOT_SUPPORTED);
  EXPECT_TRUE(SentOpcodes().empty());
}

// A dashed wide line is more than the printer's lines do: the call leaves
// it to the engine (FALSE without an error) before sending anything.
TEST_F(PathDrawing, ADashedWideLineIsLeftToTheEngine) {
  plat::eng::Path path;
  AddPolygon(path, {{0, 0}, {40, 40}}, false);
  FLOAT_LONG dashes[2]{};
  dashes[0].e = 8;
  dashes[1].e = 4;
  LINEATTRS line{};
  line.fl = LA_GEOMETRIC;
  line.elWidth.e = 3;
  line.cstyle = 2;
  line.pstyle = dashes;
  POINTL org{0, 0};
  EngSetLastError(0);
  EXPECT_FALSE(DrvStrokePath(so(), &path, nullptr, &identity_, pen_.get(), &org, &line, kCopyPen));
  EXPECT_FALSE(DrvStrokeAndFillPath(so(), &path, nullptr, &identity_, pen_.get(), &line, fill_.get(), &org, kCopyPen,
                                    FP_ALTERNATEMODE));
  EXPECT_EQ(EngGetLastError(), 0u);
  EXPECT_TRUE(SentOpcodes().empty());
}

TEST_F(PathDrawing, AFillWithABrushThatCannotBeRealizedFailsWithError8) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  auto pattern = plat::eng::Brush::Pattern(nullptr, nullptr);
  POINTL org{0, 0};
  EngSetLastError(0);
  EXPECT_FALSE(DrvFillPath(so(), &path, nullptr, pattern.get(), &org, kCopyPen, FP_ALTERNATEMODE));
  EXPECT_EQ(EngGetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_TRUE(SentOpcodes().empty());
}

TEST_F(PathDrawing, ARealizedPatternBrushIsDefinedWithItsPatternAndOrigin) {
  // A two-colour 32 by 32 realization, as the brush code makes one.
  constexpr ULONG kPatternBytes = 32 * 32 / 8;
  auto pattern = plat::eng::Brush::Pattern(nullptr, nullptr);
  pattern->pvRbrush = BRUSHOBJ_pvAllocRbrush(pattern.get(), sizeof(BrushRecord) + kPatternBytes);
  ASSERT_NE(pattern->pvRbrush, nullptr);
  auto* brush = static_cast<BrushRecord*>(pattern->pvRbrush);
  *brush = BrushRecord{2, 0, 0, {0x0000FF, 0xFFFFFF}, 1, 32};
  auto* bits = reinterpret_cast<BYTE*>(brush + 1);
  for (ULONG i = 0; i < kPatternBytes; ++i) bits[i] = static_cast<BYTE>(i);
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  POINTL org{0x1234, 0x305};
  ASSERT_TRUE(DrvFillPath(so(), &path, nullptr, pattern.get(), &org, kCopyPen, FP_ALTERNATEMODE));
  EXPECT_EQ(brush->originX, 0x34);
  EXPECT_EQ(brush->originY, 0x05);
  const auto records = SentFields();
  ASSERT_EQ(records.front().opcode, 0x40);
  const auto& data = records.front().Blob("pattern");
  ASSERT_EQ(data.size(), kPatternBytes);
  EXPECT_EQ(data[5], 5);
  EXPECT_EQ(records[1].Value("foreground"), 0xFF0000);
}

TEST_F(PathDrawing, TheCommonStartRefusesBadPdevsSkipsHiddenDrawingAndStopsAfterAWriteError) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  SURFOBJ stranger{};
  EngSetLastError(0);
  POINTL org{0, 0};
  EXPECT_FALSE(DrvFillPath(&stranger, &path, nullptr, fill_.get(), &org, kCopyPen, 0));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  pdev_->hiddenFunc18 = 1;
  for (Op op : {Op::kStroke, Op::kFillWinding, Op::kStrokeAndFill}) EXPECT_TRUE(Run(op, &path, nullptr, kCopyPen));
  pdev_->hiddenFunc18 = 0;
  pdev_->flags |= kPdevWriteError;
  for (Op op : {Op::kStroke, Op::kFillWinding, Op::kStrokeAndFill}) EXPECT_FALSE(Run(op, &path, nullptr, kCopyPen));
  pdev_->flags &= ~kPdevWriteError;
  EXPECT_TRUE(SentOpcodes().empty());
}

TEST_F(PathDrawing, APathWithoutSegmentsDrawsNothing) {
  plat::eng::Path path;
  path.MoveTo(Fix(5, 5));
  for (Op op : {Op::kStroke, Op::kFillWinding, Op::kStrokeAndFill}) EXPECT_TRUE(Run(op, &path, nullptr, kCopyPen));
  const auto opcodes = SentOpcodes();
  EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), 0x12), 0);
}

TEST_F(PathDrawing, APointCountBeyondARecordFailsWithoutWrappingTheSize) {
  // 40 x 0x06666667 + 40 is 48 in 32 bits.
  for (const ULONG claimed : {0x06666667u, 0xFFFFFFFFu, 1u}) {
    SCOPED_TRACE(claimed);
    plat::eng::Path path;
    AddBox(path, 0, 0, 10, 10);
    AddBox(path, 20, 0, 30, 10);
    path.cCurves = claimed;
    EXPECT_FALSE(Run(Op::kFillAlternate, &path, nullptr, kCopyPen));
    EXPECT_FALSE(Run(Op::kStroke, &path, nullptr, kCopyPen));
  }
  const auto opcodes = SentOpcodes();
  EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), 0x12), 0) << "no part of a path record stays";
}

TEST_F(PathDrawing, APathRecordThatCannotBeHadLeavesNoPartOfItself) {
  // Large enough to need a chunk of its own, so that its record is the
  // first allocation of the call; the multi-stroke's scratch and records
  // come after it.
  plat::eng::Path path;
  for (LONG i = 0; i < 100; ++i) AddBox(path, i, 0, i + 10, 10);
  for (std::size_t failing = 1; failing <= 2; ++failing) {
    SCOPED_TRACE(failing);
    plat::FailAllocationAt(failing);
    EXPECT_FALSE(Run(Op::kStroke, &path, nullptr, kCopyPen));
    plat::FailAllocationAt(0);
  }
  plat::FailAllocationAt(1);
  EXPECT_FALSE(Run(Op::kFillWinding, &path, nullptr, kCopyPen));
  plat::FailAllocationAt(0);
  const auto opcodes = SentOpcodes();
  EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), 0x12), 0);
}

TEST_F(PathDrawing, ThousandsOfSubpathsAndClipRectanglesPrint) {
  plat::eng::Path path;
  for (LONG i = 0; i < 3000; ++i) AddBox(path, i % 1000, i / 1000 * 20, i % 1000 + 5, i / 1000 * 20 + 5);
  std::vector<RECTL> rects;
  for (LONG i = 0; i < 2000; ++i) rects.push_back(RECTL{i * 2, i % 7, i * 2 + 1, i % 7 + 3});
  auto clip = plat::eng::Clip::Region(rects, {0, 0, 4000, 100}, 13);
  ASSERT_TRUE(Run(Op::kFillWinding, &path, &clip, kCopyPen));
  ASSERT_TRUE(Run(Op::kStroke, &path, &clip, kCopyPen));
  const auto records = SentFields();
  std::size_t strokes = 0;
  for (const auto& f : records) {
    ASSERT_TRUE(f.ok()) << jobstream::Describe(f);
    if (f.opcode == 0x12 && f.Value("kind") == 0x08) ++strokes;
  }
  EXPECT_EQ(strokes, 3000u);
  const auto clipPath = std::find_if(records.begin(), records.end(), [](const auto& f) { return f.opcode == 0x12; });
  EXPECT_EQ(clipPath->subpaths.size(), 2000u);
}

TEST_F(PathDrawing, InvertedAndEmptyClipsPrintOrFailCleanly) {
  plat::eng::Path path;
  AddBox(path, 0, 0, 10, 10);
  plat::eng::Clip inverted = plat::eng::Clip::Trivial({0, 0, 100, 100});
  inverted.iDComplexity = DC_RECT;
  inverted.rclBounds = RECTL{50, 60, -5, 10};
  EXPECT_TRUE(Run(Op::kFillAlternate, &path, &inverted, kCopyPen));
  auto empty = plat::eng::Clip::Region({{5, 5, 5, 9}, {30, 30, 30, 20}}, {0, 0, 100, 100}, 14);
  ASSERT_EQ(empty.iDComplexity, DC_COMPLEX);
  EXPECT_FALSE(Run(Op::kFillAlternate, &path, &empty, kCopyPen)) << "a region with nothing in it";
  const auto records = SentFields();
  for (const auto& f : records) EXPECT_TRUE(f.ok()) << jobstream::Describe(f);
}

TEST_F(PathDrawing, APathBodyGoesIntoABufferOnlyWhenItFits) {
  plat::eng::Path path;
  AddPolygon(path, {{1, 2}, {3, 4}}, true);
  BYTE buffer[64] = {};
  BOOL closed = FALSE;
  // Estimate, subpath head (12 bytes), one line segment (12 bytes).
  EXPECT_EQ(iGetPath(pdev_, &path, &closed, buffer, sizeof buffer, 100, -16), 28u);
  EXPECT_TRUE(closed);
  EXPECT_EQ(buffer[0], 6);  // 3 for the subpath, 3 for its line
  EXPECT_EQ(buffer[4], 1);  // one segment
  EXPECT_EQ(buffer[8], 16 + 100);
  EXPECT_EQ(iGetPath(pdev_, &path, &closed, buffer, 27, 0, 0), 0u);
  plat::eng::Path empty;
  EXPECT_EQ(iGetPath(pdev_, &empty, &closed, buffer, sizeof buffer, 0, 0), 0u);
}

}  // namespace
}  // namespace render_test
