// printhost: prints a document through a rendering library into a job file.
//   printhost DRIVER.so [--sample | --text FILE | --png FILE] [--out FILE]
//             [--machine FOLDER]
// Without --machine the simulated machine is a temporary folder.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/host/hostinstall.h"
#include "tools/printhost/print_host.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: printhost DRIVER [--sample | --text FILE | --png FILE] [--out FILE] "
               "[--machine FOLDER]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  printhost::HostOptions options;
  options.driverModule = argv[1];
  std::string text, png, out, machine;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (arg == "--sample") continue;
    if ((arg == "--text" && value(text)) || (arg == "--png" && value(png)) ||
        (arg == "--out" && value(out)) || (arg == "--machine" && value(machine))) {
      continue;
    }
    return Usage();
  }
  std::string error;
  printhost::Document document = printhost::SampleDocument();
  if (!text.empty() && !printhost::TextDocument(text, document, error)) {
    std::fprintf(stderr, "printhost: %s\n", error.c_str());
    return 1;
  }
  if (!png.empty() && !printhost::PngDocument(png, document, error)) {
    std::fprintf(stderr, "printhost: %s\n", error.c_str());
    return 1;
  }
  std::unique_ptr<plat::ScopedMachine> temporary;
  if (machine.empty()) {
    temporary = std::make_unique<plat::ScopedMachine>();
  } else if (!plat::SetMachineRoot(machine)) {
    std::fprintf(stderr, "printhost: cannot use the machine folder %s\n", machine.c_str());
    return 1;
  }
  auto host = printhost::PrintHost::Open(options, error);
  if (!host) {
    std::fprintf(stderr, "printhost: %s\n", error.c_str());
    return 1;
  }
  const printhost::PrintResult result = host->Print(document);
  if (!result.ok) {
    std::fprintf(stderr, "printhost: the job was aborted: %s\n", result.error.c_str());
    return 1;
  }
  if (!out.empty()) {
    // A file that was there stays whole until the new one takes its place.
    if (plat::hostfile::InstallCopy(result.jobFile, std::filesystem::absolute(out)) != ERROR_SUCCESS) {
      std::fprintf(stderr, "printhost: cannot write %s\n", out.c_str());
      return 1;
    }
  }
  // A temporary machine goes away on exit: only --out keeps the job then.
  const std::string kept = !out.empty() ? out : machine.empty() ? "" : result.jobFile.string();
  std::printf("job %u printed%s%s\n", static_cast<unsigned>(result.jobId), kept.empty() ? "" : ": ",
              kept.c_str());
  return 0;
}
