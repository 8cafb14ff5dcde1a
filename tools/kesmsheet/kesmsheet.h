// kesmsheet: shows a printer's document or printer property sheet without
// a screen, through the configuration library's exported entry points on a
// printer of the simulated machine kesmprint uses.
//   kesmsheet [--printer NAME] [--printer-sheet] [--shots DIR] [--script FILE]
//   kesmsheet --check [--details] [--printer NAME] [--shots DIR]
// Without a printer the sample printer is used (installed from the sample
// description when missing). --shots writes a picture of the sheet with
// each of its pages shown, one PNG a page named by the page's index and
// tab caption; --script runs the steps of a file (sheet_script.h), every
// line checked before anything runs. Without a script the sheet is
// cancelled after the pictures. Message boxes open before the sheet shows
// are answered with OK. What the sheet changed in the DEVMODE and in the
// printer data is printed by setting name, old -> new. --check runs the
// layout check (layout_check.h) on the printer and on the sample printer
// instead of showing the sheet.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/kesmsheet/layout_check.h"
#include "tools/kesmsheet/sheet_script.h"

namespace kesmsheet {

struct Options {
  std::string printer;
  bool printerSheet = false;
  std::string shots;
  std::string script;
  bool check = false;
  bool details = false;
  bool help = false;
};

// False with a message for a command line that cannot be taken.
bool ParseArguments(const std::vector<std::string>& arguments, Options& options, std::string& error);
const char* Usage();

// Runs the sheet as the options say on the machine in the folder (made
// when missing): what it did to out, an error as one line "kesmsheet: ..."
// to err. 0 on success, 1 on an error.
int Run(const Options& options, const std::filesystem::path& machine, std::ostream& out, std::ostream& err);

// The layout check of a printer of the machine in use (the sample printer
// installed when missing), its resource libraries put where its contexts
// look; false with the reason when the printer cannot be had. With a
// shots folder every dialog looked at is written there as ID.png.
bool CheckPrinterLayout(const std::string& printer, LayoutReport& report, std::ostream& out, std::string& error,
                        const std::filesystem::path& shots = {});

}  // namespace kesmsheet
