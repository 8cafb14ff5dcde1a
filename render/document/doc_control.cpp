// Document start and end. Neither writes to the job stream: the first page
// opens the job.
#include "render/document/job_name.h"
#include "render/document/start_doc_revalidation.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "jobsettings/validate/validate_devmode.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"

namespace {

constexpr WORD kPrnMethod = 209;
// The document start's validation, in the kernel-mode build.
constexpr DWORD kValidateAtStartDoc = 0x20008;

// A print method changed in the settings INI since the PDEV was enabled
// (the configuration library wrote it there) is taken over by validating
// the context again. FALSE when that fails.
BOOL FollowPrintMethod(PDEV* pdev) {
  UCB* ucb = pdev->ucb;
  const SFCB* record = GetSFCBbyFuncID(ucb, kPrnMethod);
  if (record == nullptr || record->iniKey == nullptr) return TRUE;
  const LONG_PTR current = GetDevmodeValueDirect(ucb, record);
  const auto stored = static_cast<LONG_PTR>(
      KM_UM_GetPrivateProfileInt(GetPrinterName(ucb), record->iniKey, 0, GetIniFilePath(ucb)));
  if (stored == current) return TRUE;
  return ValidateDevmode(ucb, nullptr, kValidateAtStartDoc) != 0 ? TRUE : FALSE;
}

}  // namespace

BOOL DrvStartDoc(SURFOBJ* pso, LPWSTR documentName, DWORD jobId) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  if (jobId != 0) pdev->jobId = jobId;
  // Stored settings may have changed since the PDEV was enabled; the
  // job-level values sent by escape since then are kept.
  ValidateDevmodeStartDoc(pdev->ucb, pdev->devmode, pdev->devmodeBytes, kValidateAtStartDoc, pdev->printer, jobId);
  if (!FollowPrintMethod(pdev)) return FALSE;
  pdev->flags |= kPdevInDocument;
  if ((pdev->flags & kPdevResetPending) == 0) {
    pdev->pageCount = 0;
    pdev->flags &= ~kPdevPageOpen;
    FreeDocumentName(pdev);
  }
  if (documentName != nullptr) SetDocumentName(pdev, documentName);
  return TRUE;
}

BOOL DrvEndDoc(SURFOBJ* pso, FLONG /*flags*/) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  FreeDocumentName(pdev);
  pdev->flags &= ~(kPdevInDocument | kPdevResetPending);
  return TRUE;
}
