#include "jobsettings/validate/description_verdict.h"

#include "jobsettings/validate/priv_validators.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFuncNupPostKind = 91;
constexpr WORD kFuncNupType = 92;
constexpr WORD kFuncSelectNup = 56;
constexpr WORD kFuncColorMatchingMode = 133;
constexpr WORD kFuncColorMatchingText = 798;
constexpr WORD kFuncColorMatchingImage = 800;
constexpr LONG_PTR kFirstProfileEntry = 200;
constexpr LONG_PTR kLastProfileEntry = 215;

// The settings whose value only counts while their switching function is
// on: {setting, switching function}.
struct SwitchedSetting {
  WORD funcId;
  WORD switchId;
};
constexpr SwitchedSetting kSwitched[] = {
    {94, 58},    // kdmDuplexType, kdmFuncSelectDuplex
    {120, 62},   // kdmPunchType, kdmFuncSelectPunch
    {121, 63},   // kdmStapleType, kdmFuncSelectStaple
    {511, 78},   // kdmFoldType, kdmFuncSelectFold
    {522, 516},  // kdmCopyProtectTileMask, kdmCopyProtectFuncSelectMaskPattern
};

PCBKPD Description(const UCB* ucb) { return ucb != nullptr ? ucb->pBKPD : nullptr; }

WORD MaskedType(const UiGroup* group) { return static_cast<WORD>(group->type & ~kUiTypeFlags); }

bool IsPickKind(WORD type) {
  return type == kUiPickOne || type == kUiPickMany || type == kUiPickPage || type == kUiPickSlot;
}

bool HasStringId(const UCB* ucb, const SFCB* record, LONG_PTR value) {
  return record != nullptr && record->valueList != nullptr && CheckDevmodeValueByCDT(ucb, record, value);
}

// The value as the option list keys it: its string id when the setting has
// a value list. False when the list does not hold the value at all.
bool OptionKey(const UCB* ucb, const SFCB* record, LONG_PTR value, LONG_PTR* key) {
  *key = value;
  if (record == nullptr || record->valueList == nullptr) return true;
  *key = ConvertDevmodeValueToResID(ucb, record, value);
  return *key != value || IsDevmodeValueInCDT(ucb, record, value);
}

// Whether the group of a function id stands: present, neither hidden nor
// disabled.
bool GroupIsLive(WORD funcId, UCB* ucb) {
  const UiGroup* g = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  return g != nullptr && BKPDIsHideModeUI(g, 0, ucb) == 0 && BKPDIsDisableModeUI(g, 0, ucb) == 0;
}

LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

// The rules of single settings, for a value its option list holds; -1 when
// the setting has none.
int SettingRule(WORD funcId, LONG_PTR value, UCB* ucb) {
  if (funcId == kFuncNupType) {
    if (GroupIsLive(kFuncSelectNup, ucb) && Stored(ucb, kFuncSelectNup) != 0) {
      LONG kind = 0;
      const int pagesClass = GetNUPPOSTKindFromNUPType(static_cast<LONG>(value), &kind);
      if (pagesClass != 0 && Stored(ucb, kFuncNupPostKind) != pagesClass) {
        SetDevmodeValueDirectByFuncID(ucb, kFuncNupPostKind, pagesClass);
      }
    }
    return kVerdictAccepted;
  }
  for (const SwitchedSetting& s : kSwitched) {
    if (s.funcId != funcId) continue;
    if (!GroupIsLive(s.switchId, ucb)) return kVerdictAccepted;
    return Stored(ucb, s.switchId) != 0 ? kVerdictAccepted : kVerdictRefused;
  }
  return -1;
}

bool IsProfileEntry(WORD funcId, LONG_PTR value) {
  const bool matching = funcId == kFuncColorMatchingMode ||
                        (funcId >= kFuncColorMatchingText && funcId <= kFuncColorMatchingImage);
  return matching && value >= kFirstProfileEntry && value <= kLastProfileEntry;
}

