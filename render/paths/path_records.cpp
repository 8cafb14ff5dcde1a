// Path records. A path record is taken from the display list at the
// largest size its segment count allows, written run by run with every
// write checked against that size, then cut back to its real length; a
// path that fails half way is withdrawn whole, so that the page never holds
// part of a record.
#include "render/paths/path_records.h"

#include <cstdint>
#include <cstring>

#include "platform/engine/objects/pathobj.h"
#include "render/paths/heap_array.h"
#include "render/pdev/pdev.h"
#include "render/records/record_write.h"
#include "render/records/shape_records.h"
#include "settings/system/unaligned.h"

namespace {

// A scratch body of 40 bytes a segment and 16 more: room for any mix of
// segments and subpath heads.
constexpr std::uint64_t kScratchBytesPerSegment = 40;
constexpr std::uint64_t kScratchSpareBytes = 16;
constexpr ULONG kEstimateBytes = 4;

// Writes subpaths into [begin, end), every point moved by the offset.
struct BodyWriter {
  BYTE* begin;
  BYTE* at;
  BYTE* end;
  POINTL offset{};
  BYTE* subpath = nullptr;  // the head of the open subpath
  ULONG segments = 0;       // of the open subpath
  bool subpathClosed = false;
  bool curves = false;
  PathTally tally{};

  // Wraps rather than overflows for points no page has.
  POINTL Moved(const POINTFIX& p) const {
    return {static_cast<LONG>(static_cast<ULONG>(p.x) + static_cast<ULONG>(offset.x)),
            static_cast<LONG>(static_cast<ULONG>(p.y) + static_cast<ULONG>(offset.y))};
  }
  bool Begin(const POINTFIX& start) {
    BYTE* next = IdlPutSubpathStart(at, end, Moved(start));
    if (next == nullptr) return false;
    subpath = at;
    at = next;
    segments = 0;
    tally.subpaths += 1;
    return true;
  }
  bool Lines(const POINTFIX* points, ULONG count) {
    for (ULONG i = 0; i < count; ++i) {
      const POINTL p = Moved(points[i]);
      at = IdlPutPolyLine(at, end, &p, 1);
      if (at == nullptr) return false;
    }
    segments += count;
    tally.lines += count;
    return true;
  }
  bool Curves(const POINTFIX* points, ULONG count) {
    if (count % 3 != 0) return false;
    for (ULONG i = 0; i < count; i += 3) {
      const POINTL p[3] = {Moved(points[i]), Moved(points[i + 1]), Moved(points[i + 2])};
      at = IdlPutBezier(at, end, p, 3);
      if (at == nullptr) return false;
    }
    segments += count / 3;
    tally.curves += count / 3;
    curves = curves || count > 0;
    return true;
  }
  // Writes the open subpath's segment count at its head.
  void EndSubpath() {
    IdlSetSubpathSegments(subpath, segments);
    subpath = nullptr;
  }
  // Empties the body for the next subpath.
  void Restart() {
    at = begin;
    subpathClosed = false;
    curves = false;
    tally = PathTally{};
  }
};

// Enumerates the path into the writer, calling done(writer) after each
// subpath; false at a bad run, when the body would pass its end or when
// done gives false. A run that does not begin a subpath while none is open
// begins one, and a subpath left open is ended with the path.
template <typename Done>
bool WriteBody(PATHOBJ* ppo, BodyWriter& w, Done&& done) {
  auto finish = [&] {
    w.EndSubpath();
    return done(w);
  };
  PATHOBJ_vEnumStart(ppo);
  PATHDATA data{};
  for (BOOL more = TRUE; more;) {
    more = PATHOBJ_bEnum(ppo, &data);
    if (data.count == 0) continue;
    if (data.pptfx == nullptr) return false;
    ULONG first = 0;
    if ((data.flags & PD_BEGINSUBPATH) != 0 || w.subpath == nullptr) {
      if (w.subpath != nullptr && !finish()) return false;
      if (!w.Begin(data.pptfx[0])) return false;
      first = 1;
    }
    const POINTFIX* points = data.pptfx + first;
    const ULONG count = data.count - first;
    if (!((data.flags & PD_BEZIERS) != 0 ? w.Curves(points, count) : w.Lines(points, count))) return false;
    if ((data.flags & PD_CLOSEFIGURE) != 0) {
      w.subpathClosed = true;
      w.tally.closed = TRUE;
    }
    if ((data.flags & PD_ENDSUBPATH) != 0 && !finish()) return false;
  }
  return w.subpath == nullptr || finish();
}

RECTL BoundsOf(PATHOBJ* ppo) {
  RECTFX b{};
  PATHOBJ_vGetBounds(ppo, &b);
  return {b.xLeft, b.yTop, b.xRight, b.yBottom};
}

// A mark just before the record the last dl_alloc gave, from a mark taken
// before that call: when the call sent the page so far to make room, the
// list now holds only the record, after its empty first chunk.
DlMark BeforeRecord(const JobStream* stream, const DlMark& taken) {
  if (stream->emptied == taken.emptied) return taken;
  return {stream->head, stream->head->fill, 0, 0, stream->emptied};
}

PathResult MultiStroke(PDEV* pdev, PATHOBJ* ppo, BYTE kind, BYTE** last) {
  *last = nullptr;
  JobStream* stream = &pdev->stream;
  const std::uint64_t bytes = kScratchBytesPerSegment * ppo->cCurves + kScratchSpareBytes;
  const HeapArray<BYTE> scratch(pdev, bytes, idl::kMaxRecordBytes);
  if (scratch.get() == nullptr) return PathResult::kFailed;
  const RECTL bounds = BoundsOf(ppo);
  const DlMark start = dl_mark(stream);
  bool anyCurve = false;
  BodyWriter w{scratch.get(), scratch.get(), scratch.get() + bytes};
  const bool written = WriteBody(ppo, w, [&](BodyWriter& body) {
    anyCurve = anyCurve || body.curves;
    const auto length = static_cast<ULONG>(body.at - body.begin);
    BYTE* record = dl_alloc(stream, kPathHeadBytes + length);
    if (record == nullptr) return false;
    std::memcpy(record + kPathHeadBytes, body.begin, length);
    PathTally one = body.tally;
    one.closed = body.subpathClosed ? TRUE : FALSE;
    IdlFinishPath(pdev, record, record + kPathHeadBytes + length, anyCurve ? TRUE : FALSE, kind, one, bounds);
    *last = record;
    body.Restart();
    return true;
  });
  if (written && *last != nullptr) return PathResult::kDrawn;
  // Records already sent with the page so far stay: each of them is whole.
  dl_rewind(stream, start);
  const bool empty = written && *last == nullptr;
  *last = nullptr;
  return empty ? PathResult::kEmpty : PathResult::kFailed;
}

PathResult CommonPath(PDEV* pdev, PATHOBJ* ppo, BYTE kind, BYTE** out) {
  *out = nullptr;
  if (ppo == nullptr) return PathResult::kFailed;
  JobStream* stream = &pdev->stream;
  const DlMark taken = dl_mark(stream);
  ULONG length = 0;
  BYTE* record = IdlAllocPath(pdev, ppo->cCurves, &length);
  if (record == nullptr) return PathResult::kFailed;
  const DlMark before = BeforeRecord(stream, taken);
  BodyWriter w{record, IdlGetPathPointer(pdev, record), record + length};
  const bool written = WriteBody(ppo, w, [](BodyWriter&) { return true; });
  if (!written || w.tally.subpaths == 0) {
    dl_rewind(stream, before);
    return written ? PathResult::kEmpty : PathResult::kFailed;
  }
  // A printer strokes a closed subpath back to its start only when the
  // subpath has a record of its own.
  if (kind == kPathStroke && w.tally.closed && w.tally.subpaths > 1) {
    dl_rewind(stream, before);
    return MultiStroke(pdev, ppo, kind, out);
  }
  IdlFinishPath(pdev, record, w.at, w.curves ? TRUE : FALSE, kind, w.tally, BoundsOf(ppo));
  *out = record;
  return PathResult::kDrawn;
}

}  // namespace

