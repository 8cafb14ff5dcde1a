// The check that a sheet hands out only what the printer's validation
// keeps: the DEVMODE validated into a fresh context comes back byte for
// byte, but for the run-time flag bytes every validation sets.
#pragma once

#include <string>
#include <utility>

#include "tests/common/sheet_walk.h"
#include "tests/ui/ui_machine.h"

namespace ui_test {

// The bytes validation changes, as " offset:given->kept" each; empty when
// it keeps the DEVMODE as it stands. The sheet monkey checks the same.
inline std::string ValidationChanges(HANDLE printer, Bytes devmode) {
  return kesm_test::ChangesByValidation(printer, std::move(devmode));
}

}  // namespace ui_test
