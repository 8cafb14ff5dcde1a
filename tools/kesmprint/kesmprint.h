// kesmprint: prints documents through the rendering library in the print
// host, on a printer of a simulated machine, into job-stream files.
//   kesmprint [--printer NAME] [--description FILE] [--language CODE]
//             [--glyph-bitmaps] [--banding] [-o FILE] [DOCUMENT...]
// Without a printer the sample printer is used; a printer the machine lacks
// is installed first (from the description given, else the sample
// description), and a description given for an installed printer replaces
// its own once it compiles and a page can be set up on it. Without a
// document the built-in sample document is printed. Each document is one job, printed or refused on its
// own, written to -o FILE (one document only) or to its name with the
// extension .kesm in the current folder (sample.kesm for the sample; the
// whole name with .kesm added for documents that share a stem). A stream
// goes to a temporary file beside its output and replaces it only once
// whole; an output that is one of the documents or the description is
// refused, and nothing on the machine changes when no document can print.
// An output that is not a regular file (a device, a pipe) is written in
// place; -o onto a symbolic link writes the file it leads to. A text is
// paged as it is printed; one that can be read only once (a pipe) is kept
// in a temporary file first. The language and mode options set the job's
// DEVMODE: the driver's language (one of the driver's two-letter codes;
// "jp" is the one whose printers offer their own fonts, and the run takes
// that language's code page), text in other fonts as glyph bitmaps,
// banding.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/kesmprint/job_devmode.h"

namespace kesmprint {

inline constexpr const char* kSamplePrinter = "Kesm Sample";

struct Options {
  std::string printer;
  std::string description;
  std::string output;
  std::vector<std::string> documents;
  JobSettings settings;
  bool help = false;
};

// False with a message for a command line that cannot be taken.
bool ParseArguments(const std::vector<std::string>& arguments, Options& options, std::string& error);
std::string Usage();

// The machine's folder: $KESM_MACHINE, else .kesm/machine in the home
// folder, else .kesm-machine in the current folder.
std::filesystem::path DefaultMachineFolder();

// Prints as the options say on the machine in the folder (made when
// missing): progress and a summary per document to out, each error as one
// line to err. Returns the exit code: 0 when every document printed, else 1.
int Run(const Options& options, const std::filesystem::path& machine, std::ostream& out, std::ostream& err);

}  // namespace kesmprint
