#include "jobsettings/validate/field_judgement.h"

#include "jobsettings/validate/description_verdict.h"
#include "jobsettings/validate/validate_flags.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr int kAccepted = 1;
constexpr int kNoLabel = 2;
constexpr int kNoGroup = 3;

constexpr WORD kFuncPresetNo = 37;
constexpr WORD kFuncScaleH = 89;
constexpr WORD kFuncScaleV = 90;

// Steps shared by every form: the answers that need no option list. Sets
// *sfcb and *group when the description covers the setting.
int Coverage(WORD funcId, UCB* ucb, SFCB** sfcb, const UiGroup** group) {
  *sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (*sfcb == nullptr || (*sfcb)->groupId == 0) return kNoLabel;
  *group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  return *group == nullptr ? kNoGroup : kAccepted;
}

// Preset numbers as the description keys them: 119-134 are presets 0-15,
// 118 the "none" entry 255. A number that is neither a preset nor 255 is
// cleared.
void CorrectPresetNo(UCB* ucb, SFCB* record, LONG_PTR value) {
  LONG n = static_cast<BYTE>(value);
  if (n >= 119 && n <= 134) {
    n -= 119;
  } else if (n == 118) {
    n = 255;
  }
  if (n >= 128 && (n & 0xFF) != 255) SetDevmodeValueDirect(ucb, record, 0);
}

}  // namespace

int DescriptionAcceptsValue(const SFCB* sfcb, WORD funcId, LONG_PTR value, const UiGroup* /*group*/,
                            UCB* ucb) {
  return BKPDIsValidateDevmode(sfcb, funcId, value, ucb) == kVerdictAccepted ? 1 : 0;
}

int IsValidateEachDMEx(WORD funcId, LONG_PTR value, UCB* ucb) {
  SFCB* sfcb = nullptr;
  const UiGroup* group = nullptr;
  const int coverage = Coverage(funcId, ucb, &sfcb, &group);
  if (coverage != kAccepted) return coverage;
  return DescriptionAcceptsValue(sfcb, funcId, value, group, ucb);
}

int IsValidateEachDM(WORD funcId, LONG_PTR value, UCB* ucb) {
  SFCB* sfcb = nullptr;
  const UiGroup* group = nullptr;
  const int coverage = Coverage(funcId, ucb, &sfcb, &group);
  if (coverage != kAccepted) return coverage;
  if (sfcb->valueList != nullptr && (group->type & (kUiPickOne | kUiPickMany)) != 0) {
    return CheckDevmodeValueByCDT(ucb, sfcb, value) ? kAccepted : 0;
  }
  return DescriptionAcceptsValue(sfcb, funcId, value, group, ucb);
}

int IsValidateEachDMWEXA(WORD funcId, LONG_PTR value, UCB* ucb) {
  SFCB* sfcb = nullptr;
  const UiGroup* group = nullptr;
  const int coverage = Coverage(funcId, ucb, &sfcb, &group);
  if (coverage != kAccepted) return coverage;
  const int verdict = BKPDIsValidateDevmodeKESM(sfcb, funcId, value, ucb, group);
  if (verdict == kVerdictAccepted || verdict == kVerdictDisabled) return kAccepted;
  if (funcId == kFuncPresetNo) {
    CorrectPresetNo(ucb, sfcb, value);
  } else if ((GetValidateFlags(ucb) & kValidateRequestApplied) != 0) {
    DevCBSetDefaultWEXA(ucb, sfcb, funcId, value);
  } else {
    DevCBSetDefault(ucb, sfcb);
  }
  return kAccepted;
}

void DevCBSetDefault(UCB* ucb, SFCB* record) {
  if (record == nullptr) return;
  SetDevmodeValueByFuncIDFromBKPD(ucb, record->funcId, BKPDGetGroupDefaultByFuncID(record->funcId, ucb));
}

void DevCBSetDefaultWEXA(UCB* ucb, SFCB* record, WORD funcId, LONG_PTR value) {
  if (record == nullptr) return;
  if (funcId == kFuncScaleH || funcId == kFuncScaleV) {
    const UiGroup* group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
    LONG min = 0;
    LONG max = 0;
    if (BKPDGetGroupTypeByFuncID(funcId, ucb) == kUiNumeric && GetNumericRange(ucb, group, &min, &max)) {
      if (value < min) {
        SetDevmodeValueDirect(ucb, record, min);
        return;
      }
      if (value > max) {
        SetDevmodeValueDirect(ucb, record, max);
        return;
      }
    }
  }
  DevCBSetDefault(ucb, record);
}
