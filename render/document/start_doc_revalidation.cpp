#include "render/document/start_doc_revalidation.h"

#include <cstring>

#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/validate_devmode.h"
#include "render/platform/bidi_flag.h"
#include "settings/constraints/paper_fitting.h"
#include "settings/context/context_block.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"

namespace {

constexpr WORD kFuncSelectScale = 55;
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncSelectDuplex = 58;
constexpr WORD kFuncSelectSort = 61;
constexpr WORD kFuncScaleType = 87;
constexpr WORD kFuncDuplexType = 94;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncFrontFunc = 348;
constexpr DWORD kFrontPaperFit = 0x8;
constexpr DWORD kFrontPaperCut = 0x20;
constexpr DWORD kDmCollate = 0x8000;
// The mode word the stored settings are read again under.
constexpr DWORD kModeStartDoc = 0x20000;
// The request to read the free sizes, which a terminal-server session's
// DEVMODE does not make at the start of a document.
constexpr DWORD kRequestFreeSizes = 0x4000000;

LONG_PTR Get(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }
void Set(UCB* ucb, WORD funcId, LONG_PTR value) { SetDevmodeValueDirectByFuncID(ucb, funcId, value); }

DEVMODEW* PublicDevmode(UCB* ucb) {
  return ucb != nullptr && ucb->pDCB != nullptr ? reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode) : nullptr;
}

// 1024-1026: an output size that paper fitting chose.
bool FittedOutputSize(const UCB* ucb) {
  const LONG_PTR size = Get(ucb, kFuncOutPaperSize);
  return size >= 1024 && size <= 1026;
}

// Letter or A4 by the default paper-fitting choice, with its geometry.
void SetDefaultOutputSize(UCB* ucb) {
  const LONG paper = GetDefPaperFitting(ucb) != 0 ? kPaperLetter : kPaperA4;
  Set(ucb, kFuncOutPaperSize, paper);
  SetDstPaperArea(paper, kFuncOutPaperSize, ucb, PublicDevmode(ucb));
}

// A duplex of a type other than 1-3 leaves the scaling alone.
bool DuplexBlocks(const UCB* ucb) {
  if (Get(ucb, kFuncSelectDuplex) == 0) return false;
  const LONG_PTR type = Get(ucb, kFuncDuplexType);
  return type != 1 && type != 2 && type != 3;
}

// The text of a string setting, when it ends within the setting's field
// and within limit bytes; null otherwise.
const char* TextWithin(const UCB* ucb, WORD funcId, std::size_t limit, std::size_t& length) {
  const SFCB* record = GetSFCBbyFuncID(ucb, funcId);
  if (record == nullptr) return nullptr;
  const auto* text = reinterpret_cast<const char*>(GetDevmodeValueDirect(ucb, record));
  if (text == nullptr) return nullptr;
  length = strnlen(text, SettingSizeOf(record->descriptor));
  return length < SettingSizeOf(record->descriptor) && length <= limit ? text : nullptr;
}

}  // namespace

KeptJobValues SaveJobValues(const UCB* ucb) {
  KeptJobValues kept;
  for (std::size_t i = 0; i < kKeptJobValues.size(); ++i) {
    const KeptJobValue& value = kKeptJobValues[i];
    auto& copy = kept.copies[i];
    if (value.bytes == 1) {
      copy[0] = static_cast<char>(Get(ucb, value.funcId) & 0xFF);
      continue;
    }
    std::size_t length = 0;
    if (const char* text = TextWithin(ucb, value.funcId, value.bytes - 1u, length)) {
      std::memcpy(copy.data(), text, length);
    }
  }
  return kept;
}

void RestoreJobValues(UCB* ucb, const KeptJobValues& kept) {
  for (std::size_t i = 0; i < kKeptJobValues.size(); ++i) {
    const KeptJobValue& value = kKeptJobValues[i];
    const auto& copy = kept.copies[i];
    if (value.bytes == 1) {
      Set(ucb, value.funcId, static_cast<BYTE>(copy[0]));
    } else if (copy[0] != 0) {
      Set(ucb, value.funcId, reinterpret_cast<LONG_PTR>(copy.data()));
    }
  }
}

BOOL ValidateDevmodeStartDoc(UCB* ucb, const DEVMODEW* dm, std::size_t bytes, DWORD flags, HANDLE printer,
                             DWORD /*jobId*/) {
  if (ucb == nullptr || ucb->pWork == nullptr) return TRUE;
  const KeptJobValues kept = SaveJobValues(ucb);
  ucb->pWork->dwMode = kModeStartDoc;
  GetProperties(printer, ucb, kAllBlocks, 0);
  GetProperties(printer, ucb, kBlockWork, kPropertiesModules);
  // The device's answer that printer data could not take.
  if (KMGetBidiFlagDataFromFile(ucb)) KMGetBidiPrinterDataFromIni(ucb);
  if (GetKDMTSE(ucb) != 0) ResetRequestCode(ucb, kRequestFreeSizes);
  if (dm != nullptr) {
    ValidateDevmode(ucb, dm, bytes, flags);
  } else {
    ValidateDevmode(ucb, nullptr, flags);
  }
  SetCollateToDevmode(ucb);
  GetBidiFlagData(ucb);
  RestoreJobValues(ucb, kept);
  return TRUE;
}

void SetCollateToDevmode(UCB* ucb) {
  const DEVMODEW* dm = PublicDevmode(ucb);
  if (dm == nullptr) return;
  if ((dm->dmFields & kDmCollate) == 0) {
    Set(ucb, kFuncSelectSort, 0);
  } else if (dm->dmCollate == 1) {
    Set(ucb, kFuncSelectSort, 1);
  }
  const auto front = static_cast<DWORD>(Get(ucb, kFuncFrontFunc));
  if ((front & kFrontPaperFit) != 0) RevisePaperFit(ucb);
  if ((front & kFrontPaperCut) != 0) RevisePaperCut(ucb);
}

void RevisePaperFit(UCB* ucb) {
  if (!FittedOutputSize(ucb) || GetPaperFittingWorkCondition(ucb) == 0) return;
  SetDefaultOutputSize(ucb);
  if (Get(ucb, kFuncSelectNup) == 0 && !DuplexBlocks(ucb)) {
    Set(ucb, kFuncSelectScale, 1);
    Set(ucb, kFuncScaleType, 2);
  }
}

void RevisePaperCut(UCB* ucb) {
  const DEVMODEW* dm = PublicDevmode(ucb);
  if (dm == nullptr || !FittedOutputSize(ucb) || GetPaperFittingWorkCondition(ucb) != 0 ||
      !IsPaperFittingPaperSize(dm->dmPaperSize)) {
    return;
  }
  SetDefaultOutputSize(ucb);
  const bool scaling = Get(ucb, kFuncSelectScale) != 0 && Get(ucb, kFuncScaleType) != 2;
  if (Get(ucb, kFuncSelectNup) == 0 && !DuplexBlocks(ucb) && !scaling) {
    Set(ucb, kFuncSelectScale, 1);
    Set(ucb, kFuncScaleType, 1);
  }
}

void SetDevmodeInGuarantee(UCB* to, UCB* from) {
  if (to == nullptr || from == nullptr) return;
  static constexpr WORD kOrder[] = {203, 204, 207, 202, 206, 231, 232, 208};
  for (WORD funcId : kOrder) {
    SFCB* record = GetSFCBbyFuncID(to, funcId);
    const SFCB* source = GetSFCBbyFuncID(from, funcId);
    if (record != nullptr && source != nullptr) SetDevmodeValueDirect(to, record, GetDevmodeValueDirect(from, source));
  }
}
