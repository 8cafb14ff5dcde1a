// What owner-drawn controls look up by control id: the picture and hint of
// a list entry, and the caption of the button being drawn.
#include "settings/context/context_block.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/painting_tables.h"

namespace {

const RELATEDRESOURCE* RelatedResourceOf(const ICB* icb, WORD optionValue) {
  if (icb == nullptr) return nullptr;
  for (const RELATEDRESOURCE* row = aRelatedResource; row->wOptionValue != 0; ++row) {
    if (row->wControlId == icb->itemId && row->wOptionValue == optionValue) return row;
  }
  return nullptr;
}

WORD CaptionIdOf(WORD controlId) {
  for (const OWNERCTRLSTRING* row = OwnerCtrlStringResource; row->wControlId != 0; ++row) {
    if (row->wControlId == controlId) return row->wCaptionId;
  }
  return 0;
}

}  // namespace

WORD GetBmpFromRRTable(const ICB* icb, WORD optionValue) {
  const RELATEDRESOURCE* row = RelatedResourceOf(icb, optionValue);
  if (row == nullptr) return 0;
  return row->wDisabledBitmapId != 0 && IsItemShownDisabled(icb) ? row->wDisabledBitmapId : row->wBitmapId;
}

WORD GetHintFromRRTable(const ICB* icb, WORD optionValue) {
  const RELATEDRESOURCE* row = RelatedResourceOf(icb, optionValue);
  return row != nullptr ? row->wHintId : 0;
}

void SetOwnerCtrlStringResourceID(UCB* ucb, const ICB* icb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  ucb->pWork->dialog.wOwnerCaptionId = icb != nullptr ? CaptionIdOf(icb->itemId) : 0;
}

void ClearOwnerCtrlStringResourceID(UCB* ucb) {
  if (ucb != nullptr && ucb->pWork != nullptr) ucb->pWork->dialog.wOwnerCaptionId = 0;
}
