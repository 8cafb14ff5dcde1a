// The print-quality module's built-in functions 111-124, its function codes
// (the install copy of the profile counts, the profile names of the replace
// strings, the colour-matching correction) and its judge hook.
#include "features/quality/quality_module.h"

#include <array>
#include <cstring>

#include "features/custom_modules.h"
#include "features/chapter_blocks.h"
#include "features/module_table/module_entries.h"
#include "features/quality/cmm_profiles.h"
#include "jobsettings/validate/priv_validators.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/install/ini_install.h"
#if !KESM_KERNEL_MODE
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_names.h"
#include "storage/stores/preset_store.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_life.h"
#endif

namespace {

constexpr WORD kFuncAdjustMode = 128;
constexpr WORD kFuncAdjustObject = 129;

constexpr WORD kJudgeDefaultProfile = 996;
constexpr WORD kJudgeListFull = 997;
constexpr WORD kJudgeValidFile = 998;

constexpr WORD kBuiltInFirst = 111;
constexpr WORD kBuiltInLast = 124;

LONG_PTR Value(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

// The colour-matching setting of the adjust mode and object kind; 0 for an
// object kind without one.
WORD CurrentColorMatching(const UCB* ucb) {
  if (Value(ucb, kFuncAdjustMode) == 0) return kColorMatchingSettings[0];
  const LONG_PTR object = Value(ucb, kFuncAdjustObject);
  return object >= 0 && object <= 2 ? kColorMatchingSettings[static_cast<std::size_t>(object) + 1] : 0;
}

constexpr UINT kMsgListFull = 10079;

// Adds a profile from the items when the list has room; a full list is
// told, in the configuration library, and left as it is.
void AddProfile(UCB* ucb) {
  const int count = ReadCmmProfileCount(ucb);
  if (count >= ReadCmmProfileMaxCount(ucb)) {
#if !KESM_KERNEL_MODE
    std::array<WCHAR, 512> text{};
    LoadStringFromResDll(ucb, kMsgListFull, text.data(), static_cast<int>(text.size()), FALSE);
    MessageBoxW(GetActiveWindow(), text.data(), GetPrinterName(ucb), MB_OK | MB_ICONWARNING);
#endif
    return;
  }
  WriteCmmProfileCount(ucb, count + 1);
  WriteCmmProfileByID(ucb, count);
}

void DeleteSelected(UCB* ucb) {
  DeleteCmmProfileByID(ucb, GetSelectedCmmIndex(ucb));
  if (GetSelectedCmmIndex(ucb) < 0) SetCmmIndex(ucb, -1);
  SaveCMMtoWork(ucb, 0);
  KesmCustomFunction(ucb, kCustomQualityChanged, nullptr);
}

void LoadCurrentProfile(UCB* ucb) {
  const WORD setting = CurrentColorMatching(ucb);
  if (setting == 0) return;
  const int index = GetCmmIndexByFuncID(ucb, setting);
  if (index >= 0) ReadCmmProfileByIDForGR(ucb, index);
}

void BuiltIn(UCB* ucb, WORD id) {
  switch (id) {
    case 111: AddProfile(ucb); break;
    case 112: DeleteSelected(ucb); break;
    case 113:
    case 122: WriteCmmProfileByID(ucb, GetSelectedCmmIndex(ucb)); break;
    case 114: case 115: case 116: case 117:
      ReadCmmProfileByIDForGR(ucb, GetCmmIndexByFuncID(ucb, kColorMatchingSettings[id - 114u]));
      break;
    case 118: case 119: case 120: case 121:
      WriteCmmProfileByID(ucb, GetCmmIndexByFuncID(ucb, kColorMatchingSettings[id - 118u]));
      break;
    case 123:
      AddProfile(ucb);
      SetCmmIndex(ucb, ReadCmmProfileCount(ucb) - 1);
      break;
    default: LoadCurrentProfile(ucb); break;  // 124
  }
}

// The profile counts of a fresh or updated settings INI, from the driver
// INI's section of driver-wide entries into the profile list's section
// (both are the driver language's code). Only counts the driver INI holds
// are copied: a missing maximum must not become a list of no profiles.
void CopyProfileCounts(UCB* ucb, const INIUPDATEPARAM* param) {
  if (param == nullptr || param->driverIni == nullptr || param->sharedIni == nullptr) return;
  LPCWSTR from = GetDriverIniSectionName(ucb);
  LPCWSTR to = GetCmmProfileSectionName(ucb);
  if (from == nullptr || to == nullptr) return;
  const auto copy = [&](LPCWSTR fromKey, LPCWSTR toKey) {
    WCHAR text[16] = {};
    if (KM_UM_GetPrivateProfileString(from, fromKey, u"", text, 16, param->driverIni) == 0 || text[0] == 0) return;
    KM_UM_WritePrivateProfileString(to, toKey, text, param->sharedIni);
  };
  copy(u"CmmMax", u"CmmMax");
  copy(u"CmmDefault", u"CmmDefault");
  WCHAR count[16] = {};
  const bool hasCount = KM_UM_GetPrivateProfileString(to, u"CmmCount", u"", count, 16, param->sharedIni) != 0 &&
                        count[0] != 0;
  if (param->unchanged == 0 || !hasCount) copy(u"CmmDefault", u"CmmCount");
}

int ProfileName(UCB* ucb, CustomReplaceString* record) {
  if (record == nullptr || record->text == nullptr || record->cch <= 0) return 0;
  if (record->optionId < kCmmProfileOptionFirst || record->optionId > kCmmProfileOptionLast) return 0;
  // A profile that is not registered has no name of its own: the option
  // keeps its resource text rather than showing another profile's name.
  const int index = record->optionId - kCmmProfileOptionFirst;
  if (index >= ReadCmmProfileCount(ucb)) return 0;
  WCHAR name[kCmmProfileChars];
  ReadCmmProfileName(ucb, index, name);
  lstrcpynW(record->text, name, record->cch);
  return 1;
}

#if !KESM_KERNEL_MODE
// OK of the profile dialogs: the add dialog's profile joins the list and
// becomes the choice; the change dialog's is written over the chosen one.
struct ProfileDialogOk {
  WORD dialog;
  WORD builtIn;
};
constexpr ProfileDialogOk kProfileDialogOk[] = {{4011, 123}, {4012, 122}};

int ProfileDialogClosed(UCB* ucb, const CustomDialogClosed* closed) {
  if (closed == nullptr || closed->tcb == nullptr || closed->id != IDOK) return 0;
  for (const ProfileDialogOk& row : kProfileDialogOk) {
    if (row.dialog != closed->tcb->tabId) continue;
    BuiltIn(ucb, row.builtIn);
    return 1;
  }
  return 0;
}
#endif

}  // namespace

void SaveCMMtoWork(UCB* ucb, int) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  const WORD setting = CurrentColorMatching(ucb);
  for (std::size_t i = 0; i < kColorMatchingSettings.size(); ++i) {
    if (kColorMatchingSettings[i] != setting) continue;
    CMMRETURN& kept = ucb->pWork->cmmReturn;
    kept.values[i] = static_cast<BYTE>(Value(ucb, setting));
    kept.flags |= kColorMatchingKeptFlags[i];
  }
}

