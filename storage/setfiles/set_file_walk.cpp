// The one walk over a context's setting records that reads or writes a set
// file section.
#if !KESM_KERNEL_MODE
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>

#include "features/custom_modules.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "platform/base/winerror.h"
#include "platform/profile/winprofile.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/ansi_text.h"
#include "storage/ini/ini_script.h"
#include "storage/properties/printer_properties.h"
#include "storage/properties/property_codec.h"
#include "storage/properties/value_filters.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/setfiles/set_file.h"
#include "storage/setfiles/set_file_internal.h"

namespace {

constexpr int kLastRow = storage::kSetFileLastRow;
constexpr int kSkippedRowsFirst = storage::kSetFileSkippedRowsFirst;
constexpr int kSkippedRowsLast = storage::kSetFileSkippedRowsLast;
constexpr int kLastPublicRow = storage::kSetFileLastPublicRow;

// Watermark settings kept by the watermark store alone.
constexpr WORD kFuncWatermarkStoreFirst = 858;
constexpr WORD kFuncWatermarkStoreLast = 868;
constexpr WORD kFuncPresetNo = 37;
// The work settings, which live outside the DEVMODE.
constexpr WORD kFuncWorkFirst = 624;
constexpr WORD kFuncWorkLast = 1176;
constexpr LONG_PTR kPresetNoNone = 255;

// The settings that the first five rows stand for in a free-size walk.
constexpr std::array<WORD, 5> kFreeSizeIds = {752, 753, 754, 755, 756};
constexpr std::array<WORD, 5> kSourceFreeSizeIds = {757, 758, 759, 760, 761};

constexpr WORD kClassPreset = storage::kSetFileClassPreset;
constexpr WORD kClassQuality = storage::kSetFileClassQuality;
constexpr WORD kClassWatermark = storage::kSetFileClassWatermark;

bool InClass(const SFCB& record, WORD mask) { return (record.flags & mask) != 0; }

bool Has(DWORD flags, DWORD bits) { return (flags & bits) != 0; }

// The record a row moves, after the filters of the flag word; null to skip
// the row. *end is set when the walk is over.
SFCB* Carried(UCB* ucb, DWORD flags, int row, bool* end) {
  SFCB* record = &ucb->pSFL->pSFCB[row];
  const bool read = Has(flags, kSetFileRead);
  const bool write = Has(flags, kSetFileWrite);
  const bool preset = InClass(*record, kClassPreset);
  if (Has(flags, kSetFilePreset) && (read || (write && Has(flags, kSetFilePlainSection))) && !preset) return nullptr;
  if (Has(flags, kSetFilePreset) && Has(flags, kSetFileInstall) && !preset) return nullptr;
  if (Has(flags, kSetFileQuality) && !InClass(*record, kClassQuality)) return nullptr;
  if (Has(flags, kSetFileWatermark)) {
    if (!InClass(*record, kClassWatermark)) return nullptr;
  } else if (write && record->funcId >= kFuncWatermarkStoreFirst && record->funcId <= kFuncWatermarkStoreLast) {
    return nullptr;
  }
  if (Has(flags, kSetFileBatchInstall) && !IsAvailableDevmodeValueForBatchInstall(record)) return nullptr;
  if (Has(flags, kSetFileFreeSize | kSetFileSourceFreeSize)) {
    const auto& ids = Has(flags, kSetFileFreeSize) ? kFreeSizeIds : kSourceFreeSizeIds;
    if (row >= static_cast<int>(ids.size())) {
      *end = true;
      return nullptr;
    }
    record = GetSFCBbyFuncID(ucb, ids[static_cast<std::size_t>(row)]);
    if (record == nullptr) return nullptr;
  }
  SetFileModuleQuery query{record, 0};
  KesmCustomFunction(ucb, kModuleSetFileSetting, &query);
  if (query.veto == 1) return nullptr;
  if (Has(flags, kSetFileWorkBlock) && SettingBlockOf(record->descriptor) != kBlockWork) return nullptr;
  if (Has(flags, kSetFileBidi) && !IsAvailableDevmodeValueForBidiSetFile(record)) return nullptr;
  if (read && storage::IsPlainSetFileFlags(flags) && !IsAvailableDevmodeValueForReadSetFile(record)) return nullptr;
  // A sheet's context keeps some work settings in the storage of the
  // DEVMODE setting they mirror. A file written by another context holds
  // both keys with values of their own, the work one after: read, it would
  // overwrite the DEVMODE value it follows. The DEVMODE key counts.
  if (read && record->funcId >= kFuncWorkFirst && record->funcId <= kFuncWorkLast &&
      SettingBlockOf(record->descriptor) == kBlockDevmode) {
    return nullptr;
  }
  // The DEVMODE's identity (name, versions, sizes) never comes from a file.
  if (read && IsValidDMSpecialValue(kInvalidReadSetFile, record->funcId)) return nullptr;
  if (Has(flags, kSetFileTemplate) && !preset) return nullptr;
  if (record->name == nullptr && row > kLastPublicRow) return nullptr;
  return record;
}

// The key of a record: its setting name, else (a public field) its id.
void KeyOf(const SFCB& record, std::array<WCHAR, MAX_PATH + 1>& key) {
  if (record.name != nullptr) {
    lstrcpynW(key.data(), record.name, static_cast<int>(key.size()));
    return;
  }
  std::array<char, 8> digits{};
  const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), record.funcId).ptr;
  std::size_t i = 0;
  for (const char* p = digits.data(); p != end; ++p) key[i++] = static_cast<WCHAR>(*p);
  key[i] = 0;
}

