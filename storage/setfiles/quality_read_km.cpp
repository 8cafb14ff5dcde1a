// The rendering library's read of a stored quality set: the set file's
// quality settings of the work part, key by key, straight from the file
// through the kernel-mode INI reader (the user-mode walk reads a section
// image and can rewrite it; this one only reads).
#if KESM_KERNEL_MODE
#include <algorithm>
#include <cstring>

#include "features/custom_modules.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/context/drv_last_error.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/properties/property_codec.h"
#include "storage/setfiles/set_file.h"
#include "storage/setfiles/set_file_internal.h"
#include "storage/system/section_lock.h"

namespace {

constexpr WORD kFuncLanguage = 169;
constexpr UINT kAbsent = 0xFFFF;

// The file's version keys are this driver's: the same format version by
// hundreds, machine and language.
bool IsOurs(UCB* ucb, LPCWSTR section, LPCWSTR path) {
  const UINT version = KM_UM_GetPrivateProfileInt(section, u"RstVersion", kAbsent, path);
  const UINT machine = KM_UM_GetPrivateProfileInt(section, u"RstMachine", kAbsent, path);
  const UINT language = KM_UM_GetPrivateProfileInt(section, u"RstLanguage", kAbsent, path);
  if (version == kAbsent || machine == kAbsent || language == kAbsent) return false;
  const auto ours = static_cast<WORD>(ucb->pDP->dwSetFileVersion);
  return machine == ucb->pDP->bMachineID &&
         static_cast<WORD>(language) == static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr)) &&
         static_cast<WORD>(version) / kSetFileHundreds == ours / kSetFileHundreds;
}

bool Carried(UCB* ucb, SFCB* record) {
  if ((record->flags & storage::kSetFileClassQuality) == 0 || record->name == nullptr) return false;
  SetFileModuleQuery query{record, 0};
  KesmCustomFunction(ucb, kModuleSetFileSetting, &query);
  return query.veto != 1 && SettingBlockOf(record->descriptor) == kBlockWork;
}

}  // namespace

BOOL ReadQualitySetFileKM(UCB* ucb, LPCWSTR path) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pDCB == nullptr || !storage::IsAbsoluteIniPath(path)) {
    return FALSE;
  }
  ScopedSection lock(ucb);
  DrvSetLastError(ucb, 0);
  const LPCWSTR section = GetPrinterName(ucb);
  if (section == nullptr || !IsOurs(ucb, section, path)) {
    DrvSetLastError(ucb, kSetFileVersionMismatch);
    return TRUE;
  }
  // Every value is taken or none.
  const MemBlock<DCB> before = NewMemBlock<DCB>();
  if (before == nullptr) return FALSE;
  std::memcpy(before.get(), ucb->pDCB, sizeof(DCB));
  const int last = std::min(storage::kSetFileLastRow, ucb->pSFL->count - 1);
  for (int row = 0; row <= last; ++row) {
    if (row >= storage::kSetFileSkippedRowsFirst && row <= storage::kSetFileSkippedRowsLast) continue;
    SFCB* record = &ucb->pSFL->pSFCB[row];
    if (!Carried(ucb, record)) continue;
    storage::RecordOverride keep(record);
    record->iniSection = section;
    record->iniKey = record->name;
    if (storage::ReadIniSetting(ucb, record, path, nullptr, nullptr) == storage::IniRead::kRefused) {
      std::memcpy(ucb->pDCB, before.get(), sizeof(DCB));
      return FALSE;
    }
  }
  return TRUE;
}
#endif
