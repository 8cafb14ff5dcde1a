// The settings' changed marks: every write of a setting sets its mark; the
// page refresh reads them and the accepted page clears them.
#include <span>

#include "settings/context/context_block.h"
#include "ui/engine/change_road.h"

namespace {

std::span<SFCB> Records(const UCB* ucb) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr || ucb->pSFL->count <= 0) return {};
  return {ucb->pSFL->pSFCB, static_cast<std::size_t>(ucb->pSFL->count)};
}

}  // namespace

int IsDevmodeChanged(const UCB* ucb) {
  for (const SFCB& record : Records(ucb)) {
    if ((record.flags & kSfcbChangedMask) != 0) return 1;
  }
  return 0;
}

int ResetEntryChanged(UCB* ucb) {
  const std::span<SFCB> records = Records(ucb);
  for (SFCB& record : records) record.flags = static_cast<WORD>(record.flags & ~kSfcbChangedMask);
  return static_cast<int>(records.size());
}
