// The layout check: every page of both property sheets of a printer and
// every other dialog of the tab table (modal dialogs, nested sheets, the
// file dialogs with their extensions, the progress window) opened through
// the window system as the sheets fill them, and what a person would see
// wrong in each (layout_findings.h). The configuration library is linked,
// not loaded: the dialogs that no page button opens on every printer are
// opened from the document sheet's first page as the engine opens them.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"
#include "tools/kesmsheet/layout_findings.h"

namespace kesmsheet {

struct LayoutReport {
  std::vector<Finding> findings;
  std::map<WORD, int> inspected;      // tab ids looked at, each with its controls shown
  int controlsShown = 0;              // in the dialogs looked at
  std::vector<std::string> failures;  // what the check could not do
};

// The dialogs whose layout findings fail the check, as the page and
// sub-dialog layouts are cleared; every other dialog's are only counted.
std::span<const WORD> LayoutClearedDialogs();

// Both sheets of the printer, opened with the configuration library's
// entry points on the machine in use; the printer's resource and bitmap
// libraries must be where its contexts look for them. With a shots folder
// each dialog looked at is also written there as ID.png (a page, or a
// nested sheet's page, as the sheet that shows it).
LayoutReport CheckLayout(HANDLE printer, const std::u16string& name, const std::filesystem::path& shots = {});

// Whether a finding fails the check: every finding of the strings, the
// pictures and the sample, and the layout findings of a cleared dialog.
bool FailsCheck(const Finding& finding);

// The counts of each kind per dialog, a line a dialog, then with details
// every finding; the number of findings that fail the check.
std::size_t PrintLayoutReport(const LayoutReport& report, bool details, std::ostream& out);

}  // namespace kesmsheet
