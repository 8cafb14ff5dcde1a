// The chapter module's built-in functions and events: the chapter settings
// and blocks in the printer properties, set files and undo entries, the
// chapter default trays the device reports, and the check of the blocks
// against the description.
#include <algorithm>
#include <array>
#include <cstring>

#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_map.h"
#include "features/chapter/chapter_module.h"
#include "features/chapter/chapter_store.h"
#include "features/custom_modules.h"
#include "features/chapter_blocks.h"
#include "features/module_table/module_entries.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/validate/private_validation.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/printer_properties.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/chapter_limits.h"

namespace {

constexpr WORD kFuncSelectChapter = 69;
constexpr WORD kFuncChapterSettingsFirst = 833;
constexpr WORD kFuncChapterSettingsLast = 845;
constexpr WORD kFuncChapterTray = 840;
constexpr WORD kFuncChapterPrint = 841;
constexpr std::array<WORD, 3> kChapterDefTrays = {10278, 10279, 10280};
constexpr int kBlockWork = 3;
// The setting classes a preset's set file carries.
constexpr WORD kPresetClasses = 0x000C;

// The undo entries' events (sent as the DCB is pushed and restored).
constexpr DWORD kCodeUndoPushed = 26;
constexpr DWORD kCodeUndoRestored = 27;
constexpr DWORD kCodeSetFileSetting = kModuleSetFileSetting;

// The device's chapter default trays: state bit and the BidiFunc bit each
// sets, for chapter default trays 1-3.
struct DefTrayBits {
  DWORD state;
  DWORD bidiFunc;
};
constexpr std::array<DefTrayBits, 3> kDefTrayBits = {{{0x20, 4}, {0x40, 8}, {0x80, 16}}};

// Built-ins 303-307 copy the media type of these settings, in that order.
constexpr std::array<WORD, 5> kAttributeMediaTypes = {404, 405, 406, 407, 409};
constexpr WORD kBuiltInMediaFirst = 303;
constexpr WORD kBuiltInMediaLast = 307;

bool IsChapterPass(DWORD sender) { return sender == kPropertiesModules; }

int PropertyQuery(void* parameter) {
  auto* query = static_cast<PropertyModuleQuery*>(parameter);
  if (query == nullptr || query->record == nullptr || !IsChapterPass(query->sender)) return 0;
  const WORD id = query->record->funcId;
  if (id < kFuncChapterSettingsFirst || id > kFuncChapterSettingsLast) query->skip = 1;
  return 1;
}

int PropertyDone(UCB* ucb, DWORD code, void* parameter) {
  const auto* done = static_cast<const PropertyModuleDone*>(parameter);
  if (done == nullptr || done->block != kBlockWork || !IsChapterPass(done->mode)) return 0;
  if (code == kModulePropertiesRead) {
    GetMasterChapterBlockAll(ucb, nullptr);
  } else {
    SetMasterChapterBlockAll(ucb, nullptr);
  }
  return 1;
}

// Set files carry the blocks for the plain read and write, and for a
// preset's when the chapter count belongs to the presets.
int SetFileDone(UCB* ucb, void* parameter) {
  const auto* done = static_cast<const SetFileModuleDone*>(parameter);
  if (done == nullptr) return 0;
  const SFCB* count = GetSFCBbyFuncID(ucb, kFuncChapterSettingsFirst);
  const bool presetClass = count != nullptr && (count->flags & kPresetClasses) != 0;
  const auto carries = [&](DWORD direction) {
    if (done->flags == direction) return true;
    const DWORD both = kSetFilePreset | direction;
    return (done->flags & both) == both && presetClass;
  };
  if (carries(kSetFileRead)) {
    GetMasterChapterBlockAll(ucb, done->path);
  } else if (carries(kSetFileWrite)) {
    SetMasterChapterBlockAll(ucb, done->path);
  }
  return 1;
}

int ReportedChapterTray(void* parameter) {
  auto* record = static_cast<CustomBidiChapterTray*>(parameter);
  if (record == nullptr) return 0;
  DWORD mask = 0;
  if (record->index == 0) {
    for (const DefTrayBits& bits : kDefTrayBits) mask |= bits.state;
  } else if (record->index <= kDefTrayBits.size()) {
    mask = kDefTrayBits[record->index - 1].state;
  }
  record->answer = (record->bits & mask) != 0 ? 1 : 0;
  return 1;
}

int SetChapterTray(UCB* ucb, void* parameter) {
  auto* record = static_cast<CustomBidiSetChapterTray*>(parameter);
  if (record == nullptr) return 0;
  for (std::size_t i = 0; i < kDefTrayBits.size(); ++i) {
    if ((record->bits & kDefTrayBits[i].state) == 0) continue;
    SetDevmodeValueDirectByFuncID(ucb, kChapterDefTrays[i], static_cast<LONG_PTR>(record->defTray));
    if (record->bidiFunc != nullptr) *record->bidiFunc |= kDefTrayBits[i].bidiFunc;
    break;
  }
  return 1;
}

#if !KESM_KERNEL_MODE
int ResetChapterTrays(UCB* ucb) {
  const WORD tray = GetFidFromBidiDataTrayDefTray(3);
  for (WORD id : kChapterDefTrays) SetDevmodeValueDirectByFuncID(ucb, id, tray);
  return 1;
}
#endif

// A value of a block checked by the description's rules through the
// setting that edits it; the checked value.
LONG_PTR Checked(UCB* ucb, WORD funcId, LONG_PTR value) {
  SetDevmodeValueDirectByFuncID(ucb, funcId, value);
  SetValidateExclusiveByFID(ucb, funcId);
  return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
}

void ReplaceUseTray(UCB* ucb, LONG_PTR before, LONG_PTR after) {
  for (WORD slot : kChapterUseTraySlots) {
    if (GetDevmodeValueDirectByFuncID(ucb, slot, nullptr) == before) {
      SetDevmodeValueDirectByFuncID(ucb, slot, after);
      return;
    }
  }
}

int ValidateBlocks(UCB* ucb) {
  const LONG_PTR tray = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTray, nullptr);
  const LONG_PTR print = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterPrint, nullptr);
  for (int i = 0;; ++i) {
    CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
    if (block == nullptr) break;
    const LONG_PTR checkedTray = Checked(ucb, kFuncChapterTray, block->tray);
    if (checkedTray != block->tray) {
      ReplaceUseTray(ucb, block->tray, checkedTray);
      block->tray = static_cast<SHORT>(checkedTray);
    }
    block->mode = static_cast<BYTE>(Checked(ucb, kFuncChapterPrint, block->mode));
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterTray, tray);
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterPrint, print);
  return 1;
}

