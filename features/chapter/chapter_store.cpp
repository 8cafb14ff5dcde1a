#include "features/chapter/chapter_store.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "features/chapter_blocks.h"
#include "features/option/tray_strings.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"

namespace {

constexpr WORD kFuncChapterMax = 831;
constexpr WORD kFuncChapterNum = 833;
constexpr WORD kFuncChapterTrayNum = 837;
constexpr WORD kFuncChapterTray = 840;

LPCWSTR IniOf(UCB* ucb, LPCWSTR file) { return file != nullptr ? file : GetIniFilePath(ucb); }

int Capacity(const UCB* ucb) { return GetChapterCapacity(ucb); }

// Block i of the array up to the capacity, whether used or not; null when
// the array does not hold it.
CHAPTERBLOCK* AnyBlock(const UCB* ucb, int index) {
  const WORKAREA* work = ucb->pWork;
  if (work == nullptr || work->pChapterBlocks == nullptr || index < 0 || index >= work->wChapterCapacity) return nullptr;
  return reinterpret_cast<CHAPTERBLOCK*>(work->pChapterBlocks) + index;
}

}  // namespace

int GetChapterCapacity(const UCB* ucb) {
  if (ucb == nullptr) return 0;
  const auto asked = static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterMax, nullptr));
  return std::clamp<int>(asked, 0, kChapterMostBlocks);
}

// The blocks are made at their most at once: the capacity is read after the
// first block access may have made them, and may grow later in the context.
BOOL MakeChapterBlockArray(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  WORKAREA& work = *ucb->pWork;
  if (work.pChapterBlocks != nullptr) return TRUE;
  constexpr WORD kBlocks = kChapterMostBlocks + 1;
  work.pChapterBlocks = static_cast<BYTE*>(GetMemPtr(SIZE_T{kBlocks} * sizeof(CHAPTERBLOCK)));
  if (work.pChapterBlocks == nullptr) return FALSE;
  work.wChapterCapacity = kBlocks;
  return TRUE;
}

CHAPTERBLOCK* GetChapterBlockByIndex(UCB* ucb, int index) {
  if (ucb == nullptr || ucb->pWork == nullptr || index < 0) return nullptr;
  // The blocks of the capacity and the end mark after them.
  if (index >= GetDevChapterData(ucb) || index > Capacity(ucb)) return nullptr;
  if (!MakeChapterBlockArray(ucb)) return nullptr;
  return AnyBlock(ucb, index);
}

void MakeChpaterKey(UCB*, LPWSTR buffer, int index, int keyKind) {
  if (buffer == nullptr) return;
  LPCSTR word = keyKind == kChapterKeyPage   ? "Page"
                : keyKind == kChapterKeyTray ? "Tray"
                : keyKind == kChapterKeyKind ? "Kind"
                                             : "Print";
  char key[kChapterKeyChars];
  std::snprintf(key, sizeof(key), "wdmChapter%s%d", word, index + 1);
  int i = 0;
  for (; key[i] != 0 && i < kChapterKeyChars - 1; ++i) buffer[i] = static_cast<WCHAR>(key[i]);
  buffer[i] = 0;
}

int GetMasterChapterBlock(UCB* ucb, int index, int keyKind, LPCWSTR file) {
  WCHAR key[kChapterKeyChars];
  MakeChpaterKey(ucb, key, index, keyKind);
  return static_cast<int>(KM_UM_GetPrivateProfileInt(GetPresetSectionName(ucb), key, 0, IniOf(ucb, file)));
}

BOOL SetMasterChapterBlock(UCB* ucb, int index, int keyKind, int value, LPCWSTR file) {
  WCHAR key[kChapterKeyChars];
  MakeChpaterKey(ucb, key, index, keyKind);
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", value);
  WCHAR text[16];
  int i = 0;
  for (; digits[i] != 0; ++i) text[i] = static_cast<WCHAR>(digits[i]);
  text[i] = 0;
  return KM_UM_WritePrivateProfileString(GetPresetSectionName(ucb), key, text, IniOf(ucb, file));
}

int GetMasterChapterBlockAll(UCB* ucb, LPCWSTR file) {
  if (ucb == nullptr) return 0;
  const int used = GetDevChapterData(ucb);
  if (GetChapterBlockByIndex(ucb, 0) == nullptr) return used;
  const int capacity = Capacity(ucb);
  for (int i = 0; i < capacity; ++i) {
    CHAPTERBLOCK* block = AnyBlock(ucb, i);
    if (block == nullptr) break;
    if (i >= used) {
      *block = {};
      continue;
    }
    block->page = static_cast<SHORT>(GetMasterChapterBlock(ucb, i, kChapterKeyPage, file));
    block->breakFlag = static_cast<BYTE>(GetMasterChapterBlock(ucb, i, kChapterKeyKind, file));
    block->tray = static_cast<SHORT>(GetMasterChapterBlock(ucb, i, kChapterKeyTray, file));
    block->mode = static_cast<BYTE>(GetMasterChapterBlock(ucb, i, kChapterKeyPrint, file));
  }
  return used;
}

void SetMasterChapterBlockAll(UCB* ucb, LPCWSTR file) {
  if (ucb == nullptr) return;
  const int capacity = Capacity(ucb);
  for (int i = 0; i < capacity; ++i) {
    const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
    if (block == nullptr) return;
    SetMasterChapterBlock(ucb, i, kChapterKeyPage, block->page, file);
    SetMasterChapterBlock(ucb, i, kChapterKeyKind, block->breakFlag, file);
    SetMasterChapterBlock(ucb, i, kChapterKeyTray, block->tray, file);
    SetMasterChapterBlock(ucb, i, kChapterKeyPrint, block->mode, file);
    if (block->page == 0) {
      SetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, i);
      return;
    }
  }
}

int GetDevChapterData(UCB* ucb) {
  return static_cast<SHORT>(GetDevmodeValueDirectByFuncID(ucb, kFuncChapterNum, nullptr));
}

DWORD ConvertTray2Index(UCB* ucb, LONG_PTR tray) {
  const LONG_PTR name = ConvertDevmodeValueToResID(ucb, GetSFCBbyFuncID(ucb, kFuncChapterTray), tray);
  return GetTrayIDbyStringID(static_cast<WORD>(name));
}

void SetDevChapterData(UCB* ucb) {
  if (ucb == nullptr) return;
  DWORD seen = 0;
  std::size_t found = 0;
  for (int i = 0; found < kChapterUseTraySlots.size(); ++i) {
    const CHAPTERBLOCK* block = GetChapterBlockByIndex(ucb, i);
    if (block == nullptr) break;
    if (block->breakFlag != 0) continue;
    const DWORD bit = DWORD{1} << (ConvertTray2Index(ucb, block->tray) % 32);
    if ((seen & bit) != 0) continue;
    seen |= bit;
    SetDevmodeValueDirectByFuncID(ucb, kChapterUseTraySlots[found++], block->tray);
  }
  SetDevmodeValueDirectByFuncID(ucb, kFuncChapterTrayNum, static_cast<LONG_PTR>(found));
}
