#if !KESM_KERNEL_MODE
#include "storage/setfiles/set_file_repairs.h"

#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/validate/priv_validators.h"
#include "jobsettings/validate/public_validators.h"
#include "jobsettings/validate/validate_devmode.h"
#include "platform/spooler/devmode.h"
#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_value.h"
#include "storage/setfiles/storage_services.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"

namespace storage {
namespace {

constexpr WORD kFuncFields = 6;
constexpr WORD kFuncICMMethod = 27;
constexpr WORD kFuncICMIntent = 28;
constexpr WORD kFuncUIModeChange = 36;
constexpr WORD kFuncPresetNo = 37;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncColorMatching = 130;
constexpr WORD kFuncICMType = 131;
constexpr WORD kFuncPrivICMIntent = 132;
constexpr WORD kFuncOSKind = 608;
constexpr LONG_PTR kPresetNoNone = 255;

LONG_PTR Value(UCB* ucb, WORD id) { return GetDevmodeValueDirectByFuncID(ucb, id, nullptr); }
void Set(UCB* ucb, WORD id, LONG_PTR value) { SetDevmodeValueDirectByFuncID(ucb, id, value); }

// Systems before Windows 2000 (OS kind 0 or 1) have no colour matching of
// the kind the settings describe.
void ResetColourMatching(UCB* ucb) {
  Set(ucb, kFuncICMMethod, 1);
  Set(ucb, kFuncICMIntent, 1);
  Set(ucb, kFuncFields, Value(ucb, kFuncFields) & ~static_cast<LONG_PTR>(DM_ICMMETHOD | DM_ICMINTENT));
  Set(ucb, kFuncColorMatching, 0);
  Set(ucb, kFuncICMType, BKPDGetGroupDefaultByFuncID(kFuncICMType, ucb));
  Set(ucb, kFuncPrivICMIntent, BKPDGetGroupDefaultByFuncID(kFuncPrivICMIntent, ucb));
}

}  // namespace

void RepairAfterPlainRead(UCB* ucb, DWORD osKind) {
  if (const int n = _IsValidatekdmOutPaperSizeFree(ucb); n >= 0) {
    WriteFreesizeByID(ucb, n);
    MoveFreesizeInfoFromUiTemp(ucb, n);
  }
  if (const int n = _IsValidatedmPaperSizeFree2(ucb); n >= 0) {
    MoveSrcFreesizeInfoFromWork(ucb, n);
    MoveFreesizeInfoToUiTemp(ucb, n);
    WriteFreesizeByID(ucb, n);
  }
  if (int w = static_cast<int>(_IsValidatedmWM(ucb)); w >= 0) {
    const int count = ReadWatermarkCount(ucb);
    if (w >= count) {
      w = count;
      Set(ucb, kFuncWatermarkId, w);
    }
    WriteWatermarkByID(ucb, w);
  }
  if (osKind == 0 || osKind == 1) ResetColourMatching(ucb);
  const LONG_PTR fields = Value(ucb, kFuncFields);
  const bool mediaType = osKind == 0 || osKind == 3;
  Set(ucb, kFuncFields, mediaType ? fields | DM_MEDIATYPE : fields & ~static_cast<LONG_PTR>(DM_MEDIATYPE));
  Set(ucb, kFuncOSKind, osKind);
  if (const int q = static_cast<int>(_IsValidatedmPrintQuality2(ucb)); q >= 0) WriteQualityByID(ucb, q);
  Set(ucb, kFuncPresetNo, kPresetNoNone);
  const bool modeChange = Value(ucb, kFuncUIModeChange) == 1;
  if (modeChange) Set(ucb, kFuncUIModeChange, 0);
  ApplyLocaleAndJobCodeDefaults(ucb);
  ValidateDevmode(ucb, nullptr, kValidateSetFile | kValidateModify);
  ValidateChapterInfo(ucb);
  if (modeChange) Set(ucb, kFuncUIModeChange, 1);
}

void LoadReferencedEntries(UCB* ucb) {
  if (const int n = _IsValidatedmPaperSizeFree2(ucb); n >= 0) {
    ReadFreesizeInfoAll(ucb);
    MoveSrcFreesizeInfoToWork(ucb, n);
  }
  if (const int n = _IsValidatekdmOutPaperSizeFree(ucb); n >= 0) ReadFreesizeByID(ucb, n);
  if (const int w = static_cast<int>(_IsValidatedmWM(ucb)); w >= 0 && w < ReadWatermarkCount(ucb)) ReadWatermarkByID(ucb, w);
  if (const int q = static_cast<int>(_IsValidatedmPrintQuality2(ucb)); q >= 0) ReadQualityByID(ucb, q);
  GetWorkChapterData(ucb);
}

}  // namespace storage
#endif
