#include "jobsettings/validate/field_judgement.h"

#include "settings/bkpd/description_queries.h"

#include "settings/bkpd/bkpd_access.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr int kAccepted = 1;
constexpr int kNoLabel = 2;
constexpr int kNoGroup = 3;

// Steps shared by both forms: the answers that need no option list. Sets
// *sfcb and *group when the description covers the setting.
int Coverage(WORD funcId, UCB* ucb, SFCB** sfcb, const UiGroup** group) {
  *sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (*sfcb == nullptr || (*sfcb)->groupId == 0) return kNoLabel;
  *group = BKPDGetUiGroupAddrByFuncID(funcId, ucb);
  return *group == nullptr ? kNoGroup : kAccepted;
}

}  // namespace

int DescriptionAcceptsValue(const SFCB* /*sfcb*/, WORD /*funcId*/, LONG_PTR /*value*/,
                            const UiGroup* /*group*/, UCB* /*ucb*/) {
  return kAccepted;
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
