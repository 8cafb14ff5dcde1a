// kesmsheet: the command line (see kesmsheet.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/kesmprint/kesmprint.h"
#include "tools/kesmsheet/kesmsheet.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  kesmsheet::Options options;
  std::string error;
  if (!kesmsheet::ParseArguments(arguments, options, error)) {
    std::cerr << "kesmsheet: " << error << " (kesmsheet --help shows the usage)\n";
    return 2;
  }
  if (options.help) {
    std::cout << kesmsheet::Usage();
    return 0;
  }
  return kesmsheet::Run(options, kesmprint::DefaultMachineFolder(), std::cout, std::cerr);
}
