#if !KESM_KERNEL_MODE
#include "storage/setfiles/pending_services.h"

#include <array>

#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/install/kesm_inst.h"
#include "storage/install/template_names.h"
#include "storage/install/template_register.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"

namespace storage {
namespace {

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncWatermarkOn = 60;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncUseUserMacro = 176;
constexpr WORD kFuncUserMacro = 179;
constexpr LONG_PTR kFirstUserMacro = 135;
constexpr int kAnswerOk = 1;      // IDOK
constexpr int kAnswerCancel = 2;  // IDCANCEL

LONG_PTR Value(const UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }

int FreeSizeOf(LONG_PTR paperId) {
  const auto id = static_cast<WORD>(paperId);
  return paperId == id && IsFreeSizePaperIDByRegist(id) ? id - kFreeSizePaperFirst : -1;
}

}  // namespace

void ConvertSetFileSettings(UCB* ucb, WORD fromVersion, WORD toVersion) {
  _UpgradeDevmode(fromVersion, toVersion, ucb);
}

void ValidateSettingsAfterSetFile(UCB*) {}

void ValidatePrivateSettingsForSetFile(UCB*) {}

BOOL ValidateChapterSettings(UCB*) { return TRUE; }

void LoadChapterSettings(UCB*) {}

BOOL IsAcceptedSettingValue(UCB*, WORD, LONG) { return TRUE; }

LONG_PTR DescriptionDefaultOf(UCB*, WORD) { return 0; }

void ApplyLocaleAndJobCodeDefaults(UCB* ucb) { SetLocalePrimaryID(ucb); }

BOOL RebuildQualitySetFile(UCB* ucb, LPCWSTR path) {
  // A newer driver's set is left as it is.
  if (IsFromNewerDriver(ucb, path, GetPrinterName(ucb))) return FALSE;
  std::array<WCHAR, MAX_PATH> installed{};
  return MakeInstallUseQualityFileName(installed.data(), path, ucb) &&
         ReCreateRstFile(path, installed.data(), kSetFileQuality, ucb);
}

void ShowStorageMessage(UCB*, UINT, LPCWSTR) {}

int AskStorageQuestion(UCB*, UINT, LPCWSTR) { return kAnswerOk; }

int ShowOptionDialogForRefresh(UCB*) { return kAnswerCancel; }

BOOL IsGroupControlSwitchOn(int index) { return index == 1; }

int SourceFreeSizeInUse(const UCB* ucb) { return FreeSizeOf(Value(ucb, kFuncPaperSize)); }

int OutputFreeSizeInUse(const UCB* ucb) { return FreeSizeOf(Value(ucb, kFuncOutPaperSize)); }

int WatermarkInUse(const UCB* ucb) {
  return Value(ucb, kFuncWatermarkOn) != 0 ? static_cast<int>(Value(ucb, kFuncWatermarkId)) : -1;
}

int QualitySetInUse(const UCB* ucb) {
  if (Value(ucb, kFuncUseUserMacro) != 1) return -1;
  const LONG_PTR macro = Value(ucb, kFuncUserMacro);
  return macro >= kFirstUserMacro ? static_cast<int>(macro - kFirstUserMacro) : -1;
}

}  // namespace storage
#endif