void CorrectedColorMatchingMode(UCB* ucb) {
#if !KESM_KERNEL_MODE
  if (ucb == nullptr || ucb->pDCB == nullptr) return;
  const LONG quality = _IsValidatedmPrintQuality2(ucb);
  if (quality < 0) return;
  std::array<LONG_PTR, 4> current{};
  for (std::size_t i = 0; i < kColorMatchingSettings.size(); ++i) current[i] = Value(ucb, kColorMatchingSettings[i]);
  // The installed set is read into the context and the context put back.
  MemBlock<DCB> saved = NewMemBlock<DCB>();
  if (!saved) return;
  std::memcpy(saved.get(), ucb->pDCB, sizeof(DCB));
  SFL* records = BackupSFCB(ucb);
  ReadInstallQualityByID(ucb, static_cast<int>(quality));
  std::array<LONG_PTR, 4> installed{};
  for (std::size_t i = 0; i < kColorMatchingSettings.size(); ++i) installed[i] = Value(ucb, kColorMatchingSettings[i]);
  std::memcpy(ucb->pDCB, saved.get(), sizeof(DCB));
  RestoreSFCB(ucb, records);
  const int count = ReadCmmProfileCount(ucb);
  for (std::size_t i = 0; i < kColorMatchingSettings.size(); ++i) {
    if (current[i] >= kCmmProfileValueBase && current[i] - kCmmProfileValueBase >= count) {
      SetDevmodeValueDirectByFuncID(ucb, kColorMatchingSettings[i], installed[i]);
    }
  }
#else
  // The rendering library has no quality sets to fall back on; a profile
  // that is gone names no file in the job header.
  (void)ucb;
#endif
}

int Ucf2_JudgeHook(UCB* ucb, WORD funcId) {
  switch (funcId) {
    case kJudgeDefaultProfile:
      return GetSelectedCmmIndex(ucb) < ReadCmmProfileDefaultCount(ucb) ? 1 : 0;
    case kJudgeListFull:
      return ReadCmmProfileCount(ucb) >= ReadCmmProfileMaxCount(ucb) ? 1 : 0;
    case kJudgeValidFile: {
      const SFCB* file = GetCmmFileSetting(ucb);
      if (file == nullptr) return 0;
      const SIZE_T chars = std::max<SIZE_T>(SettingSizeOf(file->descriptor), MAX_PATH) + 1;
      MemBlock<WCHAR> path = NewMemBlock<WCHAR>(chars);
      if (!path) return 0;
      GetDevmodeStringBySFCB(ucb, file, path.get());
      path.get()[chars - 1] = 0;
      return CheckTcmFileHeader(path.get());
    }
    default:
      return 0;
  }
}

int QualityBuiltInFunc(UCB* ucb, WORD id, void*) {
#if !KESM_KERNEL_MODE
  // The colour items of the pages; the rendering library has none.
  if (QualityColourItemsBuiltIn(ucb, id) != 0) return 1;
#endif
  if (ucb == nullptr || id < kBuiltInFirst || id > kBuiltInLast) return 0;
  BuiltIn(ucb, id);
  return 1;
}

int QualityFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (ucb == nullptr) return 0;
  switch (code) {
    case kCustomInstallIni:
      CopyProfileCounts(ucb, static_cast<const INIUPDATEPARAM*>(parameter));
      return 1;
    case kCustomReplaceString:
      return ProfileName(ucb, static_cast<CustomReplaceString*>(parameter));
    case kCustomQualityChanged:
      CorrectedColorMatchingMode(ucb);
      return 1;
#if !KESM_KERNEL_MODE
    case kCustomDialogClosed:
      return ProfileDialogClosed(ucb, static_cast<const CustomDialogClosed*>(parameter));
#endif
    default:
      return 0;
  }
}
