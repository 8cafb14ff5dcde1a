// The printers kesmprint prints on: each installed with a driver of its own
// whose driver file is the rendering library and whose data file is the
// printer's description.
#pragma once

#include <filesystem>
#include <string>

namespace kesmprint {

// The name of the rendering library in the machine's driver folder.
inline constexpr const char16_t* kDriverFileName = u"kesmgr.dll";

// Makes sure the current machine has the printer: a missing one is
// installed with the description; for an installed one a description given
// (replace) takes the place of its own, once it compiles. What was done
// goes to note (empty when nothing was), the host path of the printer's
// description file to dataFile (empty when it cannot be had). False with a
// message when it cannot be done; the printer is then as it was.
bool EnsurePrinter(const std::u16string& name, const std::filesystem::path& description, bool replace,
                   std::string& note, std::filesystem::path& dataFile, std::string& error);

}  // namespace kesmprint
