#include "settings/constraints/ui_status.h"

#include "settings/bkpd/description_queries.h"

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) {
  return BKPDGetUiGroupAddr(groupId, ucb);
}
