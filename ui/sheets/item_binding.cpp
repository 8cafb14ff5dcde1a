// The binding of a context's items, done once when its first page or
// dialog starts: every item learns its setting and UI group, and the
// context gets what every page shares (cursors, brushes, chapter blocks,
// the free sizes) and the state the selected preset, watermark and quality
// set stand for. Its last act is the undo point that Cancel returns to.
#include <unordered_map>

#include "features/chapter_blocks.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "settings/tables/keyword_tables.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"
#include "storage/stores/chapter_limits.h"
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/watermark_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/table_correction.h"
#include "ui/resource_dll.h"
#include "ui/sheets/page_internal.h"

namespace {

constexpr WORD kFuncWatermarkOn = 60;   // kdmFuncSelectWaterMark
constexpr WORD kFuncWatermarkKind = 117;
constexpr WORD kFuncWatermarkId = 118;
constexpr WORD kFuncUseUserMacro = 176;
constexpr WORD kFuncUserPrintMacro = 179;
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;
constexpr WORD kFuncUiStart = 826;      // wdmUIStart
// The user print macros number the quality sets from this value.
constexpr LONG_PTR kFirstUserMacro = 32;
constexpr DWORD kPresetTextChars = 1025;
constexpr int kPresetKeyChars = 64;
constexpr int kPresetKeyName = 1;
constexpr int kPresetKeyComment = 2;

// The first start of the dialogs in this context marks it; the mark itself
// is no change of the user's.
void MarkUiStarted(UCB* ucb) {
  SFCB* start = nullptr;
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncUiStart, &start) != 0 || start == nullptr) return;
  SetDevmodeValueDirect(ucb, start, 1);
  start->flags &= static_cast<WORD>(~kSfcbChangedMask);
}

void MakeChapterBlocks(UCB* ucb) {
  if (ucb->pWork->pChapterBlocks != nullptr) return;
  if (MakeChapterBlockArray(ucb)) ReadChapterInfo(ucb);
}

bool IsBound(const TCB* tcb) {
  for (int i = 0; tcb != nullptr && i < tcb->itemCount; ++i) {
    if (tcb->pICB[i].pUiGroup != nullptr) return true;
  }
  return false;
}

// A spin shows the number of its buddy edit, so it answers to the edit's
// UI group.
const UiGroup* GroupOf(UCB* ucb, const TCB& tab, const ICB& icb) {
  if (ucb->pBKPD == nullptr) return nullptr;
  WORD group = icb.groupId;
  if (icb.kind == kCtlSpin && icb.linkId != 0) {
    if (const ICB* buddy = GetICBbyItemID(ucb, &tab, icb.linkId)) group = buddy->groupId;
  }
  return GetUiGroupFromGroupID(ucb, group);
}

// The setting of each UI group, as GetSFCBbyGroupID answers it (the first
// record of the group, else the setting its keyword names), found with one
// pass over the records instead of one per item: a sheet binds thousands of
// items to a few hundred settings.
class SettingsByGroup {
 public:
  explicit SettingsByGroup(UCB* ucb) : ucb_(ucb) {
    const SFL* list = ucb->pSFL;
    if (list == nullptr || list->pSFCB == nullptr) return;
    for (int i = 0; i < list->count; ++i) {
      SFCB& record = list->pSFCB[i];
      if (record.groupId != 0) found_.try_emplace(record.groupId, &record);
    }
  }
  SFCB* operator()(WORD groupId) {
    if (groupId == 0) return nullptr;
    auto it = found_.find(groupId);
    if (it == found_.end()) {
      // No record of its own: the setting its keyword names.
      const GK* keyword = KeywordOf(groupId);
      it = found_.emplace(groupId, keyword != nullptr ? GetSFCBbyFuncID(ucb_, keyword->funcId) : nullptr).first;
    }
    return it->second;
  }

 private:
  // GetGKbyGroupID's answer (the table's first row of the group) by index.
  static const GK* KeywordOf(WORD groupId) {
    // An object, not a block left to the process: the library may be
    // unloaded, and its index goes with it.
    static const std::unordered_map<WORD, const GK*> index = [] {
      std::unordered_map<WORD, const GK*> made;
      for (int i = 0; i < fgGKL.count; ++i) made.try_emplace(fgGKL.pGK[i].groupId, &fgGKL.pGK[i]);
      return made;
    }();
    const auto it = index.find(groupId);
    return it != index.end() ? it->second : nullptr;
  }

