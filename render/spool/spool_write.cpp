// Writes to the spooler. Every write result is checked: a failed or short
// write marks the PDEV, and from then on nothing more reaches the job, so
// that the printer never gets a block with a piece missing.
#include "platform/engine/eng_printer.h"
#include "render/pdev/pdev.h"
#include "render/spool/job_stream.h"
#include "settings/system/unaligned.h"

void PutBlockHeader(BYTE* header, BYTE tag, ULONG length) {
  header[0] = tag;
  header[1] = header[2] = header[3] = 0;
  StoreLE<ULONG>(header, 4, length);
}

BOOL spoolWrite(JobStream* stream, const void* data, ULONG length) {
  PDEV* pdev = stream->pdev;
  if ((pdev->flags & kPdevWriteError) != 0) return FALSE;
  const auto* bytes = static_cast<const BYTE*>(data);
  while (length > 0) {
    const ULONG piece = length < kSpoolWriteBytes ? length : kSpoolWriteBytes;
    DWORD written = 0;
    if (!EngWritePrinter(stream->printer, const_cast<BYTE*>(bytes), piece, &written) || written != piece) {
      pdev->flags |= kPdevWriteError;
      return FALSE;
    }
    bytes += piece;
    length -= piece;
  }
  return TRUE;
}

BOOL WriteSpoolBlock(JobStream* stream, BYTE tag, const void* payload, ULONG length) {
  BYTE header[kBlockHeaderBytes];
  PutBlockHeader(header, tag, length);
  return spoolWrite(stream, header, sizeof header) && spoolWrite(stream, payload, length);
}
