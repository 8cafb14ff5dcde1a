#include "tools/kesmprint/kesmprint.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <system_error>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/text/codepage.h"
#include "tools/kesmprint/job_output.h"
#include "tools/kesmprint/machine_setup.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/kesmprint/stream_summary.h"
#include "tools/printhost/print_host.h"
#include "tools/printhost/text_pages.h"

namespace kesmprint {
namespace {

namespace fs = std::filesystem;

// UTF-8 to UTF-16; false for text that is not UTF-8.
bool Widen(const std::string& text, std::u16string& out) {
  std::size_t bad = 0;
  out.clear();
  return printhost::DecodeUtf8(text, out, bad);
}

bool EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = text[text.size() - tail.size() + i];
    if ((c >= 'A' && c <= 'Z' ? c + 32 : c) != tail[i]) return false;
  }
  return true;
}

// One document to print: held whole (the sample, a picture) or, for a
// text, paged as it is printed.
struct Job {
  std::optional<printhost::Document> held;
  printhost::TextPages text;
  std::size_t pages = 0;
  std::string label;  // the document as the user named it
};

bool LoadJob(const std::string& source, Job& job, std::string& error) {
  if (source.empty()) {
    job.held = printhost::SampleDocument();
    job.pages = job.held->pages.size();
    job.label = "the sample document";
    return true;
  }
  job.label = source;
  std::error_code ec;
  if (fs::is_directory(source, ec)) {
    error = source + " is a folder, not a document";
    return false;
  }
  if (EndsWith(source, ".png")) {
    job.held.emplace();
    if (!printhost::PngDocument(source, *job.held, error)) return false;
    job.pages = job.held->pages.size();
    return true;
  }
  if (!job.text.Open(source, error)) return false;
  job.pages = job.text.PageCount();
  return true;
}

// The process prints as a system of the job's language: in its code page,
// until the run ends.
class CodePageOfRun {
 public:
  explicit CodePageOfRun(const std::string& language) : previous_(GetACP()) {
    if (!language.empty()) plat::SetAnsiCodePage(LanguageCodePage(language));
  }
  ~CodePageOfRun() { plat::SetAnsiCodePage(previous_); }
  CodePageOfRun(const CodePageOfRun&) = delete;
  CodePageOfRun& operator=(const CodePageOfRun&) = delete;

 private:
  UINT previous_;
};

// An error is one line: control characters a file name may hold (a
// newline, say) show as '?'.
int Fail(std::ostream& err, std::string message) {
  for (char& c : message) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  err << "kesmprint: " << message << '\n';
  return 1;
}

}  // namespace

std::string Usage() {
  return "usage: kesmprint [--printer NAME] [--description FILE] [--language CODE] [--glyph-bitmaps]\n"
         "                 [--banding] [-o FILE] [DOCUMENT...]\n"
         "  Prints each document (a text file, or a .png image of up to 65535 pixels a side and\n"
         "  40 million pixels; without one the built-in sample document) as a job of its own\n"
         "  through the rendering library into a job-stream file: -o FILE, or the document's\n"
         "  name with the extension .kesm in the current folder (the whole name with .kesm\n"
         "  added when two documents share a stem). A stream replaces its file only once it is\n"
         "  whole; a device or a pipe is written in place; an output that is a document or the\n"
         "  description is refused. A document may be a pipe (\"kesmprint <(command)\").\n"
         "  --printer NAME       the printer (default \"Kesm Sample\"); a missing one is installed\n"
         "  --description FILE   the printer's description (default the sample description); it\n"
         "                       replaces an installed printer's own only when it compiles and a\n"
         "                       page can be set up on it\n"
         "  --language CODE      print as a system of the language: the driver's language and the\n"
         "                       system's code page (\"jp\" offers the printer's own fonts); one of\n"
         "                       " +
         LanguageCodes() +
         "\n"
         "  --glyph-bitmaps      text in fonts the printer lacks goes as glyph bitmaps (on a model that\n"
         "                       supports them)\n"
         "  --banding            the pages are drawn into bands of a bitmap\n"
         "  -o FILE              the stream's file (one document only)\n"
         "  Exit code: 0 when every document printed, 1 when one did not, 2 for a bad command line.\n"
         "  The simulated machine is kept in $KESM_MACHINE, else ~/.kesm/machine.\n";
}

bool ParseArguments(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    std::string* value = arg == "--printer" ? &options.printer
                         : arg == "--description" ? &options.description
                         : arg == "--language" ? &options.settings.language
                         : arg == "-o" ? &options.output
                                       : nullptr;
    if (value != nullptr) {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        error = arg + " needs a value";
        return false;
      }
      *value = arguments[++i];
    } else if (arg == "--glyph-bitmaps") {
      options.settings.glyphBitmaps = true;
    } else if (arg == "--banding") {
      options.settings.banding = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else {
      options.documents.push_back(arg);
    }
  }
  if (!options.settings.language.empty() && !KnownLanguage(options.settings.language)) {
    error = "unknown language " + options.settings.language + " (the languages are " + LanguageCodes() + ")";
    return false;
  }
  if (!options.output.empty() && options.documents.size() > 1) {
    error = "-o names one file: give one document with it";
    return false;
  }
  return true;
}

