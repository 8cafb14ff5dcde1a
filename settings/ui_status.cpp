#include "settings/ui_status.h"

#include "settings/description_queries.h"

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) {
  return BKPDGetUiGroupAddr(groupId, ucb);
}
