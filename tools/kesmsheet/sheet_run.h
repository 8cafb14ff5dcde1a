// One sheet run by a script of the driver's steps: the boxes shown before
// the sheet answered, a picture of every page, the user's steps, and
// Cancel when they do not end the sheet.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/spooler/printer_interface.h"
#include "platform/window/script_driver.h"
#include "tools/kesmsheet/sheet_script.h"

namespace kesmsheet {

struct SheetPlan {
  std::filesystem::path shots;  // empty: no pictures
  std::vector<Step> steps;
  // Steps of a caller's own, added once the sheet shows, after the
  // pictures and before the user's steps.
  std::function<void(plat::window::Script&, HWND sheet)> walk;
};

struct SheetOutcome {
  LONG answer = 0;   // the host's
  DWORD result = 0;  // the sheet's
  std::vector<std::string> notes;    // what was done, for the user
  std::vector<std::string> failures; // why the run failed
};

// Opens the sheet of the entry point through the property-sheet host with
// the header, and works it as the plan says.
SheetOutcome RunSheet(PFNPROPSHEETUI entry, LPARAM header, const SheetPlan& plan);

}  // namespace kesmsheet
