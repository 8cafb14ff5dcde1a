#include "ui/engine/table_correction.h"

#include <array>
#include <cstring>
#include <mutex>

#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/correction_tables.h"
#include "ui/engine/item_dispatch.h"

namespace {

constexpr DWORD kRequestReinit = 0x00010000 | 0x00020000 | 0x01000000;
constexpr DWORD kRequestRemote = 0x00100000;
constexpr WORD kRemoteOutput = 10062;
constexpr WORD kHddOutput = 10070;
constexpr IdRange kLengthSettings = {96, 99};  // shift and binding margins
constexpr WORD kPresetNo = 37;
constexpr WORD kRuntimeFlagHiddenFunctions = 619;
constexpr DWORD kKindBits = 0x000C;
constexpr WORD kKindText = 0x0004;  // kind 1: the preset name and comment
constexpr WORD kReturnedSetting = 946;

constexpr ControlRef kPresetList{1007, 2139};
constexpr ControlRef kPresetName{1007, 2145};
constexpr ControlRef kPresetComment{1007, 2146};
constexpr ControlRef kHiddenFunctions{1025, 2361};
constexpr ControlRef kColourBalance{1038, 2249};
constexpr ControlRef kWatermarkPreview{1002, 2039};
constexpr ControlRef kPresetListOfPage{1001, 2001};
constexpr WORD kPreviewItem = 2039;

constexpr WORD kColourBalanceType = 1;
constexpr std::size_t kColourBalanceWords = 9;  // 18 bytes; words 4-9 name the six settings
constexpr std::size_t kColourBalanceFirst = 3;
constexpr WORD kColourBalanceDefault = 138;     // kdmBrightness, then 139-143
constexpr WORD kWatermarkType = 8;
constexpr std::size_t kWatermarkWords = 15;     // 30 bytes; words 2-15 name settings
constexpr std::size_t kWatermarkFontWord = 2;
constexpr WORD kWatermarkFontName = 782;        // wdmWmFontName

// The two class-data records every context's items share, and the lock of
// their rewrite.
std::array<WORD, kColourBalanceWords> g_colourBalance{};
std::array<WORD, kWatermarkWords> g_watermarkPreview{};
std::mutex g_classDataLock;

ICB* Control(UCB* ucb, ControlRef ref) {
  TCB* tab = GetTCBbyTabID(ucb, ref.tabId);
  return tab != nullptr ? GetICBbyItemID(ucb, tab, ref.itemId) : nullptr;
}

// The context's record of the setting an item edits; null for an item of
// no setting (some text items are bound to none).
SFCB* SettingOf(UCB* ucb, const ICB* icb) {
  return icb != nullptr && icb->pSFCB != nullptr ? GetSFCBbyFuncID(ucb, icb->pSFCB->funcId) : nullptr;
}

bool InRange(WORD id, IdRange range) { return id >= range.first && id <= range.last; }

void CorrectRequestBits(UCB* ucb) {
  for (int i = 0; i < ucb->pSFL->count; ++i) {
    SFCB& record = ucb->pSFL->pSFCB[i];
    record.uiRequest = 0;
    for (const IdRange& range : kReinitSettings) {
      if (InRange(record.funcId, range)) record.uiRequest |= kRequestReinit;
    }
    if (InRange(record.funcId, kLengthSettings)) record.uiRequest |= kSfcbLengthInDots;
    if (record.funcId == kRemoteOutput || record.funcId == kHddOutput) record.uiRequest |= kRequestRemote;
  }
}

bool RuleApplies(const ItemFlagRule& rule, const TCB& tab, const ICB& icb) {
  if (rule.itemId != icb.itemId || (rule.tabId != 0 && rule.tabId != tab.tabId)) return false;
  if (rule.kinds == kListOwner) return icb.kind == kListOwner;
  if (rule.kinds == kListAny) return icb.kind >= 42 && icb.kind <= 49;
  return true;
}

void CorrectItemFlags(UCB* ucb) {
  const bool hiddenFunctions = GetDevmodeValueDirectByFuncID(ucb, kRuntimeFlagHiddenFunctions, nullptr) == 0;
  for (int t = 0; t < ucb->pTL->count; ++t) {
    TCB& tab = ucb->pTL->pTCB[t];
    for (int i = 0; i < tab.itemCount && tab.pICB != nullptr; ++i) {
      ICB& icb = tab.pICB[i];
      for (const ItemFlagRule& rule : kItemFlagRules) {
        if (!RuleApplies(rule, tab, icb)) continue;
        icb.flags = rule.replace ? rule.bits : icb.flags | rule.bits;
      }
      if (hiddenFunctions && tab.tabId == kHiddenFunctions.tabId && icb.itemId == kHiddenFunctions.itemId) {
        icb.flags |= kIcbHiddenFunction;
      }
    }
  }
}

void CorrectPresetNumber(UCB* ucb) {
  for (SFCB* record : {GetSFCBbyFuncID(ucb, kPresetNo), SettingOf(ucb, Control(ucb, kPresetList))}) {
    if (record != nullptr) record->valueList = workCDT;
  }
}

void ShareItems(UCB* ucb) {
  for (const ControlPair& pair : kSharedItems) {
    const ICB* source = Control(ucb, pair.source);
    ICB* target = Control(ucb, pair.target);
    if (source == nullptr || target == nullptr) continue;
    // The item number binds the item to its setting and UI group; the
    // setting the tables name goes with it.
    target->groupId = source->groupId;
    target->pSFCB = source->pSFCB;
  }
}

void MarkPresetTexts(UCB* ucb) {
  for (ControlRef ref : {kPresetName, kPresetComment}) {
    if (SFCB* record = SettingOf(ucb, Control(ucb, ref)); record != nullptr) {
      record->flags = static_cast<WORD>((record->flags & ~kKindBits) | kKindText);
    }
  }
}

void ShareStorage(SFCB* source, SFCB* target, bool descriptorToo) {
  if (source == nullptr || target == nullptr) return;
  if (descriptorToo) target->descriptor = source->descriptor;
  target->offset = source->offset;
}

void SharePresetNameStorage(UCB* ucb) {
  SFCB* name = SettingOf(ucb, Control(ucb, kPresetName));
  for (const ControlRef shower : kPresetNameShowers) {
    // A text item the tables bind to no setting is passed over.
    ShareStorage(name, SettingOf(ucb, Control(ucb, shower)), false);
  }
}

void ShareSettingStorage(UCB* ucb) {
  for (const ControlPair& pair : kSharedFreeSizeStorage) {
    ShareStorage(SettingOf(ucb, Control(ucb, pair.source)), SettingOf(ucb, Control(ucb, pair.target)), true);
  }
  for (const SettingPair& pair : kSharedSettingStorage) {
    ShareStorage(GetSFCBbyFuncID(ucb, pair.source), GetSFCBbyFuncID(ucb, pair.target), true);
  }
}

template <std::size_t N>
bool ReadClassData(const ICB* icb, WORD type, std::array<WORD, N>* words) {
  const void* data = icb != nullptr ? KesmGetClassData(icb, type) : nullptr;
  if (data == nullptr) return false;
  std::memcpy(words->data(), data, sizeof(WORD) * N);
  return true;
}

// Every context computes the same records; the shared buffer is written
// only when it differs, so items that already read it never see a write.
template <std::size_t N>
const void* Publish(std::array<WORD, N>* shared, const std::array<WORD, N>& computed) {
  const std::lock_guard<std::mutex> lock(g_classDataLock);
  if (*shared != computed) *shared = computed;
  return shared->data();
}

void CorrectColourBalance(UCB* ucb) {
  ICB* item = Control(ucb, kColourBalance);
  std::array<WORD, kColourBalanceWords> words{};
  if (!ReadClassData(item, kColourBalanceType, &words)) return;
  TCB* tab = GetTCBbyTabID(ucb, kColourBalance.tabId);
  for (std::size_t i = 0; i < 6; ++i) {
    WORD& word = words[kColourBalanceFirst + i];
    if (word == 0) {
      word = static_cast<WORD>(kColourBalanceDefault + i);
    } else if (const SFCB* bound = SettingOf(ucb, GetICBbyItemID(ucb, tab, word)); bound != nullptr) {
      word = bound->funcId;
    }
  }
  item->pClassData = Publish(&g_colourBalance, words);
}

// The setting of the first control with that id on any tab or dialog (the
// watermark record names the controls of the watermark dialogs).
const SFCB* SettingOfControl(UCB* ucb, WORD controlId) {
  for (int t = 0; t < ucb->pTL->count; ++t) {
    if (const SFCB* setting = SettingOf(ucb, GetICBbyItemID(ucb, &ucb->pTL->pTCB[t], controlId)); setting != nullptr) {
      return setting;
    }
  }
  return nullptr;
}

void CorrectWatermarkPreview(UCB* ucb) {
  std::array<WORD, kWatermarkWords> words{};
  if (!ReadClassData(Control(ucb, kWatermarkPreview), kWatermarkType, &words)) return;
  for (std::size_t i = 1; i < kWatermarkWords; ++i) {
    if (words[i] == 0) continue;
    const SFCB* setting = SettingOfControl(ucb, words[i]);
    if (setting == nullptr) setting = GetSFCBbyGroupID(ucb, words[i]);
    words[i] = setting != nullptr ? setting->funcId : 0;
  }
  words[kWatermarkFontWord] = kWatermarkFontName;
  const void* shared = Publish(&g_watermarkPreview, words);
  for (ControlRef ref : {kPresetListOfPage, kPresetList}) {
    if (ICB* icb = Control(ucb, ref); icb != nullptr) icb->pClassData = shared;
  }
  for (int t = 0; t < ucb->pTL->count; ++t) {
    TCB& tab = ucb->pTL->pTCB[t];
    if (ICB* icb = GetICBbyItemID(ucb, &tab, kPreviewItem); icb != nullptr) icb->pClassData = shared;
  }
}

}  // namespace

SFCB* CorrectKpd(UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pTL == nullptr) return nullptr;
  CorrectRequestBits(ucb);
  CorrectItemFlags(ucb);
  CorrectPresetNumber(ucb);
  ShareItems(ucb);
  MarkPresetTexts(ucb);
  SharePresetNameStorage(ucb);
  CorrectColourBalance(ucb);
  CorrectWatermarkPreview(ucb);
  ShareSettingStorage(ucb);
  return GetSFCBbyFuncID(ucb, kReturnedSetting);
}
