// The stand-in job-code library of a test that binds it through the
// driver: installed as TALJC32.DLL in the machine's system folder and held
// loaded by the test, so that its store outlives what the driver binds.
// For the test programs that name the built module (KESM_JOB_CODE_LIBRARY).
#pragma once

#include <gtest/gtest.h>

#include "platform/modules/winmodule.h"
#include "tests/jobcodelib/jobcodelib_state.h"
#include "tests/platform/install_file.h"

namespace jobcodelib {

// The library loaded into *library and its store, emptied (a library
// loaded again may keep the store of an earlier load); null, with a
// failure of the test, when it cannot be loaded.
inline State* LoadStandIn(HMODULE* library) {
  kesm_test::InstallFile(KESM_JOB_CODE_LIBRARY, "Windows/System32/TALJC32.DLL");
  *library = LoadLibraryW(u"C:\\Windows\\System32\\TALJC32.DLL");
  const auto state = *library != nullptr
                         ? reinterpret_cast<State* (*)()>(GetProcAddress(*library, "JobCodeLibState"))
                         : nullptr;
  if (state == nullptr) {
    ADD_FAILURE() << "the stand-in job-code library cannot be loaded";
    return nullptr;
  }
  *state() = State{};
  return state();
}

}  // namespace jobcodelib
