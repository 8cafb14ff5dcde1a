// The printers kesmprint prints on: each installed with a driver of its own
// whose driver file is the rendering library and whose data file is the
// printer's description.
#pragma once

#include <filesystem>
#include <string>

#include "tools/printhost/print_host.h"

namespace kesmprint {

// The name of the rendering library in the machine's driver folder.
inline constexpr const char16_t* kDriverFileName = u"kesmgr.dll";

// What a run knows of its printer once it is set up.
struct PrinterState {
  std::filesystem::path dataFile;  // the host path of its description file (empty when it cannot be had)
  std::string description;         // the description it was installed from, as the user named it (may be empty)
  std::string cannotPrint;         // why no page can be set up on it, when that was found now
};

// Makes sure the current machine has the printer: a missing one is
// installed with the description; for an installed one a description given
// (replace) takes the place of its own, once it compiles and a page can be
// set up on it. What was done goes to note (empty when nothing was). A new
// printer on whose description no page can be set up stays installed, and
// the note says so. False with a message naming the file or folder at
// fault when it cannot be done; the printer is then as it was.
bool EnsurePrinter(const std::u16string& name, const std::filesystem::path& description, bool replace,
                   std::string& note, PrinterState& state, std::string& error);

// The same, for a caller that needs only the printer's description file.
bool EnsurePrinter(const std::u16string& name, const std::filesystem::path& description, bool replace,
                   std::string& note, std::filesystem::path& dataFile, std::string& error);

// The print host's options for printing on the printer as installed.
printhost::HostOptions HostFor(const std::u16string& printer);

// Why no page can be set up on the printer, in a person's words, from what
// the print host said failed; empty when the failure is not of that kind.
std::string PageSetUpFault(const std::string& hostError);

// The message of a printer on which no page can be set up: it names the
// description it was installed from (else its description file).
std::string CannotPrint(const std::string& printer, const PrinterState& state, const std::string& why);

}  // namespace kesmprint