fs::path DefaultMachineFolder() {
  if (const char* folder = std::getenv("KESM_MACHINE"); folder != nullptr && *folder != 0) return folder;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) return fs::path(home) / ".kesm" / "machine";
  return ".kesm-machine";
}

namespace {

// Prints one job and delivers its stream to the output: the summary line
// to out, or the one line of what failed to err. True when it succeeded.
bool PrintOne(printhost::PrintHost& host, Job& job, const fs::path& output, const std::string& printerLabel,
              const PrinterState& printer, std::ostream& out, std::ostream& err) {
  using Clock = std::chrono::steady_clock;
  if (!printer.cannotPrint.empty()) {
    Fail(err, "the job of " + job.label + " was not printed: " +
                  CannotPrint(printerLabel, printer, printer.cannotPrint) + "; " + OutputUntouched(output));
    return false;
  }
  out << "printing " << job.label << " on " << printerLabel << '\n';
  const auto start = Clock::now();
  const auto pageDone = [&](std::size_t page) { out << "  page " << page << " of " << job.pages << '\n'; };
  const printhost::PrintResult result = job.held ? host.Print(*job.held, pageDone) : host.Print(job.text, pageDone);
  if (!result.ok) {
    // A page that cannot be set up is the printer's description's fault.
    const std::string setUp = PageSetUpFault(result.error);
    const std::string why = setUp.empty() ? result.error : CannotPrint(printerLabel, printer, setUp);
    Fail(err, "the job of " + job.label + " was aborted: " + why + "; " + OutputUntouched(output));
    return false;
  }
  StreamSummary summary;
  std::string error;
  const bool delivered = DeliverJob(result.jobFile, output, summary, error);
  // The spooler keeps no copy of a job that was delivered (or could not be).
  std::error_code ignored;
  fs::remove(result.jobFile, ignored);
  if (!delivered) {
    Fail(err, error);
    return false;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  char line[64];
  std::snprintf(line, sizeof line, " bytes in %.3f s\n", seconds);
  out << output.string() << ": " << job.pages << (job.pages == 1 ? " page, " : " pages, ") << summary.blocks << " blocks, " << summary.bytes << line;
  return true;
}

}  // namespace

int Run(const Options& options, const fs::path& machine, std::ostream& out, std::ostream& err) {
  const fs::path description = options.description.empty() ? fs::path(KESMPRINT_SAMPLE_DESCRIPTION)
                                                           : fs::path(options.description);
  // What each document can print into is settled before anything on the
  // machine changes: a run that can print nothing changes nothing.
  std::vector<OutputPlan> plans = PlanOutputs(options.documents, options.output, description);
  bool all = true;
  bool any = false;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    std::error_code ec;
    if (plans[i].refusal.empty() && i < options.documents.size() && !fs::exists(options.documents[i], ec)) {
      plans[i].refusal = "cannot open " + options.documents[i];
    }
    any = any || plans[i].refusal.empty();
  }
  if (!any) {
    for (const OutputPlan& plan : plans) Fail(err, plan.refusal);
    return 1;
  }

  const CodePageOfRun codePage(options.settings.language);
  const bool fresh = !fs::exists(machine);
  if (!plat::SetMachineRoot(machine)) return Fail(err, "cannot use the machine folder " + machine.string());
  if (fresh) out << "set up a simulated machine in " << plat::MachineRoot().string() << '\n';
  printhost::RemoveEndedJobs();
  const std::string printerLabel = options.printer.empty() ? kSamplePrinter : options.printer;
  std::u16string printer;
  if (!Widen(printerLabel, printer)) return Fail(err, "the printer name is not UTF-8");
  std::string note, error;
  PrinterState state;
  if (!EnsurePrinter(printer, description, !options.description.empty(), note, state, error)) {
    return Fail(err, error);
  }
  if (!note.empty()) out << note << '\n';
  if (!SetUpAsInstalled(printer, description == KESMPRINT_SAMPLE_DESCRIPTION ? KESMPRINT_SAMPLE_INSTALL : "", note,
                        error)) {
    return Fail(err, error);
  }
  if (!note.empty()) out << note << '\n';

  printhost::HostOptions host = HostFor(printer);
  if (options.settings.Any() &&
      !JobDevmode(printer, printhost::DefaultDevmode(printer), options.settings, host.devmode, error)) {
    return Fail(err, error);
  }
  auto printHost = printhost::PrintHost::Open(host, error);
  if (!printHost) return Fail(err, error);

  // Each document is printed, or its fault reported, on its own.
  for (std::size_t i = 0; i < plans.size(); ++i) {
    const std::string source = options.documents.empty() ? std::string() : options.documents[i];
    if (!plans[i].refusal.empty()) {
      Fail(err, plans[i].refusal);
      all = false;
      continue;
    }
    Job job;
    if (!LoadJob(source, job, error)) {
      Fail(err, error);
      all = false;
      continue;
    }
    all = PrintOne(*printHost, job, plans[i].output, printerLabel, state, out, err) && all;
  }
  return all ? 0 : 1;
}

}  // namespace kesmprint
