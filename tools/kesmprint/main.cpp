// kesmprint: the command line (see kesmprint.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/kesmprint/kesmprint.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  kesmprint::Options options;
  std::string error;
  if (!kesmprint::ParseArguments(arguments, options, error)) {
    std::cerr << "kesmprint: " << error << " (kesmprint --help shows the usage)\n";
    return 2;
  }
  if (options.help) {
    std::cout << kesmprint::Usage();
    return 0;
  }
  return kesmprint::Run(options, kesmprint::DefaultMachineFolder(), std::cout, std::cerr);
}
