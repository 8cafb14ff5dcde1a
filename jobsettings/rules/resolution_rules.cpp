#include "jobsettings/rules/resolution_rules.h"

#include <cstdint>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution.h"
#include "settings/values/setting_value.h"
#if !KESM_KERNEL_MODE
#include "storage/system/system_info.h"
#endif

namespace {

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncSrcLength = 40;
constexpr WORD kFuncSrcWidth = 41;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncDstLength = 47;
constexpr WORD kFuncDstWidth = 48;
constexpr WORD kFuncSelectScale = 55;
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncScaleType = 87;
constexpr WORD kFuncScaleH = 89;
constexpr WORD kFuncScaleV = 90;
constexpr WORD kFuncNupPostKind = 91;
constexpr WORD kFuncNupType = 92;
constexpr WORD kFuncLoadShare = 227;
constexpr LONG kPlainResolutionLimit = 600;
constexpr std::uint64_t kBorderLimit = 30708;  // dots; the device refuses more
constexpr LONG_PTR kPosterKind = 9;
constexpr DWORD kPosterDoubleShorter = 0x8001;

DWORD Stored(const UCB* ucb, WORD funcId) {
  return static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

}  // namespace

BOOL Border_DstCheck(UCB* ucb) {
  return Stored(ucb, kFuncDstWidth) <= kBorderLimit && Stored(ucb, kFuncDstLength) <= kBorderLimit ? TRUE : FALSE;
}

BOOL Border_SrcCheck(UCB* ucb) {
  // 64-bit products: a scale or poster factor from a caller cannot wrap a
  // long side back under the limit.
  std::uint64_t width = Stored(ucb, kFuncSrcWidth);
  std::uint64_t length = Stored(ucb, kFuncSrcLength);
  const DWORD scaleType = Stored(ucb, kFuncScaleType);
  const DWORD nupType = Stored(ucb, kFuncNupType);
  if (Stored(ucb, kFuncSelectScale) != 0 && scaleType != 2) {
    const DWORD scaleH = Stored(ucb, kFuncScaleH);
    width = width * scaleH / 100;
    length = length * (scaleType == 1 ? scaleH : Stored(ucb, kFuncScaleV)) / 100;
  } else if (Stored(ucb, kFuncSelectNup) != 0 && Stored(ucb, kFuncNupPostKind) == kPosterKind &&
             nupType > kPosterBase) {
    if (nupType == kPosterDoubleShorter) {
      (width < length ? width : length) *= 2;
    } else {
      width *= nupType - kPosterBase;
      length *= nupType - kPosterBase;
    }
  }
  return width <= kBorderLimit && length <= kBorderLimit ? TRUE : FALSE;
}

BOOL IsNotDownResolution(UCB* ucb, int mode) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (dm == nullptr) return TRUE;
  if (mode == 1) {
    SetSrcAndDstResolutionFromKDM(dm, ucb);
  } else {
    SetSrcAndDstResolutionFromDM(dm, ucb);
  }
  if (mode == 0 && (dm->dmFields & DM_PAPERLENGTH) != 0 && (dm->dmFields & DM_PAPERWIDTH) != 0) {
    SetSrcPaperAreaOfFreeSize(dm, ucb);
  } else {
    SetSrcPaperArea(dm->dmPaperSize, kFuncPaperSize, ucb, dm);
  }
  SetDstPaperArea(static_cast<LONG>(static_cast<SHORT>(Stored(ucb, kFuncOutPaperSize))), kFuncOutPaperSize, ucb, dm);
  if (dm->dmPrintQuality <= kPlainResolutionLimit) return TRUE;
  if (Stored(ucb, kFuncLoadShare) >= 3) return Border_DstCheck(ucb) && Border_SrcCheck(ucb) ? TRUE : FALSE;
#if !KESM_KERNEL_MODE
  if (IsOsIsWin9X()) {
    return Stored(ucb, kFuncSrcWidth) <= kBorderLimit && Stored(ucb, kFuncSrcLength) <= kBorderLimit ? TRUE : FALSE;
  }
#endif
  return TRUE;
}
