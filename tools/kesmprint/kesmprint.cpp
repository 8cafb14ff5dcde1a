#include "tools/kesmprint/kesmprint.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>

#include "platform/base/control.h"
#include "platform/base/machine.h"
#include "platform/text/codepage.h"
#include "tools/kesmprint/printer_setup.h"
#include "tools/kesmprint/stream_summary.h"
#include "tools/printhost/print_host.h"

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

// One job to print: its document and where its stream goes.
struct Job {
  printhost::Document document;
  fs::path output;
  std::string label;  // the document as the user named it
};

bool LoadJob(const std::string& source, const std::string& output, Job& job, std::string& error) {
  if (source.empty()) {
    job.document = printhost::SampleDocument();
    job.label = "the sample document";
    job.output = output.empty() ? fs::path("sample.kesm") : fs::path(output);
    return true;
  }
  const bool loaded = EndsWith(source, ".png") ? printhost::PngDocument(source, job.document, error)
                                              : printhost::TextDocument(source, job.document, error);
  if (!loaded) return false;
  job.label = source;
  job.output = output.empty() ? fs::path(fs::path(source).stem().string() + ".kesm") : fs::path(output);
  return true;
}

bool WriteOutput(const fs::path& from, const fs::path& to, std::vector<unsigned char>& bytes, std::string& error) {
  // A banded job runs to a hundred megabytes: read in one piece.
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(from, ec);
  std::ifstream in(from, std::ios::binary);
  if (!ec) bytes.resize(static_cast<std::size_t>(size));
  if (ec || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    error = "cannot read the job of the spooler";
    return false;
  }
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = "cannot write " + to.string();
    return false;
  }
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

int Fail(std::ostream& err, const std::string& message) {
  err << "kesmprint: " << message << '\n';
  return 1;
}

}  // namespace

const char* Usage() {
  return "usage: kesmprint [--printer NAME] [--description FILE] [--language CODE] [--glyph-bitmaps]\n"
         "                 [--banding] [-o FILE] [DOCUMENT...]\n"
         "  Prints each document (a text file, or a .png image; without one the built-in\n"
         "  sample document) through the rendering library into a job-stream file: -o FILE,\n"
         "  or the document's name with the extension .kesm in the current folder.\n"
         "  --printer NAME       the printer (default \"Kesm Sample\"); a missing one is installed\n"
         "  --description FILE   the printer's description (default the sample description)\n"
         "  --language CODE      print as a system of the language: the driver's language (a two-letter\n"
         "                       code; \"jp\" offers the printer's own fonts) and the system's code page\n"
         "  --glyph-bitmaps      text in fonts the printer lacks goes as glyph bitmaps (on a model that\n"
         "                       supports them)\n"
         "  --banding            the pages are drawn into bands of a bitmap\n"
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
    error = "unknown language " + options.settings.language;
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

int Run(const Options& options, const fs::path& machine, std::ostream& out, std::ostream& err) {
  using Clock = std::chrono::steady_clock;
  const CodePageOfRun codePage(options.settings.language);
  const bool fresh = !fs::exists(machine);
  if (!plat::SetMachineRoot(machine)) return Fail(err, "cannot use the machine folder " + machine.string());
  if (fresh) out << "set up a simulated machine in " << plat::MachineRoot().string() << '\n';
  std::u16string printer;
  if (!Widen(options.printer.empty() ? kSamplePrinter : options.printer, printer)) {
    return Fail(err, "the printer name is not UTF-8");
  }
  const fs::path description = options.description.empty() ? fs::path(KESMPRINT_SAMPLE_DESCRIPTION)
                                                           : fs::path(options.description);
  std::string note, error;
  if (!EnsurePrinter(printer, description, !options.description.empty(), note, error)) return Fail(err, error);
  if (!note.empty()) out << note << '\n';

  // Every document is read before anything is printed.
  std::vector<Job> jobs;
  const std::vector<std::string> sources = options.documents.empty() ? std::vector<std::string>{""}
                                                                     : options.documents;
  for (const std::string& source : sources) {
    Job job;
    if (!LoadJob(source, options.output, job, error)) return Fail(err, error);
    jobs.push_back(std::move(job));
  }

  printhost::HostOptions host;
  host.driverModule = KESMPRINT_DRIVER;
  host.driverFileName = kDriverFileName;
  host.printerName = printer;
  host.installPrinter = false;
  if (options.settings.Any() &&
      !JobDevmode(printer, printhost::DefaultDevmode(printer), options.settings, host.devmode, error)) {
    return Fail(err, error);
  }
  auto printHost = printhost::PrintHost::Open(host, error);
  if (!printHost) return Fail(err, error);

  for (const Job& job : jobs) {
    const std::size_t pages = job.document.pages.size();
    out << "printing " << job.label << " on " << (options.printer.empty() ? kSamplePrinter : options.printer)
        << '\n';
    const auto start = Clock::now();
    const printhost::PrintResult result = printHost->Print(job.document, [&](std::size_t page) {
      out << "  page " << page << " of " << pages << '\n';
    });
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!result.ok) return Fail(err, "the job of " + job.label + " was aborted: " + result.error);
    std::vector<unsigned char> bytes;
    const bool written = WriteOutput(result.jobFile, job.output, bytes, error);
    // Job files are unique to their job: this one is done with.
    std::error_code ec;
    fs::remove(result.jobFile, ec);
    if (!written) return Fail(err, error);
    const StreamSummary summary = Summarize(bytes);
    if (!summary.error.empty()) return Fail(err, job.output.string() + " is damaged: " + summary.error);
    char line[160];
    std::snprintf(line, sizeof line, "%s: %zu pages, %zu blocks, %zu bytes in %.3f s\n",
                  job.output.string().c_str(), pages, summary.blocks, summary.bytes, seconds);
    out << line;
  }
  return 0;
}

}  // namespace kesmprint
