// The simulated machine of the rendering benchmarks: the sample printer with
// the built rendering library as its driver file. main makes one for the
// run; the benchmarks reach it through Current().
#pragma once

#include <filesystem>

#include "platform/base/machine.h"
#include "platform/base/wintypes.h"

namespace render_bench {

inline constexpr const char16_t* kPrinter = u"Kesm Bench";
inline constexpr const char16_t* kDriverFile = u"kesmgr.dll";

class Machine {
 public:
  Machine();
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  bool ok() const { return printer_ != nullptr; }
  HANDLE printer() const { return printer_; }
  const std::filesystem::path& folder() const { return scoped_.root(); }
  // The machine of the run; null outside it.
  static Machine* Current();

 private:
  plat::ScopedMachine scoped_;
  HANDLE printer_ = nullptr;
};

}  // namespace render_bench
