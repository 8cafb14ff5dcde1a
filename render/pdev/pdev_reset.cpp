// A reset hands a document over to a new PDEV between pages, when the
// application changes the DEVMODE: the new PDEV continues the page count and
// opens the job again (a fresh job header) at its next page.
#include <algorithm>
#include <iterator>

#include "render/document/job_name.h"
#include "render/document/start_doc_revalidation.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/text/glyph_cache.h"
#include "settings/context/context_block.h"

BOOL DrvResetPDEV(DHPDEV oldPdev, DHPDEV newPdev) {
  PDEV* from = CheckedPdev(oldPdev);
  PDEV* to = from != nullptr ? CheckedPdev(newPdev) : nullptr;
  if (from == nullptr || to == nullptr) return FALSE;
  if ((from->flags & kPdevInDocument) == 0) return TRUE;
  to->pageCount = from->pageCount;
  from->flags |= kPdevResetPending;
  // A document whose stream failed stays failed on the new PDEV.
  to->flags |= kPdevResetPending | kPdevInDocument | (from->flags & kPdevWriteError);
  to->jobId = from->jobId;
  if (!DLFlushPage(&from->stream)) return FALSE;
  // The new PDEV keeps a display list of its own: the old list's chunks
  // live in the old PDEV and go away with it.
  dl_init(&to->stream);
  CopyDocumentName(to, from);
  if (from->ucb != nullptr && to->ucb != nullptr && from->ucb->pWork != nullptr && to->ucb->pWork != nullptr) {
    static_assert(sizeof to->ucb->pWork->szIniFilePath == sizeof from->ucb->pWork->szIniFilePath);
    std::copy(std::begin(from->ucb->pWork->szIniFilePath), std::end(from->ucb->pWork->szIniFilePath),
              std::begin(to->ucb->pWork->szIniFilePath));
  }
  // The job-level values the configuration library sent by escape belong
  // to the document, not to the DEVMODE the application changed.
  if (to->banding != 0) SetDevmodeInGuarantee(to->ucb, from->ucb);
  // Glyph bitmaps sent so far are not the new PDEV's: it begins a new
  // generation of them.
  pFreeHashTbl(from);
  to->glyphGeneration = from->glyphGeneration;
  return TRUE;
}
