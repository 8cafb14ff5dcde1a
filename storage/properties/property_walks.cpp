// The walks over a context's setting records that read and write its
// stored settings.
#include "features/custom_modules.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "storage/properties/value_filters.h"
#include "storage/system/printer_info.h"
#include "storage/system/section_lock.h"

namespace {

// Records before this position (the public DEVMODE fields) and those of
// the DEVMODE header and run-time flags are never read from a store.
constexpr int kFirstReadRecord = 34;
constexpr int kHeaderRecordsFirst = 598;
constexpr int kHeaderRecordsLast = 621;

// The action bits: one INI value for sixteen settings.
constexpr WORD kFuncActionFirst = 211;
constexpr WORD kFuncActionLast = 226;
constexpr const WCHAR* kActionKey = u"kdmAction";

constexpr WORD kFuncModuleWordFirst = 1133;
constexpr WORD kFuncModuleWordLast = 1164;
constexpr WORD kFuncServerLogCode = 10001;
constexpr WORD kFuncLogCodeUse = 10002;
constexpr WORD kFuncLogCode = 10003;

// Mode-word bits of contexts whose DEVMODE and work settings are not read
// from the INI (rendering, device capabilities, document properties
// without a sheet), and the open kind that reads none either.
constexpr DWORD kModesWithoutIni = 0x00010000 | 0x01000000 | 0x02000000;
constexpr WORD kOpenKindNoIni = 1;

int BlockOfRecord(const SFCB& record) { return static_cast<int>(SettingBlockOf(record.descriptor)); }

bool IsActionBit(WORD id) { return id >= kFuncActionFirst && id <= kFuncActionLast; }

WORD OpenKind(const UCB* ucb) { return ucb->pWork != nullptr ? ucb->pWork->wOpenKind : 0; }

bool MayReadIni(const UCB* ucb) {
  if (ucb->pWork == nullptr) return false;
  return ucb->pWork->wOpenKind != kOpenKindNoIni && (ucb->pWork->dwMode & kModesWithoutIni) == 0;
}

LPCWSTR IniPath(UCB* ucb) {
  LPCWSTR path = GetIniFilePath(ucb);
  return path != nullptr ? path : u"";
}

// The modules pass: the modules may keep a setting out; a setting they
// keep is moved under its setting name to and from the INI. The record's
// own key and mark come back when `keep` goes.
bool TakeForModules(UCB* ucb, SFCB* record, DWORD code) {
  PropertyModuleQuery query{kPropertiesModules, record, 0};
  KesmCustomFunction(ucb, code, &query);
  if (query.skip == 1) return false;
  record->iniKey = record->name;
  record->storage = kStorageIni;
  return true;
}

// The action bits as one 16-bit INI value under "kdmAction": the first
// action record, for the span of `keep`, stands for the whole word.
void AsActionWord(SFCB* first) {
  first->descriptor =
      MakeSettingDescriptor(SettingBlockOf(first->descriptor), kKindU16, sizeof(WORD));
  first->iniKey = kActionKey;
  first->storage = kStorageIni;
}

BOOL WriteActionWord(UCB* ucb, SFCB* first, LPCWSTR iniPath) {
  storage::RecordOverride keep(first);
  AsActionWord(first);
  return SetDevmodeValueToIni(nullptr, ucb, first, iniPath, nullptr, 0, nullptr);
}

// Reads the word; an INI that has only the single action keys is read key
// by key and then given the word.
void ReadActionWord(UCB* ucb, SFCB* first, LPCWSTR iniPath) {
  storage::IniRead read;
  {
    storage::RecordOverride keep(first);
    AsActionWord(first);
    read = storage::ReadIniSetting(ucb, first, iniPath, nullptr, nullptr);
  }
  if (read != storage::IniRead::kMissing) return;
  for (WORD id = kFuncActionFirst; id <= kFuncActionLast; ++id) {
    SFCB* bit = GetSFCBbyFuncID(ucb, id);
    if (bit != nullptr && bit->storage == kStorageIni) storage::ReadIniSetting(ucb, bit, iniPath, nullptr, nullptr);
  }
  WriteActionWord(ucb, first, iniPath);
}

// Whether a printer-wide setting holds what the saved state holds: single
// bits by their value, every other kind by its bytes.
bool Unchanged(const UCB* ucb, const SFCB* record) {
  if (SettingKindIsBit(SettingKindOf(record->descriptor))) {
    return GetDevmodeValueDirect(ucb, record) == GetDevmodeValueDirectSaveDCB2(ucb, record);
  }
  const BYTE* now = GetDevmodeAddressBySFCB(ucb, record);
  const BYTE* saved = GetDevmodeAddressBySFCBSaveDCB2(ucb, record);
  if (now == nullptr || saved == nullptr) return false;
  const DWORD size = SettingSizeOf(record->descriptor);
  for (DWORD i = 0; i < size; ++i) {
    if (now[i] != saved[i]) return false;
  }
  return true;
}

// The log-code settings of a client printer follow the server's: they are
// kept only while the client keeps its own logging (10001 non-zero).
bool IsServerLogCode(UCB* ucb, WORD id) {
  if (id != kFuncLogCodeUse && id != kFuncLogCode) return false;
  return IsClientDriver(ucb) && GetDevmodeValueDirectByFuncID(ucb, kFuncServerLogCode, nullptr) == 0;
}

}  // namespace