// The verdict; withRules adds the rules of single settings and tells a
// hidden or disabled option apart, as the private walk needs.
int Verdict(const SFCB* record, WORD funcId, LONG_PTR value, UCB* ucb, const UiGroup* group, bool withRules) {
  if (group == nullptr) return HasStringId(ucb, record, value) ? kVerdictAccepted : kVerdictRefused;
  const WORD type = MaskedType(group);
  if (type == kUiBoolean) return IsAvailableValueBoolean(value);
  if (type == kUiNumeric) return IsAvailableValueNumeric(ucb, group, value);
  if (!IsPickKind(type)) return kVerdictAccepted;
  // Entries of the colour-profile list are not options of the group.
  if (withRules && IsProfileEntry(funcId, value)) return kVerdictAccepted;
  LONG_PTR key = 0;
  if (!OptionKey(ucb, record, value, &key)) return kVerdictRefused;
  const UiOption* options = BkpdFirstOption(Description(ucb), group);
  if (options == nullptr) return HasStringId(ucb, record, value) ? kVerdictAccepted : kVerdictRefused;
  if (!IsAvailableValuePickOne(ucb, options, key)) return kVerdictRefused;
  const bool hidden = BKPDIsHideModeUI(group, static_cast<WORD>(key), ucb) != 0;
  if (!withRules) return hidden ? kVerdictRefused : kVerdictAccepted;
  if (const int rule = SettingRule(funcId, value, ucb); rule >= 0) return rule;
  if (hidden) return kVerdictHidden;
  return BKPDIsDisableModeUI(group, static_cast<WORD>(key), ucb) != 0 ? kVerdictDisabled : kVerdictAccepted;
}

}  // namespace

BOOL IsAvailableValuePickOne(const UCB* ucb, const UiOption* options, LONG_PTR key) {
  for (const UiOption* o = options; o != nullptr; o = BkpdNext(Description(ucb), o)) {
    if (o->value == static_cast<WORD>(key)) return TRUE;
  }
  return FALSE;
}

BOOL IsAvailableValueBoolean(LONG_PTR value) { return value == 0 || value == 1 ? TRUE : FALSE; }

BOOL GetNumericRange(const UCB* ucb, const UiGroup* group, LONG* min, LONG* max) {
  const UiNumericValue* n = group != nullptr ? BkpdNumericValue(Description(ucb), group) : nullptr;
  if (n == nullptr) return FALSE;
  // The record holds the digits first, the default second and the range
  // third and fourth, as the dialogs' number items read it: one reading for
  // what a dialog offers and what validation keeps.
  if (min != nullptr) *min = static_cast<LONG>(n->third);
  if (max != nullptr) *max = static_cast<LONG>(n->fourth);
  return TRUE;
}

BOOL IsAvailableValueNumeric(const UCB* ucb, const UiGroup* group, LONG_PTR value) {
  LONG min = 0;
  LONG max = 0;
  return GetNumericRange(ucb, group, &min, &max) && value >= min && value <= max ? TRUE : FALSE;
}

WORD SwitchOfSetting(WORD funcId) {
  for (const SwitchedSetting& s : kSwitched) {
    if (s.funcId == funcId) return s.switchId;
  }
  return 0;
}

BOOL IsSwitchedOff(UCB* ucb, WORD funcId) {
  const WORD switchId = SwitchOfSetting(funcId);
  return switchId != 0 && GroupIsLive(switchId, ucb) && Stored(ucb, switchId) == 0 ? TRUE : FALSE;
}

int BKPDIsValidateDevmodeKESM(const SFCB* record, WORD funcId, LONG_PTR value, UCB* ucb, const UiGroup* group) {
  return Verdict(record, funcId, value, ucb, group, true);
}

int BKPDIsValidateDevmode(const SFCB* record, WORD funcId, LONG_PTR value, UCB* ucb) {
  return Verdict(record, funcId, value, ucb, BKPDGetUiGroupAddrByFuncID(funcId, ucb), false);
}
