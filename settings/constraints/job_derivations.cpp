#include "settings/constraints/job_derivations.h"

#include "settings/bkpd/description_queries.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"

void DeriveSrcPaperArea(UCB* /*ucb*/, LONG /*paper*/, WORD /*settingId*/, BOOL /*ui*/) {}

void DeriveDstPaperArea(UCB* /*ucb*/, LONG /*paper*/, WORD /*settingId*/, BOOL /*ui*/) {}

void DeriveResolutionsFromDevmode(UCB* /*ucb*/) {}

BOOL IsResolutionAllowed(UCB* /*ucb*/) { return TRUE; }

void ReapplyConstraintActions(UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pBKPD == nullptr) return;
  for (SHORT i = 0; i < ucb->pSFL->count; ++i) {
    if (const UiGroup* group = BKPDGetUiGroupAddrByFuncID(ucb->pSFL->pSFCB[i].funcId, ucb); group != nullptr) {
      BKPDSetActionUI(group, ucb);
    }
  }
}
