#if !KESM_KERNEL_MODE
#include "devicecomm/bidi/bidi_def_trays.h"

#include "devicecomm/bidi/bidi_events.h"
#include "devicecomm/bidi/bidi_ini_file.h"
#include "devicecomm/bidi/bidi_map.h"
#include "features/custom_modules.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/section_names.h"
#include "storage/stores/store_ini.h"

namespace {

// The device tray codes by preference.
constexpr DWORD kTrayOrder[kBidiTrayOrderCount] = {3, 4, 5, 6, 7, 8, 9, 11, 2, 1, 10, 12, 51, 52, 53, 54, 101};
// The tray chosen when none was marked.
constexpr DWORD kFallbackTray = 3;

constexpr WORD kFuncMPInputTray = 123;
constexpr WORD kFuncCoverInputTray = 125;
constexpr WORD kFuncBackCoverInputTray = 127;
constexpr WORD kFuncReverseCoverInputTray = 408;
constexpr WORD kFuncChapterTray = 840;
constexpr WORD kFuncCoverDefTray = 10276;
constexpr WORD kFuncMPDefTray = 10277;
constexpr WORD kFuncChapterDefTray1 = 10278;
constexpr WORD kFuncReverseCoverDefTray = 10288;

int PositionOf(DWORD code) {
  for (int i = 0; i < kBidiTrayOrderCount; ++i) {
    if (kTrayOrder[i] == code) return i;
  }
  return kBidiTrayOrderCount;
}

BOOL StoreChosen(WORD funcId, const DWORD* codes, DWORD count, UCB* ucb) {
  DWORD chosen = _SerchTrayOrder(codes, count);
  if (chosen == 0) chosen = kFallbackTray;
  return SetDevmodeValueDirectByFuncID(ucb, funcId, GetFidFromBidiDataTrayDefTray(chosen));
}

// Whether the INI, rather than printer data, keeps the mark.
bool MarkInIni(UCB* ucb) { return GetKDMServerClientMode(ucb) != 1 && IsBidiExFlagDataRead(ucb); }

bool MarkSet(UCB* ucb) {
  return MarkInIni(ucb) ? GetBidiExFlagDataFromFile(ucb) != FALSE
                        : IsBidiExDoneOperationBefore(ucb->hPrinter, ucb) != FALSE;
}

}  // namespace

DWORD _SerchTrayOrder(const DWORD* codes, DWORD count) {
  if (codes == nullptr) return 0;
  DWORD chosen = 0;
  int best = kBidiTrayOrderCount;
  for (DWORD i = 0; i < count; ++i) {
    if (codes[i] == 0) continue;
    const int position = PositionOf(codes[i]);
    if (position < best) {
      best = position;
      chosen = codes[i];
    }
  }
  return chosen;
}

BOOL SetCoverDefTray(const DWORD* codes, DWORD count, UCB* ucb) {
  return StoreChosen(kFuncCoverDefTray, codes, count, ucb);
}
BOOL SetMPDefTray(const DWORD* codes, DWORD count, UCB* ucb) {
  return StoreChosen(kFuncMPDefTray, codes, count, ucb);
}
BOOL SetReverseCoverDefTray(const DWORD* codes, DWORD count, UCB* ucb) {
  return StoreChosen(kFuncReverseCoverDefTray, codes, count, ucb);
}

BOOL SetChapterDefTray(DWORD bits, DWORD defTray, DWORD* bidiFunc, UCB* ucb) {
  CustomBidiSetChapterTray record{bits, defTray, bidiFunc};
  KesmCustomFunction(ucb, kCustomBidiSetChapterTray, &record);
  return TRUE;
}

BOOL SetDefaultChapterDefTray(UCB* ucb) {
  KesmCustomFunction(ucb, kCustomBidiResetChapterTrays, nullptr);
  return TRUE;
}

BOOL SetBidiFlagDefTrays(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  if (MarkInIni(ucb)) return SetBidiExFlagDataToFile(ucb, TRUE);
  return SetBidiExFlagDataToReg(ucb->hPrinter, 1, ucb);
}

BOOL GetBidiFlagDefTrays(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return MarkSet(ucb) || !IsBidiWritableReg(ucb);
}

BOOL SetDefTrayToOriginalInputTray(WORD funcId, LONG_PTR value, UCB* ucb) {
  if (ucb == nullptr || MarkSet(ucb)) return FALSE;
  return SetDevmodeValueDirectByFuncID(ucb, funcId, value);
}

BOOL SetDefTraysToOriginalInputTray(UCB* ucb) {
  if (ucb == nullptr || GetBidiFlagDefTrays(ucb)) return FALSE;
  const LONG_PTR cover = GetDevmodeValueDirectByFuncID(ucb, kFuncCoverDefTray, nullptr);
  SetDefTrayToOriginalInputTray(kFuncCoverInputTray, cover, ucb);
  SetDefTrayToOriginalInputTray(kFuncBackCoverInputTray, cover, ucb);
  SetDefTrayToOriginalInputTray(kFuncMPInputTray, GetDevmodeValueDirectByFuncID(ucb, kFuncMPDefTray, nullptr), ucb);
  SetDefTrayToOriginalInputTray(kFuncReverseCoverInputTray,
                                GetDevmodeValueDirectByFuncID(ucb, kFuncReverseCoverDefTray, nullptr), ucb);
  SFCB* chapter = nullptr;
  GetDevmodeValueDirectByFuncID(ucb, kFuncChapterTray, &chapter);
  const LONG_PTR chapterTray = GetDevmodeValueDirectByFuncID(ucb, kFuncChapterDefTray1, nullptr);
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterTray, chapterTray);
  LPCWSTR section = GetPresetSectionName(ucb);
  LPCWSTR ini = GetIniFilePath(ucb);
  if (chapter != nullptr && chapter->name != nullptr && section != nullptr && ini != nullptr && ini[0] != 0) {
    storage::WriteStoreNumber(section, chapter->name, static_cast<LONG>(chapterTray), ini);
  }
  return TRUE;
}
#endif
