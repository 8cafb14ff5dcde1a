// The resource compiler run as the build runs it, on scripts with faults.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/install_file.h"
#include "platform/base/machine.h"

namespace {

struct ToolRun {
  int status;
  std::string output;
};

// Runs kesmrc on the script text in the machine's folder, with more
// options when given.
ToolRun Compile(const std::filesystem::path& folder, const std::string& script, const std::string& more = "") {
  std::ofstream(folder / "test.krc", std::ios::binary) << script;
  std::ofstream(folder / "data.bin", std::ios::binary) << "data";
  std::string command = std::string("'") + KESM_KESMRC + "' '" + (folder / "test.krc").string() +
                        "' '" + (folder / "out.cpp").string() + "' --depfile '" +
                        (folder / "out.d").string() + "' " + more + " 2>&1";
  ToolRun run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) run.output += chunk;
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ResourceCompiler, WritesTheSourceAndItsDependencies) {
  plat::ScopedMachine machine;
  ToolRun run = Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n7 300 \"data.bin\"\n");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(run.output.empty()) << run.output;
  std::string source = kesm_test::ReadFile(machine.root() / "out.cpp");
  EXPECT_NE(source.find("kesm_resources["), std::string::npos);
  std::string depends = kesm_test::ReadFile(machine.root() / "out.d");
  EXPECT_NE(depends.find("test.krc"), std::string::npos);
  EXPECT_NE(depends.find("data.bin"), std::string::npos);
}