  UCB* ucb_;
  std::unordered_map<WORD, SFCB*> found_;
};

void BindItems(UCB* ucb) {
  TL* tabs = ucb->pTL;
  SettingsByGroup settingOf(ucb);
  for (int t = 0; t < tabs->count; ++t) {
    TCB& tab = tabs->pTCB[t];
    for (int i = 0; i < tab.itemCount; ++i) {
      ICB& icb = tab.pICB[i];
      icb.pSFCB = settingOf(icb.groupId);
      icb.pUiGroup = GroupOf(ucb, tab, icb);
      if (icb.kindItemId == 0) icb.kindItemId = icb.itemId;
    }
  }
}

// Cursors of the resource DLL are the module's own and are never
// destroyed; the brushes go with the context (FreeResDll).
void MakeSharedDrawing(UCB* ucb) {
  DIALOGSLOTS& slots = ucb->pWork->dialog;
  HMODULE module = GetResDll(ucb);
  slots.hArrowCursor = LoadCursorW(module, MAKEINTRESOURCEW(kArrowCursorId));
  slots.hHandCursor = LoadCursorW(module, MAKEINTRESOURCEW(kHandCursorId));
  slots.crButtonFace = GetSysColor(COLOR_BTNFACE);
  if (slots.hButtonFaceBrush == nullptr) slots.hButtonFaceBrush = CreateSolidBrush(slots.crButtonFace);
  if (slots.hWhiteBrush == nullptr) slots.hWhiteBrush = CreateSolidBrush(RGB(255, 255, 255));
}

void ReadPresetText(UCB* ucb, int index, int part, WORD funcId) {
  WCHAR key[kPresetKeyChars] = {};
  WCHAR text[kPresetTextChars] = {};
  MakePresetKey(key, index, part);
  KM_UM_GetPrivateProfileString(GetPresetSectionName(ucb), key, u"", text, kPresetTextChars, GetIniFilePath(ucb));
  SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, funcId), text);
}

void RecallSelectedPreset(UCB* ucb) {
  const int index = kesm_page::SelectedPresetIndex(ucb);
  if (index < 0) return;
  ReadPresetText(ucb, index, kPresetKeyName, kFuncPresetName);
  ReadPresetText(ucb, index, kPresetKeyComment, kFuncPresetComment);
}

void RecallWatermark(UCB* ucb) {
  const LONG_PTR id = GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, nullptr);
  const bool on = GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkOn, nullptr) != 0;
  if (!on || id >= ReadWatermarkCount(ucb)) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkOn, 0);
    SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, 0);
    return;
  }
  const LONG_PTR kind = GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, nullptr);
  if (kind < 1 || kind > 3) return;
  ReadWatermarkByID(ucb, static_cast<int>(id));
  SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkId, id);
}

void RecallQualitySet(UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncUseUserMacro, nullptr) != 1) return;
  const LONG_PTR macro = GetDevmodeValueDirectByFuncID(ucb, kFuncUserPrintMacro, nullptr);
  ReadQualityByID(ucb, static_cast<int>(macro - kFirstUserMacro));
}

}  // namespace

void CheckICB(UCB* ucb, TCB* tcb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pTL == nullptr || ucb->pTL->count <= 0) return;
  MarkUiStarted(ucb);
  MakeChapterBlocks(ucb);
  if (IsBound(tcb != nullptr ? tcb : &ucb->pTL->pTCB[0])) return;
  CorrectKpd(ucb);
  BindItems(ucb);
  KesmRequestForUiCore(ucb, 0);
  ReadFreesizeInfoAll(ucb);
  MakeSharedDrawing(ucb);
  RecallSelectedPreset(ucb);
  RecallWatermark(ucb);
  RecallQualitySet(ucb);
  ucb->pWork->fChanged = 0;
  ResetEntryChanged(ucb);
  BackupPrivateDevmode(ucb);
}
