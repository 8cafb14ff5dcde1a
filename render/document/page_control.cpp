// Page start and send: each page goes out as its header, the empty block,
// the display list that opens with the page-start record and closes with the
// page-end record, and the trailer. In raw mode the first page carries none
// of these: the application sends its own data.
#include <cstring>

#include "render/document/document.h"
#include "render/document/job_name.h"
#include "render/header/kpjl_blocks.h"
#include "render/paths/region_cache.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/page_records.h"
#include "render/text/glyph_cache.h"

namespace {

bool RawFirstPage(const PDEV* pdev) { return pdev->rawMode != 0 && pdev->pageCount == 1; }

// The first drawing call of a page sends every attribute, font and clip
// again: the printer's drawing state does not outlive its page.
void ForgetDrawingState(PDEV* pdev) {
  std::memset(&pdev->lastSent, 0, sizeof pdev->lastSent);
  flush_rgncache(pdev);
}

}  // namespace

BOOL StartJob(PDEV* pdev, bool initList) {
  pdev->flags &= ~kPdevResetPending;
  if (initList) dl_init(&pdev->stream);
  if (!iKPJLJobStart(&pdev->stream, pdev->ucb)) return FALSE;
  if (pdev->pageCount == 1 && pdev->documentNameLength > 0 && !WriteJobNameBlock(pdev)) return FALSE;
  return TRUE;
}

BOOL DrvStartPage(SURFOBJ* pso) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  pdev->pageStarted = 1;
  if ((pdev->flags & kPdevWriteError) != 0) return FALSE;
  if ((pdev->flags & kPdevPageOpen) != 0) return TRUE;
  pdev->flags |= kPdevPageOpen;
  pdev->pageCount += 1;
  if (pdev->pageCount == 1 || (pdev->flags & kPdevResetPending) != 0) {
    if (!StartJob(pdev, true)) return FALSE;
  }
  if (!RawFirstPage(pdev) && !iKPJLPageStart(&pdev->stream, pdev->ucb)) return FALSE;
  ForgetDrawingState(pdev);
  if (RawFirstPage(pdev)) return TRUE;
  return IDlPageStart(&pdev->stream, static_cast<ULONG>(pdev->pageWidth), static_cast<ULONG>(pdev->pageHeight),
                      pdev->resolution, pdev->resolution) != nullptr;
}

BOOL DrvSendPage(SURFOBJ* pso) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  // A page sent without being started is counted as it goes; when it is the
  // first of the job, the job is opened first, so that no page block ever
  // precedes the job header. What was drawn on it stays in the list.
  if ((pdev->flags & kPdevPageOpen) == 0) {
    pdev->pageCount += 1;
    if (pdev->pageCount == 1 || (pdev->flags & kPdevResetPending) != 0) {
      if (!StartJob(pdev, false)) return FALSE;
    }
  }
  // A page that follows without being started must not rely on this one's
  // attributes either.
  ForgetDrawingState(pdev);
  // Nor on the glyph bitmaps sent with it.
  pFreeHashTbl(pdev);
  JobStream* stream = &pdev->stream;
  if (!RawFirstPage(pdev) && IDlPageEnd(stream) == nullptr) {
    // A page without its end record is not sent.
    dl_free(stream);
    dl_init(stream);
    return FALSE;
  }
  if (!DLFlushPage(stream)) return FALSE;
  if (!RawFirstPage(pdev) && !iKPJLPageEnd(stream, pdev->ucb)) return FALSE;
  pdev->flags &= ~kPdevPageOpen;
  return TRUE;
}
