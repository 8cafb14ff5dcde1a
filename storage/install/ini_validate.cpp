// The repair of the per-user free sizes and watermarks after an install, a
// rename or an upgrade.
#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "storage/ini/section_names.h"
#include "storage/install/ini_install.h"
#include "storage/install/install_keys.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/store_ini.h"
#include "storage/stores/watermark_store.h"

namespace {

constexpr const WCHAR* kKeyFreeSizeCount = u"FreeSizeCount";
constexpr WORD kFuncWatermarkKind = 117;
constexpr WORD kFuncWmChar = 766;
constexpr WORD kFuncWmImage = 767;
constexpr WORD kFuncWmCharName = 768;
constexpr WORD kFuncWmImageName = 769;
constexpr int kKindCharacters = 1;
constexpr int kKindImage = 2;
constexpr WORD kWatermarkClass = 0x00C0;

bool IsEmptyIn(UCB* ucb, LPCWSTR ini, const std::u16string& entry, WORD id) {
  LPCWSTR key = GetSaveRestoreKeyByFuncID(ucb, id);
  return key != nullptr && storage::ReadStoreText(entry.c_str(), key, ini, 8).empty();
}

// A watermark setting that must have a value in an entry of that kind.
// Settings outside the watermark class (the two-plane and order marks)
// are never written into an entry, so they cannot be missing from one.
bool IsNeeded(UCB* ucb, WORD id, int kind) {
  const SFCB* record = GetSFCBbyFuncID(ucb, id);
  if (record == nullptr || (record->flags & kWatermarkClass) == 0) return false;
  if (id == kFuncWmChar || id == kFuncWmCharName) return kind == kKindCharacters;
  if (id == kFuncWmImage || id == kFuncWmImageName) return kind == kKindImage;
  return true;
}

bool FreeSizesBroken(UCB* ucb, LPCWSTR ini, int perUser, int driver) {
  if (perUser == 0 || (driver != 0 && driver != perUser)) return true;
  for (int i = 0; i < perUser; ++i) {
    std::array<WCHAR, storage::kStoreKeyChars> entry{};
    const std::u16string key = MakeFreesizeKey(entry.data(), i, 0, ucb);
    for (const WORD id : gidFreesize) {
      if (id != kFuncFreeSizeName && IsEmptyIn(ucb, ini, key, id)) return true;
    }
  }
  return false;
}

bool WatermarksBroken(UCB* ucb, LPCWSTR ini, int perUser) {
  if (perUser < 1) return true;
  LPCWSTR kindKey = GetSaveRestoreKeyByFuncID(ucb, kFuncWatermarkKind);
  for (int i = 0; i < perUser; ++i) {
    std::array<WCHAR, storage::kStoreKeyChars> entry{};
    const std::u16string key = MakeWatermarkKey(entry.data(), i, 0, ucb);
    const int kind = kindKey != nullptr ? storage::ReadStoreCount(key.c_str(), kindKey, ini, 0xFFFF) : 0;
    for (const WORD id : gidWaterMark) {
      if (IsNeeded(ucb, id, kind) && IsEmptyIn(ucb, ini, key, id)) return true;
    }
  }
  return false;
}

}  // namespace

BOOL IniFileProcForValidate(UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr) return FALSE;
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  LPCWSTR driverIni = storage::DriverIniOf(ucb);
  if (ini == nullptr || driverIni == nullptr) return FALSE;
  LPCWSTR section = GetFreesizeSectionName(ucb);
  const int perUserSizes = storage::ReadStoreCount(section, kKeyFreeSizeCount, ini, kFreeSizeEntries);
  const int driverSizes = storage::ReadStoreCount(section, kKeyFreeSizeCount, driverIni, kFreeSizeEntries);
  const bool sizesBroken = FreeSizesBroken(ucb, ini, perUserSizes, driverSizes);
  if (sizesBroken) {
    BackupPrivateDevmode(ucb);
    WriteFreesizeCount(ucb, driverSizes);
    for (int i = 0; i < driverSizes; ++i) {
      if (ReadFreesizeByIDFromInstIni(ucb, i)) WriteFreesizeByID(ucb, i);
    }
    RestorePrivateDevmode(ucb, TRUE);
  }
  const int perUserMarks = ReadWatermarkCount(ucb);
  if (sizesBroken || WatermarksBroken(ucb, ini, perUserMarks)) {
    BackupPrivateDevmode(ucb);
    const int driverMarks = ReadWatermarkCountFromInstIni(ucb);
    const int count = perUserMarks < driverMarks ? driverMarks : perUserMarks;
    if (count != perUserMarks) WriteWatermarkCount(ucb, count);
    for (int i = 0; i < count; ++i) {
      ReadWatermarkByIDFromInstIni(ucb, i < driverMarks ? i : 0);
      ReadWatermarkByID(ucb, i);
      WriteWatermarkByID(ucb, i);
    }
    RestorePrivateDevmode(ucb, TRUE);
  }
  return TRUE;
}
#endif
