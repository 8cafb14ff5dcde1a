#include "render/header/kpjl_blocks.h"

#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/spool/job_stream.h"

namespace {

// Room after the payload for the terminating zero the fill pass writes.
constexpr LONG kTerminatorRoom = 4;

// The description's command groups are not turned into header text here:
// every header block goes out with an empty payload, which keeps the stream
// well formed.
int EmptyPayload(LONG* length) {
  if (length != nullptr) *length = 0;
  return 0;
}

}  // namespace

int OutpBufJobStart(UCB*, LONG, LPSTR, LONG* length) { return EmptyPayload(length); }
int OutpBufPageStart(UCB*, LONG, LPSTR, LONG* length) { return EmptyPayload(length); }
int OutpBufPageEnd(UCB*, LONG, LPSTR, LONG* length) { return EmptyPayload(length); }

BOOL iKPJLFunc(JobStream* stream, UCB* ucb, BYTE tag, HeaderBuilder builder) {
  LONG length = 0;
  if (builder(ucb, 0, nullptr, &length) < 0 || length < 0) return FALSE;
  HANDLE heap = stream->pdev->heap;
  auto* block = static_cast<BYTE*>(HEAPALLOC(heap, kBlockHeaderBytes + static_cast<std::size_t>(length) + kTerminatorRoom));
  if (block == nullptr) return FALSE;
  PutBlockHeader(block, tag, static_cast<ULONG>(length));
  LONG filled = 0;
  const BOOL written = builder(ucb, length, reinterpret_cast<LPSTR>(block + kBlockHeaderBytes), &filled) >= 0 &&
                       filled == length &&
                       spoolWrite(stream, block, static_cast<ULONG>(kBlockHeaderBytes + length));
  HEAPFREE(heap, block);
  return written;
}

BOOL iKPJLJobStart(JobStream* stream, UCB* ucb) {
  return iKPJLFunc(stream, ucb, kBlockJobHeader, OutpBufJobStart);
}

BOOL iKPJLPageStart(JobStream* stream, UCB* ucb) {
  if (!iKPJLFunc(stream, ucb, kBlockPageHeader, OutpBufPageStart)) return FALSE;
  return WriteSpoolBlock(stream, kBlockEmpty, nullptr, 0);
}

BOOL iKPJLPageEnd(JobStream* stream, UCB* ucb) {
  return iKPJLFunc(stream, ucb, kBlockPageTrailer, OutpBufPageEnd);
}
