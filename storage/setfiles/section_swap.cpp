#if !KESM_KERNEL_MODE
#include "storage/setfiles/section_swap.h"

#include <algorithm>

#include "settings/context/context_names.h"
#include "storage/files/text_out.h"

namespace storage {

PrinterNameSwap::PrinterNameSwap(UCB* ucb, LPCWSTR name) {
  const std::u16string_view text = View(name);
  LPWSTR field = GetPrinterName(ucb);
  if (field == nullptr || text.empty() || text.size() >= MAX_PATH) return;
  saved_ = field;
  std::copy(text.begin(), text.end(), field);
  field[text.size()] = 0;
  field_ = field;
}

PrinterNameSwap::~PrinterNameSwap() {
  if (field_ == nullptr) return;
  std::copy(saved_.begin(), saved_.end(), field_);
  field_[saved_.size()] = 0;
}

}  // namespace storage
#endif
