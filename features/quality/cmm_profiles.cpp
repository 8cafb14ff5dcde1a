#include "features/quality/cmm_profiles.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "features/chapter_blocks.h"
#include "features/module_table/module_entries.h"
#include "platform/text/wintext.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "storage/ini/profile.h"

namespace {

constexpr WORD kTabProfileEdit = 4011;
constexpr WORD kTabProfileChoice = 4010;
constexpr WORD kItemCmmName = 2823;
constexpr WORD kItemCmmFile = 2825;
constexpr WORD kItemCmmIndex = 2256;
// The profile path setting, which the file item stands for while no dialog
// has bound it to another.
constexpr WORD kFuncColorProfilePath = 828;

constexpr WCHAR kKeyCount[] = u"CmmCount";
constexpr WCHAR kKeyDefault[] = u"CmmDefault";
constexpr WCHAR kKeyMax[] = u"CmmMax";
constexpr WCHAR kKeyName[] = u"kdmColorMatchingMode";
constexpr WCHAR kKeyPath[] = u"wdmColorProfilePath";
constexpr int kDefaultDefaults = 4;
constexpr int kDefaultMax = 16;

int ReadCount(UCB* ucb, LPCWSTR key, int fallback) {
  return static_cast<int>(KM_UM_GetPrivateProfileInt(GetCmmProfileSectionName(ucb), key, fallback, GetIniFilePath(ucb)));
}

void Widen(const char* from, LPWSTR to, int chars) {
  int i = 0;
  for (; from[i] != 0 && i < chars - 1; ++i) to[i] = static_cast<WCHAR>(static_cast<unsigned char>(from[i]));
  to[i] = 0;
}

ICB* ItemOf(UCB* ucb, WORD tab, WORD item) {
  const TCB* tcb = GetTCBbyTabID(ucb, tab);
  return tcb != nullptr ? GetICBbyItemID(ucb, tcb, item) : nullptr;
}

// Where a profile text goes: the item's setting, or its group's setting.
SFCB* TargetOf(UCB* ucb, WORD item, bool group) {
  const ICB* icb = ItemOf(ucb, kTabProfileEdit, item);
  SFCB* sfcb = nullptr;
  if (icb != nullptr) sfcb = group ? GetSFCBbyGroupID(ucb, icb->groupId) : icb->pSFCB;
  if (sfcb == nullptr && item == kItemCmmFile) sfcb = GetSFCBbyFuncID(ucb, kFuncColorProfilePath);
  return sfcb;
}

// One text of profile index, empty when missing.
void ReadText(UCB* ucb, int index, LPCWSTR key, LPWSTR text) {
  text[0] = 0;
  WCHAR section[kCmmSectionChars];
  MakeCmmProfileKey(ucb, section, index);
  KM_UM_GetPrivateProfileString(section, key, u"", text, kCmmProfileChars, GetIniFilePath(ucb));
  text[kCmmProfileChars - 1] = 0;
}

void Load(UCB* ucb, int index, bool group) {
  if (ucb == nullptr) return;
  WCHAR name[kCmmProfileChars] = {};
  WCHAR path[kCmmProfileChars] = {};
  if (index >= 0) {
    if (index >= ReadCmmProfileCount(ucb)) index = 0;
    ReadText(ucb, index, kKeyName, name);
    ReadText(ucb, index, kKeyPath, path);
  }
  if (SFCB* target = TargetOf(ucb, kItemCmmName, group); target != nullptr) {
    SetDevmodeStringBySFCB(ucb, target, name);
  } else if (LPWSTR kept = GetCmmNameBuffer(ucb)) {
    lstrcpynW(kept, name, kCmmProfileChars);
  }
  if (SFCB* target = TargetOf(ucb, kItemCmmFile, group); target != nullptr) SetDevmodeStringBySFCB(ucb, target, path);
}

// A string setting's text, cut to the profile length.
void TextOf(UCB* ucb, const SFCB* sfcb, LPWSTR text) {
  text[0] = 0;
  if (sfcb == nullptr) return;
  const SIZE_T chars = std::max<SIZE_T>(SettingSizeOf(sfcb->descriptor), kCmmProfileChars) + 1;
  auto* whole = new (std::nothrow) WCHAR[chars]();
  if (whole == nullptr) return;
  GetDevmodeStringBySFCB(ucb, sfcb, whole);
  lstrcpynW(text, whole, kCmmProfileChars);
  delete[] whole;
}

}  // namespace

LPCWSTR GetCmmProfileSectionName(UCB* ucb) { return GetLanguageStrFromKDM(ucb); }

int ReadCmmProfileCount(UCB* ucb) { return ReadCount(ucb, kKeyCount, 0); }
int ReadCmmProfileDefaultCount(UCB* ucb) { return ReadCount(ucb, kKeyDefault, kDefaultDefaults); }
int ReadCmmProfileMaxCount(UCB* ucb) { return ReadCount(ucb, kKeyMax, kDefaultMax); }

void WriteCmmProfileCount(UCB* ucb, int count) {
  WCHAR text[16];
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", count);
  Widen(digits, text, 16);
  KM_UM_WritePrivateProfileString(GetCmmProfileSectionName(ucb), kKeyCount, text, GetIniFilePath(ucb));
}

