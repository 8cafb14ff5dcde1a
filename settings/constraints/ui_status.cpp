#include "settings/constraints/ui_status.h"

#include "settings/bkpd/description_queries.h"
#include "settings/values/setting_value.h"

namespace {

constexpr WORD kFirstCustomFunc = 1133;
constexpr WORD kLastCustomFunc = 1164;

}  // namespace

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) {
  return BKPDGetUiGroupAddr(groupId, ucb);
}

// Neutral until the constraint interface lists selectable values.
BOOL IsValidateCollateEx(UCB* /*ucb*/) { return FALSE; }

LONG_PTR IsKesmCustomOrderFunc(const UCB* ucb, WORD funcId) {
  if (funcId < kFirstCustomFunc || funcId > kLastCustomFunc) return 0;
  return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
}
