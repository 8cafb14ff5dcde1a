// The set-file code reads and writes the section named by the context's
// printer name; callers that need another section put its name in the
// printer name's place for the span of one call. Internal to storage/.
#pragma once

#include <string>

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

class PrinterNameSwap {
 public:
  // Puts name in the place of the printer name (which is fetched first, so
  // that it can be put back). ok() is false, and nothing changed, for a
  // context without a work area, an empty name or one that does not fit.
  PrinterNameSwap(UCB* ucb, LPCWSTR name);
  // Puts the printer name back.
  ~PrinterNameSwap();
  PrinterNameSwap(const PrinterNameSwap&) = delete;
  PrinterNameSwap& operator=(const PrinterNameSwap&) = delete;

  bool ok() const { return field_ != nullptr; }

 private:
  LPWSTR field_ = nullptr;
  std::u16string saved_;
};

}  // namespace storage
#endif
