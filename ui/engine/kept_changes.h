// What the settings' changed marks and the page's changed flag say until
// the next refresh, kept over a stretch that recalls a preset for a moment
// and puts the settings back (a cell drawn, a preset's pop-up): putting
// the settings back clears every mark, and the refresh must not forget
// what changed. Internal to ui/engine/.
#pragma once

#include <vector>

#include "settings/context/context_block.h"

class KeptChanges {
 public:
  explicit KeptChanges(UCB* ucb) : ucb_(ucb), changedPage_(ucb->pWork->fChanged) {
    if (ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr) return;
    for (int i = 0; i < ucb->pSFL->count; ++i) marks_.push_back(ucb->pSFL->pSFCB[i].flags & kSfcbChangedMask);
  }
  KeptChanges(const KeptChanges&) = delete;
  KeptChanges& operator=(const KeptChanges&) = delete;
  ~KeptChanges() {
    for (std::size_t i = 0; i < marks_.size(); ++i) {
      WORD& flags = ucb_->pSFL->pSFCB[i].flags;
      flags = static_cast<WORD>((flags & ~kSfcbChangedMask) | marks_[i]);
    }
    ucb_->pWork->fChanged = changedPage_;
  }

 private:
  UCB* ucb_;
  INT changedPage_;
  std::vector<WORD> marks_;
};