PathResult DrawPath(PDEV* pdev, PATHOBJ* ppo, BYTE kind) {
  BYTE* record = nullptr;
  return CommonPath(pdev, ppo, kind, &record);
}

BYTE* makeCommonPath(PDEV* pdev, PATHOBJ* ppo, BYTE kind) {
  BYTE* record = nullptr;
  CommonPath(pdev, ppo, kind, &record);
  return record;
}

BYTE* makeMultiStrokePath(PDEV* pdev, PATHOBJ* ppo, BYTE kind) {
  BYTE* record = nullptr;
  if (ppo != nullptr) MultiStroke(pdev, ppo, kind, &record);
  return record;
}

ULONG iGetPath(PDEV* /*pdev*/, PATHOBJ* ppo, BOOL* closed, BYTE* buffer, ULONG size, LONG xOffset, LONG yOffset) {
  if (closed != nullptr) *closed = FALSE;
  if (ppo == nullptr || buffer == nullptr || size < kEstimateBytes) return 0;
  BodyWriter w{buffer, buffer + kEstimateBytes, buffer + size, POINTL{xOffset, yOffset}};
  if (!WriteBody(ppo, w, [](BodyWriter&) { return true; }) || w.tally.subpaths == 0) return 0;
  StoreLE<ULONG>(buffer, 0, PathSizeEstimate(w.tally));
  if (closed != nullptr) *closed = w.tally.closed;
  return static_cast<ULONG>(w.at - buffer);
}
