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

// The constraint programming interface that lists the selectable values of
// setting 119 is not built yet. Its value list offers collation in every
// ordinary configuration (sorting values beside 0), so until it exists
// collation counts as offered: no constraint can withdraw it yet.
BOOL IsValidateCollateEx(UCB* /*ucb*/) { return TRUE; }

LONG_PTR IsKesmCustomOrderFunc(const UCB* ucb, WORD funcId) {
  if (funcId < kFirstCustomFunc || funcId > kLastCustomFunc) return 0;
  return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
}
