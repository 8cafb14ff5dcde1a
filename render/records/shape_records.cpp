#include "render/records/shape_records.h"

#include <cstdint>

#include "render/pdev/pdev.h"
#include "render/records/record_write.h"

namespace {

constexpr ULONG kOneRectBytes = 24;
constexpr ULONG kTwoRectBytes = 40;
constexpr std::uint64_t kPathBytesPerPoint = 40;
constexpr std::uint64_t kPathSpareBytes = 40;
constexpr ULONG kLineSegment = 0;
constexpr ULONG kCurveSegment = 1;
constexpr int kFixBits = 4;

// Kinds 5 (the clip rectangle) and 6 carry one rectangle, every other two.
bool OneRectangle(BYTE kind) { return kind == kRectClip || kind == 6; }

std::size_t Room(const BYTE* at, const BYTE* end) { return at <= end ? static_cast<std::size_t>(end - at) : 0; }

BYTE* PutPoint(BYTE* at, const POINTL& point) {
  StoreLE<LONG>(at, 0, point.x);
  StoreLE<LONG>(at, 4, point.y);
  return at + 8;
}

}  // namespace

BYTE* PrnIdlRect(JobStream* stream, const RECTL* first, const RECTL* second, BYTE kind) {
  const bool one = OneRectangle(kind);
  BYTE* record = idl::NewRecord(stream, kOpRect, one ? kOneRectBytes : kTwoRectBytes);
  if (record == nullptr) return nullptr;
  record[2] = kind;
  StoreLE<ULONG>(record, 4, one ? kOneRectBytes : kTwoRectBytes);
  idl::StoreRect(record, 8, *first);
  if (!one) idl::StoreRect(record, 24, *second);
  return record;
}

ULONG PathSizeEstimate(const PathTally& tally) {
  return 3 * tally.lines + 7 * tally.curves + 3 * tally.subpaths + (tally.subpaths > 1 ? 1 : 0);
}

BYTE* IdlAllocPath(PDEV* pdev, ULONG points, ULONG* length) {
  const std::uint64_t bytes = kPathBytesPerPoint * points + kPathSpareBytes;
  if (bytes > idl::kMaxRecordBytes) return nullptr;
  BYTE* record = dl_alloc(&pdev->stream, static_cast<ULONG>(bytes));
  if (record == nullptr) return nullptr;
  *length = static_cast<ULONG>(bytes);
  return record;
}

BYTE* IdlGetPathPointer(PDEV*, BYTE* record) { return record + kPathHeadBytes; }

BYTE* IdlPutSubpathStart(BYTE* at, BYTE* end, const POINTL& start) {
  if (Room(at, end) < kSubpathStartBytes) return nullptr;
  StoreLE<ULONG>(at, 0, 0);
  return PutPoint(at + 4, start);
}

void IdlSetSubpathSegments(BYTE* subpath, ULONG segments) { StoreLE<ULONG>(subpath, 0, segments); }

BYTE* IdlPutPolyLine(BYTE* at, BYTE* end, const POINTL* points, ULONG count) {
  if (Room(at, end) / kLineSegmentBytes < count) return nullptr;
  for (ULONG i = 0; i < count; ++i) {
    StoreLE<ULONG>(at, 0, kLineSegment);
    at = PutPoint(at + 4, points[i]);
  }
  return at;
}

BYTE* IdlPutBezier(BYTE* at, BYTE* end, const POINTL* points, ULONG count) {
  if (count % 3 != 0 || Room(at, end) / kCurveSegmentBytes < count / 3) return nullptr;
  for (ULONG i = 0; i < count; i += 3) {
    StoreLE<ULONG>(at, 0, kCurveSegment);
    at += 4;
    for (ULONG k = 0; k < 3; ++k) at = PutPoint(at, points[i + k]);
  }
  return at;
}

void IdlFinishPath(PDEV* pdev, BYTE* record, BYTE* end, BOOL curves, BYTE kind, const PathTally& tally,
                   const RECTL& bounds) {
  const auto length = static_cast<ULONG>(end - record);
  for (ULONG i = 1; i < kPathHeadBytes; ++i) record[i] = 0;
  record[0] = curves ? kOpPathCurves : kOpPathLines;
  BYTE kindByte = kind;
  if (tally.closed) kindByte |= kPathClosed;
  if (tally.subpaths > 1) kindByte |= kPathSubpaths;
  record[2] = kindByte;
  StoreLE<ULONG>(record, 4, length);
  const RECTL pixels{bounds.left >> kFixBits, bounds.top >> kFixBits, bounds.right >> kFixBits,
                     bounds.bottom >> kFixBits};
  idl::StoreRect(record, 8, pixels);
  StoreLE<ULONG>(record, 24, PathSizeEstimate(tally));
  dl_shrink(&pdev->stream, end);
}
