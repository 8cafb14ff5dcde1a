// The display list: records are packed into chunks of 10240 bytes (or one
// larger chunk for a larger record) so that heap calls stay few; at most
// about 0x100000 bytes and one chunk are held before the page so far goes
// out.
#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/spool/job_stream.h"

namespace {

// The data area that holds a record: the smallest whole multiple of the
// chunk size, computed without overflow for any 32-bit length.
std::size_t DataBytesFor(ULONG length) {
  const std::size_t chunks = length == 0 ? 1 : (std::size_t{length} - 1) / kChunkDataBytes + 1;
  return chunks * kChunkDataBytes;
}

DlChunk* NewChunk(JobStream* stream, ULONG length) {
  const std::size_t data = DataBytesFor(length);
  auto* chunk = static_cast<DlChunk*>(HEAPALLOC(stream->pdev->heap, sizeof(DlChunk) + data));
  if (chunk == nullptr) return nullptr;
  chunk->next = nullptr;
  chunk->fill = chunk->Data();
  chunk->end = chunk->Data() + data;
  return chunk;
}

}  // namespace

void dl_init(JobStream* stream) {
  DlChunk* first = &stream->first.head;
  first->next = nullptr;
  first->fill = first->Data();
  first->end = first->Data() + kChunkDataBytes;
  stream->head = first;
  stream->tail = first;
  stream->queued = 0;
  stream->records = 0;
  stream->emptied += 1;
}

BYTE* dl_alloc(JobStream* stream, ULONG length) {
  DlChunk* tail = stream->tail;
  if (length >= static_cast<std::size_t>(tail->end - tail->fill)) {
    if (stream->queued > kQueueFlushBytes) {
      if (!DLFlushPage(stream)) return nullptr;
    }
    DlChunk* chunk = NewChunk(stream, length);
    if (chunk == nullptr) return nullptr;
    stream->tail->next = chunk;
    stream->tail = chunk;
  }
  BYTE* record = stream->tail->fill;
  stream->tail->fill += length;
  stream->queued += length;
  stream->records += 1;
  return record;
}

DlMark dl_mark(const JobStream* stream) {
  return {stream->tail, stream->tail->fill, stream->queued, stream->records, stream->emptied};
}

BOOL dl_rewind(JobStream* stream, const DlMark& mark) {
  if (stream->emptied != mark.emptied) return FALSE;
  DlChunk* chunk = mark.chunk->next;
  while (chunk != nullptr) {
    DlChunk* next = chunk->next;
    HEAPFREE(stream->pdev->heap, chunk);
    chunk = next;
  }
  mark.chunk->next = nullptr;
  mark.chunk->fill = mark.fill;
  stream->tail = mark.chunk;
  stream->queued = mark.queued;
  stream->records = mark.records;
  return TRUE;
}

void dl_shrink(JobStream* stream, BYTE* end) {
  DlChunk* tail = stream->tail;
  const std::size_t used = static_cast<std::size_t>(end - tail->Data());
  tail->fill = tail->Data() + (used + 3) / 4 * 4;
}

void dl_free(JobStream* stream) {
  DlChunk* chunk = stream->first.head.next;
  while (chunk != nullptr) {
    DlChunk* next = chunk->next;
    HEAPFREE(stream->pdev->heap, chunk);
    chunk = next;
  }
  stream->first.head.next = nullptr;
}

BOOL dl_flush(JobStream* stream) {
  const PDEV* pdev = stream->pdev;
  if (pdev->rawMode != 0 && pdev->pageCount == 1) return TRUE;
  for (DlChunk* chunk = stream->head; chunk != nullptr; chunk = chunk->next) {
    const auto length = static_cast<ULONG>(chunk->fill - chunk->Data());
    if (!WriteSpoolBlock(stream, kBlockDisplayList, chunk->Data(), length)) return FALSE;
  }
  return TRUE;
}

BOOL DLFlushPage(JobStream* stream) {
  if (stream->queued == 0) return TRUE;
  const BOOL written = dl_flush(stream);
  dl_free(stream);
  dl_init(stream);
  return written;
}