// The section a walk reads or writes.
LPCWSTR SectionOf(UCB* ucb, DWORD flags) {
  const bool read = Has(flags, kSetFileRead);
  if (Has(flags, kSetFileInstall)) return read ? GetDriverName(ucb) : GetPrinterName(ucb);
  if (Has(flags, kSetFileBatchInstall) && read) return GetDriverName(ucb);
  if (Has(flags, kSetFileTemplate)) return kRsdSection;
  return GetPrinterName(ucb);
}


// What one walk moves between the file and the settings.
struct Walk {
  UCB* ucb;
  LPCWSTR path;
  DWORD flags;
  LPCWSTR section;
  LPCSTR body = nullptr;           // read: the section's text, null when absent
  LONG position = 0;               // read: where the next key search starts
  SetFileScript script{nullptr, 0, 0};  // write
};

// Moves every carried setting; FALSE when one could not be moved.
BOOL MoveSettings(Walk& walk) {
  UCB* ucb = walk.ucb;
  const int last = Has(walk.flags, kSetFileBidi) ? ucb->pSFL->count - 1 : std::min(kLastRow, ucb->pSFL->count - 1);
  const bool read = Has(walk.flags, kSetFileRead);
  BOOL moved = TRUE;
  std::array<WCHAR, MAX_PATH + 1> key{};
  for (int row = 0; row <= last; ++row) {
    if (row >= kSkippedRowsFirst && row <= kSkippedRowsLast) continue;
    bool end = false;
    SFCB* record = Carried(ucb, walk.flags, row, &end);
    if (end) break;
    if (record == nullptr) continue;
    KeyOf(*record, key);
    storage::RecordOverride keep(record);
    record->iniSection = walk.section;
    record->iniKey = key.data();
    if (!read) {
      if (!SetDevmodeValueToIni(nullptr, ucb, record, walk.path, walk.script.buffer, walk.script.size,
                                &walk.script.position)) {
        return FALSE;  // the section would be incomplete
      }
      continue;
    }
    const storage::IniRead result = storage::ReadIniSetting(ucb, record, walk.path, walk.body, &walk.position);
    if (result == storage::IniRead::kRefused) moved = FALSE;
    if (result == storage::IniRead::kStored && record->funcId == kFuncPresetNo &&
        storage::IsPlainSetFileFlags(walk.flags)) {
      SetDevmodeValueDirect(ucb, record, kPresetNoNone);
    }
  }
  return moved;
}

