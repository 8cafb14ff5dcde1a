#include "jobsettings/validate/private_validation.h"

#include <algorithm>
#include <vector>

#include "features/custom_modules.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/field_judgement.h"
#include "jobsettings/validate/model_corrections.h"
#include "jobsettings/validate/priv_validators.h"
#include "jobsettings/validate/validate_flags.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#if !KESM_KERNEL_MODE
#include "storage/stores/watermark_store.h"
#endif

namespace {

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncMediaType = 54;
constexpr WORD kFuncSelectDuplex = 58;
constexpr WORD kFuncDuplexType = 94;
constexpr WORD kFuncUIStart = 826;
constexpr WORD kFuncCustomOrder = 1133;
constexpr WORD kFuncOther = 10274;
constexpr SHORT kDuplexLongEdge = 2;
constexpr SHORT kDuplexShortEdge = 3;
constexpr SHORT kLandscape = 2;

LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

bool InList(DMSpecialList list, LONG value) { return IsValidDMSpecialValue(list, value) != 0; }

// The duplex type that binds as the public duplex and orientation say: a
// top binding for long-edge duplex in landscape and short-edge duplex in
// portrait, a side binding otherwise. A booklet type of the other binding
// turns into its counterpart; any other type into the plain one.
LONG MatchingDuplexType(LONG type, bool topBound) {
  if (topBound) {
    if (InList(kDuplexTop, type)) return type;
    if (InList(kDuplexBookletCSide, type)) return 17;
    if (InList(kDuplexBookletFSide, type)) return 20;
    return 1;
  }
  if (InList(kDuplexRightLeft, type)) return type;
  if (InList(kDuplexBookletCTop, type)) return 19;
  if (InList(kDuplexBookletFTop, type)) return 22;
  return 3;
}

void DuplexFromPublic(const DEVMODEW& dm, UCB* ucb) {
  if (dm.dmDuplex != kDuplexLongEdge && dm.dmDuplex != kDuplexShortEdge) {
    if (IsKesmCustomOrderFunc(ucb, kFuncCustomOrder) == 0) SetDevmodeValueDirectByFuncID(ucb, kFuncSelectDuplex, 0);
    return;
  }
  const bool landscape = dm.dmOrientation == kLandscape;
  const bool topBound = (dm.dmDuplex == kDuplexLongEdge) == landscape;
  if (Stored(ucb, kFuncSelectDuplex) == 0) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncSelectDuplex, 1);
    SetDevmodeValueDirectByFuncID(ucb, kFuncDuplexType, topBound ? 1 : 3);
    return;
  }
  const auto type = static_cast<LONG>(Stored(ucb, kFuncDuplexType));
  const LONG matching = MatchingDuplexType(type, topBound);
  if (matching != type) SetDevmodeValueDirectByFuncID(ucb, kFuncDuplexType, matching);
}

void RefreshWorkData(UCB* ucb) {
#if !KESM_KERNEL_MODE
  GetWatermarkData(ucb);
#endif
  GetWorkQualityData(ucb);
  KesmCustomFunction(ucb, kCustomQualityChanged, nullptr);
  GetWorkChapterData(ucb);
  KesmCustomBuiltInFunc(ucb, kBuiltInValidatePrivate);
}

// The free size of the DEVMODE's own length and width, when the fields say
// that is how the paper is given.
bool GivenByDimensions(const DEVMODEW& dm, DWORD fields) {
  return (fields & DM_PAPERLENGTH) != 0 && (fields & DM_PAPERWIDTH) != 0 && dm.dmPaperLength > 0 &&
         dm.dmPaperWidth > 0 && (fields & DM_PAPERSIZE) == 0;
}

void SourceArea(DEVMODEW& dm, DWORD fields, UCB* ucb) {
  if (GivenByDimensions(dm, fields)) {
    SetSrcPaperAreaOfFreeSize(&dm, ucb);
  } else if ((fields & DM_PAPERSIZE) != 0) {
    SetSrcPaperArea(dm.dmPaperSize, kFuncPaperSize, ucb, &dm);
  } else if ((fields & DM_ORIENTATION) != 0) {
    if (GivenByDimensions(dm, dm.dmFields)) {
      SetSrcPaperAreaOfFreeSize(&dm, ucb);
    } else if ((dm.dmFields & DM_PAPERSIZE) != 0) {
      SetSrcPaperArea(dm.dmPaperSize, kFuncPaperSize, ucb, &dm);
    }
  }
}

