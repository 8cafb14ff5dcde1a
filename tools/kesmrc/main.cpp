// kesmrc: compiles resource scripts into the C++ source of one resource
// table.
//
//   kesmrc SCRIPT... OUTPUT.cpp [--over SCRIPT]... [--depfile FILE] [--symbol NAME]
//
// The scripts' resources go into one table; an id that two scripts define is
// an error. A script given with --over is read last and its strings and
// resources take the place of those of the same id: a test library is the
// shipped one with a few texts of the test's own. With --symbol the table is a hidden array of that name instead of
// the exported table of a module: the resources of a built-in system module,
// which is compiled into the platform library rather than loaded.
//
// Errors go to standard error as "SCRIPT:LINE: error: MESSAGE"; the exit
// status is then 1 and no output is written.
#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/kesmrc/output.h"
#include "tools/kesmrc/script.h"

namespace {

struct Arguments {
  std::vector<std::filesystem::path> scripts;
  std::vector<std::filesystem::path> overs;
  std::filesystem::path output;
  std::filesystem::path depfile;
  std::string symbol;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  std::vector<std::filesystem::path> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("--", 0) != 0) {
      positional.emplace_back(word);
    } else if (i + 1 >= argc) {
      return false;
    } else if (word == "--over") {
      args.overs.emplace_back(argv[++i]);
    } else if (word == "--depfile") {
      args.depfile = argv[++i];
    } else if (word == "--symbol" && kesmrc::IsIdentifier(argv[i + 1])) {
      args.symbol = argv[++i];
    } else {
      return false;
    }
  }
  if (positional.size() < 2) return false;
  args.output = positional.back();
  positional.pop_back();
  args.scripts = std::move(positional);
  return true;
}

// Reads one script into the merged one; an id another script has defined is
// refused, unless the script is read over the others: then its entry takes
// the place of the earlier one (an id it defines twice is still refused).
bool AddScript(const std::filesystem::path& path, kesmrc::Script& merged,
               std::map<std::pair<std::uint32_t, std::uint32_t>, std::string>& owners, std::string& where,
               std::string& message, bool over = false) {
  where = path.string();
  const std::optional<std::string> text = kesmrc::ReadWholeFile(path);
  if (!text) {
    message = "cannot read the script";
    return false;
  }
  kesmrc::Script script;
  kesmrc::ScriptError error;
  if (!kesmrc::ParseScript(*text, path.parent_path(), script, error)) {
    where += ":" + std::to_string(error.line);
    message = error.message;
    return false;
  }
  // Strings are keyed by type 0, which no resource has.
  auto claim = [&](std::uint32_t type, std::uint32_t id, const char* what) {
    auto [it, fresh] = owners.emplace(std::pair{type, id}, where);
    if (!fresh && over && it->second != where) {
      it->second = where;
      if (type == 0) {
        std::erase_if(merged.strings, [id](const auto& s) { return s.id == id; });
      } else {
        std::erase_if(merged.resources, [type, id](const auto& r) { return r.type == type && r.id == id; });
      }
      return true;
    }
    if (!fresh) message = std::string(what) + " " + std::to_string(id) + " also defined in " + it->second;
    return fresh;
  };
  for (const auto& s : script.strings) {
    if (!claim(0, s.id, "string")) return false;
  }
  for (const auto& r : script.resources) {
    if (!claim(r.type, r.id, "resource")) return false;
  }
  merged.strings.insert(merged.strings.end(), script.strings.begin(), script.strings.end());
  merged.resources.insert(merged.resources.end(), script.resources.begin(), script.resources.end());
  merged.inputs.insert(merged.inputs.end(), script.inputs.begin(), script.inputs.end());
  return true;
}


// The merged scripts in the order the table keeps: strings by id, resources
// by type and id.
void SortScript(kesmrc::Script& script) {
  std::sort(script.strings.begin(), script.strings.end(),
            [](const auto& a, const auto& b) { return a.id < b.id; });
  std::sort(script.resources.begin(), script.resources.end(),
            [](const auto& a, const auto& b) { return std::pair{a.type, a.id} < std::pair{b.type, b.id}; });
}

int Fail(const std::string& where, const std::string& message) {
  std::cerr << where << ": error: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::cerr << "usage: kesmrc SCRIPT... OUTPUT.cpp [--over SCRIPT]... [--depfile FILE] [--symbol NAME]\n";
    return 2;
  }
  kesmrc::Script script;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> owners;
  for (const auto& path : args.scripts) {
    std::string where, message;
    if (!AddScript(path, script, owners, where, message)) return Fail(where, message);
  }
  for (const auto& path : args.overs) {
    std::string where, message;
    if (!AddScript(path, script, owners, where, message, true)) return Fail(where, message);
  }
  SortScript(script);
  const std::filesystem::path& first = args.scripts.front();
  auto table = kesmrc::BuildTable(script);
  if (!table) return Fail(first.string(), "resources exceed 4 GB");
  const std::string source = kesmrc::TableSource(*table, first.filename().string(), args.symbol);
  if (!kesmrc::WriteFileAtomically(args.output, source)) {
    return Fail(args.output.string(), "cannot write the output");
  }
  std::vector<std::filesystem::path> inputs(args.scripts.begin() + 1, args.scripts.end());
  inputs.insert(inputs.end(), args.overs.begin(), args.overs.end());
  inputs.insert(inputs.end(), script.inputs.begin(), script.inputs.end());
  if (!args.depfile.empty() &&
      !kesmrc::WriteFileAtomically(args.depfile, kesmrc::DependencyLine(args.output, first, inputs))) {
    return Fail(args.depfile.string(), "cannot write the dependency file");
  }
  return 0;
}
