// The check that a sheet hands out only what the printer's validation
// keeps: the DEVMODE validated into a fresh context comes back byte for
// byte, but for the run-time flag bytes every validation sets.
#pragma once

#include <cstddef>
#include <string>

#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_devmode.h"
#include "jobsettings/validate/validate_flags.h"
#include "tests/ui/ui_machine.h"

namespace ui_test {

// The bytes validation changes, as " offset:given->kept" each; empty when
// it keeps the DEVMODE as it stands.
inline std::string ValidationChanges(HANDLE printer, Bytes devmode) {
  FreeStoredUcb(TRUE);
  UCB* ucb = GetUcb(printer, printer, 0, 0x80000000);
  if (ucb == nullptr) return "no context opens on the printer";
  auto* given = reinterpret_cast<DEVMODEW*>(devmode.data());
  std::string changes;
  const DEVMODEW* kept = nullptr;
  if (ValidateDevmode(ucb, given, devmode.size(), kValidateModify) != 1) {
    changes = "validation fails";
  } else if (kept = GetDocumentDevmode(ucb); kept == nullptr) {
    changes = "the context holds no DEVMODE";
  } else if (std::size_t(kept->dmSize) + kept->dmDriverExtra != devmode.size()) {
    changes = "validation makes it " + std::to_string(kept->dmSize + kept->dmDriverExtra) + " bytes";
  }
  Bytes again;
  if (changes.empty()) {
    again.assign(reinterpret_cast<const BYTE*>(kept), reinterpret_cast<const BYTE*>(kept) + devmode.size());
  }
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  if (!changes.empty()) return changes;
  for (int flag = 0; flag < kRunTimeFlagCount; ++flag) {
    SetKDMRunTimeFlagByDM(given, static_cast<KdmRunTimeFlag>(flag), 0);
    SetKDMRunTimeFlagByDM(reinterpret_cast<DEVMODEW*>(again.data()), static_cast<KdmRunTimeFlag>(flag), 0);
  }
  for (std::size_t i = 0; i < devmode.size(); ++i) {
    if (again[i] != devmode[i]) {
      changes += " " + std::to_string(i) + ":" + std::to_string(devmode[i]) + "->" + std::to_string(again[i]);
    }
  }
  return changes;
}

}  // namespace ui_test