int ReadChapterOnce(UCB* ucb, void* parameter) {
  auto* result = static_cast<DWORD*>(parameter);
  WORKAREA* work = ucb->pWork;
  if (work == nullptr) return 0;
  DWORD read = 1;
  if (work->fChapterInfoRead == 0) {
    read = static_cast<DWORD>(GetProperties(ucb->hPrinter, ucb, kBlockWork, kPropertiesModules));
    ReadChapterMaxInfo(ucb);
    ValidateChapterInfo(ucb);
    work->fChapterInfoRead = 1;
  }
  if (result != nullptr) *result = read;
  return 1;
}

int ChapterWorkData(UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncSelectChapter, nullptr) != 0) ReadChapterInfo(ucb);
  return 1;
}

#if !KESM_KERNEL_MODE
// The blocks of the array, up to the capacity.
WORD HeldBlocks(const UCB* ucb) {
  const int capacity = GetChapterCapacity(ucb);
  if (ucb->pWork == nullptr || ucb->pWork->pChapterBlocks == nullptr || capacity <= 0) return 0;
  return std::min<WORD>(static_cast<WORD>(capacity), ucb->pWork->wChapterCapacity);
}

// The blocks go with an undo entry into the module's work area. A module
// without its work area keeps no backup.
int BackupBlocks(UCB* ucb, CHAPTERWORK* work) {
  if (work == nullptr) return 1;
  const WORD blocks = HeldBlocks(ucb);
  if (blocks == 0) return 1;
  if (work->backup == nullptr || work->blocks < blocks) {
    FreeMemPtr(work->backup);
    work->backup = static_cast<BYTE*>(GetMemPtr(SIZE_T{blocks} * sizeof(CHAPTERBLOCK)));
    work->blocks = work->backup != nullptr ? blocks : 0;
    if (work->backup == nullptr) return 1;
  }
  std::memcpy(work->backup, ucb->pWork->pChapterBlocks, SIZE_T{blocks} * sizeof(CHAPTERBLOCK));
  return 1;
}

int RestoreBlocks(UCB* ucb, const CHAPTERWORK* work) {
  if (work == nullptr || work->backup == nullptr) return 1;
  const WORD blocks = std::min(HeldBlocks(ucb), work->blocks);
  if (blocks > 0) std::memcpy(ucb->pWork->pChapterBlocks, work->backup, SIZE_T{blocks} * sizeof(CHAPTERBLOCK));
  return 1;
}
#endif

}  // namespace

void CopyMediaTypeOfAttributeTray(UCB* ucb, WORD funcId) {
  const LONG_PTR media = GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
  for (WORD id : kAttributeMediaTypes) {
    if (id != funcId) SetDevmodeValueDirectByFuncID(ucb, id, media);
  }
}

int ChapterBuiltInFunc(UCB* ucb, WORD id, void*) {
  if (id >= kBuiltInMediaFirst && id <= kBuiltInMediaLast) {
    CopyMediaTypeOfAttributeTray(ucb, kAttributeMediaTypes[id - kBuiltInMediaFirst]);
    return 1;
  }
  // 300-302 work on the chapter dialog's controls: the pages' entry.
  return 0;
}

int ChapterFunction(UCB* ucb, DWORD code, void* parameter, void* work) {
  if (ucb == nullptr) return 0;
  switch (code) {
    case kModuleSetProperty:
    case kModuleGetProperty:
      return PropertyQuery(parameter);
    case kCodeSetFileSetting:
      return parameter != nullptr ? 1 : 0;
    case kCustomBidiChapterTray:
      return ReportedChapterTray(parameter);
    case kCustomBidiSetChapterTray:
      return SetChapterTray(ucb, parameter);
    case kCustomBidiResetChapterTrays:
#if !KESM_KERNEL_MODE
      return ResetChapterTrays(ucb);
#else
      return 1;
#endif
    case kCustomValidateChapter:
      return ValidateBlocks(ucb);
    case kModuleChapterCount:
      return ReadChapterOnce(ucb, parameter);
    case kCustomChapterWorkData:
      return ChapterWorkData(ucb);
    case kModulePropertiesRead:
    case kModulePropertiesWritten:
      return PropertyDone(ucb, code, parameter);
    case kModuleSetFileDone:
      return SetFileDone(ucb, parameter);
#if !KESM_KERNEL_MODE
    case kCodeUndoPushed:
      return BackupBlocks(ucb, static_cast<CHAPTERWORK*>(work));
    case kCodeUndoRestored:
      return RestoreBlocks(ucb, static_cast<const CHAPTERWORK*>(work));
#endif
    default:
      (void)work;
      return 0;
  }
}

void FreeChapterWork(void* work) {
  auto* chapter = static_cast<CHAPTERWORK*>(work);
  FreeMemPtr(chapter->backup);
  chapter->backup = nullptr;
  chapter->blocks = 0;
}
