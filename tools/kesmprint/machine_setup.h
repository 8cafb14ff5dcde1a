// The printer's settings as the driver's own install leaves them: what the
// spooler's calls at an install start (the default DEVMODE asked for the
// first time runs the driver's first install) and what each entry point
// then makes sure of (the user's settings). Without them the sheets can
// save no preset, watermark, set file or user code.
#pragma once

#include <filesystem>
#include <string>

namespace kesmprint {

// Brings an installed printer of the current machine to the state an
// install leaves: a printer the driver's install never ran on (as printers
// installed by earlier versions of these tools) gets it now; the settings
// folder of INI and set files, and on a terminal server the user's own
// copy, are made when missing. What the printer already holds (its
// printer data, the settings INI and set files) is kept. What was done
// goes to note (empty when nothing was). The files of package (a folder;
// none when empty) are the driver's install files (its driver INI, default
// set file and preset templates): before the install they are copied into
// the driver folder, each unless a file of its name is there already.
// False with a message naming what could not be made; the printer is then
// left as far as it got.
bool SetUpAsInstalled(const std::u16string& name, const std::filesystem::path& package, std::string& note,
                      std::string& error);

}  // namespace kesmprint
