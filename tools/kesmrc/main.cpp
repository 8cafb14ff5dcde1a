// kesmrc: compiles a resource script into the C++ source of a resource table.
//
//   kesmrc SCRIPT OUTPUT.cpp [--depfile FILE] [--symbol NAME]
//
// With --symbol the table is a hidden array of that name instead of the
// exported table of a module: the resources of a built-in system module,
// which is compiled into the platform library rather than loaded.
//
// Errors go to standard error as "SCRIPT:LINE: error: MESSAGE"; the exit
// status is then 1 and no output is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>

#include "tools/kesmrc/output.h"
#include "tools/kesmrc/script.h"

namespace {

struct Arguments {
  std::filesystem::path script;
  std::filesystem::path output;
  std::filesystem::path depfile;
  std::string symbol;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  if (argc < 3 || argc % 2 == 0) return false;
  args.script = argv[1];
  args.output = argv[2];
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--depfile") {
      args.depfile = argv[i + 1];
    } else if (option == "--symbol" && kesmrc::IsIdentifier(argv[i + 1])) {
      args.symbol = argv[i + 1];
    } else {
      return false;
    }
  }
  return true;
}

// Writes through a temporary file and a rename, so that an interrupted run
// leaves no half-written output behind.
bool WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  bool written;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    written = !out.fail();
  }
  std::error_code ec;
  if (written) std::filesystem::rename(temporary, path, ec);
  if (written && !ec) return true;
  std::filesystem::remove(temporary, ec);
  return false;
}

int Fail(const std::string& where, const std::string& message) {
  std::cerr << where << ": error: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::cerr << "usage: kesmrc SCRIPT OUTPUT.cpp [--depfile FILE] [--symbol NAME]\n";
    return 2;
  }
  const std::optional<std::string> text = kesmrc::ReadWholeFile(args.script);
  if (!text) return Fail(args.script.string(), "cannot read the script");

  kesmrc::Script script;
  kesmrc::ScriptError error;
  if (!kesmrc::ParseScript(*text, args.script.parent_path(), script, error)) {
    return Fail(args.script.string() + ":" + std::to_string(error.line), error.message);
  }
  auto table = kesmrc::BuildTable(script);
  if (!table) return Fail(args.script.string(), "resources exceed 4 GB");
  if (!WriteFile(args.output, kesmrc::TableSource(*table, args.script.filename().string(), args.symbol))) {
    return Fail(args.output.string(), "cannot write the output");
  }
  if (!args.depfile.empty() &&
      !WriteFile(args.depfile, kesmrc::DependencyLine(args.output, args.script, script.inputs))) {
    return Fail(args.depfile.string(), "cannot write the dependency file");
  }
  return 0;
}
