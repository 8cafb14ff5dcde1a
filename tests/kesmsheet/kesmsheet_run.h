// kesmsheet run as a user runs it, for the tests of this folder: on a
// machine folder of the test's own, its output and errors read back.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kesmsheet_test {

inline std::string Text(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

// kesmsheet with these arguments on the machine; what it prints is kept in
// the folder.
inline Result RunKesmsheet(const std::filesystem::path& machine, const std::filesystem::path& folder,
                           const std::vector<std::string>& arguments) {
  std::string command = "KESM_MACHINE='" + machine.string() + "' '" KESMSHEET_PROGRAM "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " >'" + (folder / "out.txt").string() + "' 2>'" + (folder / "err.txt").string() + "'";
  const int status = std::system(command.c_str());
  Result result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = Text(folder / "out.txt");
  result.err = Text(folder / "err.txt");
  return result;
}

}  // namespace kesmsheet_test