TEST(ResourceCompiler, ABuiltInModulesTableIsAHiddenArrayOfItsOwnName) {
  plat::ScopedMachine machine;
  ToolRun run = Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n", "--symbol builtin_table");
  ASSERT_EQ(run.status, 0) << run.output;
  std::string source = kesm_test::ReadFile(machine.root() / "out.cpp");
  EXPECT_NE(source.find("visibility(\"hidden\"))) extern const unsigned char builtin_table["), std::string::npos);
  EXPECT_EQ(source.find("kesm_resources"), std::string::npos);  // not taken for a module's own table
  EXPECT_EQ(source.find("section("), std::string::npos);
  // A name that is no identifier, or an option without its value, is refused.
  EXPECT_EQ(Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n", "--symbol 'a b'").status, 2);
  EXPECT_EQ(Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n", "--symbol").status, 2);
}

// A script read over the others replaces their entries of the same ids:
// the table is the one the replacing texts alone would make. The script
// read over the others still may not define an id twice.
TEST(ResourceCompiler, AScriptReadOverTheOthersReplacesTheirEntries) {
  plat::ScopedMachine machine;
  const std::filesystem::path over = machine.root() / "over.krc";
  std::ofstream(over, std::ios::binary) << "STRINGTABLE { 1 \"two\" }\n";
  ASSERT_EQ(Compile(machine.root(), "STRINGTABLE { 1 \"two\" 2 \"kept\" }\n").status, 0);
  const std::string alone = kesm_test::ReadFile(machine.root() / "out.cpp");
  ToolRun run = Compile(machine.root(), "STRINGTABLE { 1 \"one\" 2 \"kept\" }\n", "--over '" + over.string() + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(kesm_test::ReadFile(machine.root() / "out.cpp"), alone);
  EXPECT_NE(kesm_test::ReadFile(machine.root() / "out.d").find("over.krc"), std::string::npos);
  std::ofstream(over, std::ios::binary) << "STRINGTABLE { 1 \"two\" 1 \"three\" }\n";
  EXPECT_EQ(Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n", "--over '" + over.string() + "'").status, 1);
}

struct BadScript {
  const char* script;
  const char* error;  // expected "test.krc:LINE: error: ..." tail
};

TEST(ResourceCompiler, RefusesFaultyScriptsWithTheirLine) {
  const BadScript cases[] = {
      {"STRINGTABLE\nBEGIN\n  5 \"a\"\n  5 \"b\"\nEND\n",
       ":4: error: string 5 defined twice (first on line 3)"},
      {"STRINGTABLE BEGIN\n 1 \"open\nEND\n", ":2: error: unterminated string"},
      {"STRINGTABLE BEGIN 70000 \"x\" END", ":1: error: string id 70000 above 65535"},
      {"STRINGTABLE BEGIN 1 \"\\q\" END", ":1: error: unknown escape '\\q'"},
      {"STRINGTABLE BEGIN 1 \"\xC3\x28\" END", ":1: error: invalid UTF-8 in string"},
      {"STRINGTABLE BEGIN 1 \"x\"", ":1: error: expected END"},
      {"STRINGTABLE BEGIN 1 x END", ":1: error: expected a string"},
      {"\n/* open", ":2: error: unterminated comment"},
      {"DIALOGEX", ":1: error: unknown statement 'DIALOGEX'"},
      {"1 PICTURE \"a.bmp\"", ":1: error: unknown resource type 'PICTURE'"},
      {"1 BITMAP 5", ":1: error: expected a file name"},
      {"1 MENU BEGIN END", ":1: error: a menu without items"},
      {"1 MENU BEGIN MENUITEM \"x\" END", ":1: error: expected ',' and the item's id"},
      {"1 MENU BEGIN\nMENUITEM \"x\", 0 END", ":2: error: menu item id 0 outside 1 to 65535"},
      {"1 MENU BEGIN MENUITEM \"x\", 5, BOLD END", ":1: error: unknown menu option 'BOLD'"},
      {"1 MENU BEGIN POPUP \"p\" BEGIN MENUITEM SEPARATOR END", ":1: error: expected END"},
      {"1 MENU BEGIN MENUITEM SEPARATOR END\n1 MENU BEGIN MENUITEM SEPARATOR END",
       ":2: error: resource 1 of type 4 defined twice (first on line 1)"},
      {"1 5 \"data.bin\"", ":1: error: resource type 5 is not a user-defined type (256 to 65535)"},
      {"0 258 \"data.bin\"", ":1: error: resource id 0 outside 1 to 65535"},
      {"1 258 \"data.bin\"\n1 258 \"data.bin\"",
       ":2: error: resource 1 of type 258 defined twice (first on line 1)"},
      {"1 258 \"missing.bin\"", ":1: error: cannot read"},
      {"1 258 \".\"", ":1: error: cannot read"},  // a folder, not a file
      {"1 DIALOGEX 0, 0, 10\nBEGIN END", ":2: error: expected ','"},
      {"1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP | WS_FANCY\nBEGIN END", ":2: error: unknown style 'WS_FANCY'"},
      {"1 DIALOGEX 0, 0, 10, 10\nMENU 5\nBEGIN END", ":2: error: unknown dialog statement 'MENU'"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n SLIDER 5, 0, 0, 1, 1\nEND", ":3: error: unknown control statement 'SLIDER'"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n LTEXT 5, 0, 0, 1, 1\nEND", ":3: error: expected a string"},
      {"1 DIALOGEX 0, 0, 40000, 10 BEGIN END", ":1: error: dialog unit 40000 above 32767"},
      {"1 DIALOGEX 0, 0, 10, 10\nFONT 0, \"Shell Dlg\"\nBEGIN END", ":2: error: point size 0 outside 1 to 65535"},
      {"1 DIALOG 0, 0, 10, 10\nBEGIN\n EDITTEXT 70000, 0, 0, 1, 1\nEND",
       ":4: error: control id 70000 above 65535 in a DIALOG (use DIALOGEX)"},
      {"1 DIALOGEX 0, 0, 10, 10 BEGIN END\n1 DIALOG 0, 0, 5, 5 BEGIN END",
       ":2: error: resource 1 of type 5 defined twice (first on line 1)"},
      {"0 DIALOGEX 0, 0, 10, 10 BEGIN END", ":1: error: resource id 0 outside 1 to 65535"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n PUSHBUTTON \"OK\", 1, 0, 0, 1, 1", ":3: error: expected END"},
      {"99999999999", ":1: error: number too large"},
      {"12ab", ":1: error: malformed number"},
  };
  for (const BadScript& c : cases) {
    plat::ScopedMachine machine;
    ToolRun run = Compile(machine.root(), c.script);
    EXPECT_EQ(run.status, 1) << c.script;
    EXPECT_NE(run.output.find(std::string("test.krc") + c.error), std::string::npos)
        << c.script << "\n" << run.output;
    EXPECT_FALSE(std::filesystem::exists(machine.root() / "out.cpp")) << c.script;
  }
}

TEST(ResourceCompiler, RefusesPictureFilesOfTheWrongKind) {
  struct BadPicture {
    const char* script;
    const char* line;
    const char* message;
  };
  const BadPicture cases[] = {
      {"1 BITMAP \"data.bin\"", "test.krc:1: error: '", "data.bin': not a BMP file"},
      {"\n1 ICON \"data.bin\"", "test.krc:2: error: '", "data.bin': not an icon file"},
      {"1 CURSOR \"data.bin\"", "test.krc:1: error: '", "data.bin': not a cursor file"},
  };
  for (const BadPicture& c : cases) {
    plat::ScopedMachine machine;
    ToolRun run = Compile(machine.root(), c.script);
    EXPECT_EQ(run.status, 1) << c.script;
    EXPECT_NE(run.output.find(c.line), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
}

TEST(ResourceCompiler, RefusesAFolderAsItsScript) {
  plat::ScopedMachine machine;
  const std::filesystem::path folder = machine.root() / "test.krc";
  std::filesystem::create_directory(folder);
  std::string command = std::string("'") + KESM_KESMRC + "' '" + folder.string() + "' '" +
                        (machine.root() / "out.cpp").string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
  const int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_EQ(WEXITSTATUS(status), 1) << output;
  EXPECT_NE(output.find("test.krc: error: cannot read the script"), std::string::npos) << output;
  EXPECT_FALSE(std::filesystem::exists(machine.root() / "out.cpp"));
}

TEST(ResourceCompiler, AnOutputThatCannotBeReplacedLeavesNoTemporaryFile) {
  plat::ScopedMachine machine;
  std::filesystem::create_directory(machine.root() / "out.cpp");  // rename onto it fails
  ToolRun run = Compile(machine.root(), "STRINGTABLE { 1 \"one\" }\n");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_NE(run.output.find("out.cpp: error: cannot write the output"), std::string::npos)
      << run.output;
  EXPECT_FALSE(std::filesystem::exists(machine.root() / "out.cpp.tmp"));
}

}  // namespace
