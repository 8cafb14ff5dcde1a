#include "jobsettings/validate/validate_devmode.h"

#include <cstring>

#include "devicecomm/jobcodes/job_codes.h"
#include "devicecomm/usercodes/user_codes.h"
#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_header.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/kept_parts.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/request/app_request.h"
#include "jobsettings/validate/private_validation.h"
#include "jobsettings/validate/public_validation.h"
#include "jobsettings/validate/public_validators.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_value.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/properties/printer_properties.h"
#if !KESM_KERNEL_MODE
#include "storage/stores/freesize_store.h"
#include "storage/system/machine_registry.h"
#endif

namespace {

constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncTextBitmapSupport = 166;
constexpr WORD kFuncUIStart = 826;
constexpr WORD kFuncCtrlWorkPrompt = 846;
constexpr WORD kFuncCustomFunc1 = 1134;
constexpr DWORD kQualityFuncTextBitmap = 0x2000;
constexpr DWORD kHidden2FuncCustom1 = 0x80;
[[maybe_unused]] constexpr DWORD kJobCodeOperation = 159;
[[maybe_unused]] constexpr DWORD kApplicationKind = 2;
constexpr int kPropertiesBlock = 1;

BYTE* Bytes(DEVMODEW* dm) { return reinterpret_cast<BYTE*>(dm); }

// The merged copy of the current DEVMODE, and the image the current one is
// kept in while an upgrade works on the context. One allocation, freed on
// every way out.
struct WorkImages {
  explicit WorkImages(std::size_t bytes) : block(static_cast<BYTE*>(GetMemPtr(2 * bytes))), size(bytes) {}
  ~WorkImages() { FreeMemPtr(block); }
  WorkImages(const WorkImages&) = delete;
  WorkImages& operator=(const WorkImages&) = delete;
  DEVMODEW* merged() const { return reinterpret_cast<DEVMODEW*>(block); }
  DEVMODEW* kept() const { return reinterpret_cast<DEVMODEW*>(block + size); }
  BYTE* block;
  std::size_t size;
};

// Decides how much of the caller's DEVMODE, merged into the copy, the
// context may trust. A private part of this driver and version stays; one
// of an older version of it is upgraded on the context; any other private
// part (another driver's, or one of this driver that no upgrade applies
// to) is replaced by the current one, so that only the public fields of
// the caller's DEVMODE survive.
void Merge(UCB* ucb, DEVMODEW* current, const DEVMODEW* dm, std::size_t bytes, const WorkImages& images) {
  DEVMODEW* merged = images.merged();
  ConvertDevmode2(dm, bytes, merged, kSizeofKesmDM);
  if (IsMyValidDevmode(merged, 0)) return;
  if (IsMyValidDevmodeForUpgrade(merged, 0) && IsUpgrade(merged) == 1) {
    // The upgrade works on the context's settings: the merged copy becomes
    // the current DEVMODE for its duration, and the current one comes back
    // whole afterwards, so that nothing of the caller's reaches it here.
    std::memcpy(images.kept(), current, kSizeofKesmDM);
    std::memcpy(current, merged, kSizeofKesmDM);
    UpgradeDevmode(current, ucb);
    std::memcpy(merged, current, kSizeofKesmDM);
    std::memcpy(current, images.kept(), kSizeofKesmDM);
    return;
  }
  std::memcpy(Bytes(merged) + kSizeofDM, Bytes(current) + kSizeofDM, kSizeofPrivDM);
}

// The merged private part becomes the current one; the kept parts and the
// front-function byte stay the context's own.
void TakePrivatePart(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  const KeptPrivateParts kept(current);
  const DWORD frontFunc = GetKDMFrontFuncByDM(current);
  std::memcpy(Bytes(current) + kSizeofDM, reinterpret_cast<const BYTE*>(merged) + kSizeofDM, kSizeofPrivDM);
  kept.Restore(current);
  SetKDMFrontFuncByDM(current, frontFunc);
  DevCBSetPrivHeader(current, ucb);
}

// Two model switches the description decides.
void DescriptionSwitches(DEVMODEW* current, UCB* ucb) {
  const DWORD quality = GetKDMQualityFuncByDM(current);
  const bool bitmapText = BKPDGetGroupDefaultByFuncID(kFuncTextBitmapSupport, ucb) != 0;
  SetKDMQualityFuncByDM(current, bitmapText ? quality | kQualityFuncTextBitmap : quality & ~kQualityFuncTextBitmap);
  if (BKPDGetGroupDefaultByFuncID(kFuncCustomFunc1, ucb) != 0) {
    SetKDMHidden2FuncByDM(current, GetKDMHidden2FuncByDM(current) | kHidden2FuncCustom1);
  }
}

// After the private walk: the private geometry re-derived, or the free
// size and the destination area refreshed.
void Finish(DEVMODEW* current, UCB* ucb) {
  if (StepsOf(GetValidateFlags(ucb)).rederivesPrivate) {
    SetValidatePrivateDMEx(current, ucb, kDeriveCheck);
    return;
  }
  if (IsValidatedmPaperSizeFree(current->dmPaperSize, ucb)) {
    const auto paper = static_cast<WORD>(current->dmPaperSize);
#if !KESM_KERNEL_MODE
    ReadFreesizeInfoAll(ucb);
    const int slot = GetFreeSizePaperNum(paper, ucb, nullptr);
    if (slot >= 0) {
      GetFreeSizeInfoNoRegist(ucb, paper, slot);
      MoveSrcFreesizeInfoToWork(ucb, slot);
    }
#else
    ReadRegisteredFreeSize(ucb, paper, true);
#endif
  }
  const auto out = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncOutPaperSize, nullptr));
  SetDstPaperArea(out, kFuncOutPaperSize, ucb, current);
}

}  // namespace

