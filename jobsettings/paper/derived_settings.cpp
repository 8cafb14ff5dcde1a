#include "jobsettings/paper/derived_settings.h"

#include "features/custom_modules.h"
#include "jobsettings/devmode/paper_codes.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/model_corrections.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "storage/system/printer_info.h"

namespace {

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncUIModeChange = 36;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncMediaType = 54;
constexpr WORD kFuncSelectDuplex = 58;
constexpr WORD kFuncDuplexType = 94;
constexpr WORD kFuncUseUserMacro = 176;
constexpr WORD kFuncUserPrintMacro = 179;
constexpr WORD kFuncFreeSizeTray = 755;
constexpr WORD kFuncUIStart = 826;
constexpr WORD kFuncCustomOrder = 1133;
constexpr SHORT kSimplex = 1;
constexpr SHORT kDuplexLongEdge = 2;
constexpr SHORT kDuplexShortEdge = 3;
constexpr SHORT kLandscape = 2;
[[maybe_unused]] constexpr DWORD kQualitySetFileFlags = 0x1010;
constexpr int kQualityPathChars = 260;

LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

bool IsFreeSizeCode(LONG paper) {
  return (paper >= kPaperFreeRegisteredFirst && paper <= kPaperFreeRegisteredLast) || paper == kPaperFreeSizeDst ||
         paper == kPaperFreeSize;
}

// The stored quality sets: user print macros 32-39 and 160.
bool IsStoredQualitySet(LONG_PTR macro) { return (macro >= 32 && macro <= 39) || macro == 160; }

}  // namespace

void RefreshEnvironmentFlags(UCB* ucb) {
  SetKDMPresentUIMode(ucb, Stored(ucb, kFuncUIModeChange) != 0 ? 1 : 0);
  SetKDMBidiSupport(ucb, IsAttrBidiEnable(ucb) ? 1 : 0);
  SetKDMServerClientMode(ucb, IsClientDriver(ucb) ? 1 : 0);
}

void _SetValidatePrivateDMEx(DEVMODEW* dm, UCB* ucb, int mode) {
  if (dm == nullptr || ucb == nullptr) return;
  SetSrcAndDstResolutionFromKDM(dm, ucb);
  SetSrcPaperArea(dm->dmPaperSize, kFuncPaperSize, ucb, dm);
  SetDstPaperArea(static_cast<LONG>(Stored(ucb, kFuncOutPaperSize)), kFuncOutPaperSize, ucb, dm);
  RefreshEnvironmentFlags(ucb);
  if (mode == 1 || mode == 3 || mode == 4) SetOtherTableToDevmdodeDependOnMachine(ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncUIStart, 0);
}

void SetValidatePrivateDMEx(DEVMODEW* dm, UCB* ucb, int mode) {
  if (dm == nullptr || ucb == nullptr) return;
  _SetValidatePrivateDMEx(dm, ucb, mode);
  SetSrcDuplex(dm, ucb);
  SetSrcMediaType(dm, ucb);
}

void SetSrcDuplex(DEVMODEW* dm, UCB* ucb) {
  if (dm == nullptr || ucb == nullptr) return;
  if (Stored(ucb, kFuncSelectDuplex) == 0) {
    dm->dmDuplex = kSimplex;
    return;
  }
  const bool edgeDuplex = dm->dmDuplex == kDuplexLongEdge || dm->dmDuplex == kDuplexShortEdge;
  if (IsKesmCustomOrderFunc(ucb, kFuncCustomOrder) != 0 && !edgeDuplex) return;
  const auto type = static_cast<LONG>(Stored(ucb, kFuncDuplexType));
  if (type == 0) {
    dm->dmDuplex = kSimplex;
    return;
  }
  const bool landscape = dm->dmOrientation == kLandscape;
  const bool top = IsValidDMSpecialValue(kDuplexTop, type) != 0;
  // A top binding turns the sheet over its short edge in portrait.
  dm->dmDuplex = top == landscape ? kDuplexLongEdge : kDuplexShortEdge;
}

void SetSrcMediaType(DEVMODEW* dm, UCB* ucb) {
  if (dm == nullptr || ucb == nullptr) return;
  dm->dmMediaType = static_cast<DWORD>(Stored(ucb, kFuncMediaType));
}

LONG SetDefaultSourceByFreeSize(UCB* ucb, LONG paper, int flag) {
  if (ucb == nullptr || !IsFreeSizeCode(paper)) return 0;
#if !KESM_KERNEL_MODE
  // The rendering library keeps no free-size store: there the settings are
  // taken as the context holds them.
  const int slot = GetFreeSizePaperNum(static_cast<WORD>(paper), ucb, nullptr);
  if (slot >= 0) {
    GetFreeSizeInfoNoRegist(ucb, static_cast<WORD>(paper), slot);
    ReadFreesizeByID(ucb, slot);
  }
#endif
  const auto tray = static_cast<LONG>(Stored(ucb, kFuncFreeSizeTray));
  if (flag == 0) return tray;
  if (flag != 1) return 0;
  if (DEVMODEW* dm = reinterpret_cast<DEVMODEW*>(ucb->pDCB != nullptr ? ucb->pDCB->devmode : nullptr)) {
    dm->dmDefaultSource = static_cast<SHORT>(tray);
  }
  return 1;
}

void GetWorkQualityData(UCB* ucb) {
  if (Stored(ucb, kFuncUseUserMacro) != 1) return;
  const LONG_PTR macro = Stored(ucb, kFuncUserPrintMacro);
  if (!IsStoredQualitySet(macro)) return;
  WCHAR key[64];
  WCHAR path[kQualityPathChars + 1] = {};
  MakeQualityKey(key, static_cast<int>(macro - 32));
  KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", path, kQualityPathChars, GetIniFilePath(ucb));
#if !KESM_KERNEL_MODE
  ReadSetFile(ucb->hPrinter, path, kQualitySetFileFlags, ucb);
#else
  ReadQualitySetFileKM(ucb, path);
#endif
}

void GetWorkChapterData(UCB* ucb) { KesmCustomFunction(ucb, kCustomChapterWorkData, nullptr); }

BOOL ValidateChapterInfo(UCB* ucb) {
  KesmCustomFunction(ucb, kCustomValidateChapter, nullptr);
  return TRUE;
}

BOOL IsValidateCollate(UCB* ucb) { return IsValidateCollateEx(ucb); }