void MakeCmmProfileKey(UCB* ucb, LPWSTR section, int index) {
  if (section == nullptr) return;
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", index);
  WCHAR number[16];
  Widen(digits, number, 16);
  lstrcpynW(section, u"ColorMatching", kCmmSectionChars);
  const int used = lstrlenW(section);
  lstrcpynW(section + used, number, kCmmSectionChars - used);
  LPCWSTR language = GetCmmProfileSectionName(ucb);
  const int withNumber = lstrlenW(section);
  lstrcpynW(section + withNumber, language != nullptr ? language : u"", kCmmSectionChars - withNumber);
}

void ReadCmmProfileByID(UCB* ucb, int index) { Load(ucb, index, false); }

void ReadCmmProfileName(UCB* ucb, int index, LPWSTR name) {
  if (name == nullptr) return;
  name[0] = 0;
  if (ucb == nullptr || index < 0) return;
  ReadText(ucb, index < ReadCmmProfileCount(ucb) ? index : 0, kKeyName, name);
}

SFCB* GetCmmFileSetting(UCB* ucb) { return TargetOf(ucb, kItemCmmFile, false); }
SFCB* GetCmmNameSetting(UCB* ucb) { return TargetOf(ucb, kItemCmmName, false); }

LPWSTR GetCmmNameBuffer(UCB* ucb) {
  const CUSTOMTABLE* table = ucb != nullptr && ucb->pWork != nullptr ? ucb->pWork->pCustom : nullptr;
  if (table == nullptr) return nullptr;
  for (LONG i = 0; i < table->count; ++i) {
    const CUSTOMROW& row = table->rows[i];
    if (row.builtInFunc == QualityBuiltInFunc && row.work != nullptr) {
      return static_cast<QUALITYWORK*>(row.work)->profileName;
    }
  }
  return nullptr;
}

void ReadCmmProfileByIDForGR(UCB* ucb, int index) { Load(ucb, index, true); }

void WriteCmmProfileByID(UCB* ucb, int index) {
  if (ucb == nullptr || index < 0 || index >= ReadCmmProfileCount(ucb)) return;
  WCHAR name[kCmmProfileChars];
  WCHAR path[kCmmProfileChars];
  if (const SFCB* bound = TargetOf(ucb, kItemCmmName, false); bound != nullptr) {
    TextOf(ucb, bound, name);
  } else {
    LPCWSTR kept = GetCmmNameBuffer(ucb);
    lstrcpynW(name, kept != nullptr ? kept : u"", kCmmProfileChars);
  }
  TextOf(ucb, TargetOf(ucb, kItemCmmFile, false), path);
  WCHAR section[kCmmSectionChars];
  MakeCmmProfileKey(ucb, section, index);
  LPCWSTR ini = GetIniFilePath(ucb);
  KM_UM_WritePrivateProfileString(section, kKeyName, name, ini);
  KM_UM_WritePrivateProfileString(section, kKeyPath, path, ini);
}

void DeleteCmmProfileByID(UCB* ucb, int index) {
  if (ucb == nullptr || index < 0) return;
  const int count = ReadCmmProfileCount(ucb);
  if (index >= count) return;
  for (int i = index; i + 1 < count; ++i) {
    ReadCmmProfileByID(ucb, i + 1);
    WriteCmmProfileByID(ucb, i);
  }
  WriteCmmProfileCount(ucb, count - 1);
}

int ChangeCmmValueToIndex(UCB* ucb, LONG_PTR value) {
  const LONG_PTR index = value - kCmmProfileValueBase;
  return index >= 0 && index < ReadCmmProfileCount(ucb) ? static_cast<int>(index) : -1;
}

int GetCmmIndexByFuncID(UCB* ucb, WORD funcId) {
  return ChangeCmmValueToIndex(ucb, GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

int GetSelectedCmmIndex(UCB* ucb) {
  const ICB* combo = GetIcbForCmmIndex(ucb);
  if (combo == nullptr || combo->pSFCB == nullptr) return -1;
  return ChangeCmmValueToIndex(ucb, GetDevmodeValueDirect(ucb, combo->pSFCB));
}

void SetCmmIndex(UCB* ucb, int index) {
#if !KESM_KERNEL_MODE
  const ICB* combo = GetIcbForCmmIndex(ucb);
  if (combo == nullptr || combo->pSFCB == nullptr) return;
  if (index >= 0 && index < ReadCmmProfileCount(ucb)) {
    SetDevmodeValueDirect(ucb, combo->pSFCB, kCmmProfileValueBase + index);
    return;
  }
  // The combo's first entry; before the combo is shown, the group default
  // stands for it.
  LONG_PTR fallback = BKPDGetGroupDefaultByFuncID(combo->pSFCB->funcId, ucb);
  if (combo->hWnd != nullptr && SendMessageW(combo->hWnd, CB_GETCOUNT, 0, 0) > 0) {
    fallback = SendMessageW(combo->hWnd, CB_GETITEMDATA, 0, 0);
  }
  SetDevmodeValueDirect(ucb, combo->pSFCB, ConvertResIDToDevmodeValue(ucb, combo->pSFCB, fallback));
#else
  (void)ucb;
  (void)index;
#endif
}

ICB* GetIcbForCmmName(UCB* ucb) { return ItemOf(ucb, kTabProfileEdit, kItemCmmName); }
ICB* GetIcbForCmmFile(UCB* ucb) { return ItemOf(ucb, kTabProfileEdit, kItemCmmFile); }
ICB* GetIcbForCmmIndex(UCB* ucb) { return ItemOf(ucb, kTabProfileChoice, kItemCmmIndex); }