BOOL ReadSection(Walk& walk) {
  UCB* ucb = walk.ucb;
  const storage::IniImage image(ReadIniOpen(walk.path, 0));
  walk.body = image != nullptr ? GetSectionAddr(walk.section, image.get()) : nullptr;
  if (!storage::SectionFitsScript(walk.section, walk.body)) {
    DrvSetLastError(ucb, ERROR_INVALID_DATA);
    return FALSE;
  }
  WORD convertFrom = 0;
  if (!CheckRstVersion(walk.path, walk.section, walk.flags, !Has(walk.flags, kSetFileNoAlert), ucb, walk.body,
                       nullptr, TRUE, &convertFrom)) {
    DrvSetLastError(ucb, kSetFileVersionMismatch);
    return FALSE;
  }
  // Without the section there is nothing to take (and nothing to search in
  // the file key by key).
  if (walk.body == nullptr) return TRUE;
  // Every value is taken or none: a refused value puts the settings back.
  const MemBlock<DCB> before = NewMemBlock<DCB>();
  if (before == nullptr) return FALSE;
  std::memcpy(before.get(), ucb->pDCB, sizeof(DCB));
  if (!MoveSettings(walk)) {
    std::memcpy(ucb->pDCB, before.get(), sizeof(DCB));
    return FALSE;
  }
  // Converted after the file's values are in, so that they are converted
  // rather than overwritten.
  if (convertFrom != 0) {
    const DP& model = ucb->pDP != nullptr ? *ucb->pDP : fgDP;
    _UpgradeDevmode(convertFrom, model.dwPrivVersion, ucb);
  }
  // What the modules keep outside the settings (the chapter blocks) comes
  // from the same section.
  SetFileModuleDone done{walk.flags, walk.path};
  KesmCustomFunction(ucb, kModuleSetFileDone, &done);
  return TRUE;
}

BOOL WriteSection(Walk& walk) {
  UCB* ucb = walk.ucb;
  const MemBlock<CHAR> script = NewMemBlock<CHAR>(kSetFileScriptBytes);
  if (script == nullptr) return FALSE;
  walk.script = {script.get(), kSetFileScriptBytes, 0};
  if (!WriteScriptSection(&walk.script.position, walk.section, walk.script.buffer, walk.script.size) ||
      !CheckRstVersion(walk.path, walk.section, walk.flags, FALSE, ucb, nullptr, &walk.script, TRUE, nullptr) ||
      !MoveSettings(walk)) {
    DrvSetLastError(ucb, ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, walk.path);  // flush the profile cache
  if (!UpdateSetFile(ucb, walk.path, walk.section, walk.script.buffer, walk.script.position)) return FALSE;
  if (storage::IsPlainSetFileFlags(walk.flags)) WriteSetFilePrnInfo(walk.path, kSetFileBatchInstall, ucb);
  SetFileModuleDone done{walk.flags, walk.path};
  KesmCustomFunction(ucb, kModuleSetFileDone, &done);
  return TRUE;
}

}  // namespace

namespace storage {

bool SectionFitsScript(LPCWSTR section, LPCSTR body) {
  if (body == nullptr) return true;
  std::string name;
  if (section == nullptr || !ToAnsi(section, &name)) return false;
  std::size_t bytes = name.size() + 4;  // "[", the name, "]", the line end
  for (LPCSTR line = body; *line != 0 && *line != '['; line = SkipLine(line)) {
    bytes += static_cast<std::size_t>(SkipLine(line) - line);
    if (bytes > kSetFileScriptBytes) return false;
  }
  return true;
}

}  // namespace storage

BOOL ReadWriteSetFile(HANDLE, LPCWSTR path, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pDCB == nullptr || ucb->pSFL == nullptr ||
      ucb->pSFL->pSFCB == nullptr) {
    return FALSE;
  }
  DrvSetLastError(ucb, 0);
  if (!storage::IsAbsoluteIniPath(path)) return FALSE;
  const bool read = Has(flags, kSetFileRead);
  if (read == Has(flags, kSetFileWrite)) return FALSE;
  LPCWSTR name = SectionOf(ucb, flags);
  std::array<WCHAR, MAX_PATH + 1> section{};
  if (name == nullptr || name[0] == 0 || lstrlenW(name) > static_cast<int>(MAX_PATH)) return FALSE;
  lstrcpynW(section.data(), name, static_cast<int>(section.size()));
  CnvSQUAREBRACKETS(section.data());
  Walk walk{ucb, path, flags, section.data()};
  return read ? ReadSection(walk) : WriteSection(walk);
}
#endif
