// kesmdlg: checks the dialog definitions and writes the layout tables and
// the dialog templates from them.
//
//   kesmdlg [--resources SCRIPT]... [--named FILE] [--tables OUT.cpp]
//           [--templates OUT.krc] DEFINITION...
//
// --resources names a resource script whose strings and bitmaps the dialogs
// may use; --named a list of "dialog control" ids that code looks up. Faults
// go to standard error as "FILE:LINE: error: MESSAGE"; the exit status is
// then 1 and nothing is written. Definitions are taken in the order given,
// which is the order of the tab records.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/kesmdlg/checks.h"
#include "tools/kesmdlg/definition.h"
#include "tools/kesmdlg/outputs.h"
#include "tools/kesmrc/output.h"
#include "tools/kesmrc/script.h"

namespace {

struct Arguments {
  std::vector<std::filesystem::path> resources;
  std::filesystem::path named;
  std::filesystem::path tables;
  std::filesystem::path templates;
  std::vector<std::filesystem::path> definitions;
};

bool ParseArguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    std::filesystem::path* single = a == "--named"       ? &args.named
                                    : a == "--tables"    ? &args.tables
                                    : a == "--templates" ? &args.templates
                                                         : nullptr;
    if (a == "--resources" || single) {
      if (++i >= argc) return false;
      if (single) {
        *single = argv[i];
      } else {
        args.resources.emplace_back(argv[i]);
      }
    } else if (a.rfind("--", 0) == 0) {
      return false;
    } else {
      args.definitions.emplace_back(a);
    }
  }
  return !args.definitions.empty();
}

void Report(const kesmdlg::Error& e) {
  std::cerr << e.file << ":" << e.line << ": error: " << e.message << "\n";
}

bool LoadResources(const std::vector<std::filesystem::path>& scripts, kesmdlg::Resources& out) {
  for (const auto& path : scripts) {
    const auto text = kesmrc::ReadWholeFile(path);
    if (!text) {
      Report({path.string(), 0, "cannot read the resource script"});
      return false;
    }
    kesmrc::Script script;
    kesmrc::ScriptError error;
    if (!kesmrc::ParseScript(*text, path.parent_path(), script, error)) {
      Report({path.string(), error.line, error.message});
      return false;
    }
    for (const auto& s : script.strings) out.strings.emplace(s.id, s.text);
    for (const auto& r : script.resources) {
      if (r.type == 2) out.bitmaps.insert(r.id);
    }
  }
  return true;
}

bool WriteOutput(const std::filesystem::path& path, const std::string& text) {
  if (kesmrc::WriteFileAtomically(path, text)) return true;
  Report({path.string(), 0, "cannot write the output"});
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!ParseArguments(argc, argv, args)) {
    std::cerr << "usage: kesmdlg [--resources SCRIPT]... [--named FILE] [--tables OUT.cpp] "
                 "[--templates OUT.krc] DEFINITION...\n";
    return 2;
  }
  kesmdlg::Resources resources;
  if (!LoadResources(args.resources, resources)) return 1;
  std::vector<kesmdlg::NamedId> named;
  if (!args.named.empty()) {
    const auto text = kesmrc::ReadWholeFile(args.named);
    kesmdlg::Error error;
    if (!text) error = {args.named.string(), 0, "cannot read the list"};
    if (!text || !kesmdlg::ParseNamedIds(*text, args.named.string(), named, error)) {
      Report(error);
      return 1;
    }
  }
  std::vector<kesmdlg::Dialog> dialogs(args.definitions.size());
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    const auto text = kesmrc::ReadWholeFile(args.definitions[i]);
    kesmdlg::Error error{args.definitions[i].string(), 0, "cannot read the definition"};
    if (!text || !kesmdlg::ParseDefinition(*text, args.definitions[i].string(), dialogs[i], error)) {
      Report(error);
      return 1;
    }
  }
  const auto errors = kesmdlg::CheckDialogs(dialogs, resources, named);
  for (const auto& e : errors) Report(e);
  if (!errors.empty()) return 1;
  if (!args.tables.empty() && !WriteOutput(args.tables, kesmdlg::TablesSource(dialogs))) return 1;
  if (!args.templates.empty() && !WriteOutput(args.templates, kesmdlg::TemplatesScript(dialogs, resources))) return 1;
  return 0;
}
