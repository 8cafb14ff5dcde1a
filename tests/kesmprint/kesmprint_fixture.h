// kesmprint's tests' fixture: each test in a fresh folder of its own (the
// current folder while it runs) with a machine in it; kesmprint run in the
// process or as the program, as a user runs it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/kesmprint/kesmprint.h"

namespace kesmprint_test {

namespace fs = std::filesystem;

class KesmPrint : public ::testing::Test {
 public:
  static std::string Text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }

  static std::vector<std::uint8_t> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kesmprint-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    previous_ = fs::current_path();
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  // Runs with the arguments on the machine in the folder; exit code, what
  // went to the output and to the errors.
  struct Result {
    int code = -1;
    std::string out;
    std::string err;
  };
  Result Print(const std::vector<std::string>& arguments) {
    kesmprint::Options options;
    std::string error;
    Result result;
    if (!kesmprint::ParseArguments(arguments, options, error)) {
      result.err = error;
      result.code = 2;
      return result;
    }
    std::ostringstream out, err;
    result.code = kesmprint::Run(options, folder_ / "machine", out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
  }

  // Runs the program with the arguments (each quoted for the shell) on the
  // machine in the folder, with the shell prefix before it (a ulimit, say).
  Result Run(const std::vector<std::string>& arguments, const std::string& prefix = "") {
    std::string command = prefix + " KESM_MACHINE='" + (folder_ / "machine").string() + "' '" KESMPRINT_PROGRAM "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    return System(command);
  }

  // Runs a bash script in the folder as a user types it: $KESMPRINT is the
  // program, the machine is the folder's. A script that exits with 77 could
  // not do what it tests here (the code is then 77).
  Result Shell(const std::string& script) {
    Write(folder_ / "script.sh", script);
    return System("KESM_MACHINE='" + (folder_ / "machine").string() + "' KESMPRINT='" KESMPRINT_PROGRAM "' bash '" +
                  (folder_ / "script.sh").string() + "'");
  }

  // Runs the shell command with its output and errors caught.
  Result System(std::string command) {
    command += " >'" + (folder_ / "out.txt").string() + "' 2>'" + (folder_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    Result result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Text(folder_ / "out.txt");
    result.err = Text(folder_ / "err.txt");
    return result;
  }

  fs::path folder_;
  fs::path previous_;
};

}  // namespace kesmprint_test
