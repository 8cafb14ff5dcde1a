#include "render/header/kpjl_blocks.h"

#include <memory>

#include "render/header/kpjl_emit.h"
#include "render/header/kpjl_walk.h"
#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/spool/job_stream.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"

namespace {

// Room after the payload for the terminating zero the fill pass writes.
constexpr LONG kTerminatorRoom = 4;

int Build(BkpdCommandGroupIndex which, UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer,
          LONG* length) {
  const BKPDCOMMANDGROUP* command = ucb != nullptr ? BkpdCommandGroup(ucb->pBKPD, which) : nullptr;
  return OutpBufBase(ucb, command, snapshot, size, buffer, length);
}

}  // namespace

int OutpBufJobStart(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length) {
  return Build(kBkpdJobStart, ucb, snapshot, size, buffer, length);
}

int OutpBufPageStart(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length) {
  return Build(kBkpdPageStart, ucb, snapshot, size, buffer, length);
}

int OutpBufPageEnd(UCB* ucb, const HeaderSnapshot* snapshot, LONG size, LPSTR buffer, LONG* length) {
  return Build(kBkpdPageEnd, ucb, snapshot, size, buffer, length);
}

BOOL iKPJLFunc(JobStream* stream, UCB* ucb, BYTE tag, HeaderBuilder builder) {
  // The replace-string texts and the clock are read once for both passes.
  auto snapshot = NewMemBlock<HeaderSnapshot>();
  if (!snapshot) return FALSE;
  TakeHeaderSnapshot(snapshot.get());
  LONG length = 0;
  if (builder(ucb, snapshot.get(), 0, nullptr, &length) < 0 || length < 0) return FALSE;
  HANDLE heap = stream->pdev->heap;
  auto* block = static_cast<BYTE*>(HEAPALLOC(heap, kBlockHeaderBytes + static_cast<std::size_t>(length) + kTerminatorRoom));
  if (block == nullptr) return FALSE;
  PutBlockHeader(block, tag, static_cast<ULONG>(length));
  LONG filled = 0;
  const BOOL written =
      builder(ucb, snapshot.get(), length, reinterpret_cast<LPSTR>(block + kBlockHeaderBytes), &filled) >= 0 &&
      filled == length && spoolWrite(stream, block, static_cast<ULONG>(kBlockHeaderBytes + length));
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
