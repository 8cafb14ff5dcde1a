// Rectangle and path records beyond their table rows: which kinds carry one
// rectangle, the size estimate of a path, the space asked for a path and
// its refusal when no record could say it, segment writers that stop at
// the end of the space, and path records cut back so that the next record
// follows each directly.
#include "render/records/shape_records.h"

#include <cstring>

#include "tests/render/records/record_fixture.h"

namespace render_test {
namespace {

class ShapeRecords : public RecordTest {};

TEST_F(ShapeRecords, KindsFiveAndSixCarryOneRectangleEveryOtherTwo) {
  const RECTL a{1, 2, 3, 4}, b{5, 6, 7, 8};
  for (BYTE kind = 0; kind < 9; ++kind) {
    SCOPED_TRACE(kind);
    Clear();
    ASSERT_NE(PrnIdlRect(stream_, &a, &b, kind), nullptr);
    const bool one = kind == 5 || kind == 6;
    EXPECT_EQ(Listed().size(), one ? 24u : 40u);
    const jobstream::Decoded decoded = ReadListed();
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    const jobstream::Fields f = jobstream::ReadFields(decoded.records.at(0));
    EXPECT_EQ(f.Value("rect.bottom"), 4);
    EXPECT_EQ(f.Has("rect2.left"), !one);
  }
}

TEST(PathSizeEstimate, CountsSegmentsAndSubpaths) {
  const struct {
    PathTally tally;
    ULONG estimate;
  } rows[] = {
      {{1, 3, 0, TRUE}, 12},  // a closed square
      {{1, 0, 1, FALSE}, 10}, {{2, 1, 1, FALSE}, 17}, {{3, 6, 0, TRUE}, 28}, {{0, 0, 0, FALSE}, 0},
  };
  for (const auto& row : rows) EXPECT_EQ(PathSizeEstimate(row.tally), row.estimate);
}

TEST_F(ShapeRecords, APathAsksFortyBytesAPointAndFortyMore) {
  for (ULONG points : {0u, 1u, 4u, 300u}) {
    SCOPED_TRACE(points);
    Clear();
    ULONG length = 0;
    ASSERT_NE(IdlAllocPath(pdev_, points, &length), nullptr);
    EXPECT_EQ(length, 40 * points + 40);
    EXPECT_EQ(stream_->queued, length);
  }
  Clear();
  ULONG length = 7;
  EXPECT_EQ(IdlAllocPath(pdev_, 0x7FFFFFFF, &length), nullptr);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(stream_->queued, 0u);
}

TEST(PathWriters, StopAtTheEndOfTheSpaceWritingNothing) {
  BYTE space[64];
  std::memset(space, 0xEE, sizeof space);
  const POINTL points[6] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}};
  EXPECT_EQ(IdlPutSubpathStart(space, space + 11, {0, 0}), nullptr);
  EXPECT_EQ(IdlPutPolyLine(space, space + 35, points, 3), nullptr);
  EXPECT_EQ(IdlPutBezier(space, space + 55, points, 6), nullptr);
  EXPECT_EQ(IdlPutBezier(space, space + 64, points, 4), nullptr) << "a curve run of 4 points";
  EXPECT_EQ(IdlPutPolyLine(space + 64, space + 60, points, 1), nullptr) << "already past the end";
  for (BYTE b : space) ASSERT_EQ(b, 0xEE);
  EXPECT_EQ(IdlPutSubpathStart(space, space + 12, {0, 0}), space + 12);
  EXPECT_EQ(IdlPutPolyLine(space, space + 36, points, 3), space + 36);
  EXPECT_EQ(IdlPutBezier(space, space + 56, points, 6), space + 56);
  EXPECT_EQ(IdlPutPolyLine(space, space, points, 0), space);
}

// One record per subpath, as a stroke of several closed subpaths is sent:
// each is cut back to its length, and a record written after a curve keeps
// the curve opcode although it holds only lines.
TEST_F(ShapeRecords, PathRecordsCutBackFollowEachOtherDirectly) {
  const POINTL square[] = {{32, 0}, {32, 32}, {0, 32}};
  const POINTL curve[] = {{8, 0}, {16, 8}, {16, 16}};
  std::size_t total = 0;
  for (int i = 0; i < 3; ++i) {
    ULONG length = 0;
    BYTE* record = IdlAllocPath(pdev_, 4, &length);
    ASSERT_NE(record, nullptr);
    BYTE* end = record + length;
    BYTE* subpath = IdlGetPathPointer(pdev_, record);
    ASSERT_EQ(subpath, record + 28);
    BYTE* at = IdlPutSubpathStart(subpath, end, {0, 0});
    const bool withCurve = i == 1;
    at = withCurve ? IdlPutBezier(at, end, curve, 3) : IdlPutPolyLine(at, end, square, 3);
    ASSERT_NE(at, nullptr);
    IdlSetSubpathSegments(subpath, withCurve ? 1 : 3);
    const PathTally tally{1, withCurve ? 0u : 3u, withCurve ? 1u : 0u, TRUE};
    IdlFinishPath(pdev_, record, at, i >= 1, kPathStroke, tally, {0, 0, 512, 512});
    total += static_cast<std::size_t>(at - record);
  }
  EXPECT_EQ(Listed().size(), total);
  const jobstream::Decoded decoded = ReadListed();
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  ASSERT_EQ(ToHex(Opcodes(decoded.records)), "12 11 11");
  EXPECT_EQ(jobstream::Describe(jobstream::ReadFields(decoded.records[2])),
            "0x11 kind=0x08 length=76 bounds.left=0 bounds.top=0 bounds.right=32 bounds.bottom=32 estimate=12"
            " path=M 0,0 L 32,0 L 32,32 L 0,32");
}

}  // namespace
}  // namespace render_test