int ValidateDevmode(UCB* ucb, const DEVMODEW* dm, std::size_t bytes, DWORD flags) {
  const ValidationSteps steps = StepsOf(flags);
  if (!steps.runs) return 1;
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current == nullptr) return 1;
  SetValidateFlags(ucb, flags);
  SetDevmodeValueDirectByFuncID(ucb, kFuncCtrlWorkPrompt, (flags & kValidatePrompt) != 0 ? 1 : 0);

  const WorkImages images(kSizeofKesmDM);
  if (images.block == nullptr) return 0;
  DEVMODEW* merged = images.merged();
  std::memcpy(merged, current, kSizeofKesmDM);
  if (dm != nullptr) {
    Merge(ucb, current, dm, bytes, images);
    KeepWholeRequestOnly(merged, dm, bytes);
  }
  GetWEXA_API(ucb, merged);
  TakePrivatePart(current, merged, ucb);
  DescriptionSwitches(current, ucb);

  SetValidatePublicDM(current, merged, ucb);
#if !KESM_KERNEL_MODE
  SetKDMPXInstalled(ucb, IsInstalledTalvoAppl(kApplicationKind, ucb) ? 1 : 0);
  UserCodeDLLDependOnMachine(ucb);
  if (steps.jobCodes) JobCodeDLLDependOnMachine(ucb, kJobCodeOperation);
#endif
  if (steps.readsProperties) GetProperties(ucb->hPrinter, ucb, kPropertiesBlock, 0);
  GetUserCodeDependOnMachine(ucb);
  SetValidatePrivateDM(current, merged, ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncUIStart, 0);
  if (steps.constraintPass) SetValidateExclusive(ucb);
  Finish(current, ucb);
  return 1;
}

int ValidateDevmode(UCB* ucb, const DEVMODEW* dm, DWORD flags) {
  std::size_t bytes = 0;
  if (dm != nullptr) {
    bytes = std::size_t{LoadLE<WORD>(dm, offsetof(DEVMODEW, dmSize))} + LoadLE<WORD>(dm, offsetof(DEVMODEW, dmDriverExtra));
  }
  return ValidateDevmode(ucb, dm, bytes, flags);
}