BOOL GetProperties(HANDLE printer, UCB* ucb, int block, DWORD mode) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return FALSE;
  ScopedSection lock(ucb);
  LPCWSTR iniPath = IniPath(ucb);
  const bool mayReadIni = MayReadIni(ucb);
  SFCB* actionWord = nullptr;
  for (int i = kFirstReadRecord; i < ucb->pSFL->count; ++i) {
    if (i >= kHeaderRecordsFirst && i <= kHeaderRecordsLast) continue;
    SFCB* record = &ucb->pSFL->pSFCB[i];
    storage::RecordOverride keep(record);
    if ((mode & kPropertiesModules) != 0 && !TakeForModules(ucb, record, kModuleGetProperty)) continue;
    const int recordBlock = BlockOfRecord(*record);
    if (block != kAllBlocks && recordBlock != block) continue;
    const bool fromIni = record->storage == kStorageIni && mayReadIni;
    if (recordBlock == kBlockDevmode || recordBlock == kBlockWork) {
      if (!fromIni) continue;
      if (IsActionBit(record->funcId)) {
        if (record->funcId == kFuncActionFirst) actionWord = record;
        continue;
      }
      storage::ReadIniSetting(ucb, record, iniPath, nullptr, nullptr);
    } else if (record->storage == kStoragePrinterData) {
      GetDevmodeValueFromReg(printer, ucb, record);
    } else if (fromIni) {
      storage::ReadIniSetting(ucb, record, iniPath, nullptr, nullptr);
    }
  }
  if (actionWord != nullptr) ReadActionWord(ucb, actionWord, iniPath);
  PropertyModuleDone done{static_cast<DWORD>(block), mode};
  KesmCustomFunction(ucb, kModulePropertiesRead, &done);
  return TRUE;
}

BOOL SetProperties(HANDLE printer, UCB* ucb, int block, DWORD flags) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return FALSE;
  const bool force = (flags & kPropertiesForce) != 0;
  const DWORD mode = flags & ~kPropertiesForce;
  BOOL written = TRUE;
  {
    ScopedSection lock(ucb);
    LPCWSTR iniPath = IniPath(ucb);
    const bool skipUnchanged =
        !force && OpenKind(ucb) == 0 && ucb->pWork != nullptr && ucb->pWork->pDCB2 != nullptr;
    SFCB* actionWord = nullptr;
    for (int i = 0; i < ucb->pSFL->count; ++i) {
      SFCB* record = &ucb->pSFL->pSFCB[i];
      const WORD id = record->funcId;
      if ((mode & kPropertiesModuleWords) != 0 && (id < kFuncModuleWordFirst || id > kFuncModuleWordLast)) {
        continue;
      }
      if ((mode & kPropertiesBidi) != 0 && !IsAvailableDevmodeValueForBidiSetFile(record)) continue;
      storage::RecordOverride keep(record);
      if ((mode & kPropertiesModules) != 0 && !TakeForModules(ucb, record, kModuleSetProperty)) continue;
      const int recordBlock = BlockOfRecord(*record);
      if (block != kAllBlocks && recordBlock != block) continue;
      if (IsValidDMSpecialValue(kInvalidKDMValue, id)) continue;
      if (IsServerLogCode(ucb, id)) continue;
      if (skipUnchanged && recordBlock == kBlockPrinter && Unchanged(ucb, record)) continue;
      if (IsActionBit(id)) {
        if (id == kFuncActionFirst) actionWord = record;
        continue;
      }
      if (!SetDevmodeValueToFile(printer, ucb, record, iniPath)) written = FALSE;
    }
    if (actionWord != nullptr && !WriteActionWord(ucb, actionWord, iniPath)) written = FALSE;
    PropertyModuleDone done{static_cast<DWORD>(block), mode};
    KesmCustomFunction(ucb, kModulePropertiesWritten, &done);
  }
  if (block == kBlockWork && mode == 0 && !SetProperties(printer, ucb, kBlockWork, kPropertiesModules)) {
    written = FALSE;
  }
  return written;
}

BOOL SetDevmodeValueToFile(HANDLE printer, UCB* ucb, SFCB* record, LPCWSTR iniPath) {
  if (record == nullptr) return FALSE;
  if (record->storage == kStoragePrinterData && BlockOfRecord(*record) == kBlockPrinter) {
    return SetDevmodeValueToReg(printer, ucb, record);
  }
  if (record->storage == kStorageIni) {
    if (iniPath == nullptr) iniPath = IniPath(ucb);
    return SetDevmodeValueToIni(nullptr, ucb, record, iniPath, nullptr, 0, nullptr);
  }
  return TRUE;
}
