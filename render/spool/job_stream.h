// The job stream: everything the rendering library produces goes to the
// spooler as a sequence of SpoolBlocks, each an 8-byte header {tag, three
// zero bytes, payload length u32 little-endian} followed by its payload. The
// drawing of a page is first collected in the display list, a chain of
// chunks holding display-list records; at the end of the page (or when too
// much is queued) each chunk is written as one 0xF5 block.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

struct PDEV;

// Block tags.
inline constexpr BYTE kBlockEmpty = 0xF0;       // length 0, after each page header
inline constexpr BYTE kBlockPageTrailer = 0xF1;
inline constexpr BYTE kBlockJobHeader = 0xF3;   // the job header, and the job-name line
inline constexpr BYTE kBlockPageHeader = 0xF4;
inline constexpr BYTE kBlockDisplayList = 0xF5;  // one display-list chunk

inline constexpr std::size_t kBlockHeaderBytes = 8;
// Fills the 8 bytes of a block header.
void PutBlockHeader(BYTE* header, BYTE tag, ULONG length);

// The data area of a chunk, and of every record up to this length.
inline constexpr ULONG kChunkDataBytes = 10240;
// More than this many bytes queued on a page sends the page so far before a
// new chunk is taken.
inline constexpr ULONG kQueueFlushBytes = 0x100000;
// The largest piece handed to the spooler in one write.
inline constexpr ULONG kSpoolWriteBytes = 4096;

// A chunk of the display list; its data area follows the header directly.
struct DlChunk {
  DlChunk* next;  // null at the end of the list
  BYTE* fill;     // where the next record goes
  BYTE* end;      // the end of the data area
  BYTE* Data() { return reinterpret_cast<BYTE*>(this + 1); }
};

// The first chunk of a page, held inside the job-stream state.
struct DlInlineChunk {
  DlChunk head;
  BYTE data[kChunkDataBytes];
};
static_assert(offsetof(DlInlineChunk, data) == sizeof(DlChunk));

// The job-stream state, a member of the PDEV.
struct JobStream {
  HANDLE printer;  // the spooler handle written to
  PDEV* pdev;      // the PDEV holding this state: its heap, flags, raw mode, page count
  DlInlineChunk first;
  DlChunk* head;   // the first chunk of the page
  DlChunk* tail;   // the chunk being filled
  ULONG queued;    // bytes handed out since the list was initialised
  ULONG records;   // records handed out since then
  ULONG emptied;   // times the list was (re)initialised, for dl_rewind and the clip cache
};

// A place in the display list to come back to: a record written in pieces
// is withdrawn whole when one of its pieces cannot be had.
struct DlMark {
  DlChunk* chunk;
  BYTE* fill;
  ULONG queued;
  ULONG records;
  ULONG emptied;
};

// Head and tail become the inline chunk, empty; the counts 0.
void dl_init(JobStream* stream);
// length bytes at the end of the display list, or null when the heap is
// exhausted (or a flush of the page so far failed). A record that would
// fill the tail chunk exactly also goes to a new chunk.
BYTE* dl_alloc(JobStream* stream, ULONG length);
// The end of the display list as it stands.
DlMark dl_mark(const JobStream* stream);
// Withdraws everything appended since the mark, freeing the chunks taken
// since. FALSE (withdrawing nothing) when the list has been emptied since
// the mark: written out, so that part of it has gone to the spooler.
BOOL dl_rewind(JobStream* stream, const DlMark& mark);
// Gives back the spare end of the last record: the tail chunk's fill
// pointer becomes the end rounded up to a multiple of 4. The queued count
// is not reduced.
void dl_shrink(JobStream* stream, BYTE* end);
// Frees every chunk after the inline one.
void dl_free(JobStream* stream);
// Writes every chunk, from the head, as a 0xF5 block (an empty chunk as a
// block of length 0); in raw mode on page 1 nothing. FALSE at the first
// failed write.
BOOL dl_flush(JobStream* stream);
// Writes the page's display list and empties it (even when the write
// failed); nothing to do with nothing queued.
BOOL DLFlushPage(JobStream* stream);
// Writes bytes to the job in pieces of at most 4096 bytes. A failed or
// short write sets the PDEV's write-error flag and gives FALSE; once that
// flag is set nothing more is written.
BOOL spoolWrite(JobStream* stream, const void* data, ULONG length);
// Writes one whole block: its header and the payload pieces in order.
BOOL WriteSpoolBlock(JobStream* stream, BYTE tag, const void* payload, ULONG length);