// Answers of the description's verdict in the walk.
constexpr int kVerdictJudged = 1;   // the description judged (and corrected) the value
constexpr int kVerdictNoGroup = 3;  // labelled, but the description has no group for it

bool ChecksADomain(PrivValidator routine) { return routine != ProcSetDefault && routine != ProcSetDefaultkdm; }

bool IsEmptyText(LONG_PTR address) {
  const auto* text = reinterpret_cast<const char*>(address);
  return text == nullptr || text[0] == '\0';
}

}  // namespace

void SetValidatePrivateDM(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  if (current == nullptr || merged == nullptr || ucb == nullptr) return;
  const DWORD fields = current->dmFields & merged->dmFields;
  if ((fields & DM_DUPLEX) != 0) DuplexFromPublic(*current, ucb);
  if ((fields & DM_MEDIATYPE) != 0) SetDevmodeValueDirectByFuncID(ucb, kFuncMediaType, current->dmMediaType & 0xFFFF);
  RefreshWorkData(ucb);
  if (StepsOf(GetValidateFlags(ucb)).resolutionFromPublic) SetSrcAndDstResolutionFromDM(current, ucb);
  SourceArea(*current, fields, ucb);
  SetDstPaperArea(static_cast<SHORT>(Stored(ucb, kFuncOutPaperSize)), kFuncOutPaperSize, ucb, current);
  RefreshEnvironmentFlags(ucb);
  if (IsEmptyText(Stored(ucb, kFuncOther))) SetOtherTableToDevmdodeDependOnMachine(ucb);
  SetDevmodeValueDirectByFuncID(ucb, kFuncUIStart, 0);
  _SetValidatePrivateDM(current, ucb, kPrivCheckMode);
}

void _SetValidatePrivateDM(DEVMODEW* dm, UCB* ucb, int mode) { _SetValidatePrivateDM2(dm, ucb, mode); }

void _SetValidatePrivateDM2(DEVMODEW* /*dm*/, UCB* ucb, int mode) {
  if (ucb == nullptr) return;
  for (const ValidatePrivRow& row : ValidatePrivTable) {
    const auto funcId = static_cast<WORD>(row.funcId);
    SFCB* record = GetSFCBbyFuncID(ucb, funcId);
    const LONG_PTR value = GetDevmodeValueDirect(ucb, record);
    const int verdict = IsValidateEachDMWEXA(funcId, value, ucb);
    if (row.routine == nullptr || verdict == kVerdictJudged) continue;
    // A field the description has no group for keeps its value, but only a
    // value its own validator accepts: a caller's private part, or the
    // zero a missing group leaves, must not carry a value outside the
    // field's domain. The validators that reset a field whatever it holds
    // are for fields without a label only.
    if (verdict == kVerdictNoGroup && !ChecksADomain(row.routine)) continue;
    row.routine(funcId, value, record, row.defaultValue, mode, ucb);
  }
}

// The settings with a UI group are those whose function id some group of
// the description carries: a few dozen of the table's records. They are
// taken from the group list and run in table order (the order of their
// function ids), each with the group its id is looked up by.
void SetValidateExclusive(UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pBKPD == nullptr) return;
  std::vector<WORD> ids;
  for (const UiGroup* g = BkpdFirstGroup(ucb->pBKPD); g != nullptr; g = BkpdNext(ucb->pBKPD, g)) {
    ids.push_back(g->funcId);
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (WORD id : ids) {
    if (GetSFCBbyFuncID(ucb, id) != nullptr) SetValidateExclusiveByFID(ucb, id);
  }
}

void SetValidateExclusiveByFID(UCB* ucb, WORD funcId) {
  const UiGroup* group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  if (group != nullptr) BKPDSetActionUI(group, ucb);
}
