// The dialog generator run as the build runs it: each faulty definition is
// refused with its file, line and item, and nothing is written; a sound one
// gives tables and templates that the resource compiler takes.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/machine.h"

namespace {

const std::filesystem::path kData = std::filesystem::path(KESM_TEST_DATA) / "dialogs";

struct ToolRun {
  int status;
  std::string output;
};

ToolRun RunCommand(const std::string& command) {
  ToolRun run{-1, {}};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) run.output += chunk;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quote(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// Runs kesmdlg on one fixture, writing into folder.
ToolRun Generate(const std::filesystem::path& folder, const std::string& fixture, const std::string& named = {}) {
  std::string command = Quote(KESM_KESMDLG) + " --resources " + Quote(kData / "kesmdlg_strings.krc");
  if (!named.empty()) command += " --named " + Quote(kData / named);
  command += " --tables " + Quote(folder / "tables.cpp") + " --templates " + Quote(folder / "dialogs.krc") + " " +
             Quote(kData / fixture);
  return RunCommand(command);
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Refusal {
  const char* fixture;
  const char* named;
  const char* error;  // what follows the fixture's name
};

TEST(DialogGenerator, RefusesEachFaultNamingFileLineAndItem) {
  const Refusal cases[] = {
      {"checkbox_style.kdlg", "", ":3: error: item 952: kind 22 needs a Button with BS_AUTOCHECKBOX"},
      {"radio_group.kdlg", "", ":3: error: item 953: the first button of a radio group needs WS_GROUP"},
      {"radio_class.kdlg", "", ":3: error: item 953: kind 41 needs a Button with BS_AUTORADIOBUTTON"},
      {"list_notify.kdlg", "", ":3: error: item 955: kind 47 needs a ListBox with LBS_NOTIFY"},
      {"preset_list_strings.kdlg", "",
       ":3: error: item 956: kind 50 needs a ListBox with LBS_NOTIFY, LBS_OWNERDRAWFIXED and LBS_HASSTRINGS"},
      {"owner_combo.kdlg", "",
       ":3: error: item 958: kind 48 needs a ComboBox with CBS_OWNERDRAWFIXED and CBS_HASSTRINGS"},
      {"spin_horizontal.kdlg", "", ":4: error: item 951: kind 23 needs a ScrollBar with SBS_VERT"},
      {"vspin_class.kdlg", "", ":3: error: item 959: kind 81 needs a ScrollBar with SBS_VERT"},
      {"tray_list.kdlg", "", ":3: error: item 2166: the tray list must be a SysListView32, not SysTreeView32"},
      {"named_missing.kdlg", "named.txt", ":2: error: item 950: named by code ("},
      {"string_undefined.kdlg", "", ":3: error: item 952: pop-up string 999 is not defined"},
      {"bitmap_undefined.kdlg", "", ":3: error: item 957: bitmap 6162 is not defined"},
      {"format_text.kdlg", "", ":3: error: item 961: format string 102 must hold one integer conversion"},
      {"format_two.kdlg", "", ":3: error: item 961: format string 103 must hold one integer conversion"},
      {"format_float.kdlg", "", ":3: error: item 961: format string 104 must hold one integer conversion"},
      {"overlap.kdlg", "", ":4: error: item 953: overlaps the item 952 of line 3"},
      {"link_missing.kdlg", "", ":3: error: item 951: links to control 950, which the dialog lacks"},
      {"outside.kdlg", "", ":3: error: item 952: lies outside the dialog"},
      {"duplicate_id.kdlg", "", ":4: error: item 952: id used twice (first on line 3)"},
      {"unknown_field.kdlg", "", ":3: error: unknown control field 'grup'"},
  };
  plat::ScopedMachine machine;
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.fixture);
    const ToolRun run = Generate(machine.root(), c.fixture, c.named);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(c.fixture + std::string(c.error)), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(machine.root() / "tables.cpp"));
    EXPECT_FALSE(std::filesystem::exists(machine.root() / "dialogs.krc"));
  }
}

TEST(DialogGenerator, WritesTablesAndTemplatesTheResourceCompilerTakes) {
  plat::ScopedMachine machine;
  const ToolRun run = Generate(machine.root(), "good.kdlg");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string tables = ReadAll(machine.root() / "tables.cpp");
  // In control-id order, the size flag and class data written out.
  EXPECT_NE(tables.find("I(418, 950, 63, 101, 0, 0, 0, 0, 12, 0x00000000, nullptr),\n"
                        "    I(418, 951, 23, 102, 0, 0, 950, 0, 12, 0x00000000, nullptr),"),
            std::string::npos)
      << tables;
  EXPECT_NE(tables.find("I(426, 960, 105, 0, 0, 0, 0, 0, 0, 0x00000000, &IDC_HIDDEN_FUNC_aTID)"), std::string::npos);
  EXPECT_NE(tables.find("I(427, 961, 1, 0, 0, 0, 0, 0, 0, 0x80000000, nullptr)"), std::string::npos);
  EXPECT_NE(tables.find("TAB(900, 355, 0x0004, \"KPD_IDD_FIXTURE\", 100, fgICB_IDD_FIXTURE)"), std::string::npos);
  const std::string templates = ReadAll(machine.root() / "dialogs.krc");
  // The caption and label by string id, the first radio starting its group.
  EXPECT_NE(templates.find("CAPTION \"Copies\""), std::string::npos) << templates;
  EXPECT_NE(templates.find("CONTROL \"Copies\", 65535, \"Static\", 0x50000000, 7, 7, 50, 8"), std::string::npos);
  EXPECT_NE(templates.find("CONTROL \"One\", 953, \"Button\", 0x50030009,"), std::string::npos);
  EXPECT_NE(templates.find("CONTROL \"Two\", 954, \"Button\", 0x50000009,"), std::string::npos);
  const ToolRun compiled = RunCommand(Quote(KESM_KESMRC) + " " + Quote(kData / "kesmdlg_strings.krc") + " " +
                               Quote(machine.root() / "dialogs.krc") + " " + Quote(machine.root() / "out.cpp"));
  EXPECT_EQ(compiled.status, 0) << compiled.output;
}

TEST(DialogGenerator, ResourceCompilerRefusesAnIdTwoScriptsDefine) {
  plat::ScopedMachine machine;
  std::ofstream(machine.root() / "again.krc") << "STRINGTABLE { 101 \"again\" }\n";
  const ToolRun run = RunCommand(Quote(KESM_KESMRC) + " " + Quote(kData / "kesmdlg_strings.krc") + " " +
                          Quote(machine.root() / "again.krc") + " " + Quote(machine.root() / "out.cpp"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("again.krc: error: string 101 also defined in"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(machine.root() / "out.cpp"));
}

}  // namespace
